#pragma once

// The arithmetic of a blast on one tank, apart from the bookkeeping: the game's
// explosion and the computer's weighing of an aim both use it.

// Distance on the ground (heights never count) from the shell to a tank.
float BlastDistance(float shellX, float shellZ, float tankX, float tankZ);
// How far the tank stands outside the kind's reach: negative inside it.
float BlastDepth(float distance, int kind);

// What a blast does to a tank standing depth inside its reach (depth < 0):
// the energy change (10 per unit, cut to a whole number) and the pay to the
// shooter (100 per unit), unless the tank is the shooter's own.
struct BlastBlow {
    int energy;
    int pay;
};
BlastBlow BlastBlowOf(float depth);
