#include "privateDisplay.h"

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
    EndWithTheTest(server);
    // -displayfd: the server takes a free display number and writes it, once ready.
    server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!server.waitForStarted(10000))
        return false;
    while (!server.canReadLine())
        if (!server.waitForReadyRead(20000))
            return false;
    name = ':' + QString::fromLatin1(server.readLine()).trimmed();
    qputenv("DISPLAY", name.toLocal8Bit());
    return true;
}

void PrivateDisplay::Kill()
{
    if (server.state() == QProcess::NotRunning)
        return;
    server.kill();
    server.waitForFinished(10000);
}
