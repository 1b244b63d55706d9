// SPDX-License-Identifier: MIT
#include <windows.h>
#include "res/resource.h"
#include "res/tables.h"

namespace {

const MENUITEMDATA kMainMenu[] = {
    {0, "Игра", 0},
    {1, "Новая игра", ID_GAME_NEW},
    {1, nullptr, 0},
    {1, "Выход", ID_GAME_EXIT},
    {0, "?", 0},
    {1, "Правила", ID_HELP_RULES},
    {1, "История", ID_HELP_HISTORY},
    {1, "О программе", ID_HELP_ABOUT},
};

}  // namespace

const MENUDATA g_zorvMenus[] = {
    {IDR_MAINMENU, kMainMenu, sizeof kMainMenu / sizeof kMainMenu[0]},
};
const int g_zorvMenuCount = sizeof g_zorvMenus / sizeof g_zorvMenus[0];
