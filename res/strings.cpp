// SPDX-License-Identifier: MIT
#include <windows.h>
#include "res/resource.h"
#include "res/tables.h"

namespace {

// Shown as is in a multi-line edit, which breaks lines only at CR LF. The
// oldest version has no changes to list, and the text ends with its header.
const char kHistory[] =
    "8 ноября 2001: версия 0.4\r\n"
    "Изменения:\r\n"
    "* Карты компьютера отображаются также как и у игрока\r\n"
    "* Вопрос о новой игре после окончания текущей\r\n"
    "* Дополнения к алгоритму игры компьютера\r\n"
    "* Электронные цифры\r\n"
    "* Интерфейс почернел\r\n"
    "\r\n"
    "6 ноября 2001: версия 0.3\r\n"
    "Изменения:\r\n"
    "* Теперь интерфейс на русском языке\r\n"
    "* Козырная масть видна, когда колода закончилась\r\n"
    "* Другой способ отображения карт игрока\r\n"
    "* Прочие мелкие изменения интерфейса\r\n"
    "\r\n"
    "1 ноября 2001: версия 0.2\r\n"
    "Изменения:\r\n"
    "* Исправлены ошибки в отображении карт игрока и в затенении кнопок\r\n"
    "* Добавлены это окно, новая иконка, ссылки в окне \"О программе\" и пункт меню "
    "\"Новая игра\"\r\n"
    "* Компьютер стал умнее\r\n"
    "* Карты игрока сортируются\r\n"
    "\r\n"
    "30 октября 2001: версия 0.1";

}  // namespace

const STRINGDATA g_zorvStrings[] = {
    {IDS_HISTORY, kHistory},
};
const int g_zorvStringCount = sizeof g_zorvStrings / sizeof g_zorvStrings[0];
