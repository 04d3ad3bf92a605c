// The real tarnok3d binary, played through X: keys and clicks by xdotool,
// observed only through window titles and screenshots.
#include "desktop.h"

#include <QProcess>
#include <QThread>
#include <QtTest>

using namespace Desktop;

namespace {

const QString dialogTitle = QStringLiteral("^Nowa gra$");
const QString mainTitle = QStringLiteral("^- Tarnok 3D - $");
const QString messageTitle = QStringLiteral("^Tarnok 3D$");

bool IsTerrain(QColor c)
{
    const int r = c.red(), g = c.green(), b = c.blue();
    const bool green = g > r + 30 && g > b + 30;
    const bool purple = r > g + 25 && b > g + 25;
    const bool grey = std::abs(r - g) < 12 && std::abs(g - b) < 12 && r > 60;
    return green || purple || grey;
}

// A tank in its plain colour, lit; the player on turn is drawn white instead.
bool IsRed(QColor c) { return c.red() > 200 && c.green() < 40 && c.blue() < 40; }
bool IsBlue(QColor c) { return c.blue() > 200 && c.red() < 40 && c.green() < 40; }
// The white of the player on turn over player 1's red ambient: a pinkish white.
bool IsHighlightedRed(QColor c) { return c.red() > 200 && c.green() > 150 && c.blue() > 150 && c.red() > c.blue() + 20; }

int Count(const QImage& image, QRect area, bool (*test)(QColor))
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

QPoint Centroid(const QImage& image, QRect area, bool (*test)(QColor))
{
    qint64 sx = 0, sy = 0, n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixelColor(x, y))) {
                sx += x;
                sy += y;
                ++n;
            }
    return n ? QPoint(int(sx / n), int(sy / n)) : QPoint(-1, -1);
}

// Pixels that changed by more than a shade, leaving out the tanks, the wind
// arrows (which drift every second) and anything near them.
int TerrainChanges(const QImage& before, const QImage& after, QRect area)
{
    int n = 0;
    area &= before.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor a = before.pixelColor(x, y), b = after.pixelColor(x, y);
            if (!IsTerrain(a) || !IsTerrain(b))
                continue;
            if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 12)
                ++n;
        }
    return n;
}

