// The keyboard always reaches the tank: the real binary on an X server of the
// test's own, driven by xdotool with real clicks and keys. After each step a
// player takes (clicking the view, a toolbar button, a bomb chosen by mouse
// or keys, the list closed with Escape, the menu by mouse or Alt, a dialog,
// the toolbar floating) one keypad key must change the tank's power, which the
// status bar shows. With TARNOK_TEST_WM=openbox the display has a window
// manager; without it, none.
#include "desktop.h"
#include "ownDisplay.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <functional>

using namespace Desktop;

namespace {

const QString dialogTitle = QStringLiteral("^Nowa gra$");
const QString mainTitle = QStringLiteral("^- Tarnok 3D - $");
const QString helpTitle = QStringLiteral("^Pomoc$");
const QString aboutTitle = QStringLiteral("^O programie$");
const QString toolbarTitle = QStringLiteral("^Czołg$");

// Where things are, from a toolbar's or the window's top-left corner: the
// toolbar's buttons have fixed 17 x 15 faces, the bomb selector is 150 wide.
const int barrelLeftX = 25, powerUpX = 143, selectorX = 297, toolbarMiddleY = 15;
const int dockedToolbarTop = 18;
const int gameMenuX = 20, helpMenuX = 62, menuBarMiddleY = 9;

QString OnlyWindow(const QString& title)
{
    const QStringList ids = Windows(title);
    return ids.isEmpty() ? QString() : ids.first();
}

// The window's client area on the screen, as the X server places it (under a
// reparenting window manager xdotool's own geometry counts the frame twice).
QRect ClientArea(const QString& windowId)
{
    int x = 0, y = 0, w = 0, h = 0;
    for (const QString& line : Run(QStringLiteral("xwininfo"), {"-id", windowId}).split('\n')) {
        const QString value = line.section(':', 1).trimmed();
        if (line.contains("Absolute upper-left X"))
            x = value.toInt();
        else if (line.contains("Absolute upper-left Y"))
            y = value.toInt();
        else if (line.trimmed().startsWith("Width:"))
            w = value.toInt();
        else if (line.trimmed().startsWith("Height:"))
            h = value.toInt();
    }
    return QRect(x, y, w, h);
}

// Part of the screen, grabbed alone: much quicker than the whole screen.
QImage ScreenArea(QRect r)
{
    const QString crop = QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
    QProcess process;
    process.start(QStringLiteral("import"), {"-window", "root", "-crop", crop, "png:-"});
    process.waitForFinished(20000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

void Click(QPoint at)
{
    Run(QStringLiteral("xdotool"), {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

bool IsHighlight(QColor c)
{
    return c.blue() > 150 && c.blue() > c.red() + 80 && c.green() > c.red() + 40;
}

} // namespace

class KeyboardFocusTest : public QObject {
    Q_OBJECT

    OwnDisplay display;
    QProcess windowManager;
    QProcess game;
    QTemporaryDir runtimeDir;
    QRect area;
    int keysSent = 0;
    QStringList failedSteps;

    QImage ValuePanes()
    {
        // The status bar's value panes, right of the message pane.
        return ScreenArea(QRect(area.right() - 580, area.bottom() - 20, 555, 20));
    }

    // One keypad key after the step: true when the tank's power changed.
    // Plus and minus take turns so that the power stays within its range.
    bool KeyReachesTheTank()
    {
        QThread::msleep(200); // the panes follow the step once the game is idle
        const QImage before = ValuePanes();
        Keys({keysSent++ % 2 == 0 ? "KP_Add" : "KP_Subtract"});
        for (int wait = 0; wait < 20; ++wait) {
            QThread::msleep(100);
            if (ValuePanes() != before)
                return true;
        }
        return false;
    }

    // A toolbar button clicked: done when the tank's values change with it.
    bool ClickChangesTheTank(QPoint button)
    {
        QThread::msleep(200);
        const QImage before = ValuePanes();
        Click(button);
        return QTest::qWaitFor([&] { return ValuePanes() != before; }, 3000);
    }

    // Drags the toolbar by its handle, in steps as a hand does, into the view.
    bool FloatTheToolbar(QPoint handle)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Run(QStringLiteral("xdotool"), {"mousemove", QString::number(handle.x()), QString::number(handle.y()),
                                            "mousedown", "1"});
            for (int step = 1; step <= 10; ++step) {
                QThread::msleep(30);
                const QPoint p = handle + QPoint(30 * step, 40 * step);
                Run(QStringLiteral("xdotool"), {"mousemove", QString::number(p.x()), QString::number(p.y())});
            }
            Run(QStringLiteral("xdotool"), {"mouseup", "1"});
            if (WaitForWindow(toolbarTitle, 3000))
                return true;
        }
        return false;
    }

    // The floating toolbar's row of buttons, once the window manager has placed it.
    QPoint FloatingToolbar()
    {
        QRect placed = ClientArea(OnlyWindow(toolbarTitle));
        for (int wait = 0; wait < 20; ++wait) {
            QThread::msleep(100);
            const QRect now = ClientArea(OnlyWindow(toolbarTitle));
            if (now == placed)
                break;
            placed = now;
        }
        return placed.topLeft() + QPoint(0, toolbarMiddleY);
    }

    // A step whose own action fails (a dialog that never opened) fails too.
    void Step(const char* name, const std::function<bool()>& action)
    {
        QElapsedTimer timer;
        timer.start();
        const bool done = action();
        const bool reached = KeyReachesTheTank();
        if (!done || !reached)
            failedSteps << QString::fromUtf8(name);
        qInfo("%s: %s, %s (%lld ms)", name, done ? "done" : "NOT DONE",
              reached ? "the key reached the tank" : "the key was lost", timer.elapsed());
    }

    bool OpenAndClose(const QStringList& keys, const QString& title)
    {
        Keys(keys);
        if (!WaitForWindow(title, 5000))
            return false;
        Keys({"Escape"});
        return WaitForNoWindow(title, 5000);
    }

    bool AnswerNewGame()
    {
        if (!WaitForWindow(dialogTitle))
            return false;
        for (int attempt = 0; attempt < 10; ++attempt) {
            const QString dialog = OnlyWindow(dialogTitle);
            if (dialog.isEmpty())
                return true;
            Focus(dialog);
            Keys({"Return"});
            if (WaitForNoWindow(dialogTitle, 2000))
                return true;
        }
        return false;
    }

    bool StartWindowManager()
    {
        if (qgetenv("TARNOK_TEST_WM") != "openbox")
            return true;
        EndWithThisProcess(windowManager);
        windowManager.start(QStringLiteral("openbox"), {"--sm-disable"});
        if (!windowManager.waitForStarted())
            return false;
        return QTest::qWaitFor([] {
            return Run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        }, 15000);
    }

    // Opens the bomb list with a click on the selector and picks the item
    // shown highlighted (the current kind) by clicking it, wherever the list
    // opened (under a window manager Qt may place it away from a floating
    // toolbar).
    bool ChooseCurrentBombByMouse(QPoint selector)
    {
        Click(selector);
        QThread::msleep(400);
        const QImage shot = Screenshot();
        QRect highlight;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 4)
                if (IsHighlight(shot.pixelColor(x, y)))
                    highlight |= QRect(x, y, 1, 1);
        if (highlight.isEmpty()) { // the list did not open
            shot.save(QDir::temp().filePath(QStringLiteral("tst_keyboardFocus-no-list.png")));
            return false;
        }
        if (!highlight.contains(selector.x(), highlight.center().y()))
            qInfo("the bomb list opened away from its selector, at (%d, %d)", highlight.x(), highlight.y());
        Click(highlight.center());
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(runtimeDir.isValid());
        QVERIFY(display.Start());
        QVERIFY(StartWindowManager());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display.Name());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        game.setProcessEnvironment(environment);
        EndWithThisProcess(game);
        game.start(QStringLiteral(TARNOK3D_BINARY), {});
        QVERIFY(game.waitForStarted());
        QVERIFY(AnswerNewGame());
        QVERIFY(WaitForWindow(mainTitle));
        QThread::msleep(500);
        area = ClientArea(OnlyWindow(mainTitle));
        Focus(OnlyWindow(mainTitle));
    }

    void cleanupTestCase()
    {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
        if (windowManager.state() != QProcess::NotRunning) {
            windowManager.terminate();
            windowManager.waitForFinished(5000);
        }
        display.Stop();
    }

    void everyStepLeavesTheKeysWithTheTank()
    {
        const QPoint topLeft = area.topLeft();
        const QPoint docked = topLeft + QPoint(0, dockedToolbarTop + toolbarMiddleY);
        Step("the view clicked", [&] { return Click(area.center()), true; });
        Step("a toolbar button", [&] { return ClickChangesTheTank(docked + QPoint(barrelLeftX, 0)); });
        Step("a bomb chosen by mouse", [&] { return ChooseCurrentBombByMouse(docked + QPoint(selectorX, 0)); });
        Step("a bomb chosen by keys", [&] {
            Click(docked + QPoint(selectorX, 0));
            QThread::msleep(400);
            return Keys({"Return"}), true;
        });
        Step("the bomb list closed with Escape", [&] {
            Click(docked + QPoint(selectorX, 0));
            QThread::msleep(400);
            return Keys({"Escape"}), true;
        });
        Step("the menu opened and closed by mouse", [&] {
            Click(topLeft + QPoint(gameMenuX, menuBarMiddleY));
            QThread::msleep(300);
            return Click(topLeft + QPoint(gameMenuX, menuBarMiddleY)), true;
        });
        Step("the menu by Alt, closed with Escape", [&] {
            Keys({"alt+g"});
            QThread::msleep(300);
            return Keys({"Escape", "Escape"}), true;
        });
        Step("About from the menu by mouse, closed", [&] {
            Click(topLeft + QPoint(helpMenuX, menuBarMiddleY));
            QThread::msleep(300);
            return OpenAndClose({"o"}, aboutTitle);
        });
        Step("the help by Alt, closed", [&] { return OpenAndClose({"alt+p", "p"}, helpTitle); });
        Step("a new game by Ctrl+N", [&] {
            Keys({"ctrl+n"});
            return AnswerNewGame();
        });

        // The toolbar dragged out by its handle floats in a window of its own.
        QVERIFY2(FloatTheToolbar(docked + QPoint(4, 0)), "the toolbar did not float");
        Step("a floating toolbar's button", [&] {
            return ClickChangesTheTank(FloatingToolbar() + QPoint(powerUpX, 0));
        });
        Step("a bomb chosen on the floating toolbar", [&] {
            return ChooseCurrentBombByMouse(FloatingToolbar() + QPoint(selectorX, 0));
        });
        Step("a floating toolbar's list by keys", [&] {
            Click(FloatingToolbar() + QPoint(selectorX, 0));
            QThread::msleep(400);
            return Keys({"Return"}), true;
        });
        Step("the help by Alt after the floating toolbar", [&] { return OpenAndClose({"alt+p", "p"}, helpTitle); });

        QVERIFY2(failedSteps.isEmpty(), qPrintable("keys lost after: " + failedSteps.join(", ")));
        QVERIFY(game.state() == QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(KeyboardFocusTest)
#include "tst_keyboardFocus.moc"
