// Random-input soak: drives the whole program in this process with long random
// sequences of keys, mouse drags with every button combination, toolbar and
// bomb-selector use, menu commands and dialog answers, over many games of 2 to
// 8 players, some seats played by the computer and the seats changed through
// their dialog, and checks the game's invariants after every frame.
//
//   tarnok_soak [seconds] [seed] [--events N] [--trail] [--plant-leak]
//                                     random play, prints its figures and findings
//   tarnok_soak --memory              100 quick rounds, prints resident memory
//
// A run repeats from its seed: the actions are drawn from it, the rounds'
// fields are seeded from it (not from the clock), the wind timer is held
// still and ticked as one of the actions (so are the computer's hands, whose
// brain is seeded from the soak's seed and awaited before the next action),
// and the actions run at fixed points
// of the program (after each frame, and whenever it goes idle), never by the
// clock; within a burst of actions no frame is drawn (see windowInput.h). What
// the window system decides in its own time is awaited or fixed (see
// windowSettler.h). Every 250 events a digest of the game is taken; the
// trail of digests is printed, each one with --trail. --events ends the run
// after that many events instead of after the seconds, so that two runs of a
// seed end alike. --plant-leak leaks a block from a key handler once, to
// prove that the leak check sees leaks made inside Qt's event handling.
//
// Exit code 0 when nothing was found, 1 otherwise.
#include "app/MainFrm.h"
#include "app/krat.h"
#include "app/seatChoice.h"
#include "doc/kratDoc.h"
#include "dialogs/ComputerPlayers.h"
#include "dialogs/Poczatek.h"
#include "dialogs/Sklepik.h"
#include "dialogs/vetoSpinBox.h"
#include "res/resource.h"
#include "app/gameFiles.h"
#include "record/recordFolder.h"
#include "record/stateDigest.h"
#include "view/gameInputs.h"
#include "view/gameSnapshots.h"
#include "view/savedGames.h"
#include "view/unseenReplay.h"
#include "soak/windowInput.h"
#include "soak/windowSettler.h"
#include "view/computerHands.h"
#include "view/gameState.h"
#include "view/invariants.h"
#include "view/seats.h"
#include "view/kratView.h"
#include "world/cTeren.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QDir>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include <memory>

#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

namespace {

struct Figures {
    long long events = 0, frames = 0, shots = 0, computerShots = 0, rounds = 0, games = 0, restarts = 0;
    long long longestWithoutRoundEnd = 0, longestTurn = 0;
    long long waitsGivenUp = 0; // a window that did not become active in time
    long long savesLoaded = 0, recordsReplayed = 0, turnsReplayed = 0;
    QStringList findings;
    // The game's digest at every checkpoint, with the events and frames then.
    struct Checkpoint {
        long long events, frames;
        quint32 digest;
    };
    QVector<Checkpoint> trail;
};

// A checkpoint is taken at the first step after every this many events.
constexpr long long eventsPerCheckpoint = 250;

// Bounds on progress: a run in which no round ends for this many events, or a
// shot's turn does not pass in this many frames, has stopped playing.
constexpr long long eventsForARound = 200000;
constexpr long long framesForATurn = 5000; // the longest flight takes a few hundred

// The rounds' fields are seeded from here instead of the clock.
quint32 roundSeeds = 0;
unsigned NextRoundSeed()
{
    return roundSeeds++;
}

// The computer's brains (one for each start of the windows) are seeded from here.
quint32 brainSeeds = 0;
std::uint32_t NextBrainSeed()
{
    return brainSeeds++;
}

// Each seat a person's, or now and then the computer's at any level.
SeatList RandomSeats(QRandomGenerator& random)
{
    SeatList list{};
    for (Seat& seat : list)
        seat = SeatOfChoice(random.bounded(3) == 0 ? random.bounded(1, 5) : 0);
    return list;
}

// With --plant-leak, the first key on the view leaks one block.
class PlantedLeak : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && !planted) {
            planted = true;
            LeakFromAKeyHandler();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Two blocks pointing only at each other's neighbours would still be found;
    // one block whose only pointer is overwritten at once is a plain leak.
    __attribute__((noinline)) static void LeakFromAKeyHandler()
    {
        int* volatile block = new int[64]; // never freed: the leak check must report it
        block[0] = 1;
        block = nullptr;
        std::fputs("soak: a block leaked from a key handler, as --plant-leak asks\n", stderr);
    }
    bool planted = false;
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
    Soak(quint32 seed, Figures& figures) : random(seed), figures(figures), settler([this] { QueueStep(); }) {}

