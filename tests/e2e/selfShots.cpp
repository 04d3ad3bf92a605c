#include "selfShots.h"

#include "desktop.h"

#include <QStringList>
#include <QtTest>

using namespace Desktop;

namespace {

// The window's place on the screen as X has it (xdotool's geometry is off by
// the frame under a window manager).
QRect ScreenRect(const QString& windowId)
{
    int x = 0, y = 0, w = 0, h = 0;
    for (const QString& line : Run(QStringLiteral("xwininfo"), {"-id", windowId}).split('\n')) {
        const QString field = line.section(':', 0, 0).trimmed(), value = line.section(':', 1).trimmed();
        if (field == "Absolute upper-left X")
            x = value.toInt();
        else if (field == "Absolute upper-left Y")
            y = value.toInt();
        else if (field == "Width")
            w = value.toInt();
        else if (field == "Height")
            h = value.toInt();
    }
    return QRect(x, y, w, h);
}

} // namespace

SelfShots::SelfShots(const QString& mainWindow) : mainWindow(mainWindow)
{
    const QRect area = mainWindow.isEmpty() ? QRect() : ScreenRect(mainWindow);
    if (!area.isEmpty())
        statusBar = QRect(area.left(), area.bottom() - 20, area.width(), 21);
}

bool SelfShots::KeysServed()
{
    Focus(mainWindow);
    if (!OpenFromMenu({"alt+p", "p"}, helpTitle) || !Dismiss(helpTitle, QStringLiteral("Return")))
        return false;
    Focus(mainWindow);
    return true;
}

bool SelfShots::AimAndShoot()
{
    Focus(mainWindow);
    Keys(QStringList(18, "Up") + QStringList(10, "KP_Subtract"));
    if (!KeysServed()) {
        qInfo("the game did not open and close its help after the aim");
        return false;
    }
    // Both players' panes differ when the turn passes: the next one's power
    // is not yet 0, or his energy is still 30 where the shooter's was 100.
    const QImage aimed = Screenshot(statusBar);
    Keys({"space"});
    if (!QTest::qWaitFor([&] { return Screenshot(statusBar) != aimed; }, stateTimeoutMs)) {
        qInfo("the turn did not pass after a shot");
        return false;
    }
    return true;
}

bool SelfShots::EndTheRound(const QString& roundEndTitle)
{
    if (statusBar.isEmpty()) {
        qInfo("no main window to play in");
        return false;
    }
    if (!AimAndShoot() || !AimAndShoot())
        return false;
    Focus(mainWindow);
    Keys({"space"}); // player 1, still aimed, falls below zero
    return WaitForWindow(roundEndTitle);
}
