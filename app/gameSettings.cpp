#include "app/gameSettings.h"

#include <QSettings>

std::unique_ptr<QSettings> OpenGameSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tarnok3d"),
                                       QStringLiteral("tarnok3d"));
}
