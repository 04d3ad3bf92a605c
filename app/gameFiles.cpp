#include "app/gameFiles.h"

#include "doc/kratDoc.h"
#include "dialogs/messageBox.h"
#include "record/recordFolder.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "view/gameSnapshots.h"
#include "view/kratView.h"
#include "view/savedGames.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

// Qt's own file dialog speaks Polish while it is open; the game's other texts
// are its own and stay as they are.
class PolishQtTexts {
public:
    PolishQtTexts()
    {
        if (translator.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&translator);
    }
    ~PolishQtTexts() { QCoreApplication::removeTranslator(&translator); }

private:
    QTranslator translator;
};

QString AskForFile(QWidget* owner, int titleId, QFileDialog::AcceptMode mode)
{
    PolishQtTexts polish;
    QDir().mkpath(RecordFolder());
    QFileDialog dialog(owner, Text(titleId), RecordFolder(), Text(IDS_RECORD_FILE_TYPE));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the same dialog, in Polish, on every desktop
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tarnok"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString RecordProblemText(RecordProblem problem, const QString& path)
{
    const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    switch (problem) {
    case RecordProblem::None: return QString();
    case RecordProblem::Unreadable: return Text(IDS_RECORD_UNREADABLE).arg(name);
    case RecordProblem::NotARecord: return Text(IDS_RECORD_NOT_A_GAME).arg(name);
    case RecordProblem::CutShort: return Text(IDS_RECORD_CUT_SHORT).arg(name);
    case RecordProblem::Damaged: return Text(IDS_RECORD_DAMAGED).arg(name);
    case RecordProblem::NewerFormat: return Text(IDS_RECORD_NEWER).arg(name);
    case RecordProblem::OutOfRange: return Text(IDS_RECORD_OUT_OF_RANGE).arg(name);
    }
    return Text(IDS_RECORD_DAMAGED).arg(name);
}

void SaveGameAs(QWidget* owner, const CKratDoc& doc, const CKratView& view)
{
    if (!view.GameInProgress()) {
        ShowMessage(owner, Text(IDS_NOTHING_TO_SAVE));
        return;
    }
    // The game goes on behind the file dialog: what is saved is this moment.
    const GameRecord record = RecordOfGame(doc, false);
    const QString path = AskForFile(owner, IDS_SAVE_TITLE, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteRecordFile(path, record, MakeFreshField, &error))
        ShowMessage(owner, Text(IDS_RECORD_NOT_SAVED).arg(QFileInfo(path).fileName(), error));
}

void OpenGameFile(QWidget* owner, CKratDoc& doc, CKratView& view, bool watch)
{
    const QString path = AskForFile(owner, watch ? IDS_REPLAY_TITLE : IDS_LOAD_TITLE, QFileDialog::AcceptOpen);
    if (!path.isEmpty())
        OpenRecord(owner, path, doc, view, watch);
}

bool OpenRecord(QWidget* owner, const QString& path, CKratDoc& doc, CKratView& view, bool watch)
{
    // Read and checked whole before the running game is touched.
    auto record = std::make_unique<GameRecord>();
    const RecordProblem problem = LoadRecord(path, record.get());
    if (problem != RecordProblem::None) {
        ShowMessage(owner, RecordProblemText(problem, path));
        return false;
    }
    KeepGameInProgress(doc, view); // the game it replaces is not lost
    if (watch || record->finished)
        view.WatchRecord(*record);
    else
        view.ResumeRecord(*record);
    return true;
}

void KeepGameInProgress(const CKratDoc& doc, const CKratView& view)
{
    if (!view.GameInProgress())
        return;
    QString error;
    const QString path = LastGamePath();
    if (!SaveGame(path, doc, &error))
        std::fprintf(stderr, "%s\n", qPrintable(Text(IDS_RECORD_NOT_KEPT).arg(path, error)));
}
