// The real tarnok3d binary against the computer, played through X: a person
// and the computer taking turns, and a game of computers alone playing itself
// to the results. Observed through window titles and the status bar's pixels:
// its first pane says whose turn it is ("Ready" for a person, the computer's
// word otherwise), the panes beside it show the aim of the player on turn.
#include "desktop.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace Desktop;

namespace {

// Generous bounds: the machine may be busy with other work.
const int turnMs = 120000;
const int gameMs = 480000;

QString MainWindow()
{
    return OnlyWindow(mainTitle);
}

} // namespace

class ComputerGameTest : public QObject {
    Q_OBJECT

    QProcess game;
    QTemporaryDir config; // the game's remembered settings, the test's own
    QRect statusBar, firstPane, valuePanes; // the panes within the status bar's picture

    void Start(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        game.setProcessEnvironment(environment);
        game.start(QStringLiteral(TARNOK3D_BINARY), arguments);
    }

    void Stop()
    {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
    }

    // The status bar's first pane and the value panes, once the main window is up.
    bool FindStatusBar()
    {
        if (!WaitForWindow(mainTitle, 60000))
            return false;
        const QRect area = Geometry(MainWindow());
        statusBar = QRect(area.left(), area.bottom() - 20, area.width(), 21);
        firstPane = QRect(0, 0, statusBar.width() / 3, statusBar.height());
        valuePanes = QRect(statusBar.width() * 2 / 5, 0, statusBar.width() * 3 / 5, statusBar.height());
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display (xvfb-run)");
        QVERIFY2(Windows(mainTitle).isEmpty(), "another game is already on the display");
        QVERIFY(config.isValid());
    }

    // The person fires for player 1; player 2, the computer's, aims in
    // several visible steps and fires; then player 1 has the turn again.
    void aPersonAndTheComputerTakeTurns()
    {
        Start({QStringLiteral("--komputer"), QStringLiteral("2")});
        QVERIFY(game.waitForStarted());
        QVERIFY(AnswerNewGame()); // 2 players, 1 round
        QVERIFY(FindStatusBar());
        const QImage ready = SettledScreenshot(statusBar).copy(firstPane); // player 1, a person: "Ready"

        bool severalSteps = false;
        int computerTurns = 0;
        // Should the computer's aim need a single step, its next turn shows more.
        while (!severalSteps && computerTurns < 3 && Windows(messageTitle).isEmpty()) {
            // Player 1 fires far over the field (45 degrees, full power): an
            // ordinary bomb, so nobody can die of it at once.
            Focus(MainWindow());
            QStringList keys;
            if (computerTurns == 0) {
                for (int i = 0; i < 9; ++i)
                    keys << "Up";
                for (int i = 0; i < 10; ++i)
                    keys << "KP_Add";
            }
            keys << "space";
            Keys(keys);
            QImage bar;
            QVERIFY2(QTest::qWaitFor([&] {
                bar = Screenshot(statusBar);
                return bar.copy(firstPane) != ready;
            }, turnMs), "the computer's turn never began");
            ++computerTurns;
            // Its aim, as the value panes show it, until its turn is over; each
            // look takes both parts of the bar from one picture.
            QList<QImage> aims{bar.copy(valuePanes)};
            const bool over = QTest::qWaitFor([&] {
                bar = Screenshot(statusBar);
                if (bar.copy(firstPane) == ready)
                    return true;
                if (bar.copy(valuePanes) != aims.last())
                    aims << bar.copy(valuePanes);
                return !Windows(messageTitle).isEmpty();
            }, turnMs);
            QVERIFY2(over, "the computer's turn never ended");
            qInfo("computer turn %d: %lld pictures of its aim", computerTurns, static_cast<long long>(aims.size()));
            severalSteps = aims.size() >= 3;
        }
        QVERIFY2(severalSteps, "the computer's aim never changed in several steps");
        // Player 1's turn: his keys act again (or the round ended with the results).
        if (Windows(messageTitle).isEmpty()) {
            const QImage before = SettledScreenshot(statusBar);
            Focus(MainWindow());
            Keys({"Up"});
            QVERIFY2(QTest::qWaitFor([&] { return Screenshot(statusBar) != before; }, turnMs),
                     "player 1's keys do not act after the computer's turn");
        }
        Stop();
        // The command line's choice was this run's only: nothing was remembered.
        const QSettings remembered(config.filePath(QStringLiteral("tarnok3d/tarnok3d.ini")), QSettings::IniFormat);
        QVERIFY(!remembered.contains(QStringLiteral("komputer/gracz2")));
    }

    // Three computers play a whole game alone; the results then wait for a
    // person, and so does the next new-game dialog.
    void aGameOfThreeComputersReachesTheResultsByItself()
    {
        // Every seat the computer's, so that the game is the computers' alone
        // however many players the dialog ends with.
        Start({QStringLiteral("--komputer"), QStringLiteral("1:mistrz,2:mistrz,3:mistrz,4:mistrz,5:mistrz,6:mistrz,7:mistrz,8:mistrz")});
        QVERIFY(game.waitForStarted());
        QVERIFY(WaitForWindow(newGameTitle, 60000));
        // 3 players (the dialog shows the step before Enter), 1 round.
        const QString dialog = OnlyWindow(newGameTitle);
        const QImage two = SettledScreenshot(Geometry(dialog));
        bool three = false;
        for (int attempt = 0; attempt < 5 && !three; ++attempt) { // a key before the dialog was ready is lost
            Focus(dialog);
            Keys({"Up"});
            three = QTest::qWaitFor([&] { return Screenshot(Geometry(dialog)) != two; }, 10000);
        }
        QVERIFY2(three, "the new-game dialog did not take the key");
        Keys({"Return"});
        QVERIFY(WaitForNoWindow(newGameTitle, 60000));
        QVERIFY2(WaitForWindow(messageTitle, gameMs), "the computers' game did not reach its results");
        QVERIFY(Windows(newGameTitle).isEmpty()); // the results are waiting for a person
        QVERIFY(Dismiss(messageTitle, "Return"));
        QVERIFY(WaitForWindow(newGameTitle, 60000));
        QVERIFY(Windows(messageTitle).isEmpty());
        QCOMPARE(game.state(), QProcess::Running);
        Stop();
    }

    void cleanupTestCase() { Stop(); }
};

QTEST_GUILESS_MAIN(ComputerGameTest)
#include "tst_computerGame.moc"
