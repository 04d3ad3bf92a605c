#include "world/cWiatr.h"

#include "world/gameRandom.h"
#include "world/glShapes.h"

#include <GL/gl.h>

#include <cstdlib>

cWiatr::cWiatr() : strength(0), direction(0) {}

cWiatr::~cWiatr() = default;

void cWiatr::Change(int directionDelta, int strengthDelta)
{
    direction = (direction + directionDelta) % 360;
    strength += strengthDelta;
    if (strength < 0)
        strength = 0;
    if (strength > 10)
        strength = 10;
}

void cWiatr::Drift()
{
    const int r1 = DrawRandom();
    const int r2 = DrawRandom();
    Change(5 * (r1 % 3 - 1), r2 % 3 - 1);
}

static void DrawArrowhead(float c)
{
    glBegin(GL_TRIANGLES);
    glNormal3f(0, 1, 0);
    glVertex3f(0, 0, c + 1); glVertex3f(-2, 0, c - 2); glVertex3f(0, 0, c);
    glNormal3f(0, 1, 0);
    glVertex3f(0, 0, c + 1); glVertex3f(2, 0, c - 2); glVertex3f(0, 0, c);
    glNormal3f(0, 1, 0);
    glVertex3f(0, 2, c + 1); glVertex3f(-2, 2, c - 2); glVertex3f(0, 2, c);
    glNormal3f(0, 1, 0);
    glVertex3f(0, 2, c + 1); glVertex3f(2, 2, c - 2); glVertex3f(0, 2, c);
    glEnd();

    glBegin(GL_QUADS);
    glNormal3f(-1, 0, 0);
    glVertex3f(-2, 0, c - 2); glVertex3f(-2, 2, c - 2); glVertex3f(0, 2, c + 1); glVertex3f(0, 0, c + 1);
    glNormal3f(1, 0, 0);
    glVertex3f(2, 0, c - 2); glVertex3f(2, 2, c - 2); glVertex3f(0, 2, c + 1); glVertex3f(0, 0, c + 1);
    glNormal3f(-1, 0, 0);
    glVertex3f(0, 0, c); glVertex3f(0, 2, c); glVertex3f(-2, 2, c - 2); glVertex3f(-2, 0, c - 2);
    glNormal3f(1, 0, 0);
    glVertex3f(0, 0, c); glVertex3f(0, 2, c); glVertex3f(2, 2, c - 2); glVertex3f(2, 0, c - 2);
    glEnd();
}

void cWiatr::Draw()
{
    glTranslatef(50, 20, 50);
    glRotatef(static_cast<float>(direction), 0, 1, 0);

    SetFrontMaterial(0, 0, 0, 1, 1, 0);
    // One arrowhead per two points of strength, rounded up.
    const int arrowheads = strength / 2 + strength % 2;
    for (int k = 0; k < arrowheads; ++k)
        DrawArrowhead(static_cast<float>(2 * k));

    glRotatef(-static_cast<float>(direction), 0, 1, 0);
    glTranslatef(-50, -20, -50);
}
