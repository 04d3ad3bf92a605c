# The game's own command-line options: the one list that tarnok3d --help and
# the English and Polish man pages are made from (cmake/commandLineOptions.cmake
# turns it into both). One call an option, in the order they are listed; the
# program reads them in app/commandLine.cpp.
#   tarnok_option(FORMS <spellings...> [ARGUMENT <English name> <Polish name>]
#                 EN <what it does, a sentence> PL <what it does, as --help says it>)
# A text must not hold a semicolon: CMake would cut it there.
tarnok_option(FORMS -h --help
    EN "Print a short help text and exit."
    PL "wyświetla tę pomoc i kończy")
tarnok_option(FORMS -v --version
    EN "Print the version and exit."
    PL "wyświetla wersję gry i kończy")
tarnok_option(FORMS -platform ARGUMENT name NAZWA
    EN "The Qt platform plug-in to use (the default is xcb, the X Window System)."
    PL "wtyczka platformy graficznej Qt (domyślnie xcb)")
tarnok_option(FORMS -display ARGUMENT display EKRAN
    EN "The X display to open instead of $DISPLAY."
    PL "ekran X, na którym gra się otwiera (domyślnie $DISPLAY)")
tarnok_option(FORMS --bez-dzwieku
    EN "Play without sound this time only, leaving the choice remembered from the menu Gra as it is."
    PL "gra bez dźwięku, tylko przy tym uruchomieniu")
tarnok_option(FORMS --komputer ARGUMENT list LISTA
    EN "Let the computer play the given players for this run, without changing the choice remembered from the menu Gra, Gracze komputerowi. The list names players 1 to 8, separated by commas, each optionally followed by a colon and a level: latwy (or łatwy), sredni (or średni, the default), trudny or mistrz, for example 2:trudny,3. The list brak makes every player a person. A bad list is refused with exit status 2."
    PL "gracze, za których w tym uruchomieniu gra komputer: numery 1-8 po przecinku, każdy z poziomem po dwukropku (latwy, sredni, trudny, mistrz, domyślnie sredni), np. 2:trudny,3, lista brak: wszyscy gracze to ludzie")
tarnok_option(POSITIONAL ARGUMENT file PLIK
    EN "A saved game or a kept record (*.tarnok) to open instead of the new-game dialog: an unfinished game goes on from the moment it was saved, a finished one is watched again. A file that cannot be loaded says why in a message box, and the new-game dialog follows."
    PL "zapisana gra (*.tarnok) otwierana zamiast okna nowej gry: niedokończona toczy się dalej, zakończona jest odtwarzana")
