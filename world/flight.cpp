#include "world/flight.h"

#include "world/angles.h"

#include <cmath>

FlightTrig FlightTrigOf(double heading, double elevation)
{
    const double h = Radians(heading);
    const double e = Radians(elevation);
    return {std::sin(h), std::cos(h), std::sin(e), std::cos(e)};
}

FlightPoint MuzzleOf(float x, float y, float z, int heading, int elevation)
{
    return MuzzleFrom(x, y, z, FlightTrigOf(heading, elevation));
}

FlightPace FlightPaceOf(float launchHeading, float launchPower, int elevation, int power,
                        int windDirection, int windStrength)
{
    const double windD = Radians(windDirection);
    return FlightPaceFrom(launchPower, power, FlightTrigOf(launchHeading, elevation), windStrength,
                          std::sin(windD), std::cos(windD));
}

FlightEnd FlyHeldStill(const FlightPoint& muzzle, const FlightPace& pace,
                       const float (&heights)[FIELD_SIZE][FIELD_SIZE])
{
    float x = muzzle.x;
    float z = muzzle.z;
    for (int t = 1;; ++t) {
        x += pace.dx;
        z += pace.dz;
        const int result = FlightOutcome(x, z, muzzle.y + FlightRise(t, pace.vy), heights);
        if (result != 1)
            return {result, x, z, t};
    }
}
