#include "app/commandLine.h"
#include "app/displayCheck.h"
#include "app/displayLoss.h"
#include "app/glWarmUp.h"
#include "app/krat.h"
#include "app/seatChoice.h"
#include "app/startupTrace.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The command line and the display are settled before QApplication exists:
    // it needs a display, and aborts without one.
    const CommandLine commandLine = ReadCommandLine(argc, argv);
    if (commandLine.action != CommandLine::Play)
        return AnswerCommandLine(commandLine);
    const std::string missing = MissingDisplay(commandLine);
    if (!missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }

    QApplication application(argc, argv);
    DisplayCheckDone();
    EndGameWhenDisplayIsLost([] {
        theApp.KeepGameInProgress();
        theApp.AbandonWindows();
    });
    // Who plays each seat: this run's list from the command line, which is
    // not remembered, or the choice remembered from the last one.
    UseSeats(commandLine.computerSeats ? *commandLine.computerSeats : LoadSeats());
    InstallStartupTrace();
    WarmUpRendererWhenIdle(); // once the first new-game dialog is up
    if (!theApp.InitInstance(commandLine)) {
        theApp.ExitInstance();
        return 2;
    }
    const int code = QApplication::exec();
    theApp.ExitInstance();
    return code;
}
