// Games kept as records, in the running program: a game saved at the aiming
// screen, in a flight or in a computer's turn resumes with the digest it had;
// a game played to its results is kept, and played again unseen it meets
// every recorded digest; watched in the window it ends with the same
// results; a bad file leaves the running game as it was; closing the
// window keeps a game in progress.
#include "support/field.h"
#include "support/gameProgram.h"
#include "support/modalScript.h"
#include "support/recordDamage.h"
#include "support/waitFor.h"

#include "app/MainFrm.h"
#include "app/gameFiles.h"
#include "app/krat.h"
#include "doc/kratDoc.h"
#include "record/recordFolder.h"
#include "record/stateDigest.h"
#include "res/resource.h"
#include "view/computerHands.h"
#include "view/gameInputs.h"
#include "view/gameSnapshots.h"
#include "view/gameState.h"
#include "view/kratView.h"
#include "view/recordPlayer.h"
#include "view/savedGames.h"
#include "view/seats.h"
#include "view/unseenReplay.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <random>

namespace {

// What the status bar shows, pane by pane.
QStringList PaneTexts(CMainFrame* frame)
{
    QStringList texts;
    for (int i = 1; i <= 10; ++i)
        texts << frame->Pane(i)->text();
    return texts;
}

// The game saved to path, as the file's bytes (empty if it could not be).
QByteArray SavedBytes(const CKratDoc& doc, const QString& path)
{
    QFile file(path);
    if (!SaveGame(path, doc) || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Keys through the game's own way in, a few wind ticks between them.
void AimWithTicks(CKratView* view, int keys)
{
    const Qt::Key aims[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Plus, Qt::Key_Right};
    for (int i = 0; i < keys; ++i) {
        QTest::keyClick(view, aims[i % 5]);
        if (i % 3 == 0) {
            QVERIFY(DrawNextFrame(view)); // a tick is served only with no frame pending
            view->OnTimer(ID_TIMER_WIND);
        }
    }
}

void SetSeats(CKratView* view, std::initializer_list<int> choices)
{
    SeatsInput input;
    int slot = 0;
    for (int c : choices)
        input.choice[slot++] = c;
    view->Give(input);
}

} // namespace

class SavedGamesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataHome;

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    }

    void cleanup()
    {
        for (Seat& seat : seats)
            seat = Seat::Person();
        QDir(RecordFolder()).removeRecursively();
    }

    void aGameSavedAtTheAimingScreenResumesAsItWas()
    {
        GameProgram program(3, 2);
        CKratView* view = program.View();
        AimWithTicks(view, 7);
        camYaw[currentPlayer] = 25; // a camera of the player's own, kept too
        WaitUntilIdle();
        const QString path = dataHome.filePath("aiming.tarnok");
        QVERIFY(SaveGame(path, *program.Doc()));
        const std::uint32_t atSaving = GameDigest(*program.Doc());
        const QStringList panes = PaneTexts(program.Frame());
        const int player = currentPlayer, heading = tanks[player].heading, power = tanks[player].power;

        ShootSelf(view);
        QVERIFY(WaitForTurnEnd());
        QVERIFY(GameDigest(*program.Doc()) != atSaving);
        ModalScript script;
        QVERIFY(OpenRecord(program.Frame(), path, *program.Doc(), *view, false));
        QCOMPARE(GameDigest(*program.Doc()), atSaving);
        QCOMPARE(currentPlayer, player);
        QCOMPARE(tanks[player].heading, heading);
        QCOMPARE(tanks[player].power, power);
        QCOMPARE(camYaw[player], 25);
        WaitUntilIdle();
        QCOMPARE(PaneTexts(program.Frame()), panes);
        QCOMPARE(script.seenTitles, QStringList()); // no message on the way
        // And the game goes on from there: the turn is the player's to shoot.
        ShootSelf(view);
        QVERIFY(WaitForTurnEnd());
        QVERIFY(currentPlayer != player);
        QVERIFY(program.broken.isEmpty());
    }

