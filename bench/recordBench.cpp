// Record benchmark: what keeping the game's inputs costs a flight's frame
// (recording on and off, a command given at every frame), how long saving and
// loading an eight-player game take, and how fast a game of computers, played
// at their own pace in the window, plays back unseen against the time it took.
// Prints medians; asserts nothing.
#include "app/MainFrm.h"
#include "app/gameFiles.h"
#include "app/krat.h"
#include "doc/kratDoc.h"
#include "record/recordFolder.h"
#include "res/resource.h"
#include "view/gameInputs.h"
#include "view/gameState.h"
#include "view/kratView.h"
#include "view/savedGames.h"
#include "view/seats.h"
#include "view/unseenReplay.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Settle(int ms)
{
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Every dialog is answered at once: the new-game dialog with its numbers,
// the shops and the results with OK.
void AnswerDialogs(QTimer& answer)
{
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    answer.start(20);
}

void StartGame(int players, int rounds)
{
    theApp.CreateWindows();
    theApp.MainFrame()->resize(640, 480);
    theApp.MainFrame()->show();
    theApp.Document()->newGameDialog.m_players = QString::number(players);
    theApp.Document()->newGameDialog.m_rounds = QString::number(rounds);
    theApp.Document()->newGamePending = 1;
    theApp.View()->RequestFrame();
    Settle(1000);
}

// A shell straight up at full power, the power changed at every frame of its
// flight (as a player bending it would): CPU per frame, medians of three.
double FlightCpuMsPerFrame(bool recording)
{
    gameInputs.recording = recording;
    CKratView* view = theApp.View();
    std::vector<double> perFrame;
    for (int shot = 0; shot < 3; ++shot) {
        tanks[currentPlayer].elevation = 90;
        tanks[currentPlayer].power = 100;
        int flip = 0;
        const QMetaObject::Connection bend = QObject::connect(view, &CKratView::frameDrawn, view, [&] {
            if (tanks[currentPlayer].inFlight)
                view->Give(TankCommandInput{++flip % 2 ? ID_POWER_DOWN : ID_POWER_UP});
        });
        const long long before = view->FrameCount();
        const std::clock_t cpu = std::clock();
        view->Give(TankCommandInput{ID_FIRE});
        while (shotFired || view->IsRoundEndQueued())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        QObject::disconnect(bend);
        const long long frames = std::max(1LL, view->FrameCount() - before);
        perFrame.push_back(1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC / double(frames));
        for (int i = 0; i < playerCount; ++i)
            tanks[i].energy = 100; // keep the round going
    }
    gameInputs.recording = true;
    return Median(perFrame);
}

void MeasureSavingAndLoading()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("osiem.tarnok");
    std::vector<double> save, load;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        SaveGame(path, *theApp.Document());
        save.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        OpenRecord(theApp.MainFrame(), path, *theApp.Document(), *theApp.View(), false);
        load.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("saving an 8-player game (%zu inputs, %lld bytes): %.2f ms; loading it: %.2f ms\n",
                gameInputs.Stream().size(), static_cast<long long>(QFileInfo(path).size()), Median(save), Median(load));
}

// Computers alone, at their own pace: the time from the first frame to the
// results, and the kept record played again unseen.
void MeasurePlayback()
{
    for (Seat& seat : seats)
        seat = Seat::Computer(BrainLevel::Sredni);
    QElapsedTimer live;
    live.start();
    StartGame(3, 2);
    QDir folder(RecordFolder());
    while (folder.entryList({QStringLiteral("2*.tarnok")}, QDir::Files).isEmpty() && live.elapsed() < 600000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const double liveSeconds = live.elapsed() / 1000.0;
    theApp.ExitInstance();
    const QStringList kept = folder.entryList({QStringLiteral("2*.tarnok")}, QDir::Files);
    GameRecord record;
    if (kept.isEmpty() || LoadRecord(folder.filePath(kept.first()), &record) != RecordProblem::None) {
        std::printf("playback: the game of computers was not kept\n");
        return;
    }
    std::vector<double> replay;
    ReplayOutcome outcome;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        outcome = ReplayUnseen(record);
        replay.push_back(t.nsecsElapsed() / 1e9);
    }
    std::printf("a game of 3 computers and 2 rounds, %d turns, %lld frames: played in %.1f s, played back unseen "
                "in %.1f ms (%.0fx real time)%s\n",
                outcome.turnsChecked, outcome.frames, liveSeconds, Median(replay) * 1000, liveSeconds / Median(replay),
                outcome.divergedAt >= 0 ? ", DIVERGED" : "");
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication application(argc, argv);
    InitResources();
    QTimer answer;
    AnswerDialogs(answer);
    theApp.Sound()->SetEnabled(false);
    if (argc > 1 && qstrcmp(argv[1], "--playback") == 0) {
        MeasurePlayback();
        return 0;
    }

    StartGame(8, 20);
    const double on = FlightCpuMsPerFrame(true);
    const double off = FlightCpuMsPerFrame(false);
    std::printf("flight frame, 8 players, a command every frame: %.3f ms CPU recording, %.3f ms not recording\n", on,
                off);
    // More turns for the record to hold: every player shoots once more.
    for (int i = 0; i < 24; ++i)
        FlightCpuMsPerFrame(true);
    MeasureSavingAndLoading();
    theApp.ExitInstance();
    MeasurePlayback();
    return 0;
}
