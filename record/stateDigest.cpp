#include "record/stateDigest.h"

#include "record/gameSnapshot.h"

#include <cstring>
#include <initializer_list>

namespace {

// FNV-1a over the bytes of each value.
class Fnv {
public:
    template <class T>
    void Add(const T& value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes)
            hash = (hash ^ b) * 16777619u;
    }
    std::uint32_t hash = 2166136261u;
};

void AddTank(Fnv& fnv, const TankSnapshot& t)
{
    for (int v : {t.roundsWon, t.alive, t.energy, t.isCurrent, t.hasFired, t.bombKind, t.inFlight, t.elevation,
                  t.heading, t.money, t.power, t.player})
        fnv.Add(v);
    for (int s : t.stock)
        fnv.Add(s);
    for (float f : {t.x, t.y, t.z})
        fnv.Add(f);
    // What a finished flight leaves in the shell is read by nothing until the
    // next shot, and differs between a game played and one made again.
    if (t.inFlight) {
        fnv.Add(t.flightStep);
        fnv.Add(t.shellKind);
        for (float f : {t.launchHeading, t.launchPower, t.shellX, t.shellY, t.shellZ})
            fnv.Add(f);
    }
}

} // namespace

std::uint32_t StateDigest(const GameSnapshot& s)
{
    Fnv fnv;
    for (int v : {s.playerCount, s.roundsLeft, s.currentPlayer, s.shotFired, s.windStrength, s.windDirection, s.turn})
        fnv.Add(v);
    fnv.Add(s.roundSeed);
    fnv.Add(s.randomDraws);
    const int count = s.playerCount >= 0 && s.playerCount <= SNAPSHOT_SLOTS ? s.playerCount : SNAPSHOT_SLOTS;
    for (int i = 0; i < count; ++i)
        AddTank(fnv, s.tanks[i]);
    fnv.Add(s.heights);
    fnv.Add(s.selectedWeapon);
    return fnv.hash;
}
