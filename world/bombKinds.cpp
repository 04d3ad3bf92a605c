#include "world/bombKinds.h"

#include "res/resource.h"

namespace {

const BombKind bombKinds[BOMB_KINDS] = {
    {IDS_BOMB_ORDINARY, 4, 1, {0.2f, 0.2f, 0.2f}, {0.8f, 0.8f, 0.8f}, 0},  // grey
    {IDS_BOMB_SMALL, 6, 2, {0.0f, 0.0f, 0.2f}, {0.0f, 0.0f, 0.8f}, 200},   // blue
    {IDS_BOMB_MEDIUM, 8, 4, {0.0f, 0.2f, 0.0f}, {0.0f, 0.8f, 0.0f}, 500},  // green
    {IDS_BOMB_LARGE, 12, 7, {0.2f, 0.0f, 0.0f}, {0.8f, 0.0f, 0.0f}, 1000}, // red
};

bool IsKind(int kind)
{
    return kind >= 0 && kind < BOMB_KINDS;
}

} // namespace

const BombKind& BombKindOf(int kind)
{
    return bombKinds[kind];
}

int BombRadius(int kind)
{
    return bombKinds[kind].radius;
}

int BombDepth(int kind)
{
    return bombKinds[kind].depth;
}

int BlastRadius(int kind)
{
    return IsKind(kind) ? bombKinds[kind].radius : bombKinds[0].radius;
}

int BlastReach(int kind)
{
    return BlastRadius(kind) + BLAST_REACH_BEYOND_RADIUS;
}
