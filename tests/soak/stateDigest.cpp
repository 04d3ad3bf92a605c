#include "soak/stateDigest.h"

#include "doc/kratDoc.h"
#include "view/gameState.h"
#include "view/seats.h"

#include <cstring>

namespace {

// FNV-1a over the bytes of each value: floats are compared bit for bit, so a
// shell that flew one step further changes the digest.
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
    quint32 hash = 2166136261u;
};

void AddTank(Fnv& fnv, const cCzolg& t)
{
    for (int v : {t.roundsWon, t.alive, t.energy, t.isCurrent, t.hasFired, t.flightStep, t.bombKind, t.inFlight,
                  t.elevation, t.heading, t.money, t.power, t.player, t.shell.kind})
        fnv.Add(v);
    for (int s : t.stock)
        fnv.Add(s);
    for (float f : {t.launchHeading, t.launchPower, t.x, t.y, t.z, t.shell.x, t.shell.y, t.shell.z})
        fnv.Add(f);
}

} // namespace

quint32 GameStateDigest(const CKratDoc* document)
{
    Fnv fnv;
    for (int v : {playerCount, roundsLeft, currentPlayer, shotFired, wind.strength, wind.direction})
        fnv.Add(v);
    for (const cCzolg& tank : tanks)
        AddTank(fnv, tank);
    fnv.Add(terrain.heights);
    for (const Seat& seat : seats)
        fnv.Add(ChoiceOfSeat(seat));
    for (int slot = 0; slot < MAX_PLAYERS; ++slot) {
        for (int v : {camPitch[slot], camYaw[slot], camRoll[slot]})
            fnv.Add(v);
        for (float f : {camX[slot], camY[slot], camZ[slot]})
            fnv.Add(f);
    }
    if (document) {
        for (int v : {document->newGamePending, document->weaponPlayer, document->shownStock, document->shownPower,
                      document->shownVertAngle, document->shownHorizAngle})
            fnv.Add(v);
        fnv.Add(document->selectedWeapon);
        AddTank(fnv, document->tankSnapshot);
    }
    return fnv.hash;
}
