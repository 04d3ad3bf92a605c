#pragma once

#include "world/cPocisk.h"

class cTeren;
class cWiatr;

// Player colours by slot (red, green, blue).
extern const float playerColours[8][3];

// One player's tank. A plain record: the game flow reads and writes its fields
// directly as well as through these operations; copies carry every field.
// Position (x, y, z) is the hull's bottom centre: x and z in grid units, y the
// terrain height there. Heading 0 points along +z, 90 along +x; elevation 0 is
// horizontal, 90 straight up.
class cCzolg {
public:
    int roundsWon;
    int alive;
    int energy;    // 0..100
    int stock[4];  // shells per bomb kind; kind 0 starts at 999 and never counts down
    int isCurrent; // has the turn: drawn highlighted while alive
    int hasFired;  // fired in the current turn
    int flightStep;
    float launchHeading; // heading and power captured at launch; elevation and
    float launchPower;   // power are read afresh at every flight step
    int bombKind;
    int inFlight;
    cPocisk shell;
    float x;
    float y;
    float z;
    float colour[3];
    int elevation; // 0..90
    int heading;   // 0..359
    int money;
    int power;     // 0..100
    int player;    // slot 0..7

    cCzolg();
    virtual ~cCzolg();

    void ResetForNewGame();
    void ReviveForRound();
    void SetPlayer(int n);
    void Place(float x, float y, float z);
    void BeginTurn();
    void EndTurn();
    void ChangeHeading(int delta);
    void ChangeElevation(int delta);
    void ChangePower(int delta);
    void TakeDamage(int delta);
    void AddMoney(int delta);
    int IsAlive() const;
    int IsInFlight() const;
    int GetBombKind() const;
    void SetBombKind(int k);
    int GetSelectedStock() const;
    int GetX() const;
    int GetZ() const;
    void SetY(float newY);

    // Launches a shell of the given kind from the muzzle; 0 if one is already flying.
    int Fire(int kind);
    // Draws the tank (or its grave) and, while a shell flies, advances it one
    // step: returns 1 flying or idle, 2 exploded in this step, 0 left the field.
    int Draw(cWiatr& wind, cTeren& terrain);
    // Where the flying shell was last drawn: its launch height plus the rise
    // of the step just taken.
    float ShellHeight() const;

private:
    int FlightStep(cWiatr& wind, cTeren& terrain);
};
