#include "ownDisplay.h"

#include "desktop.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>

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
    return QTest::qWaitFor([this] {
        return windowManager.state() == QProcess::Running
            && Desktop::Run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
    }, Desktop::stateTimeoutMs);
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
