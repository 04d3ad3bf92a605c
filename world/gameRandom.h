#pragma once

// The C library's generator as the game draws from it: seeded once a round
// (the field), then drawn in a fixed order (field, placement, wind change,
// two per wind tick). Every draw is counted, so that a saved game can put the
// generator back where it stood: the same seed, and as many draws again.
struct RandomPosition {
    unsigned seed = 1; // what srand was last given
    long long draws = 0; // values drawn since
};

void SeedRandom(unsigned seed);
int DrawRandom(); // rand(): 0..RAND_MAX
RandomPosition CurrentRandom();
// Seeds with position.seed and draws position.draws values.
void RestoreRandom(const RandomPosition& position);
