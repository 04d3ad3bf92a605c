#include "world/gameRandom.h"

#include <cstdlib>

namespace {

RandomPosition position;

} // namespace

void SeedRandom(unsigned seed)
{
    std::srand(seed);
    position = {seed, 0};
}

int DrawRandom()
{
    ++position.draws;
    return std::rand();
}

RandomPosition CurrentRandom()
{
    return position;
}

void RestoreRandom(const RandomPosition& wanted)
{
    SeedRandom(wanted.seed);
    for (long long i = 0; i < wanted.draws; ++i)
        DrawRandom();
}
