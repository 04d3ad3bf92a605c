#include "gameProgram.h"

#include "modalScript.h"
#include "waitFor.h"

#include "app/MainFrm.h"
#include "app/krat.h"
#include "doc/kratDoc.h"
#include "dialogs/Poczatek.h"
#include "dialogs/Sklepik.h"
#include "dialogs/vetoSpinBox.h"
#include "view/gameState.h"
#include "view/computerHands.h"
#include "view/invariants.h"
#include "view/kratView.h"

#include <QApplication>
#include <QOpenGLContext>
#include <QTest>
#include <QTimer>
#include <QWindow>

void AnswerNewGame(QWidget* dialog, int players, int rounds)
{
    auto* newGame = static_cast<CPoczatek*>(dialog);
    for (int i = 2; i < players; ++i)
        QTest::keyClick(newGame->m_spinPlayers, Qt::Key_Up);
    for (int i = 1; i < rounds; ++i)
        QTest::keyClick(newGame->m_spinRounds, Qt::Key_Up);
    QTest::keyClick(newGame->m_spinRounds, Qt::Key_Return);
}

GameProgram::GameProgram(int players, int rounds, QSize windowSize)
{
    ModalScript script;
    script.Then([=](QWidget* dialog) { AnswerNewGame(dialog, players, rounds); });
    theApp.CreateWindows();
    windHeld = std::make_unique<QSignalBlocker>(View()->findChild<QTimer*>(QStringLiteral("windTimer")));
    handsHeld = std::make_unique<QSignalBlocker>(View()->Hands().findChild<QTimer*>(QStringLiteral("handsTimer")));
    Frame()->resize(windowSize);
    QObject::connect(View(), &CKratView::frameDrawn, View(), [this] {
        ++frames;
        for (const QString& b : BrokenInvariants(*View()))
            broken << QStringLiteral("frame %1: %2").arg(frames).arg(b);
    });
    if (!QTest::qWaitForWindowExposed(Frame()))
        qWarning("the main window was not exposed");
}

GameProgram::~GameProgram()
{
    windHeld.reset();
    handsHeld.reset();
    theApp.ExitInstance();
}

CKratDoc* GameProgram::Doc() const
{
    return theApp.Document();
}

CKratView* GameProgram::View() const
{
    return theApp.View();
}

CMainFrame* GameProgram::Frame() const
{
    return theApp.MainFrame();
}

bool GameProgram::GiveTheKeysToTheFrame() const
{
    // The X server ignores a focus request older than the last focus
    // change, so the request is made again, as a player clicks again.
    QWindow* frameWindow = Frame()->windowHandle();
    int polls = 0;
    return QTest::qWaitFor([&] {
        QWindow* focus = QGuiApplication::focusWindow();
        if (focus == frameWindow || focus == View())
            return true;
        if (polls++ % 50 == 0)
            frameWindow->requestActivate();
        return false;
    }, 15000);
}

bool WaitForTurnEnd(int timeoutMs)
{
    CKratView* view = theApp.View();
    auto over = [view] {
        for (int i = 0; i < playerCount; ++i)
            if (tanks[i].IsInFlight())
                return false;
        return shotFired == 0 && !view->IsRoundEndQueued() && view->roundEndBusy == 0
            && theApp.Document()->newGamePending == 0 && !QApplication::activeModalWidget();
    };
    return WaitUntil(over, timeoutMs);
}

bool DriveHandsUntilFired(CKratView* view, int* ticks)
{
    ComputerHands& hands = view->Hands();
    for (int tick = 0; tick < 2000; ++tick) {
        if (hands.HasFired())
            return true;
        if (!WaitUntil([&] { return hands.HasAim() || hands.HasFired() || !hands.IsPlaying(); }, 30000))
            return false; // the brain never answered
        if (!hands.IsPlaying() && !hands.HasFired())
            return false;
        hands.OnTick();
        if (ticks)
            ++*ticks;
    }
    return hands.HasFired();
}

bool DrawNextFrame(CKratView* view)
{
    const long long before = view->FrameCount();
    view->RequestFrame();
    return WaitUntil([&] { return view->FrameCount() > before; });
}

void AimAndFire(CKratView* view, int headingSteps, int elevation, int power)
{
    const cCzolg& tank = tanks[currentPlayer];
    for (int i = 0; i < headingSteps; ++i)
        QTest::keyClick(view, Qt::Key_Left);
    while (tank.elevation < elevation)
        QTest::keyClick(view, Qt::Key_Up);
    while (tank.elevation > elevation)
        QTest::keyClick(view, Qt::Key_Down);
    while (tank.power < power)
        QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);
    while (tank.power > power)
        QTest::keyClick(view, Qt::Key_Minus);
    QTest::keyClick(view, Qt::Key_Space);
}

void ShootSelf(CKratView* view)
{
    AimAndFire(view, 0, 90, 0);
}

ForeseenShot ForeseeShot(int heading, int elevation, int power)
{
    if (QOpenGLContext* context = QOpenGLContext::currentContext())
        context->doneCurrent();
    cCzolg probe = tanks[currentPlayer];
    cTeren field = terrain;
    cWiatr air = wind;
    probe.heading = heading;
    probe.elevation = elevation;
    probe.power = power;
    probe.Fire(0);
    ForeseenShot shot;
    while (shot.result == 1 && shot.steps < 1000) {
        shot.result = probe.Draw(air, field);
        ++shot.steps;
    }
    shot.x = probe.shell.x;
    shot.z = probe.shell.z;
    return shot;
}

void AnswerEveryModal(ModalScript& script)
{
    script.Otherwise([](QWidget* modal) {
        if (qobject_cast<CSklepik*>(modal))
            PressKey(modal, Qt::Key_Escape);
        else if (qobject_cast<CPoczatek*>(modal))
            AnswerNewGame(modal, 2, 1);
        else
            PressKey(modal, Qt::Key_Return);
    });
}

bool ShootAway(CKratView* view)
{
    const int current = tanks[currentPlayer].heading;
    int bestTurn = 0, bestElevation = 0, bestSteps = 1000;
    for (int turn = 0; turn < 360; turn += 90)
        for (int elevation : {20, 30, 45, 60}) {
            const ForeseenShot shot = ForeseeShot((current + turn) % 360, elevation, 100);
            if (shot.result == 0 && shot.steps < bestSteps) {
                bestSteps = shot.steps;
                bestTurn = turn;
                bestElevation = elevation;
            }
        }
    if (bestSteps == 1000)
        return false;
    AimAndFire(view, bestTurn / 5, bestElevation, 100); // Left turns by +5
    return true;
}
