#include "ownDisplay.h"

#include "desktop.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>

#include <X11/Xlib.h>

void EndWithTheTest(QProcess& process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

bool OwnDisplay::Start(const QStringList& options)
{
    // A display number far from the low ones that other servers pick for
    // themselves (-displayfd alone starts at 0), tried until one is free.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int number = 400 + int(QRandomGenerator::global()->bounded(600));
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        // -displayfd: the server writes its display number once it is ready.
        // -noreset: without it the server resets whenever its last client
        // leaves (an xdotool call, say) and refuses the next one meanwhile.
        QStringList arguments{QStringLiteral(":%1").arg(number), "-displayfd", "1", "-noreset", "-screen", "0",
                              "1280x1024x24", "-nolisten", "tcp"};
        arguments += options;
        EndWithTheTest(server);
        server.start(QStringLiteral("Xvfb"), arguments);
        if (!server.waitForStarted(10000))
            return false;
        while (!server.canReadLine() && server.state() == QProcess::Running)
            server.waitForReadyRead(20000);
        if (!server.canReadLine())
            continue; // taken meanwhile: the server has ended
        name = ':' + QString::fromLatin1(server.readLine()).trimmed();
        if (!displaySet)
            previousDisplay = qgetenv("DISPLAY");
        displaySet = true;
        qputenv("DISPLAY", name.toLocal8Bit());
        return WaitUntilItAnswers();
    }
    return false;
}

// The number may be written before the server takes connections.
bool OwnDisplay::WaitUntilItAnswers()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < Desktop::stateTimeoutMs) {
        if (!Desktop::Run(QStringLiteral("xdotool"), {"getdisplaygeometry"}).trimmed().isEmpty())
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool OwnDisplay::StartWindowManager()
{
    EndWithTheTest(windowManager);
    windowManager.start(QStringLiteral("openbox"), {"--sm-disable"});
    if (!windowManager.waitForStarted())
        return false;
    const bool named = QTest::qWaitFor([this] {
        return windowManager.state() == QProcess::Running
            && Desktop::Run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
    }, Desktop::stateTimeoutMs);
    return named && WindowManagerFrames();
}

// Openbox names itself on the root window before its event loop takes map
// requests, and a window mapped in between is never shown (the game's first
// dialog stayed unmapped for good). It is ready once it has framed a window
// of the test's own: shown, and moved from the root into a frame. A probe
// whose request was lost so is dropped, and a new one made.
bool OwnDisplay::WindowManagerFrames()
{
    Display* display = XOpenDisplay(name.toLocal8Bit().constData());
    if (!display)
        return false;
    const Window root = DefaultRootWindow(display);
    bool framed = false;
    QElapsedTimer timer;
    timer.start();
    while (!framed && timer.elapsed() < Desktop::stateTimeoutMs && windowManager.state() == QProcess::Running) {
        const Window probe = XCreateSimpleWindow(display, root, 0, 0, 20, 20, 0, 0, 0);
        XMapWindow(display, probe);
        XFlush(display);
        QElapsedTimer look;
        look.start();
        while (!framed && look.elapsed() < 3000) {
            QThread::msleep(20);
            Window rootOf = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            XWindowAttributes attributes;
            const bool placed = XQueryTree(display, probe, &rootOf, &parent, &children, &count);
            if (children)
                XFree(children);
            framed = placed && parent != root && XGetWindowAttributes(display, probe, &attributes)
                  && attributes.map_state == IsViewable;
        }
        XDestroyWindow(display, probe);
        XSync(display, False);
        if (!framed)
            qInfo("the window manager did not frame a window within 3 s (%lld ms after it named itself); "
                  "trying again", timer.elapsed());
    }
    XCloseDisplay(display);
    return framed;
}

QString OwnDisplay::WindowManagerState()
{
    if (windowManager.state() != QProcess::NotRunning)
        return QStringLiteral("runs");
    return QStringLiteral("ended with status %1: %2")
        .arg(windowManager.exitCode())
        .arg(QString::fromLocal8Bit(windowManager.readAllStandardError()).trimmed());
}

void OwnDisplay::Stop()
{
    for (QProcess* process : {&windowManager, &server}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(2000);
    }
    GiveBackTheDisplay();
}

void OwnDisplay::Kill()
{
    if (server.state() != QProcess::NotRunning) {
        server.kill();
        server.waitForFinished(10000);
    }
    if (windowManager.state() != QProcess::NotRunning) {
        windowManager.kill();
        windowManager.waitForFinished(10000);
    }
    GiveBackTheDisplay();
}

void OwnDisplay::GiveBackTheDisplay()
{
    if (!displaySet)
        return;
    displaySet = false;
    if (previousDisplay.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", previousDisplay);
}
