#pragma once

#include "world/cTeren.h"

// The arithmetic of a shell's flight, apart from its drawing. The shell in
// the game and the computer's predictions both step it with these, so a
// predicted landing is the real one, bit for bit.

struct FlightPoint {
    float x, y, z;
};

// The sines and cosines a flight step needs, of the angles in degrees turned
// to radians the game's way. A search over many aims works them out once per
// angle; the arithmetic on them stays the one below.
struct FlightTrig {
    double sinH, cosH; // heading (the launch heading in flight)
    double sinE, cosE; // elevation
};
FlightTrig FlightTrigOf(double heading, double elevation);

// Where the shell leaves the muzzle: 5 units along the barrel from the turret
// centre, 3 above the tank standing at (x, y, z).
inline FlightPoint MuzzleFrom(float x, float y, float z, const FlightTrig& a)
{
    const float x0 = static_cast<float>(x + a.sinH * 5 * a.cosE);
    const float y0 = static_cast<float>((y + 3) + a.sinE * 5);
    const float z0 = static_cast<float>(z + a.cosH * 5 * a.cosE);
    return {x0, y0, z0};
}
FlightPoint MuzzleOf(float x, float y, float z, int heading, int elevation);

// How far a shell moves along x and z in one step, and the vertical speed its
// height follows. The heading and power are those captured at launch; the
// elevation, power and wind are read afresh at every step.
struct FlightPace {
    float dx, dz, vy;
};
inline FlightPace FlightPaceFrom(float launchPower, int power, const FlightTrig& a, int windStrength,
                                 double sinWind, double cosWind)
{
    const float hx = static_cast<float>(launchPower * a.sinH * a.cosE);
    const float hz = static_cast<float>(launchPower * a.cosH * a.cosE);
    const float wx = static_cast<float>(windStrength * sinWind / 100);
    const float wz = static_cast<float>(windStrength * cosWind / 100);
    const float dx = (hx + wx) / 40;
    const float dz = (hz + wz) / 40;
    const float vy = static_cast<float>(power * a.sinE);
    return {dx, dz, vy};
}
FlightPace FlightPaceOf(float launchHeading, float launchPower, int elevation, int power,
                        int windDirection, int windStrength);

// Height over the launch point after step t: (t * vy - t^2) / 40.
inline float FlightRise(int t, float vy)
{
    return (t * vy - t * 2 * t / 2) / 40;
}

// After a step moved the shell to (x, z) at the height: 2 exploded, 0 left the
// field, 1 still flying. The impact test comes first, so the strip just
// outside the grid still hits its edge.
inline int FlightOutcome(float x, float z, float height, const float (&heights)[FIELD_SIZE][FIELD_SIZE])
{
    const int ix = static_cast<int>(x);
    const int iz = static_cast<int>(z);
    if (ix >= 0 && ix <= FIELD_LAST && iz >= 0 && iz <= FIELD_LAST && height - heights[iz][ix] < 0.5f)
        return 2;
    if (x < 0 || x > FIELD_LAST || z < 0 || z > FIELD_LAST)
        return 0;
    return 1;
}

// A whole flight with the barrel and the wind held still from launch to the
// end: where the shell ended, how, and after how many steps.
struct FlightEnd {
    int result; // 2 exploded, 0 left the field
    float x, z;
    int steps;
};
FlightEnd FlyHeldStill(const FlightPoint& muzzle, const FlightPace& pace,
                       const float (&heights)[FIELD_SIZE][FIELD_SIZE]);
