// Playing against the computer in the real program: the seats' dialog and its
// effect in the middle of a turn, the person's input held off the computer's
// tank, the hands waiting behind dialogs and leaving nothing behind a new
// game, the computers' shop visits, and the C library's generator untouched.
// The hands' timer is held still; every tick here is the test's own.
#include "support/gameProgram.h"
#include "support/modalScript.h"
#include "support/waitFor.h"

#include "ai/shopping.h"
#include "app/MainFrm.h"
#include "app/krat.h"
#include "app/seatChoice.h"
#include "doc/kratDoc.h"
#include "dialogs/ComputerPlayers.h"
#include "dialogs/Poczatek.h"
#include "dialogs/Sklepik.h"
#include "res/resource.h"
#include "view/computerHands.h"
#include "view/gameState.h"
#include "view/kratView.h"
#include "view/seats.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

namespace {

struct Barrel {
    int heading, elevation, power;
    bool operator==(const Barrel& o) const
    {
        return heading == o.heading && elevation == o.elevation && power == o.power;
    }
};

Barrel BarrelOf(const cCzolg& tank)
{
    return {tank.heading, tank.elevation, tank.power};
}

char* toString(const Barrel& b)
{
    return QTest::toString(QStringLiteral("heading %1, elevation %2, power %3").arg(b.heading).arg(b.elevation).arg(b.power));
}

void AllPersons()
{
    UseSeats(SeatList{});
}

// Picks a row's item with the keys, as a person would: the list's first item, then Down.
void ChooseRow(CComputerPlayers* dialog, int seat, int choice)
{
    QComboBox* list = dialog->Choice(seat);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < choice; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// Opens "Gracze komputerowi..." from the menu's command, sets the rows and ends with the key.
void ChooseSeats(CMainFrame* frame, const QList<QPair<int, int>>& rows, Qt::Key ending = Qt::Key_Return)
{
    ModalScript script;
    script.Then([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<CComputerPlayers*>(modal))
            for (const auto& row : rows)
                ChooseRow(dialog, row.first, row.second);
        PressKey(modal, ending);
    });
    frame->Command(ID_GAME_COMPUTER)->trigger();
    QVERIFY(script.Done());
}

void AnswerShopsAndMessages(ModalScript& script)
{
    script.Otherwise([](QWidget* modal) {
        if (qobject_cast<CPoczatek*>(modal))
            AnswerNewGame(modal, 2, 3);
        else if (qobject_cast<CSklepik*>(modal))
            PressKey(modal, Qt::Key_Escape);
        else
            PressKey(modal, Qt::Key_Return);
    });
}

// The ticks that make the hands' first step: the pause, then one step.
bool TickUntilTheBarrelMoves(ComputerHands& hands, const cCzolg& tank)
{
    const Barrel before = BarrelOf(tank);
    for (int i = 0; i < 200; ++i) {
        if (!WaitUntil([&] { return hands.HasAim(); }, 30000))
            return false;
        hands.OnTick();
        if (!(BarrelOf(tank) == before))
            return true;
    }
    return false;
}

// The person on turn points the barrel straight up at power 0, a shell that
// falls back onto his own tank, then gives his seat to the computer at the
// level (the dialog's item): no aim the computer takes is that one, so its
// hands have at least one step to make from there.
void AimAtSelfThenGiveTheSeat(CMainFrame* frame, CKratView* view, int choice)
{
    while (tanks[currentPlayer].elevation < 90)
        QTest::keyClick(view, Qt::Key_Up);
    while (tanks[currentPlayer].power > 0)
        QTest::keyClick(view, Qt::Key_Minus);
    ChooseSeats(frame, {{currentPlayer, choice}});
}

unsigned FixedSeed()
{
    return 4242;
}

} // namespace

class ComputerPlayersTest : public QObject {
    Q_OBJECT

    QTemporaryDir config;

private slots:
    void initTestCase()
    {
        // The remembered choice goes to a folder of the test's own.
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }

    void init() { AllPersons(); }
    void cleanup() { AllPersons(); }

