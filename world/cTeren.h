#pragma once

// Grid points along each side of the field: x and z run 0..FIELD_LAST.
constexpr int FIELD_SIZE = 100;
constexpr int FIELD_LAST = FIELD_SIZE - 1;

// The battlefield: a FIELD_SIZE x FIELD_SIZE height field. Grid point (x, z)
// lies at world (x, height, z), one world unit per grid step.
// Heights come from the product of an x-wave and a z-wave whose phase grows
// linearly inside each of 4 x 4 patches of 25 x 25 points, with a random slope
// per patch row or column, so hills change their wavelength across the field.
class cTeren {
public:
    float heights[FIELD_SIZE][FIELD_SIZE]; // [z][x]
    int xPhaseStart[4][4];   // [patch row][patch column], degrees
    int zPhaseStart[4][4];
    int xPhaseStep[4][4];
    int zPhaseStep[4][4];
    int amplitude;
    int cellsPerPatchX;
    int cellsPerPatchZ;
    int patchesX;
    int patchesZ;

    cTeren();
    virtual ~cTeren();

    // Seeds the C generator from seedClock (the time in seconds) and draws
    // exactly ten phases: S, D0..D3 for the z-wave, then S', E0..E3 for the x-wave.
    void Generate();
    // The same from a given seed: a recorded round's field, made again.
    void GenerateFromSeed(unsigned seed);
    // Where a round's seed comes from. The game never changes it; the soak
    // points it at its own sequence so that a run repeats from the soak's seed.
    static unsigned (*seedClock)();
    // No range check: callers pass grid points in 0..FIELD_LAST.
    float GetHeight(int x, int z) const;
    void AddHeight(int x, int z, float delta);
    // Emits skirt and surface into one GL_TRIANGLES batch and leaves it open:
    // the frame closes it. Drawn unlit, coloured per vertex.
    void Draw() const;
    // Unlit colours by height: green valleys, grey middle ground, pale purple
    // slopes above it, and pale grey to white peaks.
    void HeightColour(float h) const;
};
