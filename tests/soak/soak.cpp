// Random-input soak: drives the whole program in this process with long random
// sequences of keys, mouse drags with every button combination, toolbar and
// bomb-selector use, menu commands and dialog answers, over many games of 2 to
// 8 players, and checks the game's invariants after every frame.
//
//   tarnok_soak [seconds] [seed]      random play, prints its figures and findings
//   tarnok_soak --memory              100 quick rounds, prints resident memory
//
// Exit code 0 when nothing was found, 1 otherwise.
#include "app/MainFrm.h"
#include "app/krat.h"
#include "app/kratDoc.h"
#include "dialogs/Poczatek.h"
#include "dialogs/Sklepik.h"
#include "dialogs/vetoSpinBox.h"
#include "res/resource.h"
#include "view/gameState.h"
#include "view/invariants.h"
#include "view/kratView.h"
#include "world/cTeren.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <cstdio>

#include <dlfcn.h>

namespace {

// The rounds' fields are seeded from the soak's seed instead of the clock, so
// that the fields of a run follow from its seed.
quint32 roundSeeds = 0;
unsigned NextRoundSeed()
{
    return roundSeeds++;
}

struct Figures {
    long long events = 0, frames = 0, shots = 0, rounds = 0, games = 0;
    QStringList findings;
};

long ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

class Soak : public QObject {
public:
    Soak(quint32 seed, Figures& figures) : random(seed), figures(figures) {}

    void Watch(CKratView* view)
    {
        connect(view, &CKratView::frameDrawn, this, [this, view] {
            ++figures.frames;
            for (const QString& broken : BrokenInvariants(*view))
                Finding(QStringLiteral("frame %1: %2").arg(figures.frames).arg(broken));
            for (int i = 0; i < playerCount; ++i) {
                if (tanks[i].inFlight && !wasFlying[i])
                    ++figures.shots;
                wasFlying[i] = tanks[i].inFlight;
            }
            if (roundsLeft != lastRoundsLeft && playerCount == lastPlayers && roundsLeft == lastRoundsLeft - 1)
                ++figures.rounds;
            lastRoundsLeft = roundsLeft;
            lastPlayers = playerCount;
        });
    }

    // Acts every millisecond. The next action is scheduled before this one
    // runs, so an action that opens a modal dialog is followed by actions
    // inside that dialog's own loop.
    void Start() { running = true; QTimer::singleShot(1, this, [this] { Step(); }); }
    void Stop() { running = false; }

    // A burst of random user actions on whatever has the user's attention:
    // people type faster than frames are drawn, and the requests merge.
    void Act()
    {
        const int burst = random.bounded(1, 48);
        for (int i = 0; i < burst && running; ++i) {
            const bool modalBefore = QApplication::activeModalWidget() || QApplication::activePopupWidget();
            ActOnce();
            const bool modalAfter = QApplication::activeModalWidget() || QApplication::activePopupWidget();
            if (modalBefore != modalAfter)
                break; // what the user looks at has changed
        }
    }

    void ActOnce()
    {
        ++figures.events;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Escape};
            QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, keys[random.bounded(4)]);
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            AnswerDialog(modal);
            return;
        }
        PlayInMainWindow();
    }

    void Finding(const QString& text)
    {
        if (figures.findings.size() < 50)
            figures.findings << text;
        std::fprintf(stderr, "FINDING: %s\n", qPrintable(text));
    }

