#include "glTestContext.h"

#include "view/glSurface.h"

#include <GL/gl.h>

GlTestContext::GlTestContext()
{
    const QSurfaceFormat format = GameSurfaceFormat();
    context.setFormat(format);
    surface.setFormat(format);
    surface.create();
    valid = context.create() && context.makeCurrent(&surface);
}

std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw)
{
    std::vector<GLfloat> buffer(4 * 1024 * 1024);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);

    glViewport(0, 0, 400, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-200, 200, -200, 200, -200, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw();

    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FeedbackPolygon> polygons;
    auto vertexAt = [&](GLint& i) {
        FeedbackVertex v{buffer[i] - 200, buffer[i + 1] - 200, 200 * (1 - 2 * buffer[i + 2]),
                         buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]};
        i += 7;
        return v;
    };
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const auto count = static_cast<GLint>(buffer[i++]);
            FeedbackPolygon polygon;
            for (GLint v = 0; v < count; ++v)
                polygon.push_back(vertexAt(i));
            polygons.push_back(polygon);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN
                   || token == GL_COPY_PIXEL_TOKEN) {
            i += 7;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 14;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        } else {
            break;
        }
    }
    return polygons;
}

std::vector<float> ModelView()
{
    std::vector<float> m(16);
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}