    // OK takes the rows, also those beyond the game's players, and remembers
    // them; Escape, "Anuluj" and the close box change nothing.
    void theDialogsChoiceBecomesTheRunsAndIsRemembered()
    {
        GameProgram program(2, 1);
        ChooseSeats(program.Frame(), {{1, 4}, {5, 1}});
        QVERIFY(seats[0] == Seat::Person());
        QVERIFY(seats[1] == Seat::Computer(BrainLevel::Mistrz));
        QVERIFY(seats[5] == Seat::Computer(BrainLevel::Latwy));
        const SeatList remembered = LoadSeats();
        QVERIFY(remembered[1] == Seat::Computer(BrainLevel::Mistrz) && remembered[5] == Seat::Computer(BrainLevel::Latwy));
        QVERIFY(remembered[0] == Seat::Person() && remembered[7] == Seat::Person());

        ChooseSeats(program.Frame(), {{1, 0}, {2, 3}}, Qt::Key_Escape);
        QVERIFY(seats[1] == Seat::Computer(BrainLevel::Mistrz));
        QVERIFY(seats[2] == Seat::Person());

        ModalScript script;
        int shownAtOpening = -1;
        script.Then([&](QWidget* modal) {
            auto* dialog = static_cast<CComputerPlayers*>(modal);
            shownAtOpening = dialog->Choice(1)->currentIndex();
            ChooseRow(dialog, 1, 0);
            QTest::mouseClick(dialog->Control(IDCANCEL), Qt::LeftButton);
        });
        script.Then([](QWidget* modal) {
            ChooseRow(static_cast<CComputerPlayers*>(modal), 1, 2);
            modal->close(); // the close box
        });
        program.Frame()->Command(ID_GAME_COMPUTER)->trigger();
        program.Frame()->Command(ID_GAME_COMPUTER)->trigger();
        QVERIFY(script.Done());
        QCOMPARE(shownAtOpening, 4); // it opens with the run's choice
        QVERIFY(seats[1] == Seat::Computer(BrainLevel::Mistrz));
        QVERIFY(LoadSeats()[1] == Seat::Computer(BrainLevel::Mistrz));
    }

