#include "app/glWarmUp.h"

#include "app/afterFirstDialog.h"

#include "view/glSurface.h"
#include "world/glShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

namespace {

// The view's own format and one-time GL set-up, then one small drawing of
// each kind the frame uses; the context current before (the view's, on a
// later call) is current again afterwards.
void WarmUp()
{
    if (!CanCreateGlContext())
        return;
    QOpenGLContext* previous = QOpenGLContext::currentContext();
    QSurface* previousSurface = previous ? previous->surface() : nullptr;
    QOffscreenSurface surface;
    QOpenGLContext context;
    if (!MakeOffscreenContext(surface, context))
        return;
    {
        QOpenGLFramebufferObject target(64, 64, QOpenGLFramebufferObject::CombinedDepthStencil);
        target.bind();
        InitGlState();
        SetProjection(64, 64);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glTranslatef(0, 0, -10);
        // Lit and unlit drawing, as the frame does them.
        glEnable(GL_LIGHT1);
        glEnable(GL_LIGHTING);
        SetFrontMaterial(0.5f, 0, 0, 1, 1, 1);
        gluSphere(SharedQuadric(), 2.0, 8, 8);
        glDisable(GL_LIGHT1);
        glDisable(GL_LIGHTING);
        glBegin(GL_TRIANGLES);
        glColor3f(0.2f, 0, 0);
        glVertex3f(-3, -3, 0);
        glColor3f(0.5f, 0.5f, 0.5f);
        glVertex3f(3, -3, 0);
        glColor3f(1, 1, 1);
        glVertex3f(0, 3, 0);
        glEnd();
        glFinish();
        target.release();
    }
    context.doneCurrent();
    if (previous)
        previous->makeCurrent(previousSurface);
}

} // namespace

void WarmUpRendererWhenIdle()
{
    RunAfterFirstDialogIsPainted(WarmUp, 50);
}
