#include "desktop.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace Desktop {

QString Run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QStringList Windows(const QString& titlePattern)
{
    return Run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", titlePattern})
        .split('\n', Qt::SkipEmptyParts);
}

bool WaitForWindows(const QString& titlePattern, bool shown, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (Windows(titlePattern).isEmpty() != shown)
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool WaitForWindow(const QString& titlePattern, int timeoutMs)
{
    return WaitForWindows(titlePattern, true, timeoutMs);
}

bool WaitForNoWindow(const QString& titlePattern, int timeoutMs)
{
    return WaitForWindows(titlePattern, false, timeoutMs);
}

QString OnlyWindow(const QString& titlePattern)
{
    const QStringList ids = Windows(titlePattern);
    return ids.isEmpty() ? QString() : ids.first();
}

bool AnswerNewGame()
{
    if (!WaitForWindow(newGameTitle))
        return false;
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QString dialog = OnlyWindow(newGameTitle);
        if (dialog.isEmpty())
            return true;
        Focus(dialog);
        Keys({"Return"});
        if (WaitForNoWindow(newGameTitle, 2000))
            return true;
    }
    return false;
}

QRect Geometry(const QString& windowId)
{
    // "X=0\nY=0\nWIDTH=1024\nHEIGHT=768\n..."
    const QStringList lines = Run(QStringLiteral("xdotool"), {"getwindowgeometry", "--shell", windowId}).split('\n');
    int x = 0, y = 0, w = 0, h = 0;
    for (const QString& line : lines) {
        const QString value = line.section('=', 1);
        if (line.startsWith("X="))
            x = value.toInt();
        else if (line.startsWith("Y="))
            y = value.toInt();
        else if (line.startsWith("WIDTH="))
            w = value.toInt();
        else if (line.startsWith("HEIGHT="))
            h = value.toInt();
    }
    return QRect(x, y, w, h);
}

void Focus(const QString& windowId)
{
    Run(QStringLiteral("xdotool"), {"windowfocus", "--sync", windowId});
}

void Keys(const QStringList& keys)
{
    QStringList arguments{"key", "--delay", "40"};
    arguments += keys;
    Run(QStringLiteral("xdotool"), arguments);
}

QImage Screenshot()
{
    QProcess process;
    process.start(QStringLiteral("import"), {"-window", "root", "png:-"});
    process.waitForFinished(20000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

} // namespace Desktop
