#pragma once

#include <QStringList>

class CKratDoc;
class CKratView;
class CMainFrame;
class ModalScript;
class QWidget;

// The whole program started in the test process as a player starts it: the
// new-game dialog answered with the given numbers, then the main window.
// Every drawn frame is checked against the game's invariants.
class GameProgram {
public:
    GameProgram(int players, int rounds);
    ~GameProgram();

    CKratDoc* Doc() const;
    CKratView* View() const;
    CMainFrame* Frame() const;

    // Frames drawn and invariant violations seen since the start.
    long long frames = 0;
    QStringList broken;
};

// Chooses the numbers in an open new-game dialog with the keys and confirms.
void AnswerNewGame(QWidget* dialog, int players, int rounds);

// Lets the event loop run until the shot of the current turn is over: the
// shell has landed or left, the turn has passed and any round end has run.
bool WaitForTurnEnd(int timeoutMs = 60000);

// Asks the view for a frame and waits until it has been drawn.
bool DrawNextFrame(CKratView* view);

// Aims the current tank with real keys on the view and fires with Space.
// Elevation and power are brought to the given values in steps of 5.
void AimAndFire(CKratView* view, int headingSteps, int elevation, int power);
// A shot straight down onto one's own tank: an ordinary bomb takes 70.
void ShootSelf(CKratView* view);
// A steep long shot that leaves the field and hurts nobody.
void ShootAway(CKratView* view);
