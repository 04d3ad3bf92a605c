#include "world/cPocisk.h"

#include "world/cTeren.h"
#include "world/flight.h"
#include "world/glShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

bool InField(int x, int z)
{
    return x >= 0 && x <= FIELD_LAST && z >= 0 && z <= FIELD_LAST;
}

void DrawSphereAt(float x, float y, float z, double radius)
{
    glTranslatef(x, y, z);
    gluSphere(SharedQuadric(), radius, 10, 10);
    glTranslatef(-x, -y, -z);
}

} // namespace

cPocisk::cPocisk() : kind(0), y(0), x(0), z(0) {}

cPocisk::~cPocisk() = default;

void cPocisk::Launch(int newKind, float newX, float newY, float newZ)
{
    kind = newKind;
    x = newX;
    y = newY;
    z = newZ;
}

void cPocisk::Advance(float dx, float dy, float dz)
{
    x += dx;
    z += dz;
    const BombKind& k = BombKindOf(kind);
    SetFrontMaterial(k.ambient[0], k.ambient[1], k.ambient[2], k.diffuse[0], k.diffuse[1], k.diffuse[2]);
    DrawSphereAt(x, y + dy, z, 1.0);
}

int cPocisk::Step(float dx, float dy, float dz, cTeren& terrain)
{
    Advance(dx, dy, dz);
    const int result = FlightOutcome(x, z, y + dy, terrain.heights);
    if (result == 2)
        Explode(terrain);
    return result;
}

void cPocisk::Explode(cTeren& terrain)
{
    const int ix = static_cast<int>(x);
    const int iz = static_cast<int>(z);
    const float ground = terrain.GetHeight(ix, iz);
    const BombKind& k = BombKindOf(kind);
    DigCrater(ix, iz, k.radius, k.depth, terrain);

    SetFrontMaterial(0.2f, 0.2f, 0.0f, 0.8f, 0.8f, 0.0f); // yellow fireball
    DrawSphereAt(static_cast<float>(ix), ground, static_cast<float>(iz), k.radius);
}

void cPocisk::DigCrater(int cx, int cz, int radius, int depth, cTeren& terrain)
{
    terrain.AddHeight(cx, cz, static_cast<float>(-depth));
    const float centre = terrain.GetHeight(cx, cz);

    // Walk one quarter of the disc and mirror each offset (a, b) into the four
    // quadrants. Points on the axes are reached twice; whether they sink twice
    // depends on the lowered centre: at or below 0 every visit digs, above 0
    // only visits whose axis test holds and whose ground is not exactly 0, and
    // above 1 nothing but the centre sinks.
    for (int i = cz - radius; i <= cz; ++i) {
        for (int j = cx - radius; j <= cx; ++j) {
            if ((j - cx) * (j - cx) + (i - cz) * (i - cz) > radius * radius)
                continue;
            if (i == cz && j == cx)
                continue;
            const int a = cx - j;
            const int b = cz - i;
            const struct {
                int x, z;
                bool axisTest;
            } mirrors[4] = {
                {cx + a, cz - b, b != 0},
                {cx + a, cz + b, a != 0},
                {cx - a, cz - b, a != 0},
                {cx - a, cz + b, b != 0},
            };
            for (const auto& p : mirrors) {
                if (!InField(p.x, p.z))
                    continue;
                const float f = p.axisTest && terrain.GetHeight(p.x, p.z) != 0.0f ? 1.0f : 0.0f;
                if (centre <= f)
                    terrain.AddHeight(p.x, p.z, static_cast<float>(-depth));
            }
        }
    }
}
