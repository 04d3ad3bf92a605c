#include "view/gameState.h"

#include "world/blast.h"

#include <cstdlib>

// Created in this order at start-up: terrain, the eight tanks, wind.
int playerCount = 0;
int roundsLeft = 0;
cTeren terrain;
cCzolg tanks[MAX_PLAYERS];
cWiatr wind;
int currentPlayer = 0;
int shotFired = 0;

int camPitch[MAX_PLAYERS] = {60, 60, 60, 60, 60, 60, 60, 60};
int camYaw[MAX_PLAYERS] = {};
int camRoll[MAX_PLAYERS] = {};
float camX[MAX_PLAYERS] = {50, 50, 50, 50, 50, 50, 50, 50};
float camY[MAX_PLAYERS] = {70, 70, 70, 70, 70, 70, 70, 70};
float camZ[MAX_PLAYERS] = {87, 87, 87, 87, 87, 87, 87, 87};

void ResetCamera(int slot)
{
    camPitch[slot] = 60;
    camYaw[slot] = 0;
    camRoll[slot] = 0;
    camX[slot] = 50.0f;
    camY[slot] = 70.0f;
    camZ[slot] = 87.0f;
}

int IsFarFromTanks(int x, int z, int count)
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
        v = std::rand() % FIELD_SIZE;
    while (v < PLACE_FIRST || v > PLACE_LAST);
    return v;
}

// Whether some grid line x = v (or z = v) with PLACE_FIRST <= v <= PLACE_LAST
// keeps 8 away from every earlier tank along that axis. The rule is per axis,
// so a free point exists exactly when both axes have a free line.
bool AxisHasRoom(int count, int (cCzolg::*coordinate)() const)
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
bool TryPlaceTanks()
{
    for (int i = 0; i < playerCount; ++i) {
        if (i > 0 && !(AxisHasRoom(i, &cCzolg::GetX) && AxisHasRoom(i, &cCzolg::GetZ)))
            return false;
        int x, z;
        do {
            x = DrawCoordinate();
            z = DrawCoordinate();
        } while (i > 0 && !IsFarFromTanks(x, z, i));
        tanks[i].SetPlayer(i);
        tanks[i].Place(static_cast<float>(x), terrain.GetHeight(x, z), static_cast<float>(z));
    }
    return true;
}

} // namespace

int PlaceTanks()
{
    int attempts = 1;
    while (!TryPlaceTanks())
        ++attempts;
    return attempts;
}

int SetupRound()
{
    tanks[currentPlayer].BeginTurn();
    terrain.Generate();
    PlaceTanks();
    const int s = std::rand() % 10;
    const int d = std::rand() % 360;
    wind.Change(d, s);
    shotFired = 0;
    return 1;
}

int CountLiveTanks()
{
    int live = 0;
    for (int i = 0; i < playerCount; ++i)
        live += tanks[i].IsAlive() ? 1 : 0;
    return live;
}

void ResolveExplosion()
{
    cCzolg& shooter = tanks[currentPlayer];
    const float sx = shooter.shell.x;
    const float sz = shooter.shell.z;
    for (int i = 0; i < playerCount; ++i) {
        cCzolg& tank = tanks[i];
        const float d = BlastDepth(BlastDistance(sx, sz, tank.x, tank.z), shooter.bombKind);
        if (d < 0) {
            const BlastBlow blow = BlastBlowOf(d);
            tank.TakeDamage(blow.energy);
            // Hurting oneself pays nothing; hitting a wreck still pays.
            if (i != currentPlayer)
                shooter.AddMoney(blow.pay);
        }
    }
    for (int j = 0; j < playerCount; ++j)
        tanks[j].SetY(terrain.GetHeight(tanks[j].GetX(), tanks[j].GetZ()));
}
