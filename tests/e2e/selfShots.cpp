#include "selfShots.h"

#include "desktop.h"

#include <QStringList>
#include <QThread>

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

SelfShots::SelfShots(const QString& mainWindow)
{
    const QRect area = ScreenRect(mainWindow);
    statusBar = QRect(area.left(), area.bottom() - 20, area.width(), 21);
    shown = StatusBarAfter(QImage());
}

QImage SelfShots::StatusBarAfter(const QImage& from) const
{
    QImage previous;
    for (int poll = 0; poll < 300; ++poll) {
        const QImage now = Screenshot().copy(statusBar);
        if (now != from && now == previous)
            return now;
        previous = now;
        QThread::msleep(200);
    }
    return previous;
}

void SelfShots::Shoot(bool aim)
{
    if (aim) {
        Keys(QStringList(18, "Up") + QStringList(10, "KP_Subtract"));
        shown = StatusBarAfter(shown);
    }
    Keys({"space"});
    shown = StatusBarAfter(shown);
}

bool SelfShots::EndTheRound(const QString& roundEndTitle)
{
    Shoot(true);
    Shoot(true);
    Keys({"space"}); // player 1, still aimed, falls below zero
    return WaitForWindow(roundEndTitle, 60000);
}