    void Watch(CKratView* view)
    {
        settler.Watch(view);
        windHeld = std::make_unique<QSignalBlocker>(view->findChild<QTimer*>(QStringLiteral("windTimer")));
        handsHeld = std::make_unique<QSignalBlocker>(view->Hands().findChild<QTimer*>(QStringLiteral("handsTimer")));
        // Connected after the frame's own idle handler, so it runs once the panes have followed.
        disconnect(paneCheck);
        paneCheck = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                            [this] { CheckPanes(); });
        connect(view, &CKratView::frameDrawn, this, [this, view] {
            if (playerCount < 2 || playerCount > 8 || roundsLeft < 0 || roundsLeft > 20)
                Finding(QStringLiteral("frame %1: %2 players, %3 rounds left").arg(figures.frames).arg(playerCount).arg(roundsLeft));
            ++figures.frames;
            for (const QString& broken : BrokenInvariants(*view))
                Finding(QStringLiteral("frame %1: %2").arg(figures.frames).arg(broken));
            framesInTurn = shotFired ? framesInTurn + 1 : 0;
            figures.longestTurn = std::max(figures.longestTurn, framesInTurn);
            for (int i = 0; i < playerCount; ++i) {
                if (tanks[i].inFlight && !wasFlying[i]) {
                    ++figures.shots;
                    figures.computerShots += seats[i].PlaysByItself() ? 1 : 0;
                }
                wasFlying[i] = tanks[i].inFlight;
            }
            if (roundsLeft != lastRoundsLeft && playerCount == lastPlayers && roundsLeft == lastRoundsLeft - 1) {
                ++figures.rounds;
                roundEndAt = figures.events;
            }
            lastRoundsLeft = roundsLeft;
            lastPlayers = playerCount;
        });
    }

    // Acts after every frame and whenever the program goes idle, also inside
    // a dialog's own loop: fixed points of the program, never the clock.
    void Start()
    {
        running = true;
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            QueueStep();
        });
        QueueStep();
    }
    void Stop() { running = false; }
    bool Running() const { return running; }
    long long eventLimit = 0; // with --events: the run ends at the first step past it
    void ReleaseWind()
    {
        windHeld.reset();
        handsHeld.reset();
    }

    // A burst of random user actions on whatever has the user's attention:
    // people type faster than frames are drawn, and the requests merge.
    void Act()
    {
        const bool outerActing = acting;
        const long long outerWindowChanges = windowChangesWhenActing;
        acting = true;
        const int burst = random.bounded(1, 48);
        for (int i = 0; i < burst && running; ++i) {
            const long long windowChanges = windowChangesWhenActing = settler.WindowChanges();
            ActOnce();
            if (settler.WindowChanges() != windowChanges)
                break; // what the user looks at has changed: a window opened or closed, maybe both
        }
        acting = outerActing;
        windowChangesWhenActing = outerWindowChanges;
        if (!acting && stepPutOff)
            QueueStep();
    }

    void ActOnce()
    {
        ++figures.events;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            if (random.bounded(6) == 0) {
                ClickInPopup(popup);
                return;
            }
            const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Left, Qt::Key_Right};
            // The bomb list takes its keys in its item view, whether or not the
            // window system has yet given the popup the focus.
            QAbstractItemView* list = popup->findChild<QAbstractItemView*>();
            QTest::keyClick(list ? static_cast<QWidget*>(list) : popup, keys[random.bounded(6)]);
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

    // A game that was left with "&Wyjdz" starts afresh, as the program would.
    void RestartIfLeft()
    {
        CMainFrame* frame = theApp.MainFrame();
        if (!frame || frame->isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget())
            return;
        ++figures.restarts;
        ReleaseWind();
        theApp.ExitInstance();
        theApp.CreateWindows();
        Watch(theApp.View());
        theApp.MainFrame()->resize(640, 300);
        roundEndAt = figures.events;
        framesInTurn = 0;
    }

