#include "app/krat.h"

#include "app/MainFrm.h"
#include "app/afterFirstDialog.h"
#include "app/commandLine.h"
#include "app/gameFiles.h"
#include "app/soundSwitch.h"
#include "doc/kratDoc.h"
#include "dialogs/AboutBox.h"
#include "dialogs/messageBox.h"
#include "res/gameIcon.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "res/version.h"
#include "view/kratView.h"
#include "view/savedGames.h"

#include <QAction>
#include <QApplication>

CKratApp theApp;

CKratApp::CKratApp() = default;

// The windows are torn down by ExitInstance while the QApplication stands, at
// the end of main. Should they still exist here, in static destruction after an
// exit() of the framework's, the framework's own statics may be gone already.
CKratApp::~CKratApp()
{
    AbandonWindows();
}

CKratView* CKratApp::View() const
{
    return mainFrame ? mainFrame->View() : nullptr;
}

void InitResources()
{
    Q_INIT_RESOURCE(tarnok);
}

bool CKratApp::InitInstance(const CommandLine& commandLine)
{
    // No application display name: Qt would append it to every caption, and
    // the captions are the game's own ("- Tarnok 3D - ", "Nowa gra"...).
    QApplication::setApplicationName(QStringLiteral("tarnok3d"));
    QApplication::setApplicationVersion(QStringLiteral(TARNOK_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TARNOK_DESKTOP_ID));
    StartSound(commandLine.soundOff);
    recordToOpen = QString::fromLocal8Bit(commandLine.recordPath.c_str());
    return CreateWindows();
}

bool CKratApp::CreateWindows()
{
    InitResources();
    QApplication::setWindowIcon(GameIcon());
    std::unique_ptr<GameRecord> record;
    if (!recordToOpen.isEmpty()) {
        record = std::make_unique<GameRecord>();
        const RecordProblem problem = LoadRecord(recordToOpen, record.get());
        if (problem != RecordProblem::None) {
            ShowMessage(nullptr, RecordProblemText(problem, recordToOpen));
            record.reset();
        }
        recordToOpen.clear();
    }
    if (record) // the game comes from the file: no dialog first
        document = std::make_unique<CKratDoc>(CKratDoc::FromRecord{record->end.playerCount, 1});
    else
        document = std::make_unique<CKratDoc>(); // shows the new-game dialog
    mainFrame = std::make_unique<CMainFrame>(document.get());
    if (mainFrame->OnCreate() != 0)
        return false;
    QObject::connect(mainFrame->Command(ID_APP_ABOUT), &QAction::triggered, [this] { OnAppAbout(); });
    OpenSoundAtStart();
    QAction* soundSwitch = mainFrame->Command(ID_GAME_SOUND);
    soundSwitch->setChecked(sound.IsEnabled());
    QObject::connect(soundSwitch, &QAction::toggled, [this](bool on) { SwitchSound(on); });

    auto* view = new CKratView(document.get(), mainFrame.get());
    view->SetSound(&sound);
    view->OnCreate(); // the first game starts here
    mainFrame->SetView(view);
    if (!document->OnNewDocument())
        return false;
    if (record && record->finished)
        view->WatchRecord(*record);
    else if (record)
        view->ResumeRecord(*record);

    mainFrame->show();
    return true;
}

void CKratApp::KeepGameInProgress()
{
    if (document && View())
        ::KeepGameInProgress(*document, *View());
}

void CKratApp::ExitInstance()
{
    mainFrame.reset();
    document.reset();
}

void CKratApp::AbandonWindows()
{
    (void)mainFrame.release();
    (void)document.release();
}

void CKratApp::OnAppAbout()
{
    CAboutBox about;
    about.DoModal();
}

// The device and the effects take a few tens of milliseconds: they are made
// while the players answer the first dialog, not before it shows (or, should
// the answer come sooner, as the windows are built).
void CKratApp::StartSound(bool offForThisRun)
{
    soundAtStart = !offForThisRun && RememberedSoundOn();
    sound.SetEnabled(false);
    if (soundAtStart)
        RunAfterFirstDialogIsPainted([this] { OpenSoundAtStart(); }, 20);
}

void CKratApp::OpenSoundAtStart()
{
    if (soundAtStart && !sound.IsEnabled())
        sound.SetEnabled(true);
    soundAtStart = false;
}

// A choice made in the menu is the player's own: it is remembered, even in a
// run that began silent from the command line.
void CKratApp::SwitchSound(bool on)
{
    soundAtStart = false;
    sound.SetEnabled(on);
    RememberSoundOn(on);
}
