#pragma once

#include <cstdint>

// The whole state of a game at one moment, as plain values: what a saved
// game holds at its end, what the digest is taken over, and (in a network
// game) what mends a machine that went its own way. The view fills it from
// the game and puts it back.

constexpr int SNAPSHOT_SLOTS = 8;
constexpr int SNAPSHOT_FIELD = 100; // grid points along each side

struct TankSnapshot {
    int roundsWon = 0;
    int alive = 1;
    int energy = 100;
    int stock[4] = {999, 0, 0, 0};
    int isCurrent = 0;
    int hasFired = 0;
    int flightStep = 0;
    float launchHeading = 0;
    float launchPower = 0;
    int bombKind = 0;
    int inFlight = 0;
    int shellKind = 0;
    float shellX = 0, shellY = 0, shellZ = 0;
    float x = 0, y = 0, z = 0;
    float colour[3] = {};
    int elevation = 0;
    int heading = 0;
    int money = 0;
    int power = 50;
    int player = 0;
};

struct CameraSnapshot {
    int pitch = 60, yaw = 0, roll = 0;
    float x = 50, y = 70, z = 87;
};

struct GameSnapshot {
    int playerCount = 2;
    int roundsLeft = 1;
    int currentPlayer = 0;
    int shotFired = 0;
    TankSnapshot tanks[SNAPSHOT_SLOTS];
    float heights[SNAPSHOT_FIELD][SNAPSHOT_FIELD] = {}; // [z][x]
    int windStrength = 0;
    int windDirection = 0;
    // The C library's generator: the round's seed and the values drawn since.
    std::uint32_t roundSeed = 0;
    long long randomDraws = 0;
    int turn = 0;        // turns begun in this game, the running one included, less one
    int msIntoTurn = 0;  // how long the running turn had lasted
    // Each player's bomb choice, and what the status bar shows.
    int selectedWeapon[SNAPSHOT_SLOTS] = {};
    int weaponPlayer = 0;
    TankSnapshot shownTank; // the current tank as its turn began
    int shownStock = 0, shownPower = 0, shownVertAngle = 0, shownHorizAngle = 0;
    // Each machine's own: who plays each seat here, and every player's camera.
    int seatChoice[SNAPSHOT_SLOTS] = {};
    CameraSnapshot cameras[SNAPSHOT_SLOTS];
};
