#pragma once

#include <QSize>
#include <QSurfaceFormat>

// What the view asks of OpenGL, in one place: the view's window, the
// driver's off-screen warm-up, the tests and the benchmark all use it.

// Double-buffered RGBA 8-8-8 with depth 24 and an 8-bit stencil, the legacy
// (compatibility) profile, swapped in step with the display where it can be.
QSurfaceFormat GameSurfaceFormat();

// The GL state set once when the context is made, in the game's order.
void InitGlState();

// Viewport and the 45-degree perspective for a surface in device pixels;
// the model-view matrix is current and the identity afterwards.
void SetProjection(int width, int height);

class QOffscreenSurface;
class QOpenGLContext;

// Creates the surface and the context in the game's format and makes the
// context current on it; false when OpenGL cannot give them.
bool MakeOffscreenContext(QOffscreenSurface& surface, QOpenGLContext& context);

// Whether a context of the game's format can be made and made current at all;
// tried once, off-screen, before the view's window is built.
bool CanCreateGlContext();

// A machine without working OpenGL, on request, for the tests: with
// TARNOK_GL_FAILS=format no surface of the game's format can be had (nor the
// driver's probe), with =context the view's own context cannot be made.
enum class GlStep { Format, Context };
bool GlFailsOnRequest(GlStep step);

// The largest viewport the driver draws into (empty without OpenGL).
QSize MaxViewportSize();
