#include "view/kratView.h"

#include "app/kratDoc.h"
#include "res/resource.h"
#include "view/gameState.h"
#include "view/keyMapping.h"

#include <QKeyEvent>

// Every control acts on the current tank, shows the new value in the status
// bar and asks for a frame. Aiming stays active while a shell flies: elevation
// and power bend the rest of its path, the heading was captured at launch.

bool CKratView::OnCommand(int id)
{
    switch (id) {
    case ID_BARREL_LEFT: OnBarrelLeft(); return true;
    case ID_BARREL_RIGHT: OnBarrelRight(); return true;
    case ID_BARREL_UP: OnBarrelUp(); return true;
    case ID_BARREL_DOWN: OnBarrelDown(); return true;
    case ID_POWER_UP: OnPowerUp(); return true;
    case ID_POWER_DOWN: OnPowerDown(); return true;
    case ID_FIRE: OnFire(); return true;
    default: return false;
    }
}

void CKratView::OnBarrelLeft()
{
    tanks[currentPlayer].ChangeHeading(-5);
    GetDocument()->SetShownHorizAngle(tanks[currentPlayer].heading);
    RequestFrame();
}

void CKratView::OnBarrelRight()
{
    tanks[currentPlayer].ChangeHeading(+5);
    GetDocument()->SetShownHorizAngle(tanks[currentPlayer].heading);
    RequestFrame();
}

void CKratView::OnBarrelUp()
{
    tanks[currentPlayer].ChangeElevation(+5);
    GetDocument()->SetShownVertAngle(tanks[currentPlayer].elevation);
    RequestFrame();
}

void CKratView::OnBarrelDown()
{
    tanks[currentPlayer].ChangeElevation(-5);
    GetDocument()->SetShownVertAngle(tanks[currentPlayer].elevation);
    RequestFrame();
}

void CKratView::OnPowerUp()
{
    tanks[currentPlayer].ChangePower(+5);
    GetDocument()->SetShownPower(tanks[currentPlayer].power);
    RequestFrame();
}

void CKratView::OnPowerDown()
{
    tanks[currentPlayer].ChangePower(-5);
    GetDocument()->SetShownPower(tanks[currentPlayer].power);
    RequestFrame();
}

void CKratView::OnFire()
{
    RequestFire();
}

// One shell per turn; the request marks the turn as shot whatever it did.
void CKratView::RequestFire()
{
    cCzolg& tank = tanks[currentPlayer];
    if (tank.hasFired == 0)
        tank.Fire(GetDocument()->GetSelectedWeapon());
    shotFired = 1;
    RequestFrame();
}

// The arrow keys turn the barrel the other way round from the toolbar.
void CKratView::OnKeyDown(int virtualKey)
{
    CKratDoc* doc = GetDocument();
    cCzolg& tank = tanks[currentPlayer];
    switch (virtualKey) {
    case VK_LEFT:
        tank.ChangeHeading(+5);
        doc->SetShownHorizAngle(tank.heading);
        break;
    case VK_RIGHT:
        tank.ChangeHeading(-5);
        doc->SetShownHorizAngle(tank.heading);
        break;
    case VK_UP:
        tank.ChangeElevation(+5);
        doc->SetShownVertAngle(tank.elevation);
        break;
    case VK_DOWN:
        tank.ChangeElevation(-5);
        doc->SetShownVertAngle(tank.elevation);
        break;
    case VK_OEM_PLUS:
    case VK_ADD:
        tank.ChangePower(+5);
        doc->SetShownPower(tank.power);
        break;
    case VK_OEM_MINUS:
    case VK_SUBTRACT:
        tank.ChangePower(-5);
        doc->SetShownPower(tank.power);
        break;
    case VK_SPACE:
        RequestFire();
        break;
    case VK_R:
        ResetCamera(currentPlayer);
        break;
    default:
        break;
    }
    RequestFrame();
}

void CKratView::keyPressEvent(QKeyEvent* event)
{
    OnKeyDown(VirtualKeyOf(*event));
    QOpenGLWidget::keyPressEvent(event);
}

// Once a second: the wind drifts and one frame is drawn at once. A tick is
// served only when no frame is pending, so the wind stays still during a
// flight, whose every frame asks for the next one.
void CKratView::OnTimer(int id)
{
    if (framePending)
        return;
    if (id == ID_TIMER_WIND)
        wind.Drift();
    // The widget draws the requested frame as soon as the loop turns: one
    // frame per tick, merged with any other request.
    RequestFrame();
}
