#include "privateDisplay.h"

#include "desktop.h"

#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <QtGlobal>

#include <csignal>
#include <sys/prctl.h>

void EndWithTheTest(QProcess& process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

PrivateDisplay::~PrivateDisplay()
{
    Kill();
}

bool PrivateDisplay::Start()
{
    // A display number far from the low ones that other servers pick for
    // themselves (-displayfd alone starts at 0), tried until one is free.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int number = 400 + int(QRandomGenerator::global()->bounded(600));
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        EndWithTheTest(server);
        // -displayfd: the server writes its display number once it is ready.
        server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(number), "-displayfd", "1", "-screen", "0",
                                              "1280x1024x24", "-nolisten", "tcp"});
        if (!server.waitForStarted(10000))
            return false;
        while (!server.canReadLine() && server.state() == QProcess::Running)
            server.waitForReadyRead(20000);
        if (!server.canReadLine())
            continue; // taken meanwhile: the server has ended
        name = ':' + QString::fromLatin1(server.readLine()).trimmed();
        qputenv("DISPLAY", name.toLocal8Bit());
        return WaitUntilItAnswers();
    }
    return false;
}

// The number may be written before the server takes connections.
bool PrivateDisplay::WaitUntilItAnswers()
{
    for (int poll = 0; poll < 400; ++poll) {
        if (!Desktop::Run(QStringLiteral("xprop"), {"-root", "-len", "1", "_NET_SUPPORTING_WM_CHECK"}).isEmpty())
            return true;
        QThread::msleep(50);
    }
    return false;
}

void PrivateDisplay::Kill()
{
    if (server.state() == QProcess::NotRunning)
        return;
    server.kill();
    server.waitForFinished(10000);
}
