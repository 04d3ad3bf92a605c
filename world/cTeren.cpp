#include "world/cTeren.h"

#include "world/angles.h"
#include "world/gameRandom.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <initializer_list>

cTeren::cTeren()
    : amplitude(10), cellsPerPatchX(25), cellsPerPatchZ(25), patchesX(4), patchesZ(4)
{
}

cTeren::~cTeren() = default;

static unsigned SecondsNow()
{
    return static_cast<unsigned>(std::time(nullptr));
}

unsigned (*cTeren::seedClock)() = SecondsNow;

static int RandomAngle()
{
    return DrawRandom() % 360;
}

void cTeren::Generate()
{
    GenerateFromSeed(seedClock());
}

void cTeren::GenerateFromSeed(unsigned seed)
{
    // The only seeding of the round: placement and wind continue this sequence.
    SeedRandom(seed);

    int start = 0;
    for (int a = 0; a < patchesZ; ++a) {
        if (a == 0)
            start = RandomAngle();
        const int step = RandomAngle();
        for (int b = 0; b < patchesX; ++b) {
            zPhaseStart[a][b] = a == 0 ? start : zPhaseStart[a - 1][b] + zPhaseStep[a - 1][b];
            zPhaseStep[a][b] = step;
        }
    }
    for (int a = 0; a < patchesX; ++a) {
        if (a == 0)
            start = RandomAngle();
        const int step = RandomAngle();
        for (int b = 0; b < patchesZ; ++b) {
            xPhaseStart[b][a] = a == 0 ? start : xPhaseStart[b][a - 1] + xPhaseStep[b][a - 1];
            xPhaseStep[b][a] = step;
        }
    }

    for (int z = 0; z < FIELD_SIZE; ++z) {
        for (int x = 0; x < FIELD_SIZE; ++x) {
            const int pz = z / cellsPerPatchZ;
            const int px = x / cellsPerPatchX;
            const float sx = static_cast<float>(xPhaseStep[pz][px] / 25.0);
            const float u = xPhaseStart[pz][px] + (x % cellsPerPatchX) * sx;
            const float sz = static_cast<float>(zPhaseStep[pz][px] / 25.0);
            const float v = zPhaseStart[pz][px] + (z % cellsPerPatchZ) * sz;
            heights[z][x] = static_cast<float>(amplitude * std::sin(Radians(u)) * std::sin(Radians(v)));
        }
    }
}

float cTeren::GetHeight(int x, int z) const
{
    return heights[z][x];
}

void cTeren::AddHeight(int x, int z, float delta)
{
    heights[z][x] += delta;
}

void cTeren::HeightColour(float h) const
{
    const float span = static_cast<float>(2 * amplitude + 2);
    const float d = (amplitude + h) / span + 2.0f / span;
    glColor3f(d, d >= 0.8f ? d : 0.5f, d);
}

void cTeren::Draw() const
{
    const float bottom = static_cast<float>(-amplitude);
    const auto& h = heights;

    glColor3f(0.2f, 0.0f, 0.0f); // the skirt: a dark red wall down to -amplitude
    glBegin(GL_TRIANGLES);
    for (int k = 0; k < FIELD_LAST; ++k) {
        for (int x : {0, FIELD_LAST}) {
            glVertex3f(x, bottom, k); glVertex3f(x, h[k][x], k); glVertex3f(x, bottom, k + 1);
            glVertex3f(x, h[k + 1][x], k + 1); glVertex3f(x, h[k][x], k); glVertex3f(x, bottom, k + 1);
        }
    }
    for (int k = 0; k < FIELD_LAST; ++k) {
        for (int z : {0, FIELD_LAST}) {
            glVertex3f(k, bottom, z); glVertex3f(k, h[z][k], z); glVertex3f(k + 1, bottom, z);
            glVertex3f(k, h[z][k], z); glVertex3f(k + 1, h[z][k + 1], z); glVertex3f(k + 1, bottom, z);
        }
    }

    // Each grid square is split along its diagonal from (x, z+1) to (x+1, z).
    auto vertex = [this, &h](int x, int z) {
        HeightColour(h[z][x]);
        glVertex3f(x, h[z][x], z);
    };
    for (int z = 0; z < FIELD_LAST; ++z)
        for (int x = 0; x < FIELD_LAST; ++x) {
            vertex(x, z); vertex(x + 1, z); vertex(x, z + 1);
        }
    for (int z = 1; z < FIELD_SIZE; ++z)
        for (int x = 0; x < FIELD_LAST; ++x) {
            vertex(x, z); vertex(x + 1, z); vertex(x + 1, z - 1);
        }
}
