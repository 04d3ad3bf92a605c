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

// What is wrong with the caption of the window showing the text: empty when
// the window is there and the manager shows exactly the text.
QString CaptionFault(const QString& text)
{
    const QString id = WindowShowing(text);
    if (id.isEmpty())
        return "no window shows " + text + "; windows: " + DescribeWindows();
    const QString shown = ShownCaption(id);
    return shown == text ? QString() : QStringLiteral("\"%1\" shown as \"%2\"").arg(text, shown);
}

} // namespace

// Ends the test function, as QVERIFY does, unless the caption is right.
#define VERIFY_CAPTION(text)                           \
    do {                                               \
        const QString fault = CaptionFault(text);      \
        QVERIFY2(fault.isEmpty(), qPrintable(fault));  \
    } while (false)

class CaptionsTest : public QObject {
    Q_OBJECT

    OwnDisplay display;
    QProcess game;
    QTemporaryDir runtime;
    QString mainWindow;

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

    // Every step after the first works on the main window that it found.
    void init()
    {
        if (QTest::currentTestFunction() != QByteArrayLiteral("theNewGameDialogAndTheMainWindow"))
            QVERIFY2(!mainWindow.isEmpty(), "no main window to work on");
    }

    // Asks for two rounds, so that the shop opens between them.
    void theNewGameDialogAndTheMainWindow()
    {
        VERIFY_CAPTION(QStringLiteral("Nowa gra"));
        Focus(WindowShowing(QStringLiteral("Nowa gra")));
        Keys({"Tab", "Up", "Return"}); // the players box has the focus; the rounds box is next
        VERIFY_CAPTION(QStringLiteral("- Tarnok 3D - "));
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
        QVERIFY(OpenFromMenu({"alt+p", "o"}, aboutTitle));
        VERIFY_CAPTION(QStringLiteral("O programie"));
        QVERIFY(Dismiss(aboutTitle, "Escape"));
        QVERIFY(OpenFromMenu({"alt+p", "p"}, helpTitle));
        VERIFY_CAPTION(QStringLiteral("Pomoc"));
        QVERIFY(Dismiss(helpTitle, "Return"));
    }

    // At the round end the shop opens; buying small bombs until the money is
    // gone brings up its refusal, a message box.
    void theShopAndItsMessageBox()
    {
        Focus(mainWindow);
        QVERIFY(SelfShots(mainWindow).EndTheRound(QStringLiteral("Sklepik")));
        VERIFY_CAPTION(QStringLiteral("Sklepik"));
        Focus(WindowShowing(QStringLiteral("Sklepik")));
        for (int bought = 0; bought < 100 && Windows(QStringLiteral("^Tarnok 3D")).isEmpty(); ++bought)
            Keys({"Up"}); // the small count box has the focus
        VERIFY_CAPTION(QStringLiteral("Tarnok 3D"));
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
