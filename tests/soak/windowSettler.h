#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class CKratView;
class QDialog;
class QWidget;

// The window system answers in its own time: a window becomes active, and an
// uncovered view is exposed, whenever its events happen to arrive. For a run
// to repeat from its seed the soak acts only once the window it acts on is
// active and the view is on screen, and the view's uncoverings are drawn at
// fixed points: the window system's own exposes of a drawing view are held
// back, and the soak exposes the view at its first step after a window over
// it was hidden.
class WindowSettler : public QObject {
public:
    // wake: asks for the soak's next step; called while waiting.
    explicit WindowSettler(std::function<void()> wake);

    // True once target is the active window and the view, if its frame is
    // shown, is exposed; or once the wait has lasted giveUpMs, which *gaveUp
    // then tells. After every window change, and when a wait begins, target
    // is given the focus, as a window manager or a click on it would.
    bool Settled(QWidget* target, bool* gaveUp);
    // Draws the view's uncovering if a window was hidden since the last call;
    // true if it drew.
    bool ExposeUncovered();
    // The view of the running program (a fresh start builds a new one).
    void Watch(CKratView* gameView) { view = gameView; }

    // Windows shown or hidden so far: a dialog or popup opened or closed.
    long long WindowChanges() const { return windowChanges; }

    static constexpr int giveUpMs = 5000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place(QDialog* dialog);

    std::function<void()> wake;
    QPointer<CKratView> view;
    QTimer retry;
    QElapsedTimer waiting;
    long long focusedAt = -1; // windowChanges when the focus was last given
    long long windowChanges = 0;
    bool uncovered = false;
    bool exposing = false;
};
