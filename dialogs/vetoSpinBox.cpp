#include "dialogs/vetoSpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <climits>

VetoSpinBox::VetoSpinBox(QWidget* parent) : QSpinBox(parent)
{
    setRange(INT_MIN / 2, INT_MAX / 2); // the handler, not the box, bounds the number
    setAccelerated(false);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    lineEdit()->setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void VetoSpinBox::StopRepeating()
{
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    mouseReleaseEvent(&release);
}

void VetoSpinBox::stepBy(int steps)
{
    if (steps == 0)
        return;
    const int delta = steps > 0 ? 1 : -1; // page keys and fast wheels still move by one
    const int position = value();
    const int accepted = stepHandler ? stepHandler(position, delta) : delta;
    if (accepted != 0)
        setValue(position + accepted);
}

void VetoSpinBox::keyPressEvent(QKeyEvent* event)
{
    // Each press of Up or Down, auto-repeated ones included, is one step.
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        && !(event->modifiers() & ~Qt::KeypadModifier)) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}
