#include "ownDisplay.h"

#include "desktop.h"

#include <QElapsedTimer>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

void EndWithThisProcess(QProcess& process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

bool OwnDisplay::Start(const QStringList& options)
{
    QStringList arguments{"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"};
    arguments += options;
    EndWithThisProcess(server);
    server.start(QStringLiteral("Xvfb"), arguments);
    if (!server.waitForStarted())
        return false;
    QElapsedTimer timer;
    timer.start();
    while (!server.canReadLine() && timer.elapsed() < 15000)
        server.waitForReadyRead(100);
    const QString number = QString::fromLatin1(server.readLine()).trimmed();
    if (number.isEmpty())
        return false;
    name = QLatin1Char(':') + number;
    previousDisplay = qgetenv("DISPLAY");
    qputenv("DISPLAY", name.toLatin1());
    // Answers once the root window can be asked for.
    while (timer.elapsed() < 15000) {
        if (!Desktop::Run(QStringLiteral("xdotool"), {"getdisplaygeometry"}).trimmed().isEmpty())
            return true;
        QThread::msleep(50);
    }
    return false;
}

void OwnDisplay::Stop()
{
    if (server.state() == QProcess::NotRunning)
        return;
    server.terminate();
    if (!server.waitForFinished(5000))
        server.kill();
    server.waitForFinished(2000);
    if (previousDisplay.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", previousDisplay);
}
