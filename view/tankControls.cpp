#include "view/kratView.h"

#include "doc/kratDoc.h"
#include "res/resource.h"
#include "view/gameState.h"
#include "view/keyMapping.h"

#include <QKeyEvent>

// Every control acts on the current tank, shows the new value in the status
// bar and asks for a frame. Aiming stays active while a shell flies: elevation
// and power bend the rest of its path, the heading was captured at launch.

namespace {

constexpr int AIM_STEP = 5;   // degrees per command or key, heading and elevation alike
constexpr int POWER_STEP = 5; // power units per command or key

} // namespace

// The toolbar's buttons: the person's, so they act only on a person's turn.
void CKratView::OnCommand(int id)
{
    if (PersonsInputActs())
        RunCommand(id);
}

void CKratView::RunCommand(int id)
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

void CKratView::OnBarrelLeft() { TurnBarrel(-AIM_STEP); }
void CKratView::OnBarrelRight() { TurnBarrel(+AIM_STEP); }
void CKratView::OnBarrelUp() { RaiseBarrel(+AIM_STEP); }
void CKratView::OnBarrelDown() { RaiseBarrel(-AIM_STEP); }
void CKratView::OnPowerUp() { ChangePower(+POWER_STEP); }
void CKratView::OnPowerDown() { ChangePower(-POWER_STEP); }

void CKratView::OnFire()
{
    RequestFire();
}

// One shell per turn; the request marks the turn as shot whatever it did.
void CKratView::RequestFire()
{
    cCzolg& tank = tanks[currentPlayer];
    if (tank.hasFired == 0 && tank.Fire(GetDocument()->GetSelectedWeapon()))
        soundCues.Launched(tank);
    shotFired = 1;
    RequestFrame();
}

// The arrow keys turn the barrel the other way round from the toolbar. On a
// computer's turn only R (the camera) acts; every key still redraws.
void CKratView::OnKeyDown(int virtualKey)
{
    if (virtualKey != VK_R && !PersonsInputActs()) {
        RequestFrame();
        return;
    }
    switch (virtualKey) {
    case VK_LEFT: TurnBarrel(+AIM_STEP); break;
    case VK_RIGHT: TurnBarrel(-AIM_STEP); break;
    case VK_UP: RaiseBarrel(+AIM_STEP); break;
    case VK_DOWN: RaiseBarrel(-AIM_STEP); break;
    case VK_OEM_PLUS:
    case VK_ADD: ChangePower(+POWER_STEP); break;
    case VK_OEM_MINUS:
    case VK_SUBTRACT: ChangePower(-POWER_STEP); break;
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
    QWindow::keyPressEvent(event);
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
    // The view draws the requested frame as soon as the loop turns: one
    // frame per tick, merged with any other request.
    RequestFrame();
}
