#include "app/bombSelector.h"

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

void BombSelector::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}
