#pragma once

#include <QSignalBlocker>
#include <QSize>
#include <QStringList>

#include <memory>

class CKratDoc;
class CKratView;
class CMainFrame;
class ModalScript;
class QWidget;

// The whole program started in the test process as a player starts it: the
// new-game dialog answered with the given numbers, then the main window.
// Every drawn frame is checked against the game's invariants. The wind timer
// and the computer's hands' timer are held still: a test that wants a tick
// calls the view's OnTimer (or the hands' OnTick) itself, so no result depends
// on when a real tick falls.
class GameProgram {
public:
    // The default window is as small as the toolbar allows, which keeps flights
    // quick in software GL; tests that read pixels ask for a larger one.
    GameProgram(int players, int rounds, QSize windowSize = QSize(240, 180));
    ~GameProgram();
    GameProgram(const GameProgram&) = delete;
    GameProgram& operator=(const GameProgram&) = delete;

    CKratDoc* Doc() const;
    CKratView* View() const;
    CMainFrame* Frame() const;
    // Makes the main window the focus window, as a player clicking it does,
    // and waits until it is (its focus then passes on to the view's own
    // window). False if the window system never gives it.
    [[nodiscard]] bool GiveTheKeysToTheFrame() const;

    // Frames drawn and invariant violations seen since the start.
    long long frames = 0;
    QStringList broken;

private:
    std::unique_ptr<QSignalBlocker> windHeld;
    std::unique_ptr<QSignalBlocker> handsHeld;
};

// Chooses the numbers in an open new-game dialog with the keys and confirms.
void AnswerNewGame(QWidget* dialog, int players, int rounds);

// Answers every shop visit with Escape, a new-game dialog with two players
// and one round, and every other dialog or message box with Enter.
void AnswerEveryModal(ModalScript& script);

// Lets the event loop run until the shot of the current turn is over: the
// shell has landed or left, the turn has passed and any round end has run.
bool WaitForTurnEnd(int timeoutMs = 60000);

// Plays the computer's turn that is under way with ticks of its hands, each
// after the brain has answered what the hands wait for, until it has fired.
// Every tick is counted in *ticks if given. False if it never fires.
bool DriveHandsUntilFired(CKratView* view, int* ticks = nullptr);

// Asks the view for a frame and waits until it has been drawn.
bool DrawNextFrame(CKratView* view);

// Aims the current tank with real keys on the view and fires with Space.
// Elevation and power are brought to the given values in steps of 5.
void AimAndFire(CKratView* view, int headingSteps, int elevation, int power);
// A shot straight down onto one's own tank: an ordinary bomb takes 70.
void ShootSelf(CKratView* view);
// What the current tank's shot with this aim would do over the present field
// and wind: the world's own steps, run on copies with no GL context current
// (the view's own is let go first, so that the drawing in them does nothing).
struct ForeseenShot {
    int steps = 0;
    int result = 1; // as the shell's steps end: 2 landed, 0 left the field
    float x = 0, z = 0; // where it ended
};
ForeseenShot ForeseeShot(int heading, int elevation, int power);

// A shot that leaves the field and hurts nobody: of the aims along the four
// axes, the one whose flight over the present field and wind (the world's own
// steps, run on copies) leaves soonest. False, and nothing fired, if none does.
[[nodiscard]] bool ShootAway(CKratView* view);