    void aDamagedSettingsFileMakesEverySeatAPersons()
    {
        {
            QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tarnok3d"),
                               QStringLiteral("tarnok3d"));
            QFile file(settings.fileName());
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("[komputer]\ngracz1=mistrz\ngracz2=\"unclosed\n\x01\x02[[[\ngracz3=trudny\xff\xfe\n");
        }
        const SeatList loaded = LoadSeats();
        for (const Seat& seat : loaded)
            QVERIFY(seat.kind == Seat::Kind::Person || seat == Seat::Computer(BrainLevel::Mistrz));
        QFile::remove(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tarnok3d"),
                                QStringLiteral("tarnok3d")).fileName());
        for (const Seat& seat : LoadSeats())
            QVERIFY(seat == Seat::Person());
    }

    void theCommandLinesListReadsSeatsAndLevels()
    {
        const std::optional<SeatList> list = ReadComputerList("2:trudny,3,4:mistrz,8:łatwy,1:średni");
        QVERIFY(list);
        QVERIFY((*list)[1] == Seat::Computer(BrainLevel::Trudny));
        QVERIFY((*list)[2] == Seat::Computer(BrainLevel::Sredni));
        QVERIFY((*list)[3] == Seat::Computer(BrainLevel::Mistrz));
        QVERIFY((*list)[7] == Seat::Computer(BrainLevel::Latwy));
        QVERIFY((*list)[0] == Seat::Computer(BrainLevel::Sredni));
        QVERIFY((*list)[4] == Seat::Person());
        const std::optional<SeatList> none = ReadComputerList("brak");
        QVERIFY(none && (*none)[0] == Seat::Person() && (*none)[7] == Seat::Person());
        for (const char* bad : {"", "0", "9", "2,", ",2", "2:", "2:latwe", "2,2", "12", "2;3", "x", "2:trudny:3", "-1"})
            QVERIFY2(!ReadComputerList(bad), bad);
    }

    // A person's turn handed to the computer is played from where the barrel
    // stands; a computer's turn handed back stops at once and the keys act.
    void theChoiceTakesEffectInTheMiddleOfATurnBothWays()
    {
        GameProgram program(2, 3);
        ModalScript answers;
        AnswerShopsAndMessages(answers);
        CKratView* view = program.View();
        ComputerHands& hands = view->Hands();
        QTest::keyClick(view, Qt::Key_Left);
        QVERIFY(!hands.IsPlaying());

        AimAtSelfThenGiveTheSeat(program.Frame(), view, 2);
        QVERIFY(hands.IsPlaying());
        QCOMPARE(hands.Slot(), 0);
        QVERIFY(WaitUntil([&] { return hands.HasAim(); }, 30000));
        const Aim aim = hands.Target();
        QCOMPARE(((aim.heading - 5) % 5 + 5) % 5, 0); // on the grid the commands reach from 5, 90, 0
        QCOMPARE(aim.elevation % 5, 0);
        QCOMPARE(aim.power % 5, 0);
        QVERIFY(DriveHandsUntilFired(view));
        QCOMPARE(BarrelOf(tanks[0]), (Barrel{hands.Target().heading, hands.Target().elevation, hands.Target().power}));
        QCOMPARE(shotFired, 1);
        QCOMPARE(tanks[0].hasFired, 1);
        QVERIFY(WaitForTurnEnd());

        // Player 2's turn goes to the computer and is taken back mid-aim.
        QCOMPARE(currentPlayer, 1);
        AimAtSelfThenGiveTheSeat(program.Frame(), view, 4);
        QVERIFY(TickUntilTheBarrelMoves(hands, tanks[1]));
        ChooseSeats(program.Frame(), {{1, 0}});
        QVERIFY(!hands.IsPlaying());
        const Barrel stopped = BarrelOf(tanks[1]);
        for (int i = 0; i < 100; ++i)
            hands.OnTick();
        QCOMPARE(BarrelOf(tanks[1]), stopped);
        QCOMPARE(shotFired, 0);
        QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(tanks[1].power, std::min(stopped.power + 5, 100));
        QVERIFY2(program.broken.isEmpty(), qPrintable(program.broken.join('\n')));
    }

    // Aiming keys, +/-, Space, the toolbar's buttons and the bomb selector do
    // not touch the computer's tank; R, and the first pane's word, do work.
    void thePersonsInputDoesNotActOnAComputersTurn()
    {
        seats[0] = Seat::Computer(BrainLevel::Sredni);
        GameProgram program(2, 1);
        CKratView* view = program.View();
        CMainFrame* frame = program.Frame();
        QVERIFY(view->Hands().IsPlaying());
        tanks[0].stock[2] = 3;
        program.Doc()->tankSnapshot.stock[2] = 3;
        const Barrel start = BarrelOf(tanks[0]);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Plus, Qt::Key_Minus,
                            Qt::Key_Space})
            QTest::keyClick(view, key);
        QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);
        for (int id : {ID_BARREL_LEFT, ID_BARREL_RIGHT, ID_BARREL_UP, ID_BARREL_DOWN, ID_POWER_UP, ID_POWER_DOWN, ID_FIRE})
            frame->Command(id)->trigger();
        frame->m_bombSelector->setCurrentIndex(2);
        frame->OnBombSelChange();
        QCOMPARE(BarrelOf(tanks[0]), start);
        QCOMPARE(shotFired, 0);
        QCOMPARE(tanks[0].hasFired, 0);
        QCOMPARE(program.Doc()->GetSelectedWeapon(), 0);
        QCOMPARE(frame->m_bombSelector->currentIndex(), 0);
        QVERIFY(WaitUntil([&] { return frame->Pane(0)->text() == QStringLiteral("Gra komputer"); }));

        camPitch[0] = 10;
        QTest::keyClick(view, Qt::Key_R);
        QCOMPARE(camPitch[0], 60);

        QVERIFY(DriveHandsUntilFired(view));
        QVERIFY(WaitForTurnEnd());
        QCOMPARE(currentPlayer, 1); // player 2 is a person: "Ready" again, and the keys act
        QVERIFY(WaitUntil([&] { return frame->Pane(0)->text() == QStringLiteral("Ready"); }));
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(tanks[1].elevation, 5);
    }

    // While any dialog is open the hands do nothing, and go on when it closes.
    void aDialogOpenedMidAimHoldsTheComputersHands()
    {
        GameProgram program(2, 1);
        CKratView* view = program.View();
        ComputerHands& hands = view->Hands();
        AimAtSelfThenGiveTheSeat(program.Frame(), view, 3);
        QVERIFY(TickUntilTheBarrelMoves(hands, tanks[0]));
        ModalScript script;
        Barrel during{}, after{};
        int selectedDuring = -1, selectedAfter = -2, shotAfter = -1;
        script.Then([&](QWidget* modal) {
            during = BarrelOf(tanks[0]);
            selectedDuring = program.Doc()->GetSelectedWeapon();
            for (int i = 0; i < 300; ++i)
                hands.OnTick();
            after = BarrelOf(tanks[0]);
            selectedAfter = program.Doc()->GetSelectedWeapon();
            shotAfter = shotFired;
            PressKey(modal, Qt::Key_Escape);
        });
        program.Frame()->Command(ID_HELP_MANUAL)->trigger();
        QVERIFY(script.Done());
        QCOMPARE(after, during);
        QCOMPARE(selectedAfter, selectedDuring);
        QCOMPARE(shotAfter, 0);
        QVERIFY(hands.IsPlaying());
        QVERIFY(DriveHandsUntilFired(view));
        QCOMPARE(BarrelOf(tanks[0]), (Barrel{hands.Target().heading, hands.Target().elevation, hands.Target().power}));
    }

    // Ctrl+N in the middle of the computer's aiming: while the dialog is open
    // and until the new game starts nothing moves, and the new game's turn is
    // thought out afresh from the new field.
    void aNewGameMidAimLeavesNoStaleStep()
    {
        GameProgram program(2, 1);
        CKratView* view = program.View();
        ComputerHands& hands = view->Hands();
        AimAtSelfThenGiveTheSeat(program.Frame(), view, 1);
        QVERIFY(TickUntilTheBarrelMoves(hands, tanks[0]));
        ModalScript script;
        Barrel held{}, behindTheDialog{};
        script.Then([&](QWidget* modal) {
            held = BarrelOf(tanks[0]);
            for (int i = 0; i < 200; ++i)
                hands.OnTick();
            behindTheDialog = BarrelOf(tanks[0]);
            AnswerNewGame(modal, 3, 1);
        });
        program.Frame()->Command(ID_FILE_NEW)->trigger(); // what Ctrl+N and "&Nowa" do
        QVERIFY(script.Done());
        QCOMPARE(behindTheDialog, held);
        // The old game stands until the next frame starts the new one.
        if (program.Doc()->newGamePending) {
            for (int i = 0; i < 200; ++i)
                hands.OnTick();
            QCOMPARE(BarrelOf(tanks[0]), held);
            QCOMPARE(shotFired, 0);
        }
        QVERIFY(WaitUntil([&] { return program.Doc()->newGamePending == 0; }));
        QCOMPARE(playerCount, 3);
        QCOMPARE(BarrelOf(tanks[0]), (Barrel{0, 0, 50}));
        QVERIFY(hands.IsPlaying());
        QVERIFY(DriveHandsUntilFired(view));
        QCOMPARE(BarrelOf(tanks[0]), (Barrel{hands.Target().heading, hands.Target().elevation, hands.Target().power}));
        QVERIFY(WaitForTurnEnd());
        QVERIFY2(program.broken.isEmpty(), qPrintable(program.broken.join('\n')));
    }

    // Computers shop without a dialog, by their policy and the shop's prices;
    // the person between them still gets his visit.
    void computersShopWithoutADialogAndPersonsAsBefore()
    {
        seats[0] = Seat::Computer(BrainLevel::Mistrz);
        seats[2] = Seat::Computer(BrainLevel::Latwy);
        GameProgram program(3, 2);
        ModalScript script;
        AnswerShopsAndMessages(script);
        for (int i = 0; i < 3; ++i) {
            tanks[i].money = 3700 + i;
            tanks[i].stock[1] = tanks[i].stock[2] = tanks[i].stock[3] = 0;
        }
        // Round end without a shot: two tanks wrecked, player 1 wins the round.
        tanks[1].TakeDamage(-101);
        tanks[2].TakeDamage(-101);
        view()->Hands().Stop();
        shotFired = 1;
        view()->RequestFrame();
        QVERIFY(WaitForTurnEnd());
        QCOMPARE(script.seenTitles.count(QStringLiteral("Sklepik")), 1);
        QCOMPARE(tanks[1].money, 3701); // the person left with Escape: nothing bought
        const ShopPrices prices{200, 500, 1000};
        for (int slot : {0, 2}) {
            const int stock[4] = {999, 0, 0, 0};
            const Purchase expected = ChoosePurchase(seats[slot].level, 3700 + slot, stock, 1, prices);
            QCOMPARE(tanks[slot].money, 3700 + slot - CostOf(expected, prices));
            for (int kind = 1; kind < 4; ++kind)
                QCOMPARE(tanks[slot].stock[kind], expected.count[kind]);
            QVERIFY(tanks[slot].money >= 0);
        }
        QVERIFY(tanks[0].stock[3] > 0);  // "mistrz" buys large bombs
        QCOMPARE(tanks[2].stock[3], 0);   // "łatwy" only small ones
        QVERIFY(tanks[2].stock[1] > 0);
        QCOMPARE(currentPlayer, 0);
        QVERIFY(view()->Hands().IsPlaying()); // the new round's first turn is the computer's
    }

    void theShopPolicyNeverOverspendsNorBuysBelowZero()
    {
        const ShopPrices priceSets[] = {{200, 500, 1000}, {1, 1, 1}, {0, -5, 700}, {999999, 3, 2}, {-1, -1, -1}};
        const int stocks[][4] = {{999, 0, 0, 0}, {999, 40, 40, 40}, {999, -3, 0, 5}};
        for (BrainLevel level : {BrainLevel::Latwy, BrainLevel::Sredni, BrainLevel::Trudny, BrainLevel::Mistrz})
            for (const ShopPrices& prices : priceSets)
                for (const auto& stock : stocks)
                    for (int rounds : {0, 1, 2, 19})
                        for (int money = -500; money <= 40000; money += 173) {
                            const Purchase p = ChoosePurchase(level, money, stock, rounds, prices);
                            const QString where = QStringLiteral("level %1, money %2, rounds %3, prices %4/%5/%6")
                                                      .arg(int(level)).arg(money).arg(rounds)
                                                      .arg(prices.small).arg(prices.medium).arg(prices.large);
                            QVERIFY2(p.count[0] == 0, qPrintable(where));
                            for (int kind = 1; kind < 4; ++kind) {
                                QVERIFY2(p.count[kind] >= 0, qPrintable(where));
                                QVERIFY2(p.count[kind] == 0 || prices.Of(kind) > 0, qPrintable(where));
                            }
                            QVERIFY2(CostOf(p, prices) <= std::max(money, 0), qPrintable(where));
                            QVERIFY2(CostOf(p, prices) >= 0, qPrintable(where));
                        }
        // The stronger levels spend more of the same money.
        const int none[4] = {999, 0, 0, 0};
        const ShopPrices prices{200, 500, 1000};
        QVERIFY(CostOf(ChoosePurchase(BrainLevel::Latwy, 5000, none, 3, prices), prices)
                < CostOf(ChoosePurchase(BrainLevel::Trudny, 5000, none, 3, prices), prices));
    }

    // The computer's thinking and its hands never move the C library's
    // generator: after its turn, the next draws are those of an all-human
    // game of the same seed, where nothing has drawn since the round's set-up.
    void theCGeneratorIsDrawnAsInAnAllHumanGame()
    {
        unsigned (*clock)() = cTeren::seedClock;
        cTeren::seedClock = FixedSeed;
        QList<int> human, computer;
        {
            GameProgram program(2, 3);
            for (int i = 0; i < 6; ++i)
                human << std::rand();
        }
        seats[0] = Seat::Computer(BrainLevel::Mistrz);
        seats[1] = Seat::Computer(BrainLevel::Latwy);
        {
            GameProgram program(2, 3);
            ModalScript script;
            AnswerShopsAndMessages(script);
            for (int turn = 0; turn < 3; ++turn) {
                QVERIFY(DriveHandsUntilFired(program.View()));
                QVERIFY(WaitForTurnEnd());
            }
            for (int i = 0; i < 6; ++i)
                computer << std::rand();
        }
        cTeren::seedClock = clock;
        QCOMPARE(computer, human);
    }

private:
    static CKratView* view() { return theApp.View(); }
};

QTEST_MAIN(ComputerPlayersTest)
#include "tst_computerPlayers.moc"
