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

TankSnapshot SnapshotOf(const cCzolg& t)
{
    TankSnapshot s;
    s.roundsWon = t.roundsWon;
    s.alive = t.alive;
    s.energy = t.energy;
    std::memcpy(s.stock, t.stock, sizeof s.stock);
    s.isCurrent = t.isCurrent;
    s.hasFired = t.hasFired;
    s.flightStep = t.flightStep;
    s.launchHeading = t.launchHeading;
    s.launchPower = t.launchPower;
    s.bombKind = t.bombKind;
    s.inFlight = t.inFlight;
    s.shellKind = t.shell.kind;
    s.shellX = t.shell.x;
    s.shellY = t.shell.y;
    s.shellZ = t.shell.z;
    s.x = t.x;
    s.y = t.y;
    s.z = t.z;
    std::memcpy(s.colour, t.colour, sizeof s.colour);
    s.elevation = t.elevation;
    s.heading = t.heading;
    s.money = t.money;
    s.power = t.power;
    s.player = t.player;
    return s;
}

void Restore(const TankSnapshot& s, cCzolg& t)
{
    t.roundsWon = s.roundsWon;
    t.alive = s.alive;
    t.energy = s.energy;
    std::memcpy(t.stock, s.stock, sizeof t.stock);
    t.isCurrent = s.isCurrent;
    t.hasFired = s.hasFired;
    t.flightStep = s.flightStep;
    t.launchHeading = s.launchHeading;
    t.launchPower = s.launchPower;
    t.bombKind = s.bombKind;
    t.inFlight = s.inFlight;
    t.shell.kind = s.shellKind;
    t.shell.x = s.shellX;
    t.shell.y = s.shellY;
    t.shell.z = s.shellZ;
    t.x = s.x;
    t.y = s.y;
    t.z = s.z;
    std::memcpy(t.colour, s.colour, sizeof t.colour);
    t.elevation = s.elevation;
    t.heading = s.heading;
    t.money = s.money;
    t.power = s.power;
    t.player = s.player;
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