QString MainWindow()
{
    const QStringList ids = Windows(mainTitle);
    return ids.isEmpty() ? QString() : ids.first();
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

    QProcess game;
    QRect area; // the main window on the screen

    void FocusMain() { Focus(MainWindow()); }

    // Ctrl+N, then Enter in the new-game dialog: 2 players, 1 round.
    bool NewGameByKeys()
    {
        FocusMain();
        Keys({"ctrl+n"});
        if (!WaitForWindow(dialogTitle))
            return false;
        Focus(Windows(dialogTitle).first());
        Keys({"Return"});
        return WaitForNoWindow(dialogTitle);
    }

    // One turn of the current player: the barrel raised (Up presses from 0),
    // power changed by the given steps of 5, then Space. Waits for the shot's end.
    void Shoot(int upPresses, int powerSteps, int leftPresses = 0)
    {
        FocusMain();
        QStringList keys;
        for (int i = 0; i < leftPresses; ++i)
            keys << "Left";
        for (int i = 0; i < upPresses; ++i)
            keys << "Up";
        for (int i = 0; i < std::abs(powerSteps); ++i)
            keys << (powerSteps > 0 ? "KP_Add" : "minus");
        keys << "space";
        Keys(keys);
        // The turn has passed when the status bar shows the next player's aim
        // (the two players aim differently here), or the results are up.
        const QRect statusBar(area.left(), area.bottom() - 20, area.width(), 21);
        QThread::msleep(300); // the panes follow the keys once the game is idle
        const QImage aimed = Screenshot().copy(statusBar);
        for (int wait = 0; wait < 60; ++wait) {
            QThread::msleep(500);
            if (!Windows(messageTitle).isEmpty() || Screenshot().copy(statusBar) != aimed)
                return;
        }
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
        QVERIFY(WaitForWindow(dialogTitle));
        QVERIFY(Windows(mainTitle).isEmpty());
        const QRect dialog = Geometry(Windows(dialogTitle).first());
        QVERIFY(dialog.width() > 150 && dialog.height() > 80);
        const QImage shot = Screenshot();
        const QColor face = shot.pixelColor(dialog.center().x(), dialog.bottom() - 3);
        QVERIFY2(face.lightness() > 150, qPrintable(face.name())); // the dialog is painted, not black
    }

    void enterOpensTheMainWindowWithTheTerrainDrawn()
    {
        Focus(Windows(dialogTitle).first());
        Keys({"Return"});
        QVERIFY(WaitForWindow(mainTitle));
        QVERIFY(WaitForNoWindow(dialogTitle));
        area = Geometry(MainWindow());
        QThread::msleep(1500);
        QImage shot = Screenshot();
        QVERIFY2(Count(shot, area, IsTerrain) > area.width() * area.height() / 5, "no terrain on the screen");
        // The start camera does not see the nearest rows of the field: as a
        // player would, start new games until both tanks are in sight.
        for (int attempt = 0; attempt < 8; ++attempt) {
            if (Count(shot, area, IsHighlightedRed) > 30 && Count(shot, area, IsBlue) > 30)
                return;
            QThread::msleep(1100); // a new second: a new field
            QVERIFY(NewGameByKeys());
            QThread::msleep(1500);
            shot = Screenshot();
        }
        QFAIL("the two tanks never stood in sight of the start camera");
    }

    // Player 1 fires a high shot toward the middle of the field: it shows in
    // successive screenshots, digs a crater, and the highlight moves to player 2.
    void aShotFliesDigsACraterAndPassesTheTurn()
    {
        const QImage before = Screenshot();
        QCOMPARE(Count(before, area, IsRed), 0); // player 1 is highlighted, not plain red
        // Toward the camera (+z) from the far half, away from it from the near half.
        const int redRow = Centroid(before, area, IsHighlightedRed).y();
        const bool farHalf = redRow >= 0 && redRow < area.center().y();
        FocusMain();
        QStringList keys;
        if (!farHalf)
            for (int i = 0; i < 36; ++i)
                keys << "Left"; // heading 180: away from the camera
        for (int i = 0; i < 16; ++i)
            keys << "Up"; // elevation 80
        keys << "space";
        Keys(keys);
        QList<QImage> flight;
        for (int i = 0; i < 6; ++i)
            flight << Screenshot();
        QImage after = Screenshot();
        for (int wait = 0; wait < 40 && Count(after, area, IsRed) <= 30; ++wait) {
            QThread::msleep(500); // a slow machine draws the flight slowly
            after = Screenshot();
        }

        int distinct = 0;
        for (int i = 1; i < flight.size(); ++i)
            if (flight[i] != flight[i - 1] && flight[i] != before)
                ++distinct;
        QVERIFY2(distinct >= 2, "the flight does not show in successive screenshots");
        QVERIFY2(Count(after, area, IsRed) > 30, "player 1 is still highlighted");
        QVERIFY2(TerrainChanges(before, after, area) > 40, "no crater visible");
        if (!qEnvironmentVariableIsEmpty("TARNOK_SCREENSHOT"))
            after.copy(area).save(qEnvironmentVariable("TARNOK_SCREENSHOT"));
    }

    void ctrlNOpensTheNewGameDialogAgain()
    {
        QVERIFY(NewGameByKeys());
        QThread::msleep(1200);
        QCOMPARE(Count(Screenshot(), area, IsRed), 0); // a new game: player 1 on turn again
    }

    void helpAndAboutOpenFromTheMenu()
    {
        FocusMain();
        Keys({"alt+p", "o"});
        QVERIFY(WaitForWindow(QStringLiteral("^O programie$")));
        Focus(Windows(QStringLiteral("^O programie$")).first());
        Keys({"Escape"});
        QVERIFY(WaitForNoWindow(QStringLiteral("^O programie$")));
        FocusMain();
        Keys({"alt+p", "p"});
        QVERIFY(WaitForWindow(QStringLiteral("^Pomoc$")));
        Focus(Windows(QStringLiteral("^Pomoc$")).first());
        Keys({"Return"});
        QVERIFY(WaitForNoWindow(QStringLiteral("^Pomoc$")));
    }

    // Players keep firing until one is left: player 1 drops shells on his own
    // tank (straight up, no power), player 2 fires over the edge of the field.
    void aWholeGameEndsWithTheResults()
    {
        bool results = false;
        for (int turn = 0; turn < 8 && !results; ++turn) {
            if (turn % 2 == 0)
                Shoot(turn == 0 ? 18 : 0, turn == 0 ? -10 : 0);
            else
                Shoot(turn == 1 ? 9 : 0, turn == 1 ? 10 : 0);
            results = !Windows(messageTitle).isEmpty();
        }
        QVERIFY2(results, "no results after the shots");
        const QString box = Windows(messageTitle).first();
        QVERIFY(Geometry(box).width() > 100);
        Focus(box);
        Keys({"Return"});
        QVERIFY(WaitForWindow(dialogTitle)); // the next game is asked for
        Focus(Windows(dialogTitle).first());
        Keys({"Return"});
        QVERIFY(WaitForNoWindow(dialogTitle));
    }

    void theGameExitsCleanlyFromItsMenu()
    {
        FocusMain();
        Keys({"alt+g", "w"});
        QVERIFY(game.waitForFinished(10000));
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
