#pragma once

#include "ai/sight.h"
#include "world/flight.h"

// The search over every aim the barrel can reach, each flown once with the
// world's own flight arithmetic, barrel and wind held still as the game holds
// a computer's barrel still while its shell flies.

// The aims the commands reach from the barrel as it stands: every heading in
// steps of 5 around, elevations 0..90 and powers 0..100 in steps of 5 from the
// present one (the limits themselves are reached too).
struct AimGrid {
    int headings[72];
    int headingCount;
    int elevations[20];
    int elevationCount;
    int powers[22];
    int powerCount;
};
AimGrid GridFrom(const Sight::Seat& seat);

// The trig of every heading and elevation of a grid, worked out once.
struct GridTrig {
    FlightTrig trig[72][20]; // [heading index][elevation index]
    double sinWind, cosWind;
};
void WorkOutTrig(const AimGrid& grid, int windDirection, GridTrig& out);

// Flies every aim of the grid under the wind and calls visit(aim, end) with
// the aim's kind left 0.
template <class Visit>
void ForEachLanding(const Sight& sight, const AimGrid& grid, int windDirection, int windStrength,
                    Visit&& visit)
{
    static thread_local GridTrig trig;
    WorkOutTrig(grid, windDirection, trig);
    const Sight::Seat& seat = sight.seats[sight.shooter];
    constexpr int RISE_STEPS = 256;
    float rise[RISE_STEPS];
    for (int e = 0; e < grid.elevationCount; ++e) {
        for (int p = 0; p < grid.powerCount; ++p) {
            const int power = grid.powers[p];
            // The vertical speed is the same whatever the heading.
            const FlightPace first = FlightPaceFrom(static_cast<float>(power), power, trig.trig[0][e],
                                                    windStrength, trig.sinWind, trig.cosWind);
            for (int t = 1; t < RISE_STEPS; ++t)
                rise[t] = FlightRise(t, first.vy);
            for (int h = 0; h < grid.headingCount; ++h) {
                const FlightTrig& a = trig.trig[h][e];
                const FlightPoint muzzle = MuzzleFrom(seat.x, seat.y, seat.z, a);
                const FlightPace pace = FlightPaceFrom(static_cast<float>(power), power, a, windStrength,
                                                       trig.sinWind, trig.cosWind);
                float x = muzzle.x;
                float z = muzzle.z;
                int result = 1;
                int t = 0;
                while (result == 1) {
                    ++t;
                    x += pace.dx;
                    z += pace.dz;
                    const float dy = t < RISE_STEPS ? rise[t] : FlightRise(t, pace.vy);
                    result = FlightOutcome(x, z, muzzle.y + dy, sight.heights);
                }
                visit(Aim{grid.headings[h], grid.elevations[e], power, 0}, FlightEnd{result, x, z, t});
            }
        }
    }
}

// What a blast of the kind at (x, z) would do, weighed for the shooter.
struct Weighing {
    bool hurtsShooter; // takes energy from the shooter
    int taken;         // energy taken from the others, at most what they have
    int kills;         // others left below zero
    int pay;           // what the shooter earns, wrecks included
    int mostHurt;      // the other who loses most, -1 none
};
Weighing WeighBlast(const Sight& sight, float x, float z, int kind);

// Whether some aim of the grid would take energy from an opponent with some
// bomb in stock, without hurting the shooter: what "could have hit" means.
bool SomeAimHits(const Sight& sight);

// The flight of one aim under the wind, barrel held still.
FlightEnd FlyAim(const Sight& sight, const Aim& aim, int windDirection, int windStrength);
