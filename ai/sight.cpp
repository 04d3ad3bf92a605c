#include "ai/sight.h"

#include "world/cCzolg.h"
#include "world/cTeren.h"
#include "world/cWiatr.h"

#include <cstring>

Sight Sight::Of(const cTeren& terrain, const cCzolg tanks[], int playerCount, int shooter, const cWiatr& wind)
{
    Sight s;
    std::memcpy(s.heights, terrain.heights, sizeof s.heights);
    for (int i = 0; i < 8; ++i) {
        Seat& seat = s.seats[i];
        if (i >= playerCount) {
            seat = Seat{0, 0, 0, 0, 0, 0, {0, 0, 0, 0}, 0, 0, 0};
            continue;
        }
        const cCzolg& t = tanks[i];
        seat = Seat{t.x, t.y, t.z, t.alive, t.energy, t.money,
                    {t.stock[0], t.stock[1], t.stock[2], t.stock[3]}, t.heading, t.elevation, t.power};
    }
    s.playerCount = playerCount;
    s.shooter = shooter;
    s.windDirection = wind.direction;
    s.windStrength = wind.strength;
    return s;
}
