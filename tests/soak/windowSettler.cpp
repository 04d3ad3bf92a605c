#include "soak/windowSettler.h"

#include "soak/windowFocus.h"

#include "view/kratView.h"

#include <QApplication>
#include <QDialog>
#include <QExposeEvent>
#include <QWidget>


WindowSettler::WindowSettler(std::function<void()> wakeStep) : wake(std::move(wakeStep))
{
    // Steps again now and then, so that the bound on a wait holds even when
    // nothing else wakes the loop.
    retry.setSingleShot(true);
    retry.setInterval(20);
    connect(&retry, &QTimer::timeout, this, [this] { wake(); });
    qApp->installEventFilter(this);
}

bool WindowSettler::Settled(QWidget* target, bool* gaveUp)
{
    *gaveUp = false;
    // The main window's actions need the view on screen; a dialog's do not.
    const bool viewShown = !view || target != view->window() || !target->isVisible() || view->isExposed();
    if (target && focusedAt != windowChanges) {
        focusedAt = windowChanges; // a window opened or closed: the focus moves now, not when it may
        GiveFocus(target);
    }
    if (!target || (QApplication::activeWindow() == target && viewShown)) {
        waiting.invalidate();
        return true;
    }
    if (!waiting.isValid()) {
        waiting.start();
        GiveFocus(target);
    }
    if (waiting.elapsed() >= giveUpMs) {
        *gaveUp = true;
        waiting.invalidate();
        return true;
    }
    retry.start();
    return false;
}

bool WindowSettler::ExposeUncovered()
{
    if (!uncovered)
        return false;
    uncovered = false;
    if (!view || !view->context() || !view->isExposed())
        return false;
    exposing = true;
    QExposeEvent expose(QRegion(QRect(QPoint(), view->size())));
    QCoreApplication::sendEvent(view, &expose);
    exposing = false;
    return true;
}

bool WindowSettler::eventFilter(QObject* watched, QEvent* event)
{
    // Tool tips come and go on a timer of their own and take no input.
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->isWindow() && static_cast<QWidget*>(watched)->windowType() != Qt::ToolTip) {
        ++windowChanges;
        uncovered = uncovered || event->type() == QEvent::Hide;
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && event->type() == QEvent::Show)
            Place(dialog);
    }
    // The first expose builds the view's GL context, and one that finds a
    // frame pending draws the frame the soak waits for anyway; any other
    // would draw a frame whenever the window system gets round to it.
    if (event->type() == QEvent::Expose && !exposing) {
        auto* view = qobject_cast<CKratView*>(watched);
        return view && view->context() && view->isExposed() && !view->IsFramePending();
    }
    return false;
}

// A dialog over the whole view would leave the view's frames waiting for the
// window system to say it is hidden or shown again; one from the view's
// middle covers part of it, as a dialog over the view still does.
void WindowSettler::Place(QDialog* dialog)
{
    if (view)
        dialog->move(view->mapToGlobal(QPoint(view->width() / 2, view->height() / 2)));
}
