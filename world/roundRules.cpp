#include "world/roundRules.h"

#include "world/blast.h"
#include "world/gameRandom.h"

#include <cstdlib>

int IsFarFrom(const cCzolg tanks[], int count, int x, int z)
{
    for (int k = 0; k < count; ++k) {
        if (std::abs(tanks[k].GetX() - x) < 8)
            return 0;
        if (std::abs(tanks[k].GetZ() - z) < 8)
            return 0;
    }
    return 1;
}

namespace {

// Tanks stand on grid lines PLACE_FIRST..PLACE_LAST, clear of the field's edges.
constexpr int PLACE_FIRST = 5;
constexpr int PLACE_LAST = FIELD_SIZE - 5;

int DrawCoordinate()
{
    int v;
    do
        v = DrawRandom() % FIELD_SIZE;
    while (v < PLACE_FIRST || v > PLACE_LAST);
    return v;
}

// Whether some grid line x = v (or z = v) with PLACE_FIRST <= v <= PLACE_LAST
// keeps 8 away from every earlier tank along that axis. The rule is per axis,
// so a free point exists exactly when both axes have a free line.
bool AxisHasRoom(const cCzolg tanks[], int count, int (cCzolg::*coordinate)() const)
{
    for (int v = PLACE_FIRST; v <= PLACE_LAST; ++v) {
        bool free = true;
        for (int k = 0; k < count && free; ++k)
            free = std::abs((tanks[k].*coordinate)() - v) >= 8;
        if (free)
            return true;
    }
    return false;
}

// Seven tanks can bar every line of one axis; then the last tank has no place.
bool TryPlaceTanks(cCzolg tanks[], int count, const cTeren& terrain)
{
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !(AxisHasRoom(tanks, i, &cCzolg::GetX) && AxisHasRoom(tanks, i, &cCzolg::GetZ)))
            return false;
        int x, z;
        do {
            x = DrawCoordinate();
            z = DrawCoordinate();
        } while (i > 0 && !IsFarFrom(tanks, i, x, z));
        tanks[i].SetPlayer(i);
        tanks[i].Place(static_cast<float>(x), terrain.GetHeight(x, z), static_cast<float>(z));
    }
    return true;
}

} // namespace

int PlaceTanksOn(cCzolg tanks[], int count, const cTeren& terrain)
{
    int attempts = 1;
    while (!TryPlaceTanks(tanks, count, terrain))
        ++attempts;
    return attempts;
}

void ResolveBlast(cCzolg tanks[], int count, int shooter, const cTeren& terrain)
{
    cCzolg& s = tanks[shooter];
    const float sx = s.shell.x;
    const float sz = s.shell.z;
    for (int i = 0; i < count; ++i) {
        cCzolg& tank = tanks[i];
        const float d = BlastDepth(BlastDistance(sx, sz, tank.x, tank.z), s.bombKind);
        if (d < 0) {
            const BlastBlow blow = BlastBlowOf(d);
            tank.TakeDamage(blow.energy);
            // Hurting oneself pays nothing; hitting a wreck still pays.
            if (i != shooter)
                s.AddMoney(blow.pay);
        }
    }
    for (int j = 0; j < count; ++j)
        tanks[j].SetY(terrain.GetHeight(tanks[j].GetX(), tanks[j].GetZ()));
}
