#pragma once

#include <QComboBox>

// The selector's place on the toolbar: 150 pixels wide, and 125 pixels from
// the top of its box to the bottom of its opened list.
constexpr int BOMB_SELECTOR_WIDTH = 150;
constexpr int BOMB_SELECTOR_OPENED_HEIGHT = 125;

// The toolbar's drop-down list of bomb kinds. It opens below its box with
// every kind in order, whichever is chosen, and a wheel turned over the closed
// box is not a choice: the kinds change only by opening the list and picking.
class BombSelector : public QComboBox {
    Q_OBJECT

public:
    explicit BombSelector(QWidget* parent);

    void showPopup() override;

protected:
    void wheelEvent(QWheelEvent* event) override;
};
