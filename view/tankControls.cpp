#include "view/kratView.h"

#include "doc/kratDoc.h"
#include "res/resource.h"
#include "view/gameInputs.h"
#include "view/gameState.h"
#include "view/keyMapping.h"
#include "view/recordPlayer.h"
#include "view/seats.h"

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
        Give(TankCommandInput{id});
}

void CKratView::RunCommand(int id)
{
    Give(TankCommandInput{id});
}

void CKratView::Give(const InputBody& input)
{
    if (!gameInputs.Give(input))
        RequestFrame(); // a record plays: nothing changes, but the key still redraws
}

namespace {

// What an input does to the game, once let through the game's inputs.
struct InputEffect {
    CKratView& view;
    void operator()(const TankCommandInput& c) const { view.ApplyCommand(c.command); }
    void operator()(const BombChoiceInput& b) const
    {
        view.GetDocument()->SyncWeaponCombo(b.kind);
        view.GetDocument()->SelectWeapon(b.kind);
        view.RequestFrame();
    }
    void operator()(const WindTickInput&) const { wind.Drift(); }
    void operator()(const SeatsInput& s) const
    {
        // Watching a record leaves the run's own seats as they are.
        if (gameInputs.Playing())
            return;
        for (int slot = 0; slot < MAX_PLAYERS; ++slot)
            seats[slot] = SeatOfChoice(s.choice[slot]);
        view.OnSeatsChanged();
    }
    // The game asks for these at its own points and applies them there.
    void operator()(const NewGameInput&) const {}
    void operator()(const RoundSeedInput&) const {}
    void operator()(const ShopVisitInput&) const {}
    void operator()(const TurnStartInput&) const {}
};

} // namespace

void CKratView::ApplyInput(const InputBody& input)
{
    std::visit(InputEffect{*this}, input);
}

void CKratView::ApplyCommand(int id)
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

// The arrow keys turn the barrel the other way round from the toolbar: each
// key is given as the command of the same effect. On a computer's turn, and
// while a record plays, only R (the camera) acts, and P sets the playback's
// pace; every key still redraws.
void CKratView::OnKeyDown(int virtualKey)
{
    if (virtualKey == VK_P && gameInputs.Playing())
        player->Faster();
    if (virtualKey != VK_R && !PersonsInputActs()) {
        RequestFrame();
        return;
    }
    switch (virtualKey) {
    case VK_LEFT: Give(TankCommandInput{ID_BARREL_RIGHT}); break;
    case VK_RIGHT: Give(TankCommandInput{ID_BARREL_LEFT}); break;
    case VK_UP: Give(TankCommandInput{ID_BARREL_UP}); break;
    case VK_DOWN: Give(TankCommandInput{ID_BARREL_DOWN}); break;
    case VK_OEM_PLUS:
    case VK_ADD: Give(TankCommandInput{ID_POWER_UP}); break;
    case VK_OEM_MINUS:
    case VK_SUBTRACT: Give(TankCommandInput{ID_POWER_DOWN}); break;
    case VK_SPACE: Give(TankCommandInput{ID_FIRE}); break;
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
        gameInputs.Give(WindTickInput{}); // while a record plays, only its own ticks drift the wind
    // The view draws the requested frame as soon as the loop turns: one
    // frame per tick, merged with any other request.
    RequestFrame();
}
