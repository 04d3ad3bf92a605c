#include "app/bombSelector.h"

#include "app/screenPlace.h"

#include <QAbstractItemView>
#include <QProxyStyle>
#include <QWheelEvent>

namespace {

// Styles that open a list centred on its current item (so that it may open
// upwards, over the box) are told to drop it down below the box instead.
class DropDownStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

BombSelector::BombSelector(QWidget* parent) : QComboBox(parent)
{
    auto* style = new DropDownStyle;
    style->setParent(this);
    setStyle(style);
    setEditable(false);
}

void BombSelector::showPopup()
{
    QComboBox::showPopup();
    QWidget* list = view()->window();
    if (!list->isVisible())
        return;
    // Qt placed the list by where it believes the box is; on a floating
    // toolbar that a window manager has moved, that may be far from it.
    const QPoint believed = mapToGlobal(QPoint(0, 0));
    const QRect box(ScreenPlace(this).value_or(believed), size());
    QRect placed = list->geometry().translated(box.topLeft() - believed);
    // The list keeps its full height below its four kinds, as the toolbar
    // reserves it; where the screen's edge turned it upwards it grows up.
    if (placed.height() < BOMB_SELECTOR_OPENED_HEIGHT - box.height()) {
        if (placed.top() < box.top())
            placed.setTop(box.bottom() + 1 - BOMB_SELECTOR_OPENED_HEIGHT);
        else
            placed.setBottom(box.top() + BOMB_SELECTOR_OPENED_HEIGHT - 1);
    }
    if (placed != list->geometry())
        list->setGeometry(placed);
}

void BombSelector::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}
