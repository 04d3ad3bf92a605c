#include "view/kratView.h"

#include "app/kratDoc.h"
#include "res/resource.h"
#include "view/gameState.h"
#include "view/keyMapping.h"

#include <QKeyEvent>

// Every control acts on the current tank, shows the new value in the status
// bar and asks for a frame. Aiming stays active while a shell flies: elevation
// and power bend the rest of its path, the heading was captured at launch.

void CKratView::OnCommand(int id)
{
    switch (id) {
    case ID_BARREL_LEFT: OnBarrelLeft(); break;
    case ID_BARREL_RIGHT: OnBarrelRight(); break;
    case ID_BARREL_UP: OnBarrelUp(); break;
    case ID_BARREL_DOWN: OnBarrelDown(); break;
    case ID_POWER_UP: OnPowerUp(); break;
    case ID_POWER_DOWN: OnPowerDown(); break;
    case ID_FIRE: OnFire(); break;
    default: break;
    }
}

void CKratView::TurnBarrel(int delta)
{
    tanks[currentPlayer].ChangeHeading(delta);
    GetDocument()->SetShownHorizAngle(tanks[currentPlayer].heading);
    RequestFrame();
}

void CKratView::RaiseBarrel(int delta)
{
    tanks[currentPlayer].ChangeElevation(delta);
    GetDocument()->SetShownVertAngle(tanks[currentPlayer].elevation);
    RequestFrame();
}

void CKratView::ChangePower(int delta)
{
    tanks[currentPlayer].ChangePower(delta);
    GetDocument()->SetShownPower(tanks[currentPlayer].power);
    RequestFrame();
}

void CKratView::OnBarrelLeft() { TurnBarrel(-5); }
void CKratView::OnBarrelRight() { TurnBarrel(+5); }
void CKratView::OnBarrelUp() { RaiseBarrel(+5); }
void CKratView::OnBarrelDown() { RaiseBarrel(-5); }
void CKratView::OnPowerUp() { ChangePower(+5); }
void CKratView::OnPowerDown() { ChangePower(-5); }

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
    switch (virtualKey) {
    case VK_LEFT: TurnBarrel(+5); break;
    case VK_RIGHT: TurnBarrel(-5); break;
    case VK_UP: RaiseBarrel(+5); break;
    case VK_DOWN: RaiseBarrel(-5); break;
    case VK_OEM_PLUS:
    case VK_ADD: ChangePower(+5); break;
    case VK_OEM_MINUS:
    case VK_SUBTRACT: ChangePower(-5); break;
    case VK_SPACE: RequestFire(); break;
    case VK_R: ResetCamera(currentPlayer); break;
    default: break;
    }
    RequestFrame(); // every key redraws, known or not
}

void CKratView::keyPressEvent(QKeyEvent* event)
{
    if (IsMenuKey(*event)) {
        event->ignore(); // on to the frame and its menu bar
        return;
    }
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
