# The game's own command-line options: the one list that tarnok3d --help and
# the English and Polish man pages are made from (cmake/commandLineOptions.cmake
# turns it into both). One call an option, in the order they are listed; the
# program reads them in app/commandLine.cpp.
#   tarnok_option(FORMS <spellings...> [ARGUMENT <English name> <Polish name>]
#                 EN <what it does, a sentence> PL <what it does, as --help says it>)
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
    EN "Play without sound this time only; the choice remembered from the menu Gra is left as it is."
    PL "gra bez dźwięku, tylko przy tym uruchomieniu")
