#include "modalScript.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

ModalScript::ModalScript()
{
    qApp->installEventFilter(this);
}

ModalScript::~ModalScript()
{
    qApp->removeEventFilter(this);
}

bool ModalScript::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal()) {
            QPointer<QWidget> modal(widget);
            // Act once the window's own event loop runs.
            QTimer::singleShot(0, this, [this, modal] { Act(modal); });
        }
    }
    return false;
}

void ModalScript::Act(QPointer<QWidget> modal)
{
    if (!modal || !modal->isVisible())
        return;
    seenTitles << modal->windowTitle();
    seenTexts << MessageText(modal);
    if (steps.empty() && fallback) {
        fallback(modal);
        return;
    }
    if (steps.empty()) {
        ++unexpected;
        PressKey(modal, Qt::Key_Escape);
        return;
    }
    Step step = std::move(steps.front());
    steps.pop_front();
    step(modal);
}

void PressKey(QWidget* widget, int key)
{
    QWidget* target = widget->focusWidget() ? widget->focusWidget() : widget;
    QTest::keyClick(target, static_cast<Qt::Key>(key));
}

QString MessageText(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        return box->text();
    return QString();
}