private:
    void Step()
    {
        if (!running)
            return;
        QTimer::singleShot(1, this, [this] { Step(); });
        Act();
    }

    Qt::Key AnyKey()
    {
        const Qt::Key gameKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Plus,
                                    Qt::Key_Minus, Qt::Key_Equal, Qt::Key_Space, Qt::Key_R, Qt::Key_A,
                                    Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_F1, Qt::Key_PageUp,
                                    Qt::Key_Home, Qt::Key_Z, Qt::Key_5, Qt::Key_Underscore, Qt::Key_Delete};
        return gameKeys[random.bounded(int(std::size(gameKeys)))];
    }

    Qt::KeyboardModifiers AnyModifiers()
    {
        const int r = random.bounded(20);
        return r == 0 ? Qt::ShiftModifier : r == 1 ? Qt::KeypadModifier : r == 2 ? Qt::AltModifier : Qt::NoModifier;
    }

    void AnswerDialog(QWidget* modal)
    {
        if (auto* newGame = qobject_cast<CPoczatek*>(modal)) {
            const int r = random.bounded(10);
            if (r < 6)
                QTest::keyClick(random.bounded(2) ? newGame->m_spinPlayers : newGame->m_spinRounds,
                                random.bounded(3) ? Qt::Key_Up : Qt::Key_Down);
            else if (r < 8)
                QTest::keyClick(newGame->m_spinPlayers, Qt::Key_Return);
            else if (r < 9)
                QTest::keyClick(newGame, Qt::Key_Escape);
            else
                newGame->close();
            if (!newGame->isVisible())
                ++figures.games;
            return;
        }
        if (auto* shop = qobject_cast<CSklepik*>(modal)) {
            VetoSpinBox* rows[3] = {shop->m_spinSmall, shop->m_spinMedium, shop->m_spinLarge};
            const int r = random.bounded(12);
            if (r < 8)
                QTest::keyClick(rows[random.bounded(3)], random.bounded(3) ? Qt::Key_Up : Qt::Key_Down);
            else if (r < 9)
                QTest::keyClick(shop->focusWidget() ? shop->focusWidget() : shop, Qt::Key_Tab);
            else if (r < 10)
                QTest::keyClick(shop, Qt::Key_Return);
            else if (r < 11)
                QTest::keyClick(shop, Qt::Key_Escape);
            else
                shop->close();
            return;
        }
        // Message boxes, help, About: Enter or Escape.
        QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal,
                        random.bounded(2) ? Qt::Key_Return : Qt::Key_Escape);
    }

    void Drag(CKratView* view)
    {
        const Qt::MouseButtons combos[] = {Qt::LeftButton, Qt::RightButton, Qt::LeftButton | Qt::RightButton,
                                           Qt::NoButton};
        const Qt::MouseButtons buttons = combos[random.bounded(4)];
        QPoint p(random.bounded(view->width() + 40) - 20, random.bounded(view->height() + 40) - 20);
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
            if (buttons & b)
                QTest::mousePress(view, b, Qt::NoModifier, p);
        const int moves = random.bounded(1, 12);
        figures.events += moves + 1;
        for (int i = 0; i < moves; ++i) {
            p += QPoint(random.bounded(-15, 16), random.bounded(-15, 16));
            QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(view, &move);
        }
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
            if ((buttons & b) && random.bounded(8)) // now and then a release goes missing
                QTest::mouseRelease(view, b, Qt::NoModifier, p);
    }

    void PlayInMainWindow()
    {
        CMainFrame* frame = theApp.MainFrame();
        CKratView* view = theApp.View();
        const int r = random.bounded(100);
        if (r < 45) {
            QTest::keyClick(view, AnyKey(), AnyModifiers());
        } else if (r < 52) {
            // Drop a shell on one's own tank: games must also come to an end.
            for (int i = 0; i < 18; ++i)
                QTest::keyClick(view, Qt::Key_Up);
            for (int i = 0; i < 20; ++i)
                QTest::keyClick(view, Qt::Key_Minus);
            QTest::keyClick(view, Qt::Key_Space);
            figures.events += 38;
        } else if (r < 70) {
            Drag(view);
        } else if (r < 85) {
            const int ids[] = {ID_BARREL_LEFT, ID_BARREL_RIGHT, ID_BARREL_UP, ID_BARREL_DOWN,
                               ID_POWER_UP,    ID_POWER_DOWN,   ID_FIRE};
            QWidget* button = frame->m_wndToolBar->widgetForAction(frame->Command(ids[random.bounded(7)]));
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (r < 93) {
            QComboBox* selector = frame->m_bombSelector;
            QTest::mouseClick(selector, Qt::LeftButton);
        } else if (r < 95) {
            frame->Command(ID_FILE_NEW)->trigger();
        } else if (r < 97) {
            frame->Command(random.bounded(2) ? ID_HELP_MANUAL : ID_APP_ABOUT)->trigger();
        } else {
            QTest::keyClick(frame, AnyKey(), Qt::ControlModifier);
        }
    }

    QRandomGenerator random;
    Figures& figures;
    bool running = false;
    int wasFlying[MAX_PLAYERS] = {};
    int lastRoundsLeft = -1;
    int lastPlayers = -1;
};

