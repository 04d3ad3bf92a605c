#pragma once

#include "world/cCzolg.h"
#include "world/cTeren.h"
#include "world/cWiatr.h"

class CKratView;

// The running game: plain module-level state, read and written by the view,
// the document, the frame handlers and the round logic alike. Slot i belongs
// to the player shown as number i + 1; slots at or beyond playerCount are
// neither drawn nor consulted.
constexpr int MAX_PLAYERS = 8;

extern int playerCount;  // 2..8 once a game runs
extern int roundsLeft;   // the running round included; never below 0
extern cCzolg tanks[MAX_PLAYERS];
extern int currentPlayer; // slot on turn
extern int shotFired;     // a shot was requested in the running turn
extern cTeren terrain;
extern cWiatr wind;       // never reset: rounds and games only change it

// Per-player cameras: whole degrees and world units, start 60, 0, 0, 50, 70, 87.
extern int camPitch[MAX_PLAYERS];
extern int camYaw[MAX_PLAYERS];
extern int camRoll[MAX_PLAYERS];
extern float camX[MAX_PLAYERS];
extern float camY[MAX_PLAYERS];
extern float camZ[MAX_PLAYERS];

// New terrain, tanks placed by the distance rule, wind change. Returns 1.
int SetupRound();
void ResetCamera(int slot);
// 1 if (x, z) lies at least 8 along x and at least 8 along z from each of the
// tanks in slots 0..count-1.
int IsFarFromTanks(int x, int z, int count);
// Places the tanks of slots 0..playerCount-1 by the distance rule on whole grid
// points at the terrain's height. Starts again from slot 0 whenever the rule
// leaves no place for the next tank; returns the number of attempts.
int PlaceTanks();
int CountLiveTanks();
// The steps the current tank's shell has flown, or -1 when none flies: the
// flight step an input given now takes effect at.
int FlightStepNow();
// The blast of the current tank's shell: damage, pay, tanks set back on the ground.
void ResolveExplosion();
// After every frame: keeps a flight going, or hands the turn on, or ends the round.
void PassTurn(CKratView& view);
// Scores, revival, shop visits and the next round; or the results and a new
// game. Runs modal dialogs, so it must never be called from inside a paint.
// Returns 1 when a new round was set up, 0 when the game ended.
int EndRound(CKratView& view);
