#include "res/dialogTemplates.h"

#include "res/resource.h"
#include "res/version.h"

#include <cassert>
#include <cstdlib>

namespace {

using K = ControlKind;

const DialogTemplate templates[] = {
    {IDD_POCZATEK, "Nowa gra", 186, 98, false,
     {
         {K::DefaultButton, IDOK, "OK", 129, 7, 50, 14},
         {K::GroupBox, 0, "Ilu graczy?? (maksymalnie 8)", 7, 7, 104, 32},
         {K::ReadOnlyBox, IDC_PLAYERS, "", 13, 20, 31, 12},
         {K::Spin, IDC_SPIN_PLAYERS, "", 46, 20, 11, 12},
         {K::GroupBox, 0, "Ile rund?? (maksymalnie 20)", 7, 54, 104, 32},
         {K::ReadOnlyBox, IDC_ROUNDS, "", 13, 68, 31, 12},
         {K::Spin, IDC_SPIN_ROUNDS, "", 46, 68, 11, 12},
     }},
    {IDD_SKLEPIK, "Sklepik", 290, 143, true,
     {
         {K::GroupBox, 0, "Twoje fundusze:", 101, 7, 88, 23},
         {K::Static, IDC_FUNDS, "", 105, 16, 69, 11},
         {K::GroupBox, 0, "Ceny", 7, 41, 194, 61},
         {K::Static, 0, "Mała bomba", 17, 52, 47, 12},
         {K::Static, 0, "Średnia bomba", 17, 67, 56, 12},
         {K::Static, 0, "Duża bomba", 17, 83, 54, 12},
         {K::Static, IDC_PRICE_SMALL, "", 79, 52, 41, 12},
         {K::Static, IDC_PRICE_MEDIUM, "", 79, 67, 41, 12},
         {K::Static, IDC_PRICE_LARGE, "", 79, 83, 32, 12},
         {K::GroupBox, 0, "Masz tej broni:", 218, 41, 65, 61},
         {K::Static, IDC_HAVE_SMALL, "", 234, 54, 36, 10},
         {K::Static, IDC_HAVE_MEDIUM, "", 234, 70, 36, 10},
         {K::Static, IDC_HAVE_LARGE, "", 234, 86, 36, 10},
         {K::ReadOnlyBox, IDC_COUNT_SMALL, "", 143, 52, 31, 12},
         {K::Spin, IDC_SPIN_SMALL, "", 176, 52, 11, 12},
         {K::ReadOnlyBox, IDC_COUNT_MEDIUM, "", 143, 67, 31, 12},
         {K::Spin, IDC_SPIN_MEDIUM, "", 176, 67, 11, 12},
         {K::ReadOnlyBox, IDC_COUNT_LARGE, "", 143, 83, 31, 12},
         {K::Spin, IDC_SPIN_LARGE, "", 176, 83, 11, 12},
         {K::Button, IDC_CLOSE_SHOP, "Zamknij", 109, 115, 63, 14},
         {K::GroupBox, 0, "Obsługiwany gracz:", 7, 7, 88, 23},
         {K::Static, IDC_SHOP_PLAYER, "", 13, 16, 69, 12},
         {K::GroupBox, IDC_SHOP_ROUNDS_GROUP, "Rund do końca:", 195, 7, 88, 23},
         {K::Static, IDC_SHOP_ROUNDS_LEFT, "", 201, 16, 69, 11},
     }},
    {IDD_POMOC, "Pomoc", 186, 165, true,
     {
         {K::DefaultButton, IDOK, "OK", 67, 136, 50, 14},
         {K::GroupBox, 0, "Obsługa programu:", 7, 7, 166, 151},
         {K::TextBlock, 0,
          "Zmiana widoku:\nLewy klawisz myszy - obroty kamery\nPrawy klawisz myszy - poruszanie się nad "
          "sceną\nOba klawisze myszy - zoom in/zoom out\nR - reset widoku",
          13, 19, 153, 45},
         {K::TextBlock, 0,
          "Kontrolowanie czołgu:\nKlawisze kursora - zmiana położenia lufy w osi pionowej i "
          "poziomej\n+/- - zwiększenie/zmniejszenie siły\nSpacja - strzał",
          13, 65, 153, 46},
         // The game's own addition: the one key of a record's playback.
         {K::TextBlock, 0, "Oglądanie powtórki:\nP - szybciej (2×, 4×, 8×, potem znów 1×)", 13, 112, 153, 22},
     }},
    {IDD_ABOUTBOX, "O programie", 217, 84, true,
     {
         {K::Icon, IDC_ABOUT_ICON, "", 11, 17, 20, 20},
         {K::TextBlock, IDC_ABOUT_TEXT,
          "Tarnok 3D, wersja " TARNOK_VERSION "\nAutorzy:\nświat i fizyka - zespół Tarnoka\ninterfejs - zespół "
          "Tarnoka\ntesty - zespół Tarnoka",
          40, 10, 119, 41},
         {K::Static, IDC_ABOUT_NOTICE, "Wolny program na licencji MIT.", 40, 69, 119, 8},
         {K::DefaultButton, IDOK, "OK", 178, 7, 32, 14},
     }},
    {IDD_COMPUTER_PLAYERS, "Gracze komputerowi", 150, 177, true,
     {
         {K::Static, IDC_SEAT_LABEL_FIRST + 0, "Gracz 1:", 7, 10, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 0, "", 44, 7, 99, 14},
         {K::Static, IDC_SEAT_LABEL_FIRST + 1, "Gracz 2:", 7, 28, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 1, "", 44, 25, 99, 14},
         {K::Static, IDC_SEAT_LABEL_FIRST + 2, "Gracz 3:", 7, 46, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 2, "", 44, 43, 99, 14},
         {K::Static, IDC_SEAT_LABEL_FIRST + 3, "Gracz 4:", 7, 64, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 3, "", 44, 61, 99, 14},
         {K::Static, IDC_SEAT_LABEL_FIRST + 4, "Gracz 5:", 7, 82, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 4, "", 44, 79, 99, 14},
         {K::Static, IDC_SEAT_LABEL_FIRST + 5, "Gracz 6:", 7, 100, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 5, "", 44, 97, 99, 14},
         {K::Static, IDC_SEAT_LABEL_FIRST + 6, "Gracz 7:", 7, 118, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 6, "", 44, 115, 99, 14},
         {K::Static, IDC_SEAT_LABEL_FIRST + 7, "Gracz 8:", 7, 136, 34, 8},
         {K::DropDown, IDC_SEAT_CHOICE_FIRST + 7, "", 44, 133, 99, 14},
         {K::DefaultButton, IDOK, "OK", 21, 156, 50, 14},
         {K::Button, IDCANCEL, "Anuluj", 79, 156, 50, 14},
     }},
};

} // namespace

const DialogTemplate& FindDialogTemplate(int id)
{
    for (const DialogTemplate& t : templates)
        if (t.id == id)
            return t;
    assert(!"unknown dialog template");
    std::abort();
}