    // A flight saved half way lands, after loading, where it would have landed.
    void aGameSavedInAFlightGoesOnFromItsStep()
    {
        GameProgram program(2, 2);
        CKratView* view = program.View();
        // A steep shot over a flat field: a long flight, and nobody in its way.
        LevelTheField(0);
        tanks[0].Place(20, 0, 20);
        tanks[1].Place(80, 0, 80);
        AimAndFire(view, 0, 80, 60);
        QVERIFY(WaitUntil([] { return tanks[0].flightStep >= 5; }));
        QVERIFY(tanks[0].inFlight);
        const int step = tanks[0].flightStep;
        const QString path = dataHome.filePath("flight.tarnok");
        QVERIFY(SaveGame(path, *program.Doc()));
        const std::uint32_t atSaving = GameDigest(*program.Doc());
        QVERIFY(WaitForTurnEnd());
        const std::uint32_t afterLanding = GameDigest(*program.Doc());

        QVERIFY(OpenRecord(program.Frame(), path, *program.Doc(), *view, false));
        QCOMPARE(tanks[0].flightStep, step);
        QCOMPARE(GameDigest(*program.Doc()), atSaving);
        QVERIFY(WaitForTurnEnd());
        QCOMPARE(GameDigest(*program.Doc()), afterLanding);
    }

    void aComputersTurnGoesOnFromWhereItsBarrelStands()
    {
        GameProgram program(2, 2);
        CKratView* view = program.View();
        SetSeats(view, {2, 0}); // the computer takes player 1's open turn
        ComputerHands& hands = view->Hands();
        QVERIFY(hands.IsPlaying());
        QVERIFY(WaitUntil([&] { return hands.HasAim(); }, 30000));
        for (int i = 0; i < 20 && !hands.HasFired(); ++i)
            hands.OnTick();
        QVERIFY(!hands.HasFired());
        const int heading = tanks[0].heading;
        const QString path = dataHome.filePath("computer.tarnok");
        QVERIFY(SaveGame(path, *program.Doc()));
        const std::uint32_t atSaving = GameDigest(*program.Doc());
        SetSeats(view, {0, 0});
        ShootSelf(view);
        QVERIFY(WaitForTurnEnd());

        QVERIFY(OpenRecord(program.Frame(), path, *program.Doc(), *view, false));
        QCOMPARE(GameDigest(*program.Doc()), atSaving);
        QVERIFY(seats[0].PlaysByItself()); // the seats came back with the game
        QCOMPARE(tanks[0].heading, heading);
        QVERIFY(hands.IsPlaying());
        QVERIFY(DriveHandsUntilFired(view));
        QVERIFY(WaitForTurnEnd());
        QCOMPARE(currentPlayer, 1);
    }

