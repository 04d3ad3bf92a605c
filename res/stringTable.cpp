#include "res/stringTable.h"

#include "res/commandLineOptions.h" // the option lines of --help, made from res/commandLineOptions.cmake
#include "res/resource.h"

namespace {

struct Entry {
    int id;
    const char* text;
};

const Entry stringTable[] = {
    {IDS_DOC_STRING, "\n- Tarnok 3D"},
    {AFX_IDS_APP_TITLE, "Tarnok 3D"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},

    {ID_PANE_POWER_LABEL, "Siła:"},
    {ID_PANE_POWER, "050"},
    {ID_PANE_HANGLE_LABEL, "Kąt poziomy:"},
    {ID_PANE_HANGLE, "000"},
    {ID_PANE_VANGLE_LABEL, "Kąt pionowy:"},
    {ID_PANE_VANGLE, "00"},
    {ID_PANE_STOCK_LABEL, "Masz tej broni:"},
    {ID_PANE_STOCK, "000"},
    {ID_PANE_ENERGY_LABEL, "Energia:"},
    {ID_PANE_ENERGY, "100"},

    {ID_BARREL_LEFT, "Obraca lufę w lewo"},
    {ID_BARREL_RIGHT, "Obraca lufę w prawo"},
    {ID_BARREL_UP, "Podnosi lufę"},
    {ID_BARREL_DOWN, "Opuszcza lufę"},
    {ID_POWER_UP, "Zwieksza siłę"},
    {ID_POWER_DOWN, "Zmniejsza siłę"},
    {ID_FIRE, "Strzał"},
    {ID_HELP_MANUAL, "Opis obsługi programu"},
    {ID_FILE_NEW, "Nowa Gra\nNew"},
    {ID_APP_EXIT, "Wychodzi z gry\nExit"},
    {ID_GAME_SOUND, "Włącza i wyłącza dźwięk"},
    {ID_APP_ABOUT, "Informacje o programie\nAbout"},
    {ID_GAME_COMPUTER, "Wybiera, za których graczy gra komputer"},
    {ID_FILE_SAVE, "Zapisuje grę do pliku, by dokończyć ją później"},
    {ID_FILE_OPEN, "Wczytuje zapisaną grę i prowadzi ją dalej"},
    {ID_GAME_REPLAY, "Odtwarza zapisaną grę strzał po strzale"},

    {IDS_BOMB_ORDINARY, "Bomba zwykła"},
    {IDS_BOMB_SMALL, "Bomba mała"},
    {IDS_BOMB_MEDIUM, "Bomba średnia"},
    {IDS_BOMB_LARGE, "Bomba duża"},

    {IDS_MENU_GAME, "&Gra"},
    {IDS_MENU_NEW, "&Nowa\tCtrl+N"},
    {IDS_MENU_COMPUTER, "&Gracze komputerowi..."},
    {IDS_MENU_EXIT, "&Wyjdz"},
    {IDS_MENU_HELP, "&Pomoc"},
    {IDS_MENU_ABOUT, "&O programie..."},
    {IDS_MENU_MANUAL, "O&pis obsługi programu"},
    {IDS_MENU_SOUND, "&Dźwięk"},
    {IDS_MENU_SAVE, "&Zapisz grę..."},
    {IDS_MENU_LOAD, "&Wczytaj grę..."},
    {IDS_MENU_REPLAY, "&Obejrzyj powtórkę..."},
    {IDS_SAVE_TITLE, "Zapisz grę"},
    {IDS_LOAD_TITLE, "Wczytaj grę"},
    {IDS_REPLAY_TITLE, "Obejrzyj powtórkę"},
    {IDS_RECORD_FILE_TYPE, "Zapisana gra Tarnok 3D (*.tarnok)"},
    {IDS_RECORD_UNREADABLE, "Nie można odczytać pliku „%1”."},
    {IDS_RECORD_NOT_A_GAME, "Plik „%1” nie jest zapisaną grą Tarnok 3D."},
    {IDS_RECORD_CUT_SHORT, "Plik „%1” jest niepełny: urywa się przed końcem."},
    {IDS_RECORD_DAMAGED, "Plik „%1” jest uszkodzony."},
    {IDS_RECORD_NEWER, "Plik „%1” zapisała nowsza wersja gry; ta wersja nie umie go odczytać."},
    {IDS_RECORD_OUT_OF_RANGE, "Plik „%1” zawiera wartości, których gra nie dopuszcza."},
    {IDS_RECORD_NOT_SAVED, "Nie można zapisać gry do pliku „%1”:\n%2"},
    {IDS_RECORD_NOT_KEPT, "tarnok3d: nie można zachować zapisu gry „%1”: %2"},
    {IDS_RECORD_DIVERGED, "Powtórka rozeszła się z zapisem w turze %1.\nOdtwarzanie przerwano."},
    {IDS_PLAYBACK_PLAYING, "Odtwarzanie zapisu, tempo %1× (P przyspiesza)"},
    {IDS_PLAYBACK_SHOP, "gracz %1 kupił małych %2, średnich %3, dużych %4"},
    {IDS_NOTHING_TO_SAVE, "Nie ma rozpoczętej gry do zapisania."},
    {IDS_TOOLBAR_TITLE, "Czołg"},

    {IDS_COMPUTER_PLAYS, "Gra komputer"},
    {IDS_SEAT_PERSON, "człowiek"},
    {IDS_SEAT_EASY, "komputer: łatwy"},
    {IDS_SEAT_MEDIUM, "komputer: średni"},
    {IDS_SEAT_HARD, "komputer: trudny"},
    {IDS_SEAT_MASTER, "komputer: mistrz"},

    {IDS_WEAPON_REFUSED, "Nie możesz użyć tej broni."},
    {IDS_RESULTS_HEADER, "Wyniki (wygrane rundy):\n"},
    {IDS_RESULTS_LINE, "Gracz numer %d - %d\n"},

    {IDS_SHOP_NO_MONEY_SMALL, "Masz za mało pieniędzy,\naby zakupić małą bombkę !!!"},
    {IDS_SHOP_NO_MONEY_MEDIUM, "Masz za mało pieniędzy,\naby zakupić średnią bombkę !!!"},
    {IDS_SHOP_NO_MONEY_LARGE, "Masz za mało pieniędzy,\naby zakupić dużą bombkę !!!"},
    {IDS_SHOP_NOTHING_SMALL, "Nie masz małych bombek,\nwięc co chcesz sprzedać ?!?"},
    {IDS_SHOP_NOTHING_MEDIUM, "Nie masz średnich bombek,\nwięc co chcesz sprzedać ?!?"},
    {IDS_SHOP_NOTHING_LARGE, "Nie masz dużych bombek,\nwięc co chcesz sprzedać ?!?"},
    {IDS_SHOP_SUM_TOO_HIGH, "Nie masz wystarczającej kwoty,\naby dokonać takiego zakupu !!!"},

    // The command line and what the platform refused: one line each on standard error.
    {IDS_BAD_ARGUMENT, "tarnok3d: nieznany argument „%s”; gra przyjmuje opcje i jeden plik zapisanej gry (zob. tarnok3d --help)"},
    {IDS_COMMAND_LINE_HELP,
     "Użycie: tarnok3d [opcje] [PLIK]\n"
     "Tarnok 3D - turowa gra artyleryjska 3D dla 2 do 8 graczy.\n"
     "\n"
     "Opcje:\n"
     TARNOK_HELP_OPTIONS
     "Pozostałe opcje biblioteki Qt (-style, -geometry, -reverse...) są przekazywane bez zmian.\n"},
    {IDS_BAD_COMPUTER_LIST, "tarnok3d: zła lista graczy komputerowych „%s”; podaj numery graczy 1-8 po przecinku, każdy z poziomem latwy, sredni, trudny lub mistrz, np. --komputer 2:trudny,3, albo brak (zob. tarnok3d --help)"},
    {IDS_COMPUTER_LIST_MISSING, "tarnok3d: po --komputer brak listy graczy, np. --komputer 2:trudny,3 (zob. tarnok3d --help)"},
    {IDS_NO_DISPLAY, "tarnok3d: brak ekranu X; zmienna DISPLAY nie jest ustawiona (uruchom grę w sesji graficznej lub podaj -display EKRAN)"},
    {IDS_BAD_DISPLAY, "tarnok3d: nie można połączyć się z ekranem X „%s”"},
    {IDS_NO_PLATFORM_PLUGIN, "tarnok3d: brak wtyczki platformy graficznej Qt „%s”"},
    {IDS_DISPLAY_LOST, "tarnok3d: utracono połączenie z serwerem X; gra się kończy"},
    {IDS_NO_SOUND_DEVICE, "tarnok3d: brak urządzenia dźwiękowego; gra toczy się bez dźwięku"},
    {IDS_NO_OPENGL, "tarnok3d: nie można utworzyć kontekstu OpenGL; gra działa bez obrazu 3D"},
};

} // namespace

const char* LoadStringUtf8(int id)
{
    for (const Entry& e : stringTable)
        if (e.id == id)
            return e.text;
    return "";
}

QString Text(int id)
{
    return QString::fromUtf8(LoadStringUtf8(id));
}
