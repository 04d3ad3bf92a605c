#include "app/glWarmUp.h"

#include "world/glShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

void WarmUp()
{
    QOffscreenSurface surface;
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create() || !context.makeCurrent(&surface))
        return;
    {
        QOpenGLFramebufferObject target(64, 64, QOpenGLFramebufferObject::CombinedDepthStencil);
        target.bind();
        glViewport(0, 0, 64, 64);
        glShadeModel(GL_SMOOTH);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 1.0, 0.1, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
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
}

} // namespace

// Waits for the first dialog to be painted, so that the warm-up never delays it.
class AfterFirstDialog : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(50, [] { WarmUp(); });
        }
        return false;
    }
};

void WarmUpRendererWhenIdle()
{
    static AfterFirstDialog trigger;
    qApp->installEventFilter(&trigger);
}
