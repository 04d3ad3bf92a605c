#include "res/gameIcon.h"

#include "res/images.h"

QIcon GameIcon()
{
    QIcon icon;
    for (int size : ICON_SIZES)
        icon.addFile(QStringLiteral(":/res/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}
