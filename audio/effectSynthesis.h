#pragma once

#include <cstdint>
#include <vector>

// The game's sound effects, made by arithmetic at start-up: no sample files.
// Every effect is mono 16-bit at EFFECT_RATE samples a second, the same
// samples on every run (the noise comes from a seeded generator of its own,
// never from the C library's, whose draws belong to the game).
constexpr int EFFECT_RATE = 22050;

enum class Effect {
    Shot,          // a short, heavy report at the muzzle
    Flight,        // a faint whistle, looped while the shell flies
    BlastOrdinary, // the blasts, louder and longer with the bomb's size
    BlastSmall,
    BlastMedium,
    BlastLarge,
    Wreck,         // a tank destroyed: a heavier crash with a metal ring
};
constexpr int EFFECT_COUNT = 7;

// The blast of a bomb kind; a kind outside the table blasts like the
// ordinary bomb, as its crater does.
Effect BlastEffect(int bombKind);

std::vector<std::int16_t> SynthesiseEffect(Effect effect);
