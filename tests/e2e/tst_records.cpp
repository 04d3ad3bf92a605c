// Games kept as records, through X with the real binary: "Wyjdz" in the
// middle of a person's aiming keeps the game, and "tarnok3d ostatnia.tarnok"
// brings it back with the status bar as it was, without the new-game dialog;
// a game of computers played to its results is kept, and watched again from
// the command line it ends with the same results box.
#include "desktop.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Desktop;

namespace {

const int gameMs = 480000;


} // namespace

class RecordsTest : public QObject {
    Q_OBJECT

    QProcess game;
    QTemporaryDir config, data; // the game's settings and records, the test's own

    void Start(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
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

    QString Folder() const { return data.filePath(QStringLiteral("tarnok3d")); }

    // The value panes: the right three fifths of the status bar.
    static QRect ValuePanes()
    {
        const QRect area = Geometry(OnlyWindow(mainTitle));
        return QRect(area.left() + area.width() * 2 / 5, area.bottom() - 20, area.width() * 3 / 5, 21);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display (xvfb-run)");
        QVERIFY2(Windows(mainTitle).isEmpty(), "another game is already on the display");
        QVERIFY(config.isValid() && data.isValid());
    }

    void quittingWhileAimingKeepsTheGameAndItComesBackAsItWas()
    {
        Start({});
        QVERIFY(game.waitForStarted());
        QVERIFY(AnswerNewGame()); // 2 players, 1 round
        QVERIFY(WaitForWindow(mainTitle));
        const QImage start = SettledScreenshot(ValuePanes());
        Focus(OnlyWindow(mainTitle));
        Keys({"Up", "Up", "Up", "KP_Add", "KP_Add", "Left", "Left"});
        QVERIFY2(QTest::qWaitFor([&] { return Screenshot(ValuePanes()) != start; }, stateTimeoutMs),
                 "the aim never showed in the status bar");
        const QImage aimed = SettledScreenshot(ValuePanes());
        Focus(OnlyWindow(mainTitle));
        // "&Wczytaj grę..." comes first of the two items on W: the second W reaches "&Wyjdz".
        Keys({"alt+g", "w", "w", "Return"});
        QVERIFY(game.waitForFinished(stateTimeoutMs));
        QCOMPARE(game.exitCode(), 0);
        const QString last = Folder() + QStringLiteral("/ostatnia.tarnok");
        QVERIFY2(QFile::exists(last), "closing in the middle of a game kept nothing");

        Start({last});
        QVERIFY(game.waitForStarted());
        QVERIFY(WaitForWindow(mainTitle));
        QVERIFY(Windows(newGameTitle).isEmpty()); // the game comes from the file
        QVERIFY2(QTest::qWaitFor([&] { return SettledScreenshot(ValuePanes()) == aimed; }, stateTimeoutMs),
                 "the status bar does not show the saved aim");
        QVERIFY(Windows(newGameTitle).isEmpty());
        Stop();
    }

    void aGameOfComputersWatchedAgainEndsWithTheSameResults()
    {
        const QString everyone = QStringLiteral("1:mistrz,2:mistrz,3:mistrz,4:mistrz,5:mistrz,6:mistrz,7:mistrz,8:mistrz");
        Start({QStringLiteral("--komputer"), everyone});
        QVERIFY(game.waitForStarted());
        QVERIFY(AnswerNewGame()); // 2 players, 1 round
        QVERIFY2(WaitForWindow(messageTitle, gameMs), "the computers' game did not reach its results");
        const QImage results = SettledScreenshot(Geometry(OnlyWindow(messageTitle)));
        QVERIFY(Dismiss(messageTitle, "Return"));
        QVERIFY(WaitForWindow(newGameTitle));
        Stop();
        const QStringList kept = QDir(Folder()).entryList({QStringLiteral("2*.tarnok")}, QDir::Files);
        QCOMPARE(kept.size(), 1);

        Start({QStringLiteral("--komputer"), everyone, Folder() + QLatin1Char('/') + kept.first()});
        QVERIFY(game.waitForStarted());
        QVERIFY(WaitForWindow(mainTitle));
        QVERIFY(Windows(newGameTitle).isEmpty()); // watched, not asked for
        QVERIFY2(WaitForWindow(messageTitle, gameMs), "the watched game did not reach its results");
        QCOMPARE(SettledScreenshot(Geometry(OnlyWindow(messageTitle))), results);
        QVERIFY(Dismiss(messageTitle, "Return"));
        QVERIFY(WaitForWindow(newGameTitle)); // after the watching, a game of one's own
        Stop();
        // Watching kept no second record.
        QCOMPARE(QDir(Folder()).entryList({QStringLiteral("2*.tarnok")}, QDir::Files).size(), 1);
    }

    // A file that cannot be loaded says so in one box, and the new-game
    // dialog follows, as at a start without a file.
    void aFileThatCannotBeLoadedIsNamedAndTheNewGameDialogFollows()
    {
        const QString notes = data.filePath(QStringLiteral("notatki.tarnok"));
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("gracz 2 wygrał trzy rundy\n");
        file.close();
        Start({notes});
        QVERIFY(game.waitForStarted());
        QVERIFY2(WaitForWindow(messageTitle), "no message for a file that is not a saved game");
        QVERIFY(Windows(mainTitle).isEmpty());
        QVERIFY(Windows(newGameTitle).isEmpty());
        QVERIFY(Dismiss(messageTitle, "Return"));
        QVERIFY(AnswerNewGame());
        QVERIFY(WaitForWindow(mainTitle));
        Stop();
    }

    void cleanupTestCase() { Stop(); }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
