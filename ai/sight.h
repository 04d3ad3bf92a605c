#pragma once

// What the computer player sees and what it answers with (ai/brain.h is where
// the game takes them from).

class cTeren;
class cCzolg;
class cWiatr;

// The four levels, weakest first; the game names them "łatwy", "średni", "trudny", "mistrz".
enum class BrainLevel { Latwy, Sredni, Trudny, Mistrz };

// What a player can see, copied out of the game so that thinking may run on a worker thread.
struct Sight {
    struct Seat { float x, y, z; int alive; int energy; int money; int stock[4];
                  int heading; int elevation; int power; };
    float heights[100][100];   // [z][x], as cTeren stores it: copy of the terrain's grid
    Seat seats[8];
    int playerCount;
    int shooter;               // slot on turn, the one who aims
    int windDirection;
    int windStrength;
    // Copies the world as it stands.
    static Sight Of(const cTeren& terrain, const cCzolg tanks[], int playerCount, int shooter,
                    const cWiatr& wind);
};

// An aim on the grid that the aiming commands reach from the barrel as it stands (steps of 5),
// and the bomb kind (0..3, never one with an empty stock).
struct Aim { int heading; int elevation; int power; int kind; };