// Two players shoot themselves in turn: 100 rounds in a handful of games, to
// see whether memory grows with the rounds played.
int MeasureMemory()
{
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* newGame = qobject_cast<CPoczatek*>(modal)) {
            newGame->m_players = QStringLiteral("2");
            newGame->m_rounds = QStringLiteral("20");
            newGame->accept(); // the dialog keeps its texts: 2 players, 20 rounds
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    });
    answer.start(5);
    theApp.CreateWindows();
    theApp.MainFrame()->resize(640, 480);
    CKratView* view = theApp.View();
    int rounds = 0;
    long afterFirst = 0;
    int lastRoundsLeft = roundsLeft;
    while (rounds < 100) {
        cCzolg& tank = tanks[currentPlayer];
        tank.elevation = 90;
        tank.power = 0;
        if (!shotFired && !QApplication::activeModalWidget())
            view->RequestFire();
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (roundsLeft != lastRoundsLeft) {
            ++rounds;
            lastRoundsLeft = roundsLeft;
            if (rounds == 1)
                afterFirst = ResidentKiB();
        }
    }
    const long afterHundred = ResidentKiB();
    std::printf("resident memory after round 1: %.1f MiB, after round 100: %.1f MiB, growth %.1f MiB\n",
                afterFirst / 1024.0, afterHundred / 1024.0, (afterHundred - afterFirst) / 1024.0);
    theApp.ExitInstance();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // Keep Mesa's drivers loaded to the end, so that a leak report can name
    // the library a block came from (suppressed ones included).
    for (const char* driver : {"swrast_dri.so", "kms_swrast_dri.so"}) {
        const QByteArray path = QByteArray("/usr/lib/x86_64-linux-gnu/dri/") + driver;
        dlopen(path.constData(), RTLD_NOW | RTLD_NODELETE | RTLD_GLOBAL);
    }
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.contains(QStringLiteral("--memory")))
        return MeasureMemory();
    const int seconds = args.size() > 1 ? args[1].toInt() : 60;
    const quint32 seed = args.size() > 2 ? args[2].toUInt() : quint32(QDateTime::currentMSecsSinceEpoch());

    roundSeeds = seed;
    cTeren::seedClock = NextRoundSeed;

    Figures figures;
    Soak soak(seed, figures);
    soak.Start();
    theApp.CreateWindows();
    soak.Watch(theApp.View());
    theApp.MainFrame()->resize(640, 300); // a small view keeps software GL quick

    QElapsedTimer clock;
    clock.start();
    QTimer stop;
    QObject::connect(&stop, &QTimer::timeout, [&] {
        if (clock.elapsed() >= seconds * 1000LL && !QApplication::activeModalWidget()
            && !QApplication::activePopupWidget()) {
            soak.Stop();
            QApplication::quit();
        }
    });
    stop.start(100);
    QApplication::exec();
    theApp.ExitInstance();

    std::printf("seed %u, %d s: %lld events, %lld frames, %lld shots, %lld rounds, %lld games, %lld findings\n", seed,
                seconds, figures.events, figures.frames, figures.shots, figures.rounds, figures.games,
                static_cast<long long>(figures.findings.size()));
    for (const QString& f : figures.findings)
        std::printf("  %s\n", qPrintable(f));
    return figures.findings.isEmpty() ? 0 : 1;
}
