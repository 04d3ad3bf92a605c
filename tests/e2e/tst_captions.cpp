// Every caption of the real tarnok3d binary as the window manager shows it:
// on an X server of the test's own under openbox, each window's
// _NET_WM_VISIBLE_NAME (or, when the manager leaves the title as it is,
// _NET_WM_NAME) read through xprop. Qt would otherwise add the application's
// name to each ("Nowa gra — Tarnok 3D"); the game's captions are its own.
#include "desktop.h"
#include "ownDisplay.h"
#include "selfShots.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace Desktop;

namespace {

// One text property of a window, as xprop prints it: NAME(UTF8_STRING) = "text".
QString Property(const QString& windowId, const QString& name)
{
    const QString line = Run(QStringLiteral("xprop"), {"-id", windowId, name}).trimmed();
    const QRegularExpressionMatch match = QRegularExpression("^[A-Z_]+\\([A-Z0-9_]+\\) = \"(.*)\"$").match(line);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString ShownCaption(const QString& windowId)
{
    const QString visible = Property(windowId, "_NET_WM_VISIBLE_NAME");
    return visible.isEmpty() ? Property(windowId, "_NET_WM_NAME") : visible;
}

// The window whose title begins with the text (so that a caption with
// something added is found too, and then told apart).
QString WindowShowing(const QString& text)
{
    const QString beginning = '^' + QRegularExpression::escape(text);
    if (!WaitForWindow(beginning, 120000))
        return QString();
    return OnlyWindow(beginning);
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT

    OwnDisplay display;
    QProcess game;
    QTemporaryDir runtime;
    QString mainWindow;

    void CheckCaption(const QString& text)
    {
        const QString id = WindowShowing(text);
        QVERIFY2(!id.isEmpty(), qPrintable("no window shows " + text));
        QCOMPARE(ShownCaption(id), text);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(display.Start());
        QVERIFY(display.StartWindowManager());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        game.setProcessEnvironment(environment);
        EndWithTheTest(game);
        game.start(QStringLiteral(TARNOK3D_BINARY), {});
        QVERIFY(game.waitForStarted());
    }

    // Asks for two rounds, so that the shop opens between them.
    void theNewGameDialogAndTheMainWindow()
    {
        CheckCaption(QStringLiteral("Nowa gra"));
        Focus(WindowShowing(QStringLiteral("Nowa gra")));
        Keys({"Tab", "Up", "Return"}); // the players box has the focus; the rounds box is next
        CheckCaption(QStringLiteral("- Tarnok 3D - "));
        mainWindow = WindowShowing(QStringLiteral("- Tarnok 3D - "));
        QVERIFY2(!mainWindow.isEmpty(), "the main window is gone");
    }

    // The window manager gets the icon at every size it may draw (title bar,
    // task switcher), as xprop lists them: "Icon (16 x 16):".
    void theMainWindowCarriesTheIconAtEverySize()
    {
        const QString icons = Run(QStringLiteral("xprop"), {"-len", "1000000", "-id", mainWindow, "_NET_WM_ICON"});
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY2(icons.contains(QStringLiteral("Icon (%1 x %1)").arg(size)), qPrintable(QString::number(size)));
    }

    void theAboutAndHelpBoxes()
    {
        Focus(mainWindow);
        Keys({"alt+p", "o"});
        CheckCaption(QStringLiteral("O programie"));
        QVERIFY(Dismiss(aboutTitle, "Escape"));
        Focus(mainWindow);
        Keys({"alt+p", "p"});
        CheckCaption(QStringLiteral("Pomoc"));
        QVERIFY(Dismiss(helpTitle, "Return"));
    }

    // At the round end the shop opens; buying small bombs until the money is
    // gone brings up its refusal, a message box.
    void theShopAndItsMessageBox()
    {
        Focus(mainWindow);
        QVERIFY(SelfShots(mainWindow).EndTheRound(QStringLiteral("Sklepik")));
        CheckCaption(QStringLiteral("Sklepik"));
        Focus(WindowShowing(QStringLiteral("Sklepik")));
        for (int bought = 0; bought < 100 && Windows(QStringLiteral("^Tarnok 3D")).isEmpty(); ++bought)
            Keys({"Up"}); // the small count box has the focus
        CheckCaption(QStringLiteral("Tarnok 3D"));
    }

    void cleanupTestCase()
    {
        if (game.state() != QProcess::NotRunning)
            game.kill();
        game.waitForFinished(10000);
        display.Stop();
    }
};

QTEST_GUILESS_MAIN(CaptionsTest)
#include "tst_captions.moc"
