#pragma once

#include "app/seatChoice.h"

#include <optional>
#include <string>

// What the command line asks for, read before the QApplication exists so that
// --help and --version answer without a display. The framework's own options
// (-platform, -display, -style...) are let through for QApplication to take.
struct CommandLine {
    enum Action { Play, ShowHelp, ShowVersion, Refuse };
    Action action = Play;
    std::string platform;    // -platform NAME, or empty
    std::string display;     // -display NAME, or empty
    std::string badArgument; // what was refused
    bool soundOff = false;   // --bez-dzwieku: silent for this run only
    int refusal = 0;         // the refusal's text (a string id), with badArgument in it
    // --komputer LISTA: the seats for this run, instead of the remembered ones.
    std::optional<SeatList> computerSeats;
    // PLIK: a record to open instead of the new-game dialog, or empty.
    std::string recordPath;
};

CommandLine ReadCommandLine(int argc, const char* const argv[]);

// Answers a command line that does not start the game: the help or the version
// on standard output (exit status 0), or one line on standard error naming the
// refused argument or the bad computer list (exit status 2).
int AnswerCommandLine(const CommandLine& commandLine);
