#include "record/recordFolder.h"

#include "record/recordFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// A kept game's name: its date and time, so that names sort as the games ended.
const char* const KEPT_FORMAT = "yyyy-MM-dd_HH-mm-ss";

bool IsKeptName(const QString& name)
{
    static const QRegularExpression kept(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}(-\\d+)?\\.tarnok$"));
    return kept.match(name).hasMatch();
}

} // namespace

QString RecordFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarnok3d");
}

QString LastGamePath()
{
    return RecordFolder() + QStringLiteral("/ostatnia") + QLatin1String(RECORD_SUFFIX);
}

QString FinishedGamePath(const QDateTime& when)
{
    const QString stem = RecordFolder() + QLatin1Char('/') + when.toString(QLatin1String(KEPT_FORMAT));
    QString path = stem + QLatin1String(RECORD_SUFFIX);
    // Two games ending within one second keep both.
    for (int n = 2; QFile::exists(path); ++n)
        path = stem + QStringLiteral("-%1").arg(n) + QLatin1String(RECORD_SUFFIX);
    return path;
}

void PruneFinishedGames()
{
    QDir folder(RecordFolder());
    QStringList kept;
    for (const QString& name : folder.entryList({QStringLiteral("*") + QLatin1String(RECORD_SUFFIX)}, QDir::Files, QDir::Name))
        if (IsKeptName(name))
            kept << name;
    // Names sort as the games ended; "-2" follows its second's first game.
    std::sort(kept.begin(), kept.end(), [](const QString& a, const QString& b) {
        const QString sa = a.left(19), sb = b.left(19);
        return sa != sb ? sa < sb : a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (int i = 0; i + FINISHED_GAMES_KEPT < kept.size(); ++i)
        folder.remove(kept[i]);
}
