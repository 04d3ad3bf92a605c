#include "app/afterFirstDialog.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(std::function<void()> job, int delayMs) : job(std::move(job)), delayMs(delayMs) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(delayMs, qApp, std::move(job));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> job;
    int delayMs;
};

} // namespace

void RunAfterFirstDialogIsPainted(std::function<void()> job, int delayMs)
{
    qApp->installEventFilter(new AfterFirstPaint(std::move(job), delayMs));
}
