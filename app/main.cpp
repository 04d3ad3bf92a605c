#include "app/glWarmUp.h"
#include "app/krat.h"
#include "app/startupTrace.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    InstallStartupTrace();
    WarmUpRendererWhenIdle(); // once the first new-game dialog is up
    if (!theApp.InitInstance()) {
        theApp.ExitInstance();
        return 2;
    }
    const int code = QApplication::exec();
    theApp.ExitInstance();
    return code;
}
