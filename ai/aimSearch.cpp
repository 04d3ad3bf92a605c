#include "ai/aimSearch.h"

#include "world/angles.h"
#include "world/blast.h"
#include "world/bombKinds.h"

#include <cmath>

namespace {

// Values v0 + 5k within [0, top], and 0 and top themselves, where the clamps land.
int StepsOfFive(int now, int top, int* out)
{
    int n = 0;
    const int first = ((now % 5) + 5) % 5;
    if (first != 0)
        out[n++] = 0;
    for (int v = first; v <= top; v += 5)
        out[n++] = v;
    if (out[n - 1] != top)
        out[n++] = top;
    return n;
}

} // namespace

AimGrid GridFrom(const Sight::Seat& seat)
{
    AimGrid grid;
    grid.headingCount = 72;
    for (int k = 0; k < 72; ++k)
        grid.headings[k] = (((seat.heading + 5 * k) % 360) + 360) % 360;
    grid.elevationCount = StepsOfFive(seat.elevation, 90, grid.elevations);
    grid.powerCount = StepsOfFive(seat.power, 100, grid.powers);
    return grid;
}

void WorkOutTrig(const AimGrid& grid, int windDirection, GridTrig& out)
{
    for (int h = 0; h < grid.headingCount; ++h)
        for (int e = 0; e < grid.elevationCount; ++e)
            out.trig[h][e] = FlightTrigOf(grid.headings[h], grid.elevations[e]);
    const double windD = Radians(windDirection);
    out.sinWind = std::sin(windD);
    out.cosWind = std::cos(windD);
}

Weighing WeighBlast(const Sight& sight, float x, float z, int kind)
{
    Weighing w{false, 0, 0, 0, -1};
    const float reach = static_cast<float>(BlastReach(kind));
    int worst = 0;
    for (int i = 0; i < sight.playerCount; ++i) {
        const Sight::Seat& seat = sight.seats[i];
        // Farther than the reach along one axis is outside it: the blast's
        // own distance is never shorter than either leg.
        if (std::fabs(x - seat.x) >= reach || std::fabs(z - seat.z) >= reach)
            continue;
        const float d = BlastDepth(BlastDistance(x, z, seat.x, seat.z), kind);
        if (d >= 0)
            continue;
        const BlastBlow blow = BlastBlowOf(d);
        if (i == sight.shooter) {
            if (blow.energy < 0)
                w.hurtsShooter = true;
            continue;
        }
        w.pay += blow.pay;
        if (!seat.alive)
            continue;
        const int lost = -blow.energy < seat.energy ? -blow.energy : seat.energy;
        w.taken += lost;
        if (seat.energy + blow.energy < 0)
            w.kills += 1;
        if (-blow.energy > worst) {
            worst = -blow.energy;
            w.mostHurt = i;
        }
    }
    return w;
}

bool SomeAimHits(const Sight& sight)
{
    const AimGrid grid = GridFrom(sight.seats[sight.shooter]);
    bool hits = false;
    ForEachLanding(sight, grid, sight.windDirection, sight.windStrength, [&](const Aim&, const FlightEnd& end) {
        if (hits || end.result != 2)
            return;
        for (int kind = 0; kind < BOMB_KINDS; ++kind) {
            if (sight.seats[sight.shooter].stock[kind] <= 0)
                continue;
            const Weighing w = WeighBlast(sight, end.x, end.z, kind);
            if (!w.hurtsShooter && w.mostHurt >= 0) {
                hits = true;
                return;
            }
        }
    });
    return hits;
}

FlightEnd FlyAim(const Sight& sight, const Aim& aim, int windDirection, int windStrength)
{
    const Sight::Seat& seat = sight.seats[sight.shooter];
    const FlightPoint muzzle = MuzzleOf(seat.x, seat.y, seat.z, aim.heading, aim.elevation);
    const FlightPace pace = FlightPaceOf(static_cast<float>(aim.heading), static_cast<float>(aim.power),
                                         aim.elevation, aim.power, windDirection, windStrength);
    return FlyHeldStill(muzzle, pace, sight.heights);
}
