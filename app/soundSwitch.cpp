#include "app/soundSwitch.h"

#include "app/gameSettings.h"

#include <QSettings>

namespace {

const QString soundKey = QStringLiteral("sound/on");

} // namespace

bool RememberedSoundOn()
{
    const std::unique_ptr<QSettings> settings = OpenGameSettings();
    if (settings->status() != QSettings::NoError)
        return true;
    const QString value = settings->value(soundKey).toString().trimmed().toLower();
    return value != QLatin1String("false") && value != QLatin1String("0");
}

void RememberSoundOn(bool on)
{
    const std::unique_ptr<QSettings> settings = OpenGameSettings();
    settings->setValue(soundKey, on);
    settings->sync();
}