    // A person and the computer play two rounds; the kept record played again
    // unseen meets the recorded digest at every turn start, and one digest
    // changed in the record is found at its turn.
    void aGamePlayedToItsResultsIsKeptAndPlaysBackTurnForTurn()
    {
        QString results;
        GameRecord record;
        {
            GameProgram program(2, 2);
            CKratView* view = program.View();
            SetSeats(view, {0, 3});
            ModalScript script;
            AnswerEveryModal(script);
            int turns = 0;
            while (program.Doc()->newGamePending == 0 && turns < 40) {
                ++turns;
                if (seats[currentPlayer].PlaysByItself()) {
                    QVERIFY(DriveHandsUntilFired(view));
                } else {
                    AimWithTicks(view, turns % 4);
                    ShootSelf(view);
                }
                QVERIFY(WaitUntil([&] { return !tanks[currentPlayer].inFlight || program.Doc()->newGamePending; }, 60000));
                QVERIFY(WaitForTurnEnd());
                if (script.seenTexts.filter(QStringLiteral("Wyniki")).size() > 0)
                    break;
            }
            const QStringList seen = script.seenTexts.filter(QStringLiteral("Wyniki"));
            QCOMPARE(seen.size(), 1);
            results = seen.first();
            QVERIFY(program.broken.isEmpty());
        }
        const QStringList kept = QDir(RecordFolder()).entryList({QStringLiteral("*.tarnok")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(int(LoadRecord(RecordFolder() + QLatin1Char('/') + kept.first(), &record)), int(RecordProblem::None));
        QVERIFY(record.finished);
        int turnStarts = 0;
        for (const Input& input : record.stream)
            turnStarts += std::holds_alternative<TurnStartInput>(input.body) ? 1 : 0;
        QVERIFY(turnStarts >= 3);

        const ReplayOutcome replay = ReplayUnseen(record);
        QCOMPARE(replay.divergedAt, -1);
        QVERIFY(replay.reachedEnd);
        QCOMPARE(replay.turnsChecked, turnStarts);
        QCOMPARE(replay.endDigest, StateDigest(record.end));

        // A record that went its own way at turn 3 is caught there.
        GameRecord spoilt = record;
        for (Input& input : spoilt.stream)
            if (auto* start = std::get_if<TurnStartInput>(&input.body); start && input.stamp.turn == 2)
                start->digest ^= 1;
        QCOMPARE(ReplayUnseen(spoilt).divergedAt, 2);

        // Watched in the window, at eight times the pace, it ends with the
        // results it had.
        GameProgram program(2, 1);
        ModalScript script;
        AnswerEveryModal(script);
        QString purchases; // what the status bar is given to show after the round end
        QObject::connect(program.View(), &CKratView::frameDrawn, program.View(), [&] {
            if (purchases.isEmpty())
                purchases = program.View()->RecordedPurchases();
        });
        program.View()->WatchRecord(record);
        QVERIFY(DrawNextFrame(program.View()));
        QVERIFY(program.View()->IsWatching());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(program.View(), Qt::Key_P);
        QCOMPARE(program.View()->Player().Pace(), 8);
        WaitUntilIdle();
        QVERIFY(program.Frame()->Pane(0)->text().startsWith(QStringLiteral("Odtwarzanie zapisu, tempo 8×")));
        QVERIFY(WaitUntil([&] { return script.seenTexts.filter(QStringLiteral("Wyniki")).size() == 1; }, 120000));
        QCOMPARE(script.seenTexts.filter(QStringLiteral("Wyniki")).first(), results);
        // The person left the shop with nothing (Escape); the computer's buys are its own.
        QVERIFY2(purchases.startsWith(QStringLiteral("gracz 1 kupił małych 0, średnich 0, dużych 0; gracz 2 kupił")),
                 qPrintable(purchases));
        QCOMPARE(gameInputs.DivergedAt(), -1);
        // A watched game is not kept again.
        QCOMPARE(QDir(RecordFolder()).entryList({QStringLiteral("*.tarnok")}, QDir::Files).size(), 1);
    }

    // Saved at the aiming screen, resumed, and played on to the results: the
    // record kept holds the whole game, and played again from its start it
    // meets every turn's digest, those after the resumption too.
    void aResumedGameKeepsRecordingSoItsRecordHoldsTheWholeGame()
    {
        const QString path = dataHome.filePath("resumed.tarnok");
        {
            GameProgram program(2, 1);
            CKratView* view = program.View();
            AimWithTicks(view, 4);
            if (!ShootAway(view))
                ShootSelf(view);
            QVERIFY(WaitForTurnEnd());
            AimWithTicks(view, 3);
            QVERIFY(SaveGame(path, *program.Doc()));
        }
        ModalScript script;
        AnswerEveryModal(script);
        GameProgram program(2, 1);
        CKratView* view = program.View();
        QVERIFY(OpenRecord(program.Frame(), path, *program.Doc(), *view, false));
        for (int shot = 0; shot < 6 && script.seenTexts.filter(QStringLiteral("Wyniki")).isEmpty(); ++shot) {
            view->OnTimer(ID_TIMER_WIND); // ticks after the resumption draw on the restored generator
            ShootSelf(view);
            QVERIFY(WaitUntil([&] { return !script.seenTexts.filter(QStringLiteral("Wyniki")).isEmpty() || (shotFired == 0 && !tanks[currentPlayer].inFlight && !view->IsRoundEndQueued()); }, 60000));
        }
        QVERIFY(!script.seenTexts.filter(QStringLiteral("Wyniki")).isEmpty());
        const QStringList kept = QDir(RecordFolder()).entryList({QStringLiteral("2*.tarnok")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        GameRecord record;
        QCOMPARE(int(LoadRecord(RecordFolder() + QLatin1Char('/') + kept.first(), &record)), int(RecordProblem::None));
        GameRecord saved;
        QCOMPARE(int(LoadRecord(path, &saved)), int(RecordProblem::None));
        QVERIFY(record.stream.size() > saved.stream.size());
        const ReplayOutcome replay = ReplayUnseen(record);
        QCOMPARE(replay.divergedAt, -1);
        QVERIFY(replay.reachedEnd);
        QVERIFY(replay.turnsChecked > saved.end.turn + 1);
    }

    // Watching: a record gone its own way stops with the message naming its
    // turn; Ctrl+N ends the watching and starts a game of one's own.
    void aWatchedRecordThatGoesApartStopsAndCtrlNEndsTheWatching()
    {
        const QString path = dataHome.filePath("watched.tarnok");
        {
            GameProgram program(2, 3);
            CKratView* view = program.View();
            for (int turn = 0; turn < 3; ++turn) {
                AimWithTicks(view, 2 + turn);
                QVERIFY(ShootAway(view));
                QVERIFY(WaitForTurnEnd());
            }
            QVERIFY(SaveGame(path, *program.Doc()));
        }
        GameRecord record;
        QCOMPARE(int(LoadRecord(path, &record)), int(RecordProblem::None));
        for (Input& input : record.stream)
            if (auto* start = std::get_if<TurnStartInput>(&input.body); start && input.stamp.turn == 2)
                start->digest += 1;
        ModalScript script;
        AnswerEveryModal(script);
        GameProgram program(2, 1);
        CKratView* view = program.View();
        view->WatchRecord(record);
        QVERIFY(DrawNextFrame(view));
        QTest::keyClick(view, Qt::Key_P);
        QTest::keyClick(view, Qt::Key_P); // four times the pace
        QVERIFY(WaitUntil([&] { return !script.seenTexts.filter(QStringLiteral("Powtórka")).isEmpty(); }, 120000));
        QCOMPARE(script.seenTexts.filter(QStringLiteral("Powtórka")).first(),
                 QStringLiteral("Powtórka rozeszła się z zapisem w turze 3.\nOdtwarzanie przerwano."));
        QCOMPARE(gameInputs.DivergedAt(), 2);
        QVERIFY(!view->IsWatching());
        QVERIFY(WaitForTurnEnd()); // the new-game dialog followed, and its game began
        QVERIFY(gameInputs.GameRuns());
        QCOMPARE(gameInputs.DivergedAt(), -1); // the players' own game: its shops open as ever

        // The same record made right again, watched, and left with Ctrl+N.
        GameRecord good;
        QCOMPARE(int(LoadRecord(path, &good)), int(RecordProblem::None));
        view->WatchRecord(good);
        QVERIFY(DrawNextFrame(view));
        QVERIFY(view->IsWatching());
        QTest::keyClick(program.Frame()->windowHandle(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(WaitForTurnEnd());
        QVERIFY(!view->IsWatching());
        QVERIFY(gameInputs.GameRuns());
        QVERIFY(view->PersonsInputActs()); // the keys are the players' again
    }

    void aBadFileIsRefusedWithItsMessageAndTheGameStaysAsItWas()
    {
        GameProgram program(4, 3);
        CKratView* view = program.View();
        AimWithTicks(view, 5);
        const QByteArray bytes = SavedBytes(*program.Doc(), dataHome.filePath("good.tarnok"));
        QVERIFY(!bytes.isEmpty());
        AimWithTicks(view, 4); // the game moves on from what was saved
        const GameSnapshot before = TakeSnapshot(*program.Doc());

        struct Bad {
            const char* name;
            QByteArray contents;
            const char* message;
        };
        QByteArray newer = bytes;
        newer[9] = char(newer[9] + 1);
        QByteArray flipped = bytes;
        flipped[bytes.size() - 3] = char(flipped[bytes.size() - 3] ^ 4);
        const Bad bad[] = {
            {"notes.tarnok", "gracz 1 wygrał", "nie jest zapisaną grą Tarnok 3D"},
            {"cut.tarnok", bytes.left(bytes.size() / 2), "jest niepełny"},
            {"flipped.tarnok", flipped, "jest uszkodzony"},
            {"newer.tarnok", newer, "zapisała nowsza wersja gry"},
        };
        for (const Bad& b : bad) {
            QFile out(dataHome.filePath(b.name));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(b.contents);
            out.close();
        }
        ModalScript script;
        AnswerEveryModal(script);
        for (const Bad& b : bad)
            QVERIFY(!OpenRecord(program.Frame(), dataHome.filePath(b.name), *program.Doc(), *view, false));
        QVERIFY(!OpenRecord(program.Frame(), dataHome.filePath("missing.tarnok"), *program.Doc(), *view, true));
        QCOMPARE(script.seenTitles, QStringList(5, QStringLiteral("Tarnok 3D")));
        for (int i = 0; i < 4; ++i)
            QVERIFY2(script.seenTexts[i].contains(QString::fromUtf8(bad[i].message)), qPrintable(script.seenTexts[i]));
        QVERIFY(script.seenTexts[4].contains(QStringLiteral("Nie można odczytać pliku „missing.tarnok”")));
        const GameSnapshot after = TakeSnapshot(*program.Doc());
        QCOMPARE(StateDigest(after), StateDigest(before));
        QCOMPARE(std::memcmp(after.cameras, before.cameras, sizeof after.cameras), 0);
        QCOMPARE(after.shownPower, before.shownPower);
        QVERIFY(gameInputs.GameRuns() && !gameInputs.Playing());
    }

    // Random bit flips and cut-off tails of a saved game, loaded into the
    // running game: refused ones leave it exactly as it was, and whatever is
    // let through keeps every rule of the game and plays on.
    void noDamagedFileBreaksTheGameOrChangesItWhenRefused()
    {
        GameProgram program(8, 5);
        CKratView* view = program.View();
        AimWithTicks(view, 6);
        const QByteArray bytes = SavedBytes(*program.Doc(), dataHome.filePath("fuzz-good.tarnok"));
        QVERIFY(!bytes.isEmpty());
        ModalScript script;
        AnswerEveryModal(script);
        static QtMessageHandler previous = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& m) {
            if (!m.startsWith(QLatin1String("qUncompress"))) // zlib refusing a payload, said each time
                previous(t, c, m);
        });
        std::mt19937 random(29);
        const QString path = dataHome.filePath("fuzz.tarnok");
        int refused = 0, loaded = 0;
        for (int round = 0; round < 150; ++round) {
            const QByteArray spoilt = DamagedRecord(bytes, random);
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(spoilt);
            out.close();
            const GameSnapshot before = TakeSnapshot(*program.Doc());
            if (!OpenRecord(program.Frame(), path, *program.Doc(), *view, false)) {
                ++refused;
                const GameSnapshot after = TakeSnapshot(*program.Doc());
                QCOMPARE(StateDigest(after), StateDigest(before));
                QCOMPARE(std::memcmp(after.cameras, before.cameras, sizeof after.cameras), 0);
                continue;
            }
            ++loaded;
            QVERIFY(DrawNextFrame(view));
            QVERIFY2(program.broken.isEmpty(), qPrintable(program.broken.join('\n')));
        }
        qInstallMessageHandler(previous);
        qInfo("%d refused, %d loaded", refused, loaded);
        QVERIFY(refused > 0 && loaded > 0); // both ways met
        QCOMPARE(script.seenTitles.size(), refused); // one message for each refusal
    }

    void closingTheWindowKeepsAGameInProgressInOstatnia()
    {
        std::uint32_t atClosing = 0;
        {
            GameProgram program(2, 3);
            AimWithTicks(program.View(), 6);
            atClosing = GameDigest(*program.Doc());
            program.Frame()->close();
        }
        GameRecord record;
        QCOMPARE(int(LoadRecord(LastGamePath(), &record)), int(RecordProblem::None));
        QVERIFY(!record.finished);
        QCOMPARE(StateDigest(record.end), atClosing);
    }
};

QTEST_MAIN(SavedGamesTest)
#include "tst_savedGames.moc"
