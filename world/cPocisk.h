#pragma once

#include "world/bombKinds.h"

class cTeren;

// The shell a tank carries. The flight has no clock: the tank advances it by
// one step each time it is drawn, so the frame rate is the flight's speed.
class cPocisk {
public:
    int kind;
    float y; // launch height; the flight step's vertical offset is added to it
    float x;
    float z;

    cPocisk();
    virtual ~cPocisk();

    void Launch(int kind, float x, float y, float z);
    // Moves x and z and draws the shell at (x, y + dy, z); y stays the launch height.
    void Advance(float dx, float dy, float dz);
    // One flight step: 2 exploded, 0 left the field, 1 still flying.
    // The impact test comes first, so the strip just outside the grid still hits its edge.
    int Step(float dx, float dy, float dz, cTeren& terrain);
    // Digs the crater and draws the one-frame fireball.
    void Explode(cTeren& terrain);
    void DigCrater(int cx, int cz, int radius, int depth, cTeren& terrain);
};
