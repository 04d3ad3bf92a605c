#include "world/blast.h"

#include "world/bombKinds.h"

#include <cmath>

float BlastDistance(float shellX, float shellZ, float tankX, float tankZ)
{
    return std::sqrt((shellX - tankX) * (shellX - tankX) + (shellZ - tankZ) * (shellZ - tankZ));
}

float BlastDepth(float distance, int kind)
{
    return distance - static_cast<float>(BlastReach(kind));
}

BlastBlow BlastBlowOf(float depth)
{
    if (depth >= 0)
        return {0, 0};
    return {static_cast<int>(10 * depth), static_cast<int>(-100 * depth)};
}
