// SPDX-License-Identifier: MIT
#include <windows.h>

#include <commctrl.h>
#include "res/resource.h"
#include "res/tables.h"

namespace {

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kCardPlace = SS_BITMAP | SS_SUNKEN;
constexpr DWORD kPlayerPlace = SS_BITMAP | SS_SUNKEN | SS_NOTIFY;
constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCounter = BS_OWNERDRAW | BS_FLAT;

// The template's placeholder images: queen of clubs, king and ace of hearts.
constexpr WORD kQueenOfClubs = IDB_CLUBS_BASE;
constexpr WORD kKingOfHearts = IDB_HEARTS_BASE + 7;
constexpr WORD kAceOfHearts = IDB_HEARTS_BASE + 5;

// The side dialogs are shown by the dialog manager when they run; only the
// table window says it is visible.
constexpr DWORD kFixedPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

// The table window. The order is the template's: it decides which of the
// overlapping places is drawn over which, so it must not be tidied.
// Hidden controls still hold their contents; the program keeps them current.
const DLGITEMDATA kTableItems[] = {
    {IDC_COMPUTER_CARD0, "STATIC", kCardPlace, 0, 7, 7, 47, 59, nullptr, kQueenOfClubs},
    {IDC_COMPUTER_CARD2, "STATIC", kCardPlace, 0, 111, 7, 47, 59, nullptr, kQueenOfClubs},
    {IDC_COMPUTER_CARD1, "STATIC", kCardPlace, 0, 59, 7, 47, 59, nullptr, kQueenOfClubs},
    {IDC_COMPUTER_CARD4, "STATIC", kCardPlace, 0, 215, 7, 47, 59, nullptr, kQueenOfClubs},
    {IDC_COMPUTER_CARD3, "STATIC", kCardPlace, 0, 163, 7, 47, 59, nullptr, kQueenOfClubs},
    {IDC_COMPUTER_CARD5, "STATIC", kCardPlace, 0, 267, 7, 47, 59, nullptr, kQueenOfClubs},
    {IDC_STATIC, "STATIC", kLabel, 0, 318, 13, 50, 8, "У компьютера", 0},
    {IDC_COMPUTER_COUNT, "STATIC", kLabel, 0, 321, 30, 8, 8, "6", 0},
    {IDC_STATIC, "STATIC", kLabel, 0, 335, 37, 16, 8, "карт", 0},
    {IDC_PLAYER_CARD0, "STATIC", kPlayerPlace, 0, 7, 264, 47, 59, nullptr, kKingOfHearts},
    {IDC_STATIC, "STATIC", kLabel, 0, 324, 263, 21, 8, "У Вас", 0},
    {IDC_PLAYER_COUNT, "STATIC", kLabel, 0, 330, 275, 8, 8, "6", 0},
    {IDC_STATIC, "STATIC", kLabel, 0, 326, 287, 16, 8, "карт", 0},
    {IDC_PLAYER_CARD1, "STATIC", kPlayerPlace, 0, 59, 264, 47, 59, nullptr, kKingOfHearts},
    {IDC_PLAYER_CARD2, "STATIC", kPlayerPlace, 0, 111, 264, 47, 59, nullptr, kKingOfHearts},
    {IDC_PLAYER_CARD3, "STATIC", kPlayerPlace, 0, 163, 264, 47, 59, nullptr, kKingOfHearts},
    {IDC_PLAYER_CARD4, "STATIC", kPlayerPlace, 0, 215, 264, 47, 59, nullptr, kKingOfHearts},
    {IDC_PLAYER_CARD5, "STATIC", kPlayerPlace, 0, 267, 264, 47, 59, nullptr, kKingOfHearts},
    {IDC_ATTACK0, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 7, 157, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_ATTACK2, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 143, 158, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_ATTACK1, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 75, 158, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_ATTACK4, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 279, 158, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_ATTACK3, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 211, 158, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_ATTACK5, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 347, 158, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_DEFENCE0, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 22, 176, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_DEFENCE1, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 90, 176, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_DEFENCE2, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 158, 176, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_DEFENCE3, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 226, 176, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_DEFENCE4, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 294, 176, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_DEFENCE5, "STATIC", kCardPlace | kShown, WS_EX_CLIENTEDGE, 362, 176, 50, 62, nullptr,
     kQueenOfClubs},
    {IDC_TRUMP, "STATIC", SS_BITMAP | kShown, 0, 142, 78, 46, 58, nullptr, kAceOfHearts},
    {IDC_DECK, "STATIC", SS_BITMAP | SS_CENTERIMAGE | kShown, 0, 134, 106, 67, 46, nullptr,
     IDB_DECK},
    {IDC_DECK_COUNT, "STATIC", kLabel, 0, 205, 123, 9, 8, "36", 0},
    {IDC_STATIC, "STATIC", kLabel, 0, 258, 99, 64, 8, "осталось в колоде", 0},
    {IDC_MORE, "BUTTON", kPush | WS_DISABLED, 0, 318, 308, 42, 14, "Ещё", 0},
    {IDC_BEATEN, "BUTTON", kPush | WS_DISABLED | kShown, 0, 225, 136, 38, 14, "Бито", 0},
    {IDC_TAKE, "BUTTON", kPush | WS_DISABLED | kShown, 0, 278, 136, 38, 14, "Взять", 0},
    {IDC_HINT, "STATIC", kLabel | kShown, 0, 15, 98, 101, 39, "подсказки...", 0},
    {IDC_BEATEN_PILE, "STATIC", SS_BITMAP | kShown, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 355, 76,
     53, 64, nullptr, IDB_BACK},
    {IDC_BEATEN_COUNT, "STATIC", kLabel, 0, 387, 143, 10, 8, "0", 0},
    {IDC_STATIC, "STATIC", kLabel | kShown, 0, 361, 143, 22, 8, "бито:", 0},
    {IDC_PLAYER_LIST, "SysListView32", LVS_ICON | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP | kShown,
     0, 7, 245, 409, 77, nullptr, 0},
    {IDC_COMPUTER_LIST, "SysListView32",
     LVS_ICON | LVS_SINGLESEL | LVS_NOSCROLL | WS_BORDER | kShown, 0, 7, 7, 409, 66, nullptr, 0},
    {IDC_DECK_LED, "BUTTON", kCounter | kShown, 0, 205, 82, 55, 19, "Button1", 0},
    {IDC_BEATEN_LED, "BUTTON", kCounter | kShown, 0, 281, 77, 55, 19, "Button1", 0},
};

const DLGITEMDATA kAboutItems[] = {
    {IDC_STATIC, "STATIC", SS_ICON | kShown, 0, 11, 17, 20, 20, nullptr, IDR_MAINFRAME},
    {IDC_STATIC, "STATIC", SS_LEFT | SS_NOPREFIX | kShown, 0, 40, 10, 119, 8, "Игра \"Зорв\" v.0.4",
     0},
    {IDC_STATIC, "STATIC", SS_LEFT | kShown, 0, 40, 22, 170, 8, "© 2001, автор: А. Примеров", 0},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | kShown, 0, 178, 7, 50, 14, "Угу",
     0},
    // The links take these texts as their targets until the dialog sets the
    // real ones; the mail text keeps its blank after the colon.
    {IDC_LINK_MAIL, "STATIC", SS_LEFT | kShown, 0, 40, 34, 170, 8, "mailto: zorv@example.org", 0},
    {IDC_LINK_HOME, "STATIC", SS_LEFT | kShown, 0, 40, 46, 170, 8, "http://www.example.org/zorv/",
     0},
};

