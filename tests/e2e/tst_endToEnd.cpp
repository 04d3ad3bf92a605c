// The real tarnok3d binary, played through X: keys and clicks by xdotool,
// observed only through window titles and screenshots.
#include "desktop.h"
#include "screen.h"

#include <QProcess>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Desktop;
using namespace Screen;

namespace {


struct Shot {
    int elevation, power;
    double error; // how far from the target the shell should land
};

// Firing solutions toward a target at the given horizontal distance, best
// first: the game's own flight steps (one per frame, (t * vy - t^2) / 40 up,
// power * cos e / 40 along) until the shell is within 0.5 of the target's
// ground. Wind (at most 0.0025 a step) and hills on the way are ignored; a
// steep shot clears the hills and falls nearly straight down, so an error in
// the heights read off the screen moves its landing point least.
std::vector<Shot> FiringSolutions(double distance, double shooterGround, double targetGround)
{
    std::vector<Shot> shots;
    for (int elevation = 55; elevation <= 80; elevation += 5)
        for (int power = 5; power <= 100; power += 5) {
            const double e = elevation * 3.141 / 180;
            const double y0 = shooterGround + 3 + 5 * std::sin(e), vy = power * std::sin(e);
            for (int t = 1; t < 2000; ++t)
                if (y0 + (t * vy - double(t) * t) / 40 - targetGround < 0.5) {
                    const double landed = 5 * std::cos(e) + t * power * std::cos(e) / 40;
                    shots.push_back({elevation, power, std::abs(landed - distance)});
                    break;
                }
        }
    std::sort(shots.begin(), shots.end(), [](const Shot& a, const Shot& b) { return a.error < b.error; });
    return shots;
}

QString MainWindow()
{
    const QStringList ids = Windows(mainTitle);
    return ids.isEmpty() ? QString() : ids.first();
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

    HeldDisplay held; // before the game starts, so that the display cannot reset under it
    QProcess game;
    QRect area; // the main window on the screen
    struct Aim {
        int heading = 0, elevation = 0, power = 50;
    } aims[2]; // what the test has set on each tank since the new game

    void FocusMain() { Focus(MainWindow()); }

    // Ctrl+N, then Enter in the new-game dialog: 2 players, 1 round.
    bool NewGameByKeys()
    {
        FocusMain();
        Keys({"ctrl+n"});
        return AnswerNewGame();
    }

    // One turn: the player's barrel and power brought to the given values with
    // the keys (Left adds 5 degrees, Up raises by 5, keypad + and - change the
    // power by 5), then Space. The game serves the keys in the order they
    // came, so the aim is set before the shell leaves. Calls watch with each
    // screenshot until the turn has passed; false if it never did.
    bool AimAndShoot(int player, int heading, int elevation, int power,
                     const std::function<void(const QImage&)>& watch = {})
    {
        Aim& aim = aims[player];
        QStringList keys;
        for (int turn = ((heading - aim.heading) % 360 + 360) % 360; turn > 0; turn -= 5)
            keys << "Left";
        for (int e = aim.elevation; e < elevation; e += 5)
            keys << "Up";
        for (int e = aim.elevation; e > elevation; e -= 5)
            keys << "Down";
        for (int p = aim.power; p < power; p += 5)
            keys << "KP_Add";
        for (int p = aim.power; p > power; p -= 5)
            keys << "KP_Subtract";
        aim = Aim{((heading % 360) + 360) % 360, elevation, power};
        FocusMain();
        Keys(keys << "space");
        // The turn has passed once the shooter is drawn in his plain colour
        // (the player on turn is white), or the results are up. A watched
        // shot ends no round (a hit leaves a tank 30 of its 100): its watch
        // looks only at the screen, as often as it can.
        bool (*plainShooter)(QColor) = player == 0 ? IsRed : IsBlue;
        const bool passed = QTest::qWaitFor([&] {
            const QImage shot = Screenshot();
            if (Count(shot, area, plainShooter) > 30)
                return true;
            if (watch) {
                watch(shot);
                return false;
            }
            return !Windows(messageTitle).isEmpty();
        }, stateTimeoutMs);
        if (!passed)
            qInfo("the turn of player %d did not pass", player + 1);
        return passed;
    }

    // A new game drawn: its field in place of the one shown before (a new
    // second gives a new field), player 1 on turn. The screenshot in *shot.
    bool NewFieldShown(const QImage& old, QImage* shot)
    {
        return QTest::qWaitFor([&] {
            *shot = Screenshot();
            return TerrainChanges(old, *shot, area) > area.width() * area.height() / 20 && Count(*shot, area, IsRed) == 0;
        }, stateTimeoutMs);
    }

    // New games until the start camera sees both tanks.
    bool NewGameWithBothTanksInSight()
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            QThread::msleep(1100); // a new second: a new field
            const QImage old = Screenshot();
            QImage shot;
            if (!NewGameByKeys() || !NewFieldShown(old, &shot))
                return false;
            if (Count(shot, area, IsHighlightedRed) > 30 && Count(shot, area, IsBlue) > 30)
                return true;
        }
        return false;
    }

    struct Landing {
        bool turnPassed = false;
        int pictures = 0;      // looked at between the shot and the turn passing
        int shellPictures = 0; // of them, those where the shell (or its crater) showed
        QImage after;          // the screen once the turn had passed
    };

    // The current player fires a high shot into a valley near his tank (a
    // crater shows best there: on a hill only its middle sinks); it stays in
    // the start camera's sight for most of its 40 to 70 frames. Every
    // screenshot until the turn passes is looked at, however slowly the
    // machine draws the flight: one frame of it is enough.
    Landing ShootIntoAValley(int player, const QImage& before)
    {
        const QRect view = ViewRect(before, area);
        const QPointF from = GroundPoint(Centroid(before, view, player == 0 ? IsHighlightedRed : IsHighlightedBlue), view);
        QPointF target(-1, -1);
        int greenest = 60;
        for (int y = view.top(); y < view.bottom(); y += 6)
            for (int x = view.left(); x < view.right(); x += 6) {
                const QColor c = before.pixelColor(x, y);
                const QPointF at = GroundPoint(QPoint(x, y), view);
                const double d = std::hypot(at.x() - from.x(), at.y() - from.y());
                if (d >= 8 && d <= 20 && at.x() > 10 && at.x() < 90 && at.y() > 10 && at.y() < 90
                    && c.green() - std::max(c.red(), c.blue()) > greenest) {
                    greenest = c.green() - std::max(c.red(), c.blue());
                    target = at;
                }
            }
        // No valley in reach: toward the middle of the field. The range of a
        // shot at elevation 80 is about power^2 / 233.
        if (target.x() < 0)
            target = QPointF(from.x(), from.y() < 50 ? from.y() + 10 : from.y() - 10);
        const double d = std::hypot(target.x() - from.x(), target.y() - from.y());
        const int heading = int(std::lround(std::atan2(target.x() - from.x(), target.y() - from.y()) * 180 / M_PI / 5)) * 5;
        const int power = std::clamp(int(std::lround(std::sqrt(233 * d) / 5)) * 5, 5, 100);
        // While the shooter is still on turn, terrain-coloured pixels change
        // only under the grey shell or in its crater: the barrel, the tanks
        // and the drifting wind arrows are never terrain-coloured.
        Landing landing;
        landing.turnPassed = AimAndShoot(player, heading, 80, power, [&](const QImage& shot) {
            ++landing.pictures;
            if (TerrainChanges(before, shot, view) > 10)
                ++landing.shellPictures;
        });
        landing.after = Screenshot();
        return landing;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display (xvfb-run)");
        QVERIFY2(Windows(".").isEmpty() || Windows(mainTitle).isEmpty(), "another game is already on the display");
    }

    void startUpShowsTheNewGameDialogBeforeTheMainWindow()
    {
        game.start(QStringLiteral(TARNOK3D_BINARY), {});
        QVERIFY(game.waitForStarted());
        QVERIFY(WaitForWindow(newGameTitle));
        QVERIFY(Windows(mainTitle).isEmpty());
        const QRect dialog = Geometry(OnlyWindow(newGameTitle));
        QVERIFY2(dialog.width() > 150 && dialog.height() > 80, "the new-game dialog is gone or too small");
        // Painted, not left black nor showing the root window beneath: most of it turns the dialog grey.
        int face = 0;
        const bool painted = QTest::qWaitFor([&] {
            face = Count(Screenshot(), dialog, IsDialogFace);
            return face > dialog.width() * dialog.height() / 2;
        }, stateTimeoutMs);
        QVERIFY2(painted, qPrintable(QStringLiteral("%1 of %2 pixels in the dialog grey").arg(face).arg(dialog.width() * dialog.height())));
    }

    void enterOpensTheMainWindowWithTheTerrainDrawn()
    {
        QVERIFY(AnswerNewGame());
        QVERIFY(WaitForWindow(mainTitle));
        area = Geometry(MainWindow());
        QVERIFY2(area.width() > 300 && area.height() > 300, "the main window is gone or too small");
        QImage shot;
        const bool drawn = QTest::qWaitFor([&] {
            shot = Screenshot();
            return Count(shot, area, IsTerrain) > area.width() * area.height() / 5;
        }, stateTimeoutMs);
        QVERIFY2(drawn, "no terrain on the screen");
        // The start camera does not see the nearest rows of the field: as a
        // player would, start new games until both tanks are in sight.
        if (Count(shot, area, IsHighlightedRed) <= 30 || Count(shot, area, IsBlue) <= 30)
            QVERIFY2(NewGameWithBothTanksInSight(), "the two tanks never stood in sight of the start camera");
    }

    void aShotFliesDigsACraterAndPassesTheTurn()
    {
        QVERIFY2(!area.isEmpty(), "no main window to play in");
        aims[0] = aims[1] = Aim();
        QImage before = Screenshot();
        QCOMPARE(Count(before, area, IsRed), 0); // player 1 is highlighted, not plain red
        Landing landing = ShootIntoAValley(0, before);
        QVERIFY2(landing.turnPassed, "player 1 is still highlighted");
        qInfo("the flight showed in %d of %d screenshots", landing.shellPictures, landing.pictures);
        QVERIFY2(landing.shellPictures > 0,
                 qPrintable(QStringLiteral("the flight showed in none of the %1 screenshots between the shot and "
                                           "the turn passing").arg(landing.pictures)));
        if (TerrainChanges(before, landing.after, area) <= 40) {
            // Out of the field or onto a hilltop: player 2 tries from his side.
            before = landing.after;
            landing = ShootIntoAValley(1, before);
            QVERIFY2(landing.turnPassed, "player 2 is still highlighted");
        }
        QVERIFY2(TerrainChanges(before, landing.after, area) > 40, "no crater visible");
        if (!qEnvironmentVariableIsEmpty("TARNOK_SCREENSHOT"))
            landing.after.copy(area).save(qEnvironmentVariable("TARNOK_SCREENSHOT"));
    }

    void ctrlNOpensTheNewGameDialogAgain()
    {
        QVERIFY(NewGameByKeys());
        // A new game: player 1 on turn again, highlighted, not in plain red.
        QVERIFY(QTest::qWaitFor([&] { return Count(Screenshot(), area, IsRed) == 0; }, stateTimeoutMs));
    }

    void helpAndAboutOpenFromTheMenu()
    {
        FocusMain();
        QVERIFY(OpenFromMenu({"alt+p", "o"}, aboutTitle));
        QVERIFY(Dismiss(aboutTitle, "Escape"));
        FocusMain();
        QVERIFY(OpenFromMenu({"alt+p", "p"}, helpTitle));
        QVERIFY(Dismiss(helpTitle, "Return"));
    }

    // Both players aim at each other from what the screen shows (the start
    // camera is known), trying the next best firing solution after a miss.
    // Should the estimates keep missing, player 1 drops shells on his own tank
    // and player 2 fires over the edge, so that the game surely ends.
    void aWholeGameEndsWithTheResults()
    {
        QVERIFY2(!area.isEmpty(), "no main window to play in");
        QVERIFY(NewGameWithBothTanksInSight());
        aims[0] = aims[1] = Aim();
        bool results = false;
        int aimed = 0, fallBack = 0;
        for (int turn = 0; turn < 16 && !results; ++turn) {
            const int player = turn % 2;
            bool (*mine)(QColor) = player == 0 ? IsPlayer1 : IsPlayer2;
            bool (*theirs)(QColor) = player == 0 ? IsPlayer2 : IsPlayer1;
            const QImage shot = Screenshot();
            const QRect view = ViewRect(shot, area);
            const QRect meBox = Bounds(shot, view, mine), enemyBox = Bounds(shot, view, theirs);
            // Two aimed shots each; then the sure fall-back, so that a field
            // where hills shield the tanks cannot keep the game going.
            if (turn < 4 && !meBox.isEmpty() && !enemyBox.isEmpty()) {
                const double myGround = GroundHeightAround(shot, meBox), enemyGround = GroundHeightAround(shot, enemyBox);
                // A tank's pixels centre about 1.5 above its ground.
                const QPointF from = GroundPoint(Centroid(shot, meBox, mine), view, myGround + 1.5);
                const QPointF to = GroundPoint(Centroid(shot, enemyBox, theirs), view, enemyGround + 1.5);
                const double distance = std::hypot(to.x() - from.x(), to.y() - from.y());
                const double heading = std::atan2(to.x() - from.x(), to.y() - from.y()) * 180 / M_PI;
                const std::vector<Shot> solutions = FiringSolutions(distance, myGround, enemyGround);
                const Shot aim = solutions.at(std::min<size_t>(turn / 2, solutions.size() - 1));
                qInfo("player %d at (%.0f, %.1f, %.0f) aims at (%.0f, %.1f, %.0f), %.1f away: heading %.0f, elevation %d, power %d",
                      player + 1, from.x(), myGround, from.y(), to.x(), enemyGround, to.y(), distance, heading,
                      aim.elevation, aim.power);
                QVERIFY(AimAndShoot(player, int(std::lround(heading / 5)) * 5, aim.elevation, aim.power));
                ++aimed;
            } else {
                if (player == 0)
                    QVERIFY(AimAndShoot(player, aims[0].heading, 90, 0));
                else
                    QVERIFY(AimAndShoot(player, aims[1].heading, 45, 100));
                ++fallBack;
            }
            results = !Windows(messageTitle).isEmpty();
        }
        qInfo("the game ended after %d aimed and %d fall-back shots", aimed, fallBack);
        QVERIFY2(results, "no results after the shots");
        QVERIFY(Geometry(OnlyWindow(messageTitle)).width() > 100);
        QVERIFY(Dismiss(messageTitle, "Return"));
        QVERIFY(AnswerNewGame()); // the next game is asked for
    }

    void theGameExitsCleanlyFromItsMenu()
    {
        FocusMain();
        // "&Wczytaj grę..." comes first of the two items on W: the second W reaches "&Wyjdz".
        Keys({"alt+g", "w", "w", "Return"});
        QVERIFY(game.waitForFinished(stateTimeoutMs));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 0);
    }

    void cleanupTestCase()
    {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_endToEnd.moc"
