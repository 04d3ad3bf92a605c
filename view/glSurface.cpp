#include "view/glSurface.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>

QSurfaceFormat GameSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    return format;
}

void InitGlState()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void SetProjection(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = height == 0 ? static_cast<double>(width) : static_cast<double>(width) / height;
    gluPerspective(45.0, aspect, static_cast<double>(0.1f), 1000000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool MakeOffscreenContext(QOffscreenSurface& surface, QOpenGLContext& context)
{
    surface.setFormat(GameSurfaceFormat());
    surface.create();
    context.setFormat(GameSurfaceFormat());
    return surface.isValid() && context.create() && context.makeCurrent(&surface);
}

namespace {

struct Probe {
    bool usable = false;
    QSize maxViewport;
};

// One context of the game's format, made current off-screen and dropped;
// the context that was current before is current again afterwards.
const Probe& ProbeDriver()
{
    static const Probe probe = [] {
        Probe result;
        // The game says in one line of its own when there is no OpenGL.
        const QtMessageHandler previousHandler = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        QOpenGLContext* previous = QOpenGLContext::currentContext();
        QSurface* previousSurface = previous ? previous->surface() : nullptr;
        QOffscreenSurface surface;
        QOpenGLContext context;
        result.usable = MakeOffscreenContext(surface, context);
        if (result.usable) {
            GLint dims[2] = {0, 0};
            glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
            result.maxViewport = QSize(dims[0], dims[1]);
            context.doneCurrent();
        }
        if (previous)
            previous->makeCurrent(previousSurface);
        qInstallMessageHandler(previousHandler);
        return result;
    }();
    return probe;
}

} // namespace

bool GlFailsOnRequest(GlStep step)
{
    const QByteArray failing = qgetenv("TARNOK_GL_FAILS");
    return failing == (step == GlStep::Format ? "format" : "context");
}

bool CanCreateGlContext()
{
    return !GlFailsOnRequest(GlStep::Format) && ProbeDriver().usable;
}

QSize MaxViewportSize()
{
    return ProbeDriver().maxViewport;
}
