// Times the computer's turns in the real program, its timers running as in a
// game of four computers: how long a turn lasts from its start to the shot,
// how long the brain takes to answer (on its own thread), and the longest the
// user-interface thread spent in one tick of the hands.
//
//   tarnok_computer_turns [turns]      (default 40)
#include "app/MainFrm.h"
#include "app/krat.h"
#include "app/seatChoice.h"
#include "dialogs/Poczatek.h"
#include "view/computerHands.h"
#include "view/kratView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * (values.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication application(argc, argv);
    const int wanted = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;

    SeatList computers;
    const BrainLevel levels[] = {BrainLevel::Latwy, BrainLevel::Sredni, BrainLevel::Trudny, BrainLevel::Mistrz};
    for (int slot = 0; slot < MAX_PLAYERS; ++slot)
        computers[slot] = Seat::Computer(levels[slot % 4]);
    UseSeats(computers);

    // Every dialog is answered at once: 4 players and 20 rounds, shops and messages closed.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* newGame = qobject_cast<CPoczatek*>(modal)) {
            newGame->m_players = QStringLiteral("4");
            newGame->m_rounds = QStringLiteral("20");
            newGame->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    });
    answer.start(5);
    theApp.CreateWindows();
    theApp.MainFrame()->resize(640, 400);
    ComputerHands& hands = theApp.View()->Hands();

    // The hands' own timer is replaced by one of the same period whose ticks are timed.
    QTimer* own = hands.findChild<QTimer*>(QStringLiteral("handsTimer"));
    const QSignalBlocker held(own);
    std::vector<double> turns, answers, ticks;
    QElapsedTimer turnClock, answerClock;
    bool inTurn = false, answered = false;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (hands.IsPlaying() && !inTurn) {
            inTurn = true;
            answered = false;
            turnClock.start();
            answerClock.start();
        }
        if (inTurn && !answered && hands.HasAim()) {
            answered = true;
            answers.push_back(answerClock.nsecsElapsed() / 1e6);
        }
        QElapsedTimer one;
        one.start();
        hands.OnTick();
        ticks.push_back(one.nsecsElapsed() / 1e6);
        if (inTurn && hands.HasFired()) {
            inTurn = false;
            turns.push_back(turnClock.nsecsElapsed() / 1e6);
            if (static_cast<int>(turns.size()) >= wanted)
                QApplication::quit();
        }
    });
    tick.start(ComputerHands::TICK_MS);
    QApplication::exec();
    theApp.ExitInstance();

    std::printf("%zu computer turns (4 players, levels in turn): start to shot p50 %.0f ms, min %.0f, max %.0f\n",
                turns.size(), Percentile(turns, 0.5), Percentile(turns, 0), Percentile(turns, 1));
    std::printf("brain's answer seen after p50 %.0f ms, max %.0f (one tick is %d ms)\n", Percentile(answers, 0.5),
                Percentile(answers, 1), ComputerHands::TICK_MS);
    std::printf("user-interface thread in one tick of the hands: p99 %.3f ms, max %.3f ms over %zu ticks\n",
                Percentile(ticks, 0.99), Percentile(ticks, 1), ticks.size());
    return 0;
}
