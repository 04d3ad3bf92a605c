#pragma once

// The wind that pushes every shell sideways. Direction in degrees with the
// barrel's convention (0 blows toward +z, 90 toward +x); strength 0..10.
class cWiatr {
public:
    int strength;
    int direction; // kept in -359..359: the remainder keeps the sum's sign

    cWiatr();
    virtual ~cWiatr();

    // Turns by directionDelta and strengthens by strengthDelta, clamped to 0..10.
    void Change(int directionDelta, int strengthDelta);
    // One timer tick: two draws from the C generator, direction first.
    void Drift();
    // Yellow arrowheads above the middle of the field; expects lighting on.
    void Draw();
};
