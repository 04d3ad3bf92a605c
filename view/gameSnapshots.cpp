#include "view/gameSnapshots.h"

#include "doc/kratDoc.h"
#include "record/stateDigest.h"
#include "view/gameInputs.h"
#include "view/gameState.h"
#include "view/seats.h"
#include "world/gameRandom.h"

#include <cstring>
#include <memory>

static_assert(SNAPSHOT_SLOTS == MAX_PLAYERS && SNAPSHOT_FIELD == FIELD_SIZE, "a snapshot holds the whole game");

namespace {

// Every field of a tank beside its place in a snapshot, in one list: copy(a, b)
// is called for each pair, so that taking and restoring cannot disagree.
template <class Tank, class Snapshot, class Copy>
void ForEachTankPair(Tank& t, Snapshot& s, Copy copy)
{
    copy(t.roundsWon, s.roundsWon);
    copy(t.alive, s.alive);
    copy(t.energy, s.energy);
    for (int k = 0; k < 4; ++k)
        copy(t.stock[k], s.stock[k]);
    copy(t.isCurrent, s.isCurrent);
    copy(t.hasFired, s.hasFired);
    copy(t.flightStep, s.flightStep);
    copy(t.launchHeading, s.launchHeading);
    copy(t.launchPower, s.launchPower);
    copy(t.bombKind, s.bombKind);
    copy(t.inFlight, s.inFlight);
    copy(t.shell.kind, s.shellKind);
    copy(t.shell.x, s.shellX);
    copy(t.shell.y, s.shellY);
    copy(t.shell.z, s.shellZ);
    copy(t.x, s.x);
    copy(t.y, s.y);
    copy(t.z, s.z);
    for (int c = 0; c < 3; ++c)
        copy(t.colour[c], s.colour[c]);
    copy(t.elevation, s.elevation);
    copy(t.heading, s.heading);
    copy(t.money, s.money);
    copy(t.power, s.power);
    copy(t.player, s.player);
}

TankSnapshot SnapshotOf(const cCzolg& t)
{
    TankSnapshot s;
    ForEachTankPair(t, s, [](const auto& from, auto& to) { to = from; });
    return s;
}

void Restore(const TankSnapshot& s, cCzolg& t)
{
    ForEachTankPair(t, s, [](auto& to, const auto& from) { to = from; });
}

} // namespace

GameSnapshot TakeSnapshot(const CKratDoc& doc)
{
    GameSnapshot s;
    s.playerCount = playerCount;
    s.roundsLeft = roundsLeft;
    s.currentPlayer = currentPlayer;
    s.shotFired = shotFired;
    for (int i = 0; i < MAX_PLAYERS; ++i)
        s.tanks[i] = SnapshotOf(tanks[i]);
    std::memcpy(s.heights, terrain.heights, sizeof s.heights);
    s.windStrength = wind.strength;
    s.windDirection = wind.direction;
    const RandomPosition random = CurrentRandom();
    s.roundSeed = random.seed;
    s.randomDraws = random.draws;
    s.turn = gameInputs.Turn();
    s.msIntoTurn = gameInputs.MsIntoTurn();
    std::memcpy(s.selectedWeapon, doc.selectedWeapon, sizeof s.selectedWeapon);
    s.weaponPlayer = doc.weaponPlayer;
    s.shownTank = SnapshotOf(doc.tankSnapshot);
    s.shownStock = doc.shownStock;
    s.shownPower = doc.shownPower;
    s.shownVertAngle = doc.shownVertAngle;
    s.shownHorizAngle = doc.shownHorizAngle;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        s.seatChoice[i] = ChoiceOfSeat(seats[i]);
        s.cameras[i] = {camPitch[i], camYaw[i], camRoll[i], camX[i], camY[i], camZ[i]};
    }
    return s;
}

void RestoreSnapshot(const GameSnapshot& s, CKratDoc& doc)
{
    playerCount = s.playerCount;
    roundsLeft = s.roundsLeft;
    currentPlayer = s.currentPlayer;
    shotFired = s.shotFired;
    for (int i = 0; i < MAX_PLAYERS; ++i)
        Restore(s.tanks[i], tanks[i]);
    std::memcpy(terrain.heights, s.heights, sizeof terrain.heights);
    wind.strength = s.windStrength;
    wind.direction = s.windDirection;
    RestoreRandom({s.roundSeed, s.randomDraws});
    std::memcpy(doc.selectedWeapon, s.selectedWeapon, sizeof doc.selectedWeapon);
    doc.weaponPlayer = s.weaponPlayer;
    Restore(s.shownTank, doc.tankSnapshot);
    doc.shownStock = s.shownStock;
    doc.shownPower = s.shownPower;
    doc.shownVertAngle = s.shownVertAngle;
    doc.shownHorizAngle = s.shownHorizAngle;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        seats[i] = SeatOfChoice(s.seatChoice[i]);
        const CameraSnapshot& c = s.cameras[i];
        camPitch[i] = c.pitch;
        camYaw[i] = c.yaw;
        camRoll[i] = c.roll;
        camX[i] = c.x;
        camY[i] = c.y;
        camZ[i] = c.z;
    }
}

std::uint32_t GameDigest(const CKratDoc& doc)
{
    return StateDigest(TakeSnapshot(doc));
}

void MakeFreshField(std::uint32_t seed, float (&heights)[SNAPSHOT_FIELD][SNAPSHOT_FIELD])
{
    const RandomPosition before = CurrentRandom();
    auto field = std::make_unique<cTeren>();
    field->GenerateFromSeed(seed);
    std::memcpy(heights, field->heights, sizeof heights);
    RestoreRandom(before);
}
