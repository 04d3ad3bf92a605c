#include "gameProgram.h"

#include "modalScript.h"

#include "app/MainFrm.h"
#include "app/krat.h"
#include "app/kratDoc.h"
#include "dialogs/vetoSpinBox.h"
#include "view/gameState.h"
#include "view/invariants.h"
#include "view/kratView.h"

#include <QApplication>
#include <QTest>

void AnswerNewGame(QWidget* dialog, int players, int rounds)
{
    auto* newGame = static_cast<CPoczatek*>(dialog);
    for (int i = 2; i < players; ++i)
        QTest::keyClick(newGame->m_spinPlayers, Qt::Key_Up);
    for (int i = 1; i < rounds; ++i)
        QTest::keyClick(newGame->m_spinRounds, Qt::Key_Up);
    QTest::keyClick(newGame->m_spinRounds, Qt::Key_Return);
}

GameProgram::GameProgram(int players, int rounds)
{
    ModalScript script;
    script.Then([=](QWidget* dialog) { AnswerNewGame(dialog, players, rounds); });
    theApp.CreateWindows();
    Frame()->resize(480, 360); // small frames keep the tests quick in software GL
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
    return QTest::qWaitFor(over, timeoutMs);
}

bool DrawNextFrame(CKratView* view)
{
    const long long before = view->FrameCount();
    view->RequestFrame();
    return QTest::qWaitFor([&] { return view->FrameCount() > before; }, 5000);
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

void ShootAway(CKratView* view)
{
    AimAndFire(view, 0, 45, 100);
}
