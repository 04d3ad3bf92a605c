#include "dialogs/messageBox.h"

#include "res/resource.h"
#include "res/stringTable.h"

#include <QMessageBox>

void ShowMessage(QWidget* owner, const QString& text, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    QString::fromUtf8(LoadStringUtf8(AFX_IDS_APP_TITLE)), text, QMessageBox::Ok, owner);
    box.exec();
}
