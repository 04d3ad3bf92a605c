#include "desktop.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace Desktop {

QString Run(const QString& program, const QStringList& arguments, int timeoutMs, QByteArray* errors)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) && process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
    if (errors)
        *errors = process.readAllStandardError();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QStringList Windows(const QString& titlePattern)
{
    // A window that goes away while xdotool walks the tree (the game makes and
    // drops some while it starts) ends the search with an X error and no ids:
    // that search is made again, never taken for "no such window".
    QString found;
    QByteArray errors;
    for (int attempt = 0; attempt < 10; ++attempt) {
        found = Run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", titlePattern}, 20000, &errors);
        if (errors.isEmpty())
            break;
        QThread::msleep(50);
    }
    return found.split('\n', Qt::SkipEmptyParts);
}

bool WaitForWindows(const QString& titlePattern, bool shown, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    // None shown: so on two looks in a row.
    int seen = 0;
    while (timer.elapsed() < timeoutMs) {
        seen = Windows(titlePattern).isEmpty() != shown ? seen + 1 : 0;
        if (seen == (shown ? 1 : 2))
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

QString DescribeWindows()
{
    QStringList windows;
    // xwininfo's tree lines: 0x1a00003 "Nowa gra": ("tarnok3d" "tarnok3d")  258x179+0+0  +511+422
    for (const QString& line : Run(QStringLiteral("xwininfo"), {"-root", "-tree"}).split('\n')) {
        const QString window = line.trimmed();
        if (!window.startsWith(QLatin1String("0x")) || !window.contains('"'))
            continue;
        QString state;
        for (const QString& detail : Run(QStringLiteral("xwininfo"), {"-id", window.section(' ', 0, 0)}).split('\n'))
            if (detail.contains(QLatin1String("Map State:")))
                state = detail.section(':', 1).trimmed();
        windows << window.section(QStringLiteral(": ("), 0, 0) + ' ' + state;
    }
    return windows.join(QStringLiteral("; "));
}

bool Dismiss(const QString& titlePattern, const QString& key)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < stateTimeoutMs) {
        const QString window = OnlyWindow(titlePattern);
        if (window.isEmpty())
            return WaitForNoWindow(titlePattern);
        Focus(window);
        Keys({key});
        if (WaitForNoWindow(titlePattern, 5000))
            return true;
    }
    return false;
}

bool OpenFromMenu(const QStringList& keys, const QString& titlePattern)
{
    QElapsedTimer timer;
    timer.start();
    for (int attempt = 0; timer.elapsed() < stateTimeoutMs; ++attempt) {
        if (attempt > 0) {
            qInfo("%s opened no window \"%s\"; the menu closed, the keys again", qPrintable(keys.join(", ")),
                  qPrintable(titlePattern));
            Keys({"Escape", "Escape"}); // the game's main window has no use for it
        }
        Focus(OnlyWindow(mainTitle));
        Keys(keys);
        if (WaitForWindow(titlePattern, 5000))
            return true;
    }
    return false;
}

bool AnswerNewGame()
{
    return WaitForWindow(newGameTitle) && Dismiss(newGameTitle, QStringLiteral("Return"));
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

namespace {

// One colour of a true-colour pixel, as 0 to 255.
int Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const int shift = __builtin_ctzl(mask);
    return int(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

} // namespace

QImage Screenshot(const QRect& area)
{
    // Straight from the X server: ImageMagick's import takes a third of a
    // second a picture, and the waits take many.
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return QImage();
    const Window root = DefaultRootWindow(display);
    XWindowAttributes screen;
    XGetWindowAttributes(display, root, &screen);
    const QRect part = (area.isNull() ? QRect(0, 0, screen.width, screen.height) : area)
                           .intersected(QRect(0, 0, screen.width, screen.height));
    QImage shot;
    if (XImage* image = part.isEmpty() ? nullptr
                                       : XGetImage(display, root, part.x(), part.y(), unsigned(part.width()),
                                                   unsigned(part.height()), AllPlanes, ZPixmap)) {
        shot = QImage(part.size(), QImage::Format_RGB32);
        // The usual true-colour layout is Qt's own: copied a row at a time,
        // many times quicker than a pixel at a time, so that the waits look
        // often even on a loaded machine.
        const bool native = Q_BYTE_ORDER == Q_LITTLE_ENDIAN && image->bits_per_pixel == 32 && image->byte_order == LSBFirst
                         && image->red_mask == 0xff0000 && image->green_mask == 0xff00 && image->blue_mask == 0xff;
        for (int y = 0; y < part.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shot.scanLine(y));
            if (native) {
                const auto* source = reinterpret_cast<const quint32*>(image->data + y * image->bytes_per_line);
                for (int x = 0; x < part.width(); ++x)
                    line[x] = source[x] | 0xff000000u;
                continue;
            }
            for (int x = 0; x < part.width(); ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                line[x] = qRgb(Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                               Channel(pixel, image->blue_mask));
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return shot;
}

HeldDisplay::HeldDisplay() : display(XOpenDisplay(nullptr)) {}

HeldDisplay::~HeldDisplay()
{
    if (display)
        XCloseDisplay(display);
}

QImage SettledScreenshot(const QRect& part)
{
    QImage last = Screenshot(part);
    for (int look = 0; look < 100; ++look) {
        QThread::msleep(150);
        const QImage now = Screenshot(part);
        if (now == last)
            return now;
        last = now;
    }
    return last;
}

} // namespace Desktop
