#include "view/gameState.h"

#include "view/gameInputs.h"
#include "world/gameRandom.h"
#include "world/roundRules.h"

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
    return IsFarFrom(tanks, count, x, z);
}

int PlaceTanks()
{
    return PlaceTanksOn(tanks, playerCount, terrain);
}

int SetupRound()
{
    tanks[currentPlayer].BeginTurn();
    // The seed from the clock, as ever; in a record's playback the recorded one.
    terrain.GenerateFromSeed(gameInputs.RoundSeed([] { return cTeren::seedClock(); }));
    PlaceTanks();
    const int s = DrawRandom() % 10;
    const int d = DrawRandom() % 360;
    wind.Change(d, s);
    shotFired = 0;
    return 1;
}

int FlightStepNow()
{
    if (currentPlayer < 0 || currentPlayer >= MAX_PLAYERS || !tanks[currentPlayer].inFlight)
        return -1;
    return tanks[currentPlayer].flightStep;
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
    ResolveBlast(tanks, playerCount, currentPlayer, terrain);
}