private:
    void QueueStep()
    {
        if (stepQueued || !running)
            return;
        stepQueued = true;
        QMetaObject::invokeMethod(this, [this] { Step(); }, Qt::QueuedConnection);
    }

    void Step()
    {
        stepQueued = false;
        // An action that lets Qt serve the events waiting meanwhile would meet
        // a step queued by a timer among them, and the actions would nest
        // wherever the clock put that step. Only a window the action opened
        // (a dialog's or a menu's own loop) is acted on inside it.
        if (acting && settler.WindowChanges() == windowChangesWhenActing) {
            stepPutOff = true;
            return;
        }
        stepPutOff = false;
        if (!running || WaitingForAFrame() || WaitingForTheBrain())
            return; // the frame's (or the answer's) own idle moment steps next
        if (eventLimit > 0 && figures.events >= eventLimit && !QApplication::activeModalWidget()
            && !QApplication::activePopupWidget()) {
            Stop();
            QApplication::quit();
            return;
        }
        CheckProgress();
        RestartIfLeft();
        if (!Settled())
            return; // the window system's answer, or the settler's retry, steps next
        if (settler.ExposeUncovered()) {
            QueueStep(); // after what the uncovering's frame set going
            return;
        }
        TakeCheckpoint();
        if ((theApp.MainFrame() && theApp.MainFrame()->isVisible()) || QApplication::activeModalWidget()
            || QApplication::activePopupWidget())
            Act();
    }

    // The window the next action goes to: a popup takes its keys whichever
    // window is active; a dialog, or else the main window, must be active.
    bool Settled()
    {
        QWidget* target = QApplication::activePopupWidget() ? nullptr
                        : QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                            : theApp.MainFrame();
        bool gaveUp = false;
        const bool settled = settler.Settled(target, &gaveUp);
        if (gaveUp) // the run may not repeat from here on: said in the figures
            ++figures.waitsGivenUp;
        return settled;
    }

    // A frame of the visible view is on its way: acting now would depend on
    // when the window system lets it be drawn. The actions wait for it.
    static bool WaitingForAFrame()
    {
        CKratView* view = theApp.View();
        CMainFrame* frame = theApp.MainFrame();
        return view && frame && frame->isVisible() && view->IsFramePending();
    }

    // The computer thinks on a thread of its own: acting before its answer
    // would depend on how fast that thread ran.
    static bool WaitingForTheBrain()
    {
        CKratView* view = theApp.View();
        return view && view->Hands().AwaitsBrain();
    }

    void TakeCheckpoint()
    {
        if (figures.events < nextCheckpoint)
            return;
        nextCheckpoint = (figures.events / eventsPerCheckpoint + 1) * eventsPerCheckpoint;
        // While a fresh start's first dialog is up there is no document yet.
        const CKratDoc* doc = theApp.Document();
        figures.trail.push_back({figures.events, figures.frames, doc ? GameDigest(*doc) : 0u});
    }

    void CheckProgress()
    {
        figures.longestWithoutRoundEnd = std::max(figures.longestWithoutRoundEnd, figures.events - roundEndAt);
        if (figures.events - roundEndAt > eventsForARound) {
            Finding(QStringLiteral("no round ended in %1 events").arg(eventsForARound));
            roundEndAt = figures.events;
        }
        if (framesInTurn > framesForATurn) {
            Finding(QStringLiteral("a turn did not pass in %1 frames").arg(framesForATurn));
            framesInTurn = 0;
        }
    }

    // The value panes, once the program is idle, show what the document says.
    void CheckPanes()
    {
        CMainFrame* frame = theApp.MainFrame();
        CKratDoc* doc = theApp.Document();
        if (!frame || !doc || !frame->isVisible())
            return;
        for (QLabel* pane : frame->findChildren<QLabel*>()) {
            if (!pane->property("paneId").isValid())
                continue;
            const QString text = doc->OnUpdatePane(pane->property("paneId").toInt());
            if (!text.isNull() && pane->text() != text)
                Finding(QStringLiteral("pane %1 shows \"%2\", the document \"%3\"")
                            .arg(pane->property("paneId").toInt()).arg(pane->text(), text));
        }
    }

    // During a visit the funds and the bought counts at their prices add up
    // to the money the player brought.
    void CheckShop(CSklepik* shop)
    {
        const int funds = shop->Label(IDC_FUNDS)->text().toInt();
        const int spent = shop->m_spinSmall->value() * shop->Label(IDC_PRICE_SMALL)->text().toInt()
                        + shop->m_spinMedium->value() * shop->Label(IDC_PRICE_MEDIUM)->text().toInt()
                        + shop->m_spinLarge->value() * shop->Label(IDC_PRICE_LARGE)->text().toInt();
        if (shop != lastShop || !shop->isVisible())
            return;
        if (funds + spent != shopMoney)
            Finding(QStringLiteral("shop: funds %1 + bought %2 != %3 brought").arg(funds).arg(spent).arg(shopMoney));
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
            if (!newGame->isVisible()) {
                ++figures.games;
                const int players = newGame->m_players.toInt(), rounds = newGame->m_rounds.toInt();
                if (players < 2 || players > 8 || rounds < 1 || rounds > 20)
                    Finding(QStringLiteral("new game of %1 players and %2 rounds").arg(players).arg(rounds));
            }
            return;
        }
        if (auto* seatsDialog = qobject_cast<CComputerPlayers*>(modal)) {
            const int r = random.bounded(10);
            if (r < 6)
                QTest::keyClick(seatsDialog->Choice(random.bounded(CComputerPlayers::SEATS)),
                                random.bounded(2) ? Qt::Key_Up : Qt::Key_Down);
            else if (r < 8)
                QTest::keyClick(seatsDialog, Qt::Key_Return);
            else if (r < 9)
                QTest::keyClick(seatsDialog, Qt::Key_Escape);
            else
                seatsDialog->close();
            return;
        }
        if (auto* shop = qobject_cast<CSklepik*>(modal)) {
            if (shop != lastShop) { // the first look at this visit
                lastShop = shop;
                shopMoney = shop->Label(IDC_FUNDS)->text().toInt();
                const int bought = shop->m_spinSmall->value() + shop->m_spinMedium->value() + shop->m_spinLarge->value();
                if (bought != 0)
                    Finding(QStringLiteral("shop: a visit starts with %1 bought").arg(bought));
            }
            CheckShop(shop);
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
            if (shop->isVisible())
                CheckShop(shop);
            else
                lastShop = nullptr; // the next showing is the next visit
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
                WindowInput::MousePress(view, b, p);
        const int moves = random.bounded(1, 12);
        figures.events += moves + 1;
        for (int i = 0; i < moves; ++i) {
            p += QPoint(random.bounded(-15, 16), random.bounded(-15, 16));
            QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(view, &move);
        }
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
            if ((buttons & b) && random.bounded(8)) // now and then a release goes missing
                WindowInput::MouseRelease(view, b, p);
    }

    // On a widget or on the view's own window.
    template <class Target>
    void Wheel(Target* target)
    {
        const QPoint p(random.bounded(target->width()), random.bounded(target->height()));
        const int delta = random.bounded(2) ? 120 : -120;
        QWheelEvent wheel(p, target->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }

    // A held key: presses marked as repeats, then one release.
    template <class Target>
    void HoldKey(Target* target)
    {
        const Qt::Key key = AnyKey();
        const int repeats = random.bounded(2, 30);
        for (int i = 0; i < repeats; ++i) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
            QApplication::sendEvent(target, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
        figures.events += repeats;
    }

    // The menus as a player opens them: Alt and the underlined letter, or a
    // click on the menu's title; the open popup is then played like any other.
    void OpenMenu(CMainFrame* frame)
    {
        QMenuBar* bar = frame->menuBar();
        const QList<QAction*> menus = bar->actions();
        QAction* menu = menus[random.bounded(int(menus.size()))];
        if (random.bounded(2)) {
            const QChar letter = menu->text().at(menu->text().indexOf('&') + 1).toUpper();
            QTest::keyClick(frame, Qt::Key(letter.unicode()), Qt::AltModifier);
        } else {
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(menu).center());
        }
    }

    // The game saved and loaded again at whatever moment it stands: the same
    // digest, and the game goes on from there.
    void SaveAndLoad(CKratView* view)
    {
        const QString path = saves.filePath(QStringLiteral("soak.tarnok"));
        const std::uint32_t atSaving = GameDigest(*theApp.Document());
        QString error;
        if (!SaveGame(path, *theApp.Document(), &error)) {
            Finding(QStringLiteral("saving: %1").arg(error));
            return;
        }
        if (!OpenRecord(theApp.MainFrame(), path, *theApp.Document(), *view, false)) {
            Finding(QStringLiteral("a saved game could not be loaded"));
            return;
        }
        ++figures.savesLoaded;
        if (GameDigest(*theApp.Document()) != atSaving)
            Finding(QStringLiteral("event %1: the digest after loading differs from the one at saving").arg(figures.events));
    }

    void ClickInPopup(QWidget* popup)
    {
        if (auto* menu = qobject_cast<QMenu*>(popup)) {
            const QList<QAction*> items = menu->actions();
            QAction* item = items[random.bounded(int(items.size()))];
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
            return;
        }
        Wheel(popup);
    }

    void PlayInMainWindow()
    {
        CMainFrame* frame = theApp.MainFrame();
        CKratView* view = theApp.View();
        const int extra = random.bounded(100);
        if (extra < 3) {
            if (random.bounded(2))
                Wheel(view);
            else
                Wheel(frame->m_bombSelector);
            return;
        } else if (extra < 5) {
            const QPoint p(random.bounded(view->width()), random.bounded(view->height()));
            WindowInput::MouseDoubleClick(view, random.bounded(2) ? Qt::LeftButton : Qt::RightButton, p);
            return;
        } else if (extra < 7) {
            HoldKey(view);
            return;
        } else if (extra < 9) {
            OpenMenu(frame);
            return;
        } else if (extra < 10) {
            view->OnTimer(ID_TIMER_WIND); // the held wind timer's tick
            return;
        } else if (extra == 10 && random.bounded(20) == 0) {
            frame->Command(ID_APP_EXIT)->trigger(); // "&Wyjdz": the next step starts afresh
            return;
        } else if (extra == 11) {
            frame->Command(ID_GAME_COMPUTER)->trigger(); // who plays each seat
            return;
        } else if (extra == 12 && view->GameInProgress()) {
            SaveAndLoad(view);
            return;
        } else if (extra >= 80) {
            // The held hands' timer: a few of its ticks, as time passes in a computer's turn.
            const int ticks = random.bounded(1, 16);
            for (int i = 0; i < ticks && !view->Hands().AwaitsBrain(); ++i)
                view->Hands().OnTick();
            figures.events += ticks - 1;
            return;
        }
        const int r = random.bounded(100);
        if (r < 45) {
            WindowInput::KeyClick(view, AnyKey(), AnyModifiers());
        } else if (r < 52) {
            // Drop a shell on one's own tank: games must also come to an end.
            for (int i = 0; i < 18; ++i)
                WindowInput::KeyClick(view, Qt::Key_Up);
            for (int i = 0; i < 20; ++i)
                WindowInput::KeyClick(view, Qt::Key_Minus);
            WindowInput::KeyClick(view, Qt::Key_Space);
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
    QTemporaryDir saves;
    Figures& figures;
    bool running = false;
    bool stepQueued = false;
    bool acting = false; // inside Act, perhaps in the loop of a window it opened
    long long windowChangesWhenActing = 0;
    bool stepPutOff = false; // a step came while acting: it is taken once the burst is over
    QMetaObject::Connection paneCheck;
    std::unique_ptr<QSignalBlocker> windHeld;
    std::unique_ptr<QSignalBlocker> handsHeld;
    WindowSettler settler;
    long long roundEndAt = 0, framesInTurn = 0;
    long long nextCheckpoint = eventsPerCheckpoint;
    CSklepik* lastShop = nullptr;
    int shopMoney = 0;
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
    // A sound switched on by a random click plays into a device that lets it
    // go; the seats' and the sound's remembered choices land in a folder of
    // the soak's own, so that a seed plays alike every time.
    setenv("ALSOFT_DRIVERS", "null", 0);
    QTemporaryDir config, data;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_DATA_HOME", data.path().toUtf8()); // the games kept, and the one left by "&Wyjdz"
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.contains(QStringLiteral("--memory")))
        return MeasureMemory();
    QStringList positional;
    long long eventLimit = 0;
    bool plantLeak = false;
    bool printTrail = false;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--events") && i + 1 < args.size())
            eventLimit = args[++i].toLongLong();
        else if (args[i] == QStringLiteral("--plant-leak"))
            plantLeak = true;
        else if (args[i] == QStringLiteral("--trail"))
            printTrail = true;
        else
            positional << args[i];
    }
    const int seconds = positional.size() > 0 ? positional[0].toInt() : 60;
    const quint32 seed = positional.size() > 1 ? positional[1].toUInt() : quint32(QDateTime::currentMSecsSinceEpoch());
    roundSeeds = seed;
    cTeren::seedClock = NextRoundSeed;
    brainSeeds = seed;
    ComputerHands::seedSource = NextBrainSeed;
    QRandomGenerator seatDice(seed);
    UseSeats(RandomSeats(seatDice));
    QApplication::setQuitOnLastWindowClosed(false); // "&Wyjdz" is followed by a fresh start

    Figures figures;
    Soak soak(seed, figures);
    soak.eventLimit = eventLimit;
    soak.Start();
    theApp.CreateWindows();
    soak.Watch(theApp.View());
    theApp.MainFrame()->resize(640, 300); // a small view keeps software GL quick
    PlantedLeak leak;
    if (plantLeak)
        qApp->installEventFilter(&leak);

    QElapsedTimer clock;
    clock.start();
    QTimer stop;
    QObject::connect(&stop, &QTimer::timeout, [&] {
        if (eventLimit == 0 && clock.elapsed() >= seconds * 1000LL && !QApplication::activeModalWidget()
            && !QApplication::activePopupWidget()) {
            soak.Stop();
            QApplication::quit();
        }
    });
    stop.start(100);
    QApplication::exec();
    soak.ReleaseWind();
    const quint32 endState = GameDigest(*theApp.Document());
    const bool gameRunning = theApp.View() && theApp.View()->GameInProgress();
    const GameRecord running = RecordOfGame(*theApp.Document(), false);
    theApp.ExitInstance();

    // Record and playback are one game: every game the soak played to its
    // results, and the one it left running, played again without a window,
    // meet every digest the live game recorded at its turns.
    std::vector<std::pair<QString, GameRecord>> records;
    if (gameRunning)
        records.emplace_back(QStringLiteral("the game left running"), running);
    for (const QString& name : QDir(RecordFolder()).entryList({QStringLiteral("*.tarnok")}, QDir::Files, QDir::Name)) {
        GameRecord kept;
        if (LoadRecord(RecordFolder() + QLatin1Char('/') + name, &kept) != RecordProblem::None)
            figures.findings << QStringLiteral("kept record %1 does not load").arg(name);
        else if (kept.finished)
            records.emplace_back(name, kept);
    }
    for (const auto& [name, record] : records) {
        const ReplayOutcome replay = ReplayUnseen(record);
        ++figures.recordsReplayed;
        figures.turnsReplayed += replay.turnsChecked;
        if (replay.divergedAt >= 0 || !replay.reachedEnd)
            figures.findings << QStringLiteral("%1 played again went apart at turn %2").arg(name).arg(replay.divergedAt);
        else if (record.finished && replay.endDigest != StateDigest(record.end))
            figures.findings << QStringLiteral("%1 played again ends in another state").arg(name);
    }

    // The trail of checkpoints, to compare two runs of one seed: equal
    // trails mean the same events met the same game all the way.
    quint32 trail = 0;
    for (const Figures::Checkpoint& c : figures.trail) {
        trail = trail * 31 + c.digest;
        if (printTrail)
            std::printf("checkpoint: %lld events, %lld frames, state %08x\n", c.events, c.frames, c.digest);
    }
    std::printf("at most %lld events without a round end and %lld frames in a turn; %lld fresh starts\n",
                figures.longestWithoutRoundEnd, figures.longestTurn, figures.restarts);
    std::printf("%lld saves loaded again; %lld records played again unseen, %lld turn digests met\n",
                figures.savesLoaded, figures.recordsReplayed, figures.turnsReplayed);
    std::printf("%lld checkpoints every %lld events, trail %08x; end state %08x; %lld waits for a window given up\n",
                static_cast<long long>(figures.trail.size()), eventsPerCheckpoint, trail, endState,
                figures.waitsGivenUp);
    std::printf("seed %u, %d s: %lld events, %lld frames, %lld shots (%lld by the computer), %lld rounds, %lld games, "
                "%lld findings\n", seed, seconds, figures.events, figures.frames, figures.shots, figures.computerShots,
                figures.rounds, figures.games,
                static_cast<long long>(figures.findings.size()));
    for (const QString& f : figures.findings)
        std::printf("  %s\n", qPrintable(f));
    return figures.findings.isEmpty() ? 0 : 1;
}
