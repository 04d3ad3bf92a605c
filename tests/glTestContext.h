#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <functional>
#include <vector>

// A real GL context (Mesa under Xvfb) made current for drawing tests, and a
// feedback capture that reports what a draw call emits in world coordinates.
class GlTestContext {
public:
    GlTestContext();
    bool isValid() const { return valid; }

private:
    QOffscreenSurface surface;
    QOpenGLContext context;
    bool valid = false;
};

struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
};

using FeedbackPolygon = std::vector<FeedbackVertex>;

// Runs draw() in feedback mode under an identity model-view and an orthographic
// projection that maps world coordinates -200..200 one-to-one, and returns the
// polygons emitted, their vertices turned back into world coordinates.
std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw);

// The current model-view matrix.
std::vector<float> ModelView();
