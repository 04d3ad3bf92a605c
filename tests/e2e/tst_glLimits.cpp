// The real tarnok3d binary on an X server of the test's own when OpenGL is
// missing or asked too much: no GL integration at all, an X server without
// GLX and no EGL vendor, the view's own context refused, and a window grown
// far beyond the screen. The game goes on in every case, played through
// xdotool, shots and round ends included, and ends cleanly.
#include "desktop.h"
#include "ownDisplay.h"
#include "screen.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Desktop;

namespace {

const QString noGlLine = QStringLiteral("tarnok3d: nie można utworzyć kontekstu OpenGL; gra działa bez obrazu 3D");

} // namespace

class GlLimitsTest : public QObject {
    Q_OBJECT

    OwnDisplay display;
    QProcess game;
    QTemporaryDir runtimeDir; // keeps Qt from reporting a missing runtime folder

    bool StartGame(const QProcessEnvironment& extra)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display.Name());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        // A sound device that lets its output go, on any machine: standard
        // error then holds only what the display and GL have to say.
        environment.insert(QStringLiteral("ALSOFT_DRIVERS"), QStringLiteral("null"));
        for (const QString& key : extra.keys())
            environment.insert(key, extra.value(key));
        game.setProcessEnvironment(environment);
        EndWithTheTest(game);
        game.start(QStringLiteral(TARNOK3D_BINARY), {});
        const bool started = game.waitForStarted();
        const bool answered = started && AnswerNewGame();
        const bool up = answered && WaitForWindow(mainTitle);
        if (!up)
            qInfo("the game %s (status %d), %s; windows: %s; its errors: %s",
                  game.state() == QProcess::NotRunning ? "has ended" : "still runs", game.exitCode(),
                  !started ? "never started" : !answered ? "the new-game dialog not answered" : "no main window",
                  qPrintable(DescribeWindows()), game.readAllStandardError().constData());
        return up;
    }

    // The game on a display started with the data row's server options, with
    // the row's variable in its environment.
    bool StartAsTheRowSays()
    {
        QFETCH(QStringList, serverOptions);
        QFETCH(QString, variable);
        QFETCH(QString, value);
        if (!display.Start(serverOptions)) {
            qInfo("the X server did not start with \"%s\"", qPrintable(serverOptions.join(' ')));
            return false;
        }
        QProcessEnvironment extra;
        extra.insert(variable, value);
        return StartGame(extra);
    }

    // Gra > Wyjdz; true when the program ended by itself with status 0.
    bool QuitByMenu()
    {
        Focus(OnlyWindow(mainTitle));
        // "&Wczytaj grę..." comes first of the two items on W: the second W reaches "&Wyjdz".
        Keys({"alt+g", "w", "w", "Return"});
        return game.waitForFinished(stateTimeoutMs) && game.exitStatus() == QProcess::NormalExit && game.exitCode() == 0;
    }

    QStringList ErrorLines()
    {
        return QString::fromLocal8Bit(game.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    }

    // The part of the screen once it has stayed the same for a second: the
    // keys sent before have all been served.
    static QImage Settled(const QRect& part)
    {
        QImage last = Screenshot(part);
        for (int same = 0, look = 0; same < 5 && look < 150; ++look) {
            QThread::msleep(200);
            QImage now = Screenshot(part);
            same = now == last ? same + 1 : 0;
            last = now;
        }
        return last;
    }

    // Barrel straight up and no power: the shell falls back onto the tank
    // itself and takes 70 of its energy, whatever the field.
    static void AimAtOneself()
    {
        QStringList keys;
        for (int i = 0; i < 20; ++i)
            keys << "Up";
        for (int i = 0; i < 12; ++i)
            keys << "KP_Subtract";
        Keys(keys);
    }

private slots:
    void init()
    {
        QVERIFY(runtimeDir.isValid());
        game.setProcessChannelMode(QProcess::SeparateChannels);
    }

    void cleanup()
    {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
        display.Stop();
    }

    void withoutOpenGlTheGameGoesOnWithoutItsPicture_data()
    {
        QTest::addColumn<QStringList>("serverOptions");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::newRow("no GL integration") << QStringList() << "QT_XCB_GL_INTEGRATION" << "none";
        QTest::newRow("no GLX, no EGL vendor") << QStringList{"-extension", "GLX"} << "__EGL_VENDOR_LIBRARY_FILENAMES"
                                               << "/nonexistent.json";
    }

    void withoutOpenGlTheGameGoesOnWithoutItsPicture()
    {
        QVERIFY(StartAsTheRowSays());

        // The window, its bars and a plain black view, once the bars are painted.
        const QRect area = Geometry(OnlyWindow(mainTitle));
        QVERIFY2(area.width() > 300 && area.height() > 300, "the main window is gone or too small");
        QImage shot;
        QColor menuBar;
        QRect view;
        const bool painted = QTest::qWaitFor([&] {
            shot = Screenshot();
            menuBar = shot.pixelColor(area.left() + area.width() / 2, area.top() + 5);
            view = Screen::ViewRect(shot, area).adjusted(4, 4, -4, -4);
            return menuBar.lightness() > 150 && view.height() > area.height() / 2;
        }, stateTimeoutMs);
        QVERIFY2(painted, qPrintable(QStringLiteral("menu bar %1, view %2 rows").arg(menuBar.name()).arg(view.height())));
        QCOMPARE(Screen::Count(shot, view, [](QColor c) { return c != Qt::black; }), 0);

        // A player can still start a new game and read the help.
        Focus(OnlyWindow(mainTitle));
        Keys({"ctrl+n"});
        QVERIFY(AnswerNewGame());
        QVERIFY(OpenFromMenu({"alt+p", "p"}, helpTitle));
        QVERIFY(Dismiss(helpTitle, "Escape"));

        QVERIFY(QuitByMenu());
        QCOMPARE(ErrorLines(), QStringList{noGlLine});
    }

    // Blind, a shot still lands, hurts and passes the turn, and the round
    // still ends: both players aim at themselves, player 1 twice. What the
    // status bar's panes show tells the turns apart: player 2 starts with
    // the very values player 1 started with.
    void aBlindGameStillShootsPassesTurnsAndEndsItsRound_data()
    {
        QTest::addColumn<QStringList>("serverOptions");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::newRow("no GLX, no EGL vendor") << QStringList{"-extension", "GLX"} << "__EGL_VENDOR_LIBRARY_FILENAMES"
                                               << "/nonexistent.json";
        QTest::newRow("the view's own context refused") << QStringList() << "TARNOK_GL_FAILS" << "context";
    }

    void aBlindGameStillShootsPassesTurnsAndEndsItsRound()
    {
        QVERIFY(StartAsTheRowSays()); // 2 players, 1 round
        const QRect area = Geometry(OnlyWindow(mainTitle));
        const QRect panes(area.left(), area.bottom() - 20, area.width(), 21);
        const QImage start = Settled(panes);

        Focus(OnlyWindow(mainTitle));
        AimAtOneself();
        QVERIFY(QTest::qWaitFor([&] { return Screenshot(panes) != start; }, 20000));
        const QImage aimed = Settled(panes);
        Keys({"space"});
        QVERIFY2(QTest::qWaitFor([&] { return Screenshot(panes) == start; }, 20000),
                 "player 1's shot never passed the turn to player 2");

        AimAtOneself();
        QVERIFY2(QTest::qWaitFor([&] { return Screenshot(panes) == aimed; }, 20000),
                 "player 2's aim does not show as player 1's did");
        Keys({"space"});
        // Player 1 again, aimed as player 2 was, so only his 30 energy left
        // tells the panes apart: his shell hurt him.
        QVERIFY2(QTest::qWaitFor([&] { return Screenshot(panes) != aimed; }, 20000),
                 "player 2's shot never passed the turn back to a hurt player 1");
        Settled(panes);

        Keys({"space"}); // player 1 falls: the round, and the game of one round, ends
        QVERIFY2(WaitForWindow(messageTitle, 20000), "no results after the last tank but one fell");
        QVERIFY(Dismiss(messageTitle, "Return"));
        QVERIFY(AnswerNewGame());
        QVERIFY(QuitByMenu());
        QCOMPARE(ErrorLines(), QStringList{noGlLine});
    }

    // Far beyond the screen and as large as the driver's biggest viewport:
    // the window comes back within the screen, and the game answers at once.
    void aWindowGrownFarBeyondTheScreenComesBackWithinIt()
    {
        QVERIFY(display.Start());
        QVERIFY(StartGame({}));
        const QString window = OnlyWindow(mainTitle);
        QVERIFY2(!window.isEmpty(), "the main window is gone");
        Run(QStringLiteral("xdotool"), {"windowsize", window, "16384", "16384"});
        QVERIFY(QTest::qWaitFor([&] {
            const QRect r = Geometry(window);
            return !r.isEmpty() && r.width() <= 1280 && r.height() <= 1024;
        }, stateTimeoutMs));
        Focus(window);
        Keys({"ctrl+n"});
        QVERIFY(AnswerNewGame());
        const QRect area = Geometry(window);
        QVERIFY(QTest::qWaitFor([&] {
            const QImage shot = Screenshot();
            return Screen::Count(shot, Screen::ViewRect(shot, area), Screen::IsTerrain) > area.width() * area.height() / 5;
        }, stateTimeoutMs));
        QVERIFY(QuitByMenu());
        QCOMPARE(ErrorLines(), QStringList());
    }
};

QTEST_GUILESS_MAIN(GlLimitsTest)
#include "tst_glLimits.moc"