const DLGITEMDATA kHistoryItems[] = {
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | kShown, 0, 94, 149, 50, 14, "Угу", 0},
    {IDC_HISTORY_TEXT, "EDIT",
     ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | kShown,
     WS_EX_TRANSPARENT, 7, 7, 225, 139, nullptr, 0},
};

template <typename T, int N>
constexpr int CountOf(const T (&)[N]) {
  return N;
}

}  // namespace

const DLGTEMPLATEDATA g_zorvDialogs[] = {
    {IDD_ZORV_DIALOG, "Игра \"Зорв\" v.0.4", "MS Sans Serif", 8,
     kFixedPopup | WS_VISIBLE | WS_MINIMIZEBOX, WS_EX_APPWINDOW, 0, 0, 423, 329, IDR_MAINMENU,
     kTableItems, CountOf(kTableItems), RUSSIAN_CHARSET},
    {IDD_ABOUTBOX, "Об игре \"Зорв\"", "MS Sans Serif", 8, kFixedPopup, 0, 0, 0, 235, 66, 0,
     kAboutItems, CountOf(kAboutItems), RUSSIAN_CHARSET},
    {IDD_HISTORY, "История", "MS Sans Serif", 8, kFixedPopup, 0, 0, 0, 239, 170, 0, kHistoryItems,
     CountOf(kHistoryItems), RUSSIAN_CHARSET},
};
const int g_zorvDialogCount = CountOf(g_zorvDialogs);
