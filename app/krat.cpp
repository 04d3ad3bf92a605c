#include "app/krat.h"

#include "app/MainFrm.h"
#include "app/kratDoc.h"
#include "dialogs/AboutBox.h"
#include "res/images.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "view/kratView.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>

CKratApp theApp;

CKratApp::CKratApp() = default;

CKratApp::~CKratApp() = default;

CKratView* CKratApp::View() const
{
    return mainFrame ? mainFrame->View() : nullptr;
}

void InitResources()
{
    Q_INIT_RESOURCE(tarnok);
}

bool CKratApp::ProcessCommandLine()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Text(IDS_APP_DESCRIPTION));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(*QCoreApplication::instance()); // --help and --version end the program here
    const QStringList arguments = parser.positionalArguments();
    if (!arguments.isEmpty()) {
        const QString message = Text(IDS_BAD_ARGUMENT).arg(arguments.first());
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return false;
    }
    return true;
}

bool CKratApp::InitInstance()
{
    QApplication::setApplicationName(QStringLiteral("tarnok3d"));
    QApplication::setApplicationDisplayName(Text(AFX_IDS_APP_TITLE));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    if (!ProcessCommandLine())
        return false;
    return CreateWindows();
}

bool CKratApp::CreateWindows()
{
    InitResources();
    QApplication::setWindowIcon(QIcon(QString::fromLatin1(MAIN_ICON)));
    document = std::make_unique<CKratDoc>(); // shows the new-game dialog
    mainFrame = std::make_unique<CMainFrame>(document.get());
    if (mainFrame->OnCreate() != 0)
        return false;
    QObject::connect(mainFrame->Command(ID_APP_ABOUT), &QAction::triggered, [this] { OnAppAbout(); });

    auto* view = new CKratView(document.get(), mainFrame.get());
    view->OnCreate(); // the first game starts here
    mainFrame->SetView(view);
    if (!document->OnNewDocument())
        return false;

    mainFrame->show();
    return true;
}

void CKratApp::ExitInstance()
{
    mainFrame.reset();
    document.reset();
}

void CKratApp::OnAppAbout()
{
    CAboutBox about;
    about.DoModal();
}
