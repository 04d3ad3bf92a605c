#include "dialogs/messageBox.h"

#include "res/resource.h"
#include "res/stringTable.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A box without an icon keeps an empty place for one in its first column,
// which indents the text. The place is taken out and the text spans the row,
// so it starts at the margin as the buttons do.
void TakeOutIconPlace(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!grid || !text)
        return;
    for (int i = 0; i < grid->count(); ++i) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        if (column == 0 && grid->itemAt(i)->spacerItem()) {
            delete grid->takeAt(i);
            break;
        }
    }
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(text), &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(text);
    grid->addWidget(text, row, 0, rowSpan, columnSpan + column);
}

} // namespace

void ShowMessage(QWidget* owner, const QString& text, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    Text(AFX_IDS_APP_TITLE), text, QMessageBox::Ok, owner);
    if (icon == MessageIcon::None)
        TakeOutIconPlace(box);
    // A theme may put its own pictures on the buttons; the game's OK is a plain word.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}
