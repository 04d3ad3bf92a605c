#pragma once

// Every identifier of the game: resources, dialog templates and controls,
// commands, strings and status panes. Texts live in the string table.

// Resources and dialog templates
#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
#define IDD_SKLEPIK 130
#define IDD_ILEBOMB 131
#define IDD_POCZATEK 132
#define IDD_POMOC 133
#define IDD_COMPUTER_PLAYERS 134

// Toolbar, timer
#define IDC_BOMB_SELECTOR 101
#define ID_TIMER_WIND 102

// Status-bar panes (the string of the same id is the pane's initial text)
#define ID_PANE_POWER_LABEL 129
#define ID_PANE_POWER 130
#define ID_PANE_HANGLE_LABEL 131
#define ID_PANE_HANGLE 132
#define ID_PANE_VANGLE_LABEL 133
#define ID_PANE_VANGLE 134
#define ID_PANE_STOCK_LABEL 135
#define ID_PANE_STOCK 136
#define ID_PANE_ENERGY_LABEL 137
#define ID_PANE_ENERGY 138

// Tank commands (toolbar)
#define ID_BARREL_DOWN 32774
#define ID_POWER_UP 32775
#define ID_POWER_DOWN 32776
#define ID_FIRE 32779
#define ID_BARREL_LEFT 32781
#define ID_BARREL_RIGHT 32782
#define ID_BARREL_UP 32784

// Bomb selector items
#define IDS_BOMB_SMALL 32785
#define IDS_BOMB_MEDIUM 32786
#define IDS_BOMB_LARGE 32787
#define IDS_BOMB_ORDINARY 32788

// The help command has an id of its own, so its prompt is not a bomb's name.
#define ID_HELP_MANUAL 32789

// Who plays each seat: a person or the computer.
#define ID_GAME_COMPUTER 32790
// The sound switch of the "&Gra" menu (the game's own addition)
#define ID_GAME_SOUND 32791
// Watching a kept game again (saving and loading have the framework's file ids)
#define ID_GAME_REPLAY 32792

// Application commands
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665

// Application strings
#define AFX_IDS_APP_TITLE 57344
#define AFX_IDS_IDLEMESSAGE 57345

// Messages and texts shown by the game
#define IDS_DOC_STRING 61200 // the document string of IDR_MAINFRAME
#define IDS_WEAPON_REFUSED 61202
#define IDS_RESULTS_HEADER 61203
#define IDS_RESULTS_LINE 61204
#define IDS_SHOP_NO_MONEY_SMALL 61210
#define IDS_SHOP_NO_MONEY_MEDIUM 61211
#define IDS_SHOP_NO_MONEY_LARGE 61212
#define IDS_SHOP_NOTHING_SMALL 61213
#define IDS_SHOP_NOTHING_MEDIUM 61214
#define IDS_SHOP_NOTHING_LARGE 61215
#define IDS_SHOP_SUM_TOO_HIGH 61216
#define IDS_MENU_GAME 61220
#define IDS_MENU_NEW 61221
#define IDS_MENU_EXIT 61222
#define IDS_MENU_HELP 61223
#define IDS_MENU_ABOUT 61224
#define IDS_MENU_MANUAL 61225
#define IDS_TOOLBAR_TITLE 61226
#define IDS_BAD_ARGUMENT 61227
#define IDS_COMMAND_LINE_HELP 61228
#define IDS_NO_DISPLAY 61229
#define IDS_BAD_DISPLAY 61230
#define IDS_NO_PLATFORM_PLUGIN 61231
#define IDS_DISPLAY_LOST 61232
#define IDS_NO_OPENGL 61233
#define IDS_MENU_COMPUTER 61240
#define IDS_COMPUTER_PLAYS 61241
#define IDS_SEAT_PERSON 61242
#define IDS_SEAT_EASY 61243
#define IDS_SEAT_MEDIUM 61244
#define IDS_SEAT_HARD 61245
#define IDS_SEAT_MASTER 61246
#define IDS_BAD_COMPUTER_LIST 61247
#define IDS_COMPUTER_LIST_MISSING 61248
#define IDS_MENU_SOUND 61260
#define IDS_NO_SOUND_DEVICE 61261
#define IDS_MENU_SAVE 61270
#define IDS_MENU_LOAD 61271
#define IDS_MENU_REPLAY 61272
#define IDS_RECORD_FILE_TYPE 61273
#define IDS_RECORD_UNREADABLE 61274
#define IDS_RECORD_NOT_A_GAME 61275
#define IDS_RECORD_CUT_SHORT 61276
#define IDS_RECORD_DAMAGED 61277
#define IDS_RECORD_NEWER 61278
#define IDS_RECORD_OUT_OF_RANGE 61279
#define IDS_RECORD_NOT_SAVED 61280
#define IDS_RECORD_NOT_KEPT 61281
#define IDS_RECORD_DIVERGED 61282
#define IDS_PLAYBACK_PLAYING 61283
#define IDS_NOTHING_TO_SAVE 61284
#define IDS_SAVE_TITLE 61285
#define IDS_LOAD_TITLE 61286
#define IDS_REPLAY_TITLE 61287
#define IDS_PLAYBACK_SHOP 61288

// Dialog controls
#define IDOK 1
#define IDCANCEL 2

// New-game dialog (132)
#define IDC_SPIN_PLAYERS 1019
#define IDC_SPIN_ROUNDS 1020
#define IDC_PLAYERS 1025
#define IDC_ROUNDS 1026

// Shop (130)
#define IDC_PRICE_SMALL 1003
#define IDC_PRICE_MEDIUM 1004
#define IDC_PRICE_LARGE 1005
#define IDC_FUNDS 1006
#define IDC_HAVE_SMALL 1007
#define IDC_HAVE_MEDIUM 1008
#define IDC_HAVE_LARGE 1009
#define IDC_COUNT_SMALL 1018
#define IDC_SPIN_SMALL 1019
#define IDC_COUNT_MEDIUM 1020
#define IDC_SPIN_MEDIUM 1021
#define IDC_COUNT_LARGE 1022
#define IDC_SPIN_LARGE 1023
#define IDC_CLOSE_SHOP 1024
#define IDC_SHOP_PLAYER 1026
#define IDC_SHOP_ROUNDS_GROUP 1028
#define IDC_SHOP_ROUNDS_LEFT 1029

// Computer players (134): a label and a drop-down list per seat, in seat order
#define IDC_SEAT_LABEL_FIRST 1040 // 1040..1047
#define IDC_SEAT_CHOICE_FIRST 1048 // 1048..1055

// About box (100)
#define IDC_ABOUT_TEXT 1030
#define IDC_ABOUT_NOTICE 1031
#define IDC_ABOUT_ICON 1032
