#include "waitFor.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

bool WaitUntil(const std::function<bool()>& reached, int timeoutMs)
{
    if (reached())
        return true;
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake; // an event now and then, so that a state never reached still ends the wait
    wake.start(50);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (reached())
            return true;
    }
    return false;
}

void WaitUntilIdle()
{
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
                     [&loop] { loop.quit(); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
}
