#pragma once

// Bomb kinds: 0 ordinary, 1 small, 2 medium, 3 large. Everything that differs
// between the kinds is in one row of one table.
constexpr int BOMB_KINDS = 4;

// A blast damages tanks this many grid units beyond its radius.
constexpr int BLAST_REACH_BEYOND_RADIUS = 3;

struct BombKind {
    int nameId;       // string id of its name, the bomb selector's item
    int radius;       // of the crater, the fireball and the blast, in grid units
    int depth;        // how far the crater sinks, in world units
    float ambient[3]; // the shell's material
    float diffuse[3];
    int price;        // in the shop; 0 for the ordinary bomb, which is not sold
};

// The row of kind 0..3.
const BombKind& BombKindOf(int kind);
int BombRadius(int kind);
int BombDepth(int kind);
// The blast radius of the kind a shell carries; a kind outside the table
// blasts as wide as the ordinary bomb, 4.
int BlastRadius(int kind);
// Distance from the impact within which a tank takes damage.
int BlastReach(int kind);
