#pragma once

#include <QComboBox>

// The toolbar's drop-down list of bomb kinds. It opens below its box with
// every kind in order, whichever is chosen, and a wheel turned over the closed
// box is not a choice: the kinds change only by opening the list and picking.
class BombSelector : public QComboBox {
    Q_OBJECT

public:
    explicit BombSelector(QWidget* parent);

protected:
    void wheelEvent(QWheelEvent* event) override;
};
