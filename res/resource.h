// SPDX-License-Identifier: MIT
// Resource ids of the program: dialogs, controls, menu commands, bitmaps,
// icon, strings and the accelerator table.
#pragma once

// Dialogs, menu, accelerators, icon, strings.
#define IDD_ABOUTBOX 100
#define IDD_ZORV_DIALOG 102
#define IDD_HISTORY 198
#define IDR_MAINMENU 192
#define IDR_MAINFRAME 200
#define IDR_ACCELERATOR 212
#define IDS_HISTORY 102
// What a screen reader says of the table: %1 is a number, %2 a picture's name.
#define IDS_PLACE_EMPTY 301
#define IDS_PLACE_OPEN 302
#define IDS_PLACE_COVERED 303
#define IDS_COVER 304
#define IDS_COVER_EMPTY 305
#define IDS_TRUMP 306
#define IDS_PLAYER_HAND 307
#define IDS_COMPUTER_HAND 308
#define IDS_BEATEN_PILE 309

// Bitmaps: card faces 155..191 (no 164; id = suit base + rank offset).
#define IDB_CLUBS_BASE 155
#define IDB_DIAMONDS_BASE 165
#define IDB_HEARTS_BASE 174
#define IDB_SPADES_BASE 183
#define IDB_BACK2 195
#define IDB_BACK 196
#define IDB_EMPTY 197
#define IDB_SUIT_CLUBS 205
#define IDB_SUIT_DIAMONDS 206
#define IDB_SUIT_HEARTS 207
#define IDB_SUIT_SPADES 208
#define IDB_DECK 209
#define IDB_LAST_CARD 210

// Custom-type images ("MY_BITMAP"): whole BMP files.
#define RT_MY_BITMAP "MY_BITMAP"
#define IDB_LED_PALETTE 217
#define IDB_DIGITS 220

// Controls of the table window (dialog 102).
#define IDC_COMPUTER_COUNT 1000
#define IDC_PLAYER_COUNT 1001
#define IDC_COMPUTER_CARD0 1002
#define IDC_COMPUTER_CARD1 1003
#define IDC_COMPUTER_CARD2 1004
#define IDC_COMPUTER_CARD3 1005
#define IDC_COMPUTER_CARD4 1006
#define IDC_COMPUTER_CARD5 1007
#define IDC_PLAYER_CARD0 1008
#define IDC_PLAYER_CARD1 1009
#define IDC_PLAYER_CARD2 1010
#define IDC_PLAYER_CARD3 1011
#define IDC_PLAYER_CARD4 1012
#define IDC_PLAYER_CARD5 1013
#define IDC_ATTACK0 1014
#define IDC_ATTACK2 1015
#define IDC_ATTACK1 1016
#define IDC_ATTACK4 1017
#define IDC_ATTACK3 1018
#define IDC_ATTACK5 1019
#define IDC_DEFENCE0 1020
#define IDC_DEFENCE1 1021
#define IDC_DEFENCE2 1022
#define IDC_DEFENCE3 1023
#define IDC_DEFENCE4 1024
#define IDC_DEFENCE5 1025
#define IDC_TRUMP 1026
#define IDC_DECK 1027
#define IDC_DECK_COUNT 1028
#define IDC_MORE 1029
#define IDC_BEATEN 1030
#define IDC_TAKE 1031
#define IDC_HINT 1032
#define IDC_BEATEN_PILE 1033
#define IDC_BEATEN_COUNT 1034
#define IDC_PLAYER_LIST 1040
#define IDC_COMPUTER_LIST 1041
#define IDC_DECK_LED 1043
#define IDC_BEATEN_LED 1044

// Controls of the History and About dialogs.
#define IDC_HISTORY_TEXT 1035
#define IDC_LINK_MAIL 1036
#define IDC_LINK_HOME 1037

// Menu commands.
#define ID_GAME_EXIT 32771
#define ID_HELP_RULES 32772
#define ID_HELP_ABOUT 32773
#define ID_HELP_HISTORY 32775
#define ID_GAME_NEW 32776
