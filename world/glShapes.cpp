#include "world/glShapes.h"

#include <GL/gl.h>

#include <memory>

void SetFrontMaterial(float ar, float ag, float ab, float dr, float dg, float db)
{
    const GLfloat ambient[4] = {ar, ag, ab, 1.0f};
    const GLfloat diffuse[4] = {dr, dg, db, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
}

void DrawBox(float x0, float y0, float z0, float x1, float y1, float z1)
{
    glBegin(GL_QUADS);
    glNormal3f(0, -1, 0); // bottom
    glVertex3f(x0, y0, z0); glVertex3f(x1, y0, z0); glVertex3f(x1, y0, z1); glVertex3f(x0, y0, z1);
    glNormal3f(0, 1, 0); // top
    glVertex3f(x0, y1, z0); glVertex3f(x0, y1, z1); glVertex3f(x1, y1, z1); glVertex3f(x1, y1, z0);
    glNormal3f(-1, 0, 0); // x sides
    glVertex3f(x0, y0, z0); glVertex3f(x0, y0, z1); glVertex3f(x0, y1, z1); glVertex3f(x0, y1, z0);
    glNormal3f(1, 0, 0);
    glVertex3f(x1, y0, z0); glVertex3f(x1, y1, z0); glVertex3f(x1, y1, z1); glVertex3f(x1, y0, z1);
    glNormal3f(0, 0, -1); // z sides
    glVertex3f(x0, y0, z0); glVertex3f(x0, y1, z0); glVertex3f(x1, y1, z0); glVertex3f(x1, y0, z0);
    glNormal3f(0, 0, 1);
    glVertex3f(x0, y0, z1); glVertex3f(x1, y0, z1); glVertex3f(x1, y1, z1); glVertex3f(x0, y1, z1);
    glEnd();
}

GLUquadric* SharedQuadric()
{
    struct Release {
        void operator()(GLUquadric* q) const { gluDeleteQuadric(q); }
    };
    static std::unique_ptr<GLUquadric, Release> quadric([] {
        GLUquadric* q = gluNewQuadric();
        gluQuadricNormals(q, GLU_SMOOTH);
        return q;
    }());
    return quadric.get();
}
