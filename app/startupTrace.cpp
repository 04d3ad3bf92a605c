#include "app/startupTrace.h"

#include "dialogs/Poczatek.h"
#include "view/kratView.h"

#include <QApplication>
#include <QDateTime>

#include <cstdio>
#include <cstdlib>

namespace {

void Print(const char* what)
{
    std::fprintf(stderr, "trace %s %lld\n", what, static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

class StartupTrace : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (qobject_cast<CKratView*>(watched) && event->type() == QEvent::Paint && answered && !framed) {
            framed = true; // the view's first paint draws the first frame
            QMetaObject::invokeMethod(this, [] { Print("first-frame"); }, Qt::QueuedConnection);
        }
        if (!qobject_cast<CPoczatek*>(watched))
            return false;
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            // The dialog's own paint ends before its pixels reach the screen;
            // report once the loop has flushed it.
            QMetaObject::invokeMethod(this, [] { Print("dialog-painted"); }, Qt::QueuedConnection);
        } else if (event->type() == QEvent::Hide && painted && !answered) {
            answered = true;
            Print("dialog-answered");
        }
        return false;
    }

private:
    bool painted = false;
    bool answered = false;
    bool framed = false;
};

} // namespace

void InstallStartupTrace()
{
    if (!std::getenv("TARNOK_TRACE_STARTUP"))
        return;
    static StartupTrace trace;
    qApp->installEventFilter(&trace);
}
