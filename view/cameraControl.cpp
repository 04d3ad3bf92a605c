#include "view/kratView.h"

#include "world/angles.h"
#include "view/gameState.h"

#include <QMouseEvent>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int CAMERA_TURN_STEP = 3; // degrees per pointer-move message
constexpr int CAMERA_PAN_STEP = 5;  // units per pointer-move message

} // namespace

float camZoomStep = 3.0f;

void CKratView::OnLButtonDown()
{
    if (mouseButtons == 0)
        mouseButtons = 1;
    else if (mouseButtons == 2)
        mouseButtons = 3;
}

void CKratView::OnLButtonUp()
{
    if (mouseButtons == 1)
        mouseButtons = 0;
    else if (mouseButtons == 3)
        mouseButtons = 2;
}

void CKratView::OnRButtonDown()
{
    if (mouseButtons == 0)
        mouseButtons = 2;
    else if (mouseButtons == 1)
        mouseButtons = 3;
}

void CKratView::OnRButtonUp()
{
    if (mouseButtons == 2)
        mouseButtons = 0;
    else if (mouseButtons == 3)
        mouseButtons = 1;
}

// Every message moves the camera by one fixed step; only the dominant
// direction and its sign count, and a zero delta counts as negative.
void CKratView::OnMouseMove(int x, int y)
{
    const int dx = x - lastMouseX;
    const int dy = y - lastMouseY;
    const int c = currentPlayer;

    switch (mouseButtons) {
    case 1: // turn
        if (std::abs(dx) > std::abs(dy))
            camYaw[c] = (camYaw[c] + (dx > 0 ? CAMERA_TURN_STEP : -CAMERA_TURN_STEP)) % 360;
        else
            camPitch[c] = (camPitch[c] + (dy > 0 ? CAMERA_TURN_STEP : -CAMERA_TURN_STEP)) % 360;
        RequestFrame();
        break;
    case 2: { // move over the scene, level with the ground
        const double t = Radians(camYaw[c]);
        if (std::abs(dx) > std::abs(dy)) {
            const double s = dx > 0 ? CAMERA_PAN_STEP : -CAMERA_PAN_STEP;
            camX[c] = static_cast<float>(camX[c] + s * std::cos(t));
            camZ[c] = static_cast<float>(camZ[c] + s * std::sin(t));
        } else {
            const double s = dy > 0 ? CAMERA_PAN_STEP : -CAMERA_PAN_STEP;
            camZ[c] = static_cast<float>(camZ[c] + s * std::cos(t));
            camX[c] = static_cast<float>(camX[c] - s * std::sin(t));
        }
        RequestFrame();
        break;
    }
    case 3: { // zoom: back and up, or in and down
        if (std::abs(dy) > std::abs(dx)) {
            const double t = Radians(camYaw[c]);
            const double p = Radians(camPitch[c]);
            const double s = dy > 0 ? camZoomStep : -camZoomStep;
            camZ[c] = static_cast<float>(camZ[c] + s * std::cos(t));
            camX[c] = static_cast<float>(camX[c] - s * std::sin(t));
            camY[c] = static_cast<float>(camY[c] + s * std::sin(p));
        }
        RequestFrame();
        break;
    }
    default:
        break;
    }
    lastMouseX = x;
    lastMouseY = y;
}

// The pointer's own grab delivers a release even outside the view, so a drag
// never stays stuck after the button is let go.
void CKratView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown();
    else if (event->button() == Qt::RightButton)
        OnRButtonDown();
    QWindow::mousePressEvent(event);
}

void CKratView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp();
    else if (event->button() == Qt::RightButton)
        OnRButtonUp();
    QWindow::mouseReleaseEvent(event);
}

void CKratView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    OnMouseMove(p.x(), p.y());
    QWindow::mouseMoveEvent(event);
}
