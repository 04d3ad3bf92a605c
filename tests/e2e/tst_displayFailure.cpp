// The real tarnok3d binary when the display fails it: none set, one that does
// not answer, a platform plug-in that does not exist, and the X server killed
// under it in the middle of a game. Each time the game must end with one line
// on standard error and its exit status, never with a crash, a core dump or a
// sanitizer report.
#include "desktop.h"
#include "ownDisplay.h"
#include "selfShots.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Desktop;

namespace {

const QString lostLine = QStringLiteral("tarnok3d: utracono połączenie z serwerem X; gra się kończy");

struct Ending {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QStringList errorLines;
    QStringList coreFiles;
};

// The game in a scratch folder of its own (where a core dump would land),
// with a runtime folder so that Qt has nothing to warn about.
class Game {
public:
    explicit Game(const QStringList& arguments = {}, const QMap<QString, QString>& changes = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", folder.path());
        environment.remove("TARNOK_TRACE_STARTUP");
        // A sound device that lets its output go, on any machine: standard
        // error then holds only what the display has to say.
        environment.insert("ALSOFT_DRIVERS", "null");
        for (auto it = changes.begin(); it != changes.end(); ++it)
            it.value().isNull() ? environment.remove(it.key()) : environment.insert(it.key(), it.value());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder.path());
        EndWithTheTest(process);
        process.start(QStringLiteral(TARNOK3D_BINARY), arguments);
    }
    ~Game()
    {
        process.kill();
        process.waitForFinished(10000);
    }

    Ending WaitForEnd()
    {
        Ending ending;
        if (!process.waitForFinished(60000))
            return ending;
        ending.status = process.exitStatus();
        ending.code = process.exitCode();
        ending.errorLines = QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        ending.coreFiles = QDir(folder.path()).entryList({"core*"}, QDir::Files);
        return ending;
    }

private:
    QTemporaryDir folder;
    QProcess process;
};

// One line on standard error matching the pattern, the given status, and
// neither a crash nor a core file.
void CheckEnding(const Ending& ending, int code, const QString& linePattern)
{
    QCOMPARE(ending.status, QProcess::NormalExit);
    QVERIFY2(ending.errorLines.size() == 1, qPrintable(ending.errorLines.join('\n')));
    QVERIFY2(QRegularExpression(linePattern).match(ending.errorLines.first()).hasMatch(),
             qPrintable(ending.errorLines.first()));
    QCOMPARE(ending.code, code);
    QVERIFY2(ending.coreFiles.isEmpty(), qPrintable(ending.coreFiles.join(' ')));
}

QString MainWindow()
{
    const QStringList ids = Windows(mainTitle);
    return ids.isEmpty() ? QString() : ids.first();
}

enum class Moment { NewGameDialog, Flight, RoundEnd };

} // namespace

class DisplayFailureTest : public QObject {
    Q_OBJECT

    // The game on the test's own display with its first new game answered.
    void StartPlaying(std::unique_ptr<Game>& game)
    {
        game = std::make_unique<Game>();
        QVERIFY(AnswerNewGame()); // 2 players, 1 round
        QVERIFY(WaitForWindow(mainTitle));
        Focus(MainWindow());
    }

private slots:
    void withoutDisplayTheGameSaysSoAndEnds()
    {
        Game game({}, {{"DISPLAY", QString()}, {"QT_QPA_PLATFORM", QString()}, {"XDG_SESSION_TYPE", QString()}});
        CheckEnding(game.WaitForEnd(), 1, "^tarnok3d: brak ekranu X; zmienna DISPLAY nie jest ustawiona");
    }

    void aDisplayThatDoesNotAnswerIsNamed()
    {
        if (QFile::exists("/tmp/.X11-unix/X59999"))
            QSKIP("display :59999 is in use here");
        Game game({}, {{"DISPLAY", ":59999"}, {"QT_QPA_PLATFORM", QString()}, {"XDG_SESSION_TYPE", QString()}});
        CheckEnding(game.WaitForEnd(), 1, "^tarnok3d: nie można połączyć się z ekranem X „:59999”$");
        Game named({"-display", ":59999"}, {{"DISPLAY", QString()}, {"QT_QPA_PLATFORM", QString()}});
        CheckEnding(named.WaitForEnd(), 1, "„:59999”$");
    }

    void anUnknownPlatformPluginIsNamed()
    {
        Game byArgument({"-platform", "nonesuch"});
        CheckEnding(byArgument.WaitForEnd(), 1, "^tarnok3d: brak wtyczki platformy graficznej Qt „nonesuch”$");
        Game byEnvironment({}, {{"QT_QPA_PLATFORM", "nonesuch"}});
        CheckEnding(byEnvironment.WaitForEnd(), 1, "„nonesuch”$");
    }

    // --help and --version need no display; a bad argument is named on one line.
    void theCommandLineIsAnsweredWithoutADisplay()
    {
        const QMap<QString, QString> noDisplay{{"DISPLAY", QString()}};
        for (const char* option : {"--help", "-h", "--version", "-v"}) {
            Game game({option}, noDisplay);
            const Ending ending = game.WaitForEnd();
            QCOMPARE(ending.status, QProcess::NormalExit);
            QCOMPARE(ending.code, 0);
            QVERIFY2(ending.errorLines.isEmpty(), qPrintable(ending.errorLines.join('\n')));
        }
        // One record is opened, as a document; a second is refused.
        Game bad({"gra.tarnok", "zapis.gry"}, noDisplay);
        CheckEnding(bad.WaitForEnd(), 2, "^tarnok3d: nieznany argument „zapis.gry”");
        Game badOption({"--fullscreen"}, noDisplay);
        CheckEnding(badOption.WaitForEnd(), 2, "„--fullscreen”");
    }

    // The server goes with the new-game dialog open, while a steep shot at
    // full power flies (for more than a hundred frames), and while the
    // results of the one round are shown.
    void losingTheServerEndsTheGame_data()
    {
        QTest::addColumn<int>("moment");
        QTest::newRow("the new-game dialog open") << int(Moment::NewGameDialog);
        QTest::newRow("a flight") << int(Moment::Flight);
        QTest::newRow("the round end") << int(Moment::RoundEnd);
    }

    void losingTheServerEndsTheGame()
    {
        QFETCH(int, moment);
        OwnDisplay display;
        QVERIFY(display.Start());
        std::unique_ptr<Game> game;
        StartPlaying(game);
        if (QTest::currentTestFailed())
            return; // with its message; there is no game to take the server from
        QVERIFY(game);
        switch (Moment(moment)) {
        case Moment::NewGameDialog:
            Keys({"ctrl+n"});
            QVERIFY(WaitForWindow(newGameTitle));
            break;
        case Moment::Flight:
            Keys(QStringList(16, "Up") + QStringList(10, "KP_Add") + QStringList{"space"});
            break;
        case Moment::RoundEnd:
            QVERIFY(SelfShots(MainWindow()).EndTheRound(messageTitle));
            break;
        }
        display.Kill();
        CheckEnding(game->WaitForEnd(), 1, QRegularExpression::escape(lostLine));
    }
};

QTEST_GUILESS_MAIN(DisplayFailureTest)
#include "tst_displayFailure.moc"
