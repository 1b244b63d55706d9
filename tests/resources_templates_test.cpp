// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include "res/resource.h"
#include "res/resources.h"

namespace {

const DLGTEMPLATEDATA* FindDialog(WORD id) {
  for (int i = 0; i < g_zorvResources.dialogCount; ++i) {
    if (g_zorvResources.dialogs[i].id == id)
      return &g_zorvResources.dialogs[i];
  }
  return nullptr;
}

const BINRESDATA* FindBinary(LPCSTR type, WORD id) {
  for (int i = 0; i < g_zorvResources.binaryCount; ++i) {
    const BINRESDATA& b = g_zorvResources.binaries[i];
    if (b.type == type && b.id == id)
      return &b;
  }
  return nullptr;
}

std::string Text(LPCSTR s) {
  return s ? s : "";
}

enum Kind {
  kCardPlace,
  kClickPlace,
  kTablePlace,
  kImage,
  kLabel,
  kPush,
  kDefPush,
  kLed,
  kList,
  kIcon,
  kEdit
};

struct Row {
  WORD id;
  Kind kind;
  short x, y, cx, cy;
  bool shown;
  const char* text;  // or nullptr
  WORD image;
};

// What the user can see and do with each kind, not the exact style words.
void CheckKind(const DLGITEMDATA& item, Kind kind) {
  const std::string cls = item.className;
  const DWORD ss = item.style & SS_TYPEMASK, bs = item.style & BS_TYPEMASK;
  switch (kind) {
    case kCardPlace:
    case kClickPlace:
    case kTablePlace:
      EXPECT_EQ(cls, "STATIC");
      EXPECT_EQ(ss, SS_BITMAP);
      EXPECT_TRUE(item.style & SS_SUNKEN);
      EXPECT_EQ((item.style & SS_NOTIFY) != 0, kind == kClickPlace)
          << "only the player's places click";
      EXPECT_EQ((item.exStyle & WS_EX_CLIENTEDGE) != 0, kind == kTablePlace);
      break;
    case kImage:
      EXPECT_EQ(cls, "STATIC");
      EXPECT_EQ(ss, SS_BITMAP);
      break;
    case kIcon:
      EXPECT_EQ(cls, "STATIC");
      EXPECT_EQ(ss, SS_ICON);
      break;
    case kLabel:
      EXPECT_EQ(cls, "STATIC");
      EXPECT_EQ(ss, SS_LEFT);
      EXPECT_FALSE(item.style & SS_NOTIFY);
      break;
    case kPush:
    case kDefPush:
      EXPECT_EQ(cls, "BUTTON");
      EXPECT_EQ(bs, kind == kPush ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON);
      EXPECT_TRUE(item.style & WS_TABSTOP);
      break;
    case kLed:
      EXPECT_EQ(cls, "BUTTON");
      EXPECT_EQ(bs, BS_OWNERDRAW);
      break;
    case kList:
      EXPECT_EQ(cls, "SysListView32");
      EXPECT_EQ(item.style & LVS_TYPEMASK, LVS_ICON);
      EXPECT_TRUE(item.style & LVS_SINGLESEL);
      EXPECT_TRUE(item.style & WS_BORDER);
      break;
    case kEdit:
      EXPECT_EQ(cls, "EDIT");
      break;
  }
}

void CheckItems(const DLGTEMPLATEDATA& dlg, const std::vector<Row>& rows) {
  ASSERT_EQ(dlg.itemCount, static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    const DLGITEMDATA& item = dlg.items[i];
    const Row& r = rows[i];
    SCOPED_TRACE("dialog " + std::to_string(dlg.id) + " item " + std::to_string(i) + " id " +
                 std::to_string(r.id));
    EXPECT_EQ(item.id, r.id);
    CheckKind(item, r.kind);
    EXPECT_EQ(item.x, r.x);
    EXPECT_EQ(item.y, r.y);
    EXPECT_EQ(item.cx, r.cx);
    EXPECT_EQ(item.cy, r.cy);
    EXPECT_EQ((item.style & WS_VISIBLE) != 0, r.shown);
    EXPECT_EQ(Text(item.text), Text(r.text));
    EXPECT_EQ(item.imageId, r.image);
  }
}

// Fixed-size windows: no maximise box and no sizing border.
void CheckFixedPopup(const DLGTEMPLATEDATA& dlg) {
  const DWORD must = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  EXPECT_EQ(dlg.style & must, must);
  EXPECT_FALSE(dlg.style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(Text(dlg.fontName), "MS Sans Serif");
  EXPECT_EQ(dlg.pointSize, 8);
  EXPECT_EQ(dlg.charSet, RUSSIAN_CHARSET);
}

TEST(ResourcesTemplates, TableWindowFrame) {
  const DLGTEMPLATEDATA* dlg = FindDialog(IDD_ZORV_DIALOG);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(Text(dlg->caption), "Игра \"Зорв\" v.0.4");
  CheckFixedPopup(*dlg);
  EXPECT_TRUE(dlg->style & WS_VISIBLE);
  // WS_MINIMIZEBOX shares its bit with WS_GROUP, which a window has no use for.
  EXPECT_TRUE(dlg->style & WS_MINIMIZEBOX);
  EXPECT_TRUE(dlg->exStyle & WS_EX_APPWINDOW);
  EXPECT_EQ(dlg->cx, 423);
  EXPECT_EQ(dlg->cy, 329);
  EXPECT_EQ(dlg->menuId, IDR_MAINMENU);
}

TEST(ResourcesTemplates, TableWindowControlsInTemplateOrder) {
  const DLGTEMPLATEDATA* dlg = FindDialog(IDD_ZORV_DIALOG);
  ASSERT_NE(dlg, nullptr);
  const WORD Q = 155, K = 181, A = 179;
  CheckItems(*dlg, {
                       {1002, kCardPlace, 7, 7, 47, 59, false, nullptr, Q},
                       {1004, kCardPlace, 111, 7, 47, 59, false, nullptr, Q},
                       {1003, kCardPlace, 59, 7, 47, 59, false, nullptr, Q},
                       {1006, kCardPlace, 215, 7, 47, 59, false, nullptr, Q},
                       {1005, kCardPlace, 163, 7, 47, 59, false, nullptr, Q},
                       {1007, kCardPlace, 267, 7, 47, 59, false, nullptr, Q},
                       {IDC_STATIC, kLabel, 318, 13, 50, 8, false, "У компьютера", 0},
                       {1000, kLabel, 321, 30, 8, 8, false, "6", 0},
                       {IDC_STATIC, kLabel, 335, 37, 16, 8, false, "карт", 0},
                       {1008, kClickPlace, 7, 264, 47, 59, false, nullptr, K},
                       {IDC_STATIC, kLabel, 324, 263, 21, 8, false, "У Вас", 0},
                       {1001, kLabel, 330, 275, 8, 8, false, "6", 0},
                       {IDC_STATIC, kLabel, 326, 287, 16, 8, false, "карт", 0},
                       {1009, kClickPlace, 59, 264, 47, 59, false, nullptr, K},
                       {1010, kClickPlace, 111, 264, 47, 59, false, nullptr, K},
                       {1011, kClickPlace, 163, 264, 47, 59, false, nullptr, K},
                       {1012, kClickPlace, 215, 264, 47, 59, false, nullptr, K},
                       {1013, kClickPlace, 267, 264, 47, 59, false, nullptr, K},
                       {1014, kTablePlace, 7, 157, 50, 62, true, nullptr, Q},
                       {1015, kTablePlace, 143, 158, 50, 62, true, nullptr, Q},
                       {1016, kTablePlace, 75, 158, 50, 62, true, nullptr, Q},
                       {1017, kTablePlace, 279, 158, 50, 62, true, nullptr, Q},
                       {1018, kTablePlace, 211, 158, 50, 62, true, nullptr, Q},
                       {1019, kTablePlace, 347, 158, 50, 62, true, nullptr, Q},
                       {1020, kTablePlace, 22, 176, 50, 62, true, nullptr, Q},
                       {1021, kTablePlace, 90, 176, 50, 62, true, nullptr, Q},
                       {1022, kTablePlace, 158, 176, 50, 62, true, nullptr, Q},
                       {1023, kTablePlace, 226, 176, 50, 62, true, nullptr, Q},
                       {1024, kTablePlace, 294, 176, 50, 62, true, nullptr, Q},
                       {1025, kTablePlace, 362, 176, 50, 62, true, nullptr, Q},
                       {1026, kImage, 142, 78, 46, 58, true, nullptr, A},
                       {1027, kImage, 134, 106, 67, 46, true, nullptr, 209},
                       {1028, kLabel, 205, 123, 9, 8, false, "36", 0},
                       {IDC_STATIC, kLabel, 258, 99, 64, 8, false, "осталось в колоде", 0},
                       {1029, kPush, 318, 308, 42, 14, false, "Ещё", 0},
                       {1030, kPush, 225, 136, 38, 14, true, "Бито", 0},
                       {1031, kPush, 278, 136, 38, 14, true, "Взять", 0},
                       {1032, kLabel, 15, 98, 101, 39, true, "подсказки...", 0},
                       {1033, kImage, 355, 76, 53, 64, true, nullptr, 196},
                       {1034, kLabel, 387, 143, 10, 8, false, "0", 0},
                       {IDC_STATIC, kLabel, 361, 143, 22, 8, true, "бито:", 0},
                       {1040, kList, 7, 245, 409, 77, true, nullptr, 0},
                       {1041, kList, 7, 7, 409, 66, true, nullptr, 0},
                       {1043, kLed, 205, 82, 55, 19, true, "Button1", 0},
                       {1044, kLed, 281, 77, 55, 19, true, "Button1", 0},
                   });
}

TEST(ResourcesTemplates, TableWindowDetails) {
  const DLGTEMPLATEDATA* dlg = FindDialog(IDD_ZORV_DIALOG);
  ASSERT_NE(dlg, nullptr);
  auto item = [&](WORD id) -> const DLGITEMDATA& {
    for (int i = 0; i < dlg->itemCount; ++i) {
      if (dlg->items[i].id == id)
        return dlg->items[i];
    }
    ADD_FAILURE() << "no control " << id;
    return dlg->items[0];
  };
  // The game enables the bout buttons itself; the window opens with all three off.
  for (WORD id : {IDC_MORE, IDC_BEATEN, IDC_TAKE})
    EXPECT_TRUE(item(id).style & WS_DISABLED) << id;
  for (int i = 0; i < dlg->itemCount; ++i) {
    const DLGITEMDATA& it = dlg->items[i];
    if (it.id < IDC_MORE || it.id > IDC_TAKE) {
      EXPECT_FALSE(it.style & WS_DISABLED) << it.id;
    }
  }
  // Covering place k lies 15 right of and about 18 below attack place k.
  const WORD attack[6] = {IDC_ATTACK0, IDC_ATTACK1, IDC_ATTACK2,
                          IDC_ATTACK3, IDC_ATTACK4, IDC_ATTACK5};
  for (int k = 0; k < 6; ++k) {
    const DLGITEMDATA& a = item(attack[k]);
    const DLGITEMDATA& d = item(static_cast<WORD>(IDC_DEFENCE0 + k));
    EXPECT_EQ(d.x - a.x, 15) << k;
    EXPECT_NEAR(d.y - a.y, 18, 1) << k;  // attack place 0 sits one unit higher
    if (k > 0) {
      EXPECT_GT(a.x, item(attack[k - 1]).x) << "slots run left to right";
    }
  }
  // The stock lies centred across the trump card; only the player can scroll a hand.
  EXPECT_TRUE(item(IDC_DECK).style & SS_CENTERIMAGE);
  EXPECT_FALSE(item(IDC_PLAYER_LIST).style & LVS_NOSCROLL);
  EXPECT_TRUE(item(IDC_COMPUTER_LIST).style & LVS_NOSCROLL);
}

TEST(ResourcesTemplates, AboutAndHistoryDialogs) {
  const DLGTEMPLATEDATA* about = FindDialog(IDD_ABOUTBOX);
  const DLGTEMPLATEDATA* history = FindDialog(IDD_HISTORY);
  ASSERT_NE(about, nullptr);
  ASSERT_NE(history, nullptr);
  for (const DLGTEMPLATEDATA* dlg : {about, history}) {
    CheckFixedPopup(*dlg);
    EXPECT_FALSE(dlg->style & (WS_MINIMIZEBOX | WS_VISIBLE));
    EXPECT_EQ(dlg->menuId, 0);
  }
  EXPECT_EQ(Text(about->caption), "Об игре \"Зорв\"");
  EXPECT_EQ(about->cx, 235);
  EXPECT_EQ(about->cy, 66);
  CheckItems(*about,
             {
                 {IDC_STATIC, kIcon, 11, 17, 20, 20, true, nullptr, IDR_MAINFRAME},
                 {IDC_STATIC, kLabel, 40, 10, 119, 8, true, "Игра \"Зорв\" v.0.4", 0},
                 {IDC_STATIC, kLabel, 40, 22, 170, 8, true, "© 2001, автор: А. Примеров", 0},
                 {IDOK, kDefPush, 178, 7, 50, 14, true, "Угу", 0},
                 {IDC_LINK_MAIL, kLabel, 40, 34, 170, 8, true, "mailto: zorv@example.org", 0},
                 {IDC_LINK_HOME, kLabel, 40, 46, 170, 8, true, "http://www.example.org/zorv/", 0},
             });
  // The quotes in the name must not turn into an accelerator underline.
  EXPECT_TRUE(about->items[1].style & SS_NOPREFIX);

  EXPECT_EQ(Text(history->caption), "История");
  EXPECT_EQ(history->cx, 239);
  EXPECT_EQ(history->cy, 170);
  CheckItems(*history, {
                           {IDOK, kDefPush, 94, 149, 50, 14, true, "Угу", 0},
                           {IDC_HISTORY_TEXT, kEdit, 7, 7, 225, 139, true, nullptr, 0},
                       });
  const DLGITEMDATA& edit = history->items[1];
  const DWORD box = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP;
  EXPECT_EQ(edit.style, box | WS_VISIBLE);
  EXPECT_EQ(edit.exStyle, DWORD(WS_EX_TRANSPARENT));
}

TEST(ResourcesTemplates, MainMenuCommands) {
  ASSERT_EQ(g_zorvResources.menuCount, 1);
  const MENUDATA& menu = g_zorvResources.menus[0];
  EXPECT_EQ(menu.id, IDR_MAINMENU);
  struct Line {
    int level;
    const char* text;
    WORD command;
  };
  const std::vector<Line> expected = {
      {0, "Игра", 0}, {1, "Новая игра", 32776}, {1, nullptr, 0},       {1, "Выход", 32771},
      {0, "?", 0},    {1, "Правила", 32772},    {1, "История", 32775}, {1, "О программе", 32773},
  };
  ASSERT_EQ(menu.itemCount, static_cast<int>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(menu.items[i].level, expected[i].level);
    EXPECT_EQ(menu.items[i].text == nullptr, expected[i].text == nullptr);
    EXPECT_EQ(Text(menu.items[i].text), Text(expected[i].text));
    EXPECT_EQ(menu.items[i].commandId, expected[i].command);
  }
}

TEST(ResourcesTemplates, F2StartsANewGame) {
  ASSERT_EQ(g_zorvResources.acceleratorCount, 1);
  const ACCELDATA& a = g_zorvResources.accelerators[0];
  EXPECT_EQ(a.tableId, IDR_ACCELERATOR);
  EXPECT_EQ(a.fVirt, FVIRTKEY);
  EXPECT_EQ(a.key, VK_F2);
  EXPECT_EQ(a.command, ID_GAME_NEW);
}

TEST(ResourcesTemplates, HistoryTextBlocks) {
  const STRINGDATA* history = nullptr;
  for (int i = 0; i < g_zorvResources.stringCount; ++i) {
    if (g_zorvResources.strings[i].id == IDS_HISTORY)
      history = &g_zorvResources.strings[i];
  }
  ASSERT_NE(history, nullptr);
  const std::string text = Text(history->text);
  // CR LF only: the edit box breaks lines at CR LF and shows a lone CR or LF as a glyph.
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      ASSERT_EQ(text[i + 1], '\n') << "lone CR at " << i;
      lines.push_back(text.substr(start, i - start));
      start = ++i + 1;
    } else {
      ASSERT_NE(text[i], '\n') << "lone LF at " << i;
    }
  }
  ASSERT_LT(start, text.size()) << "the text must end without a line break";
  lines.push_back(text.substr(start));

  std::vector<std::vector<std::string>> blocks(1);
  for (const std::string& line : lines) {
    if (line.empty()) {
      ASSERT_FALSE(blocks.back().empty()) << "two empty lines in a row";
      blocks.emplace_back();
    } else {
      blocks.back().push_back(line);
    }
  }
  const std::vector<std::string> headers = {
      "8 ноября 2001: версия 0.4", "6 ноября 2001: версия 0.3", "1 ноября 2001: версия 0.2",
      "30 октября 2001: версия 0.1"};
  const size_t changes[] = {5, 4, 4, 0};
  ASSERT_EQ(blocks.size(), headers.size());
  for (size_t b = 0; b < blocks.size(); ++b) {
    SCOPED_TRACE(headers[b]);
    EXPECT_EQ(blocks[b][0], headers[b]);
    if (changes[b] == 0) {
      EXPECT_EQ(blocks[b].size(), 1u);
      continue;
    }
    ASSERT_EQ(blocks[b].size(), changes[b] + 2);
    EXPECT_EQ(blocks[b][1], "Изменения:");
    for (size_t i = 2; i < blocks[b].size(); ++i)
      EXPECT_EQ(blocks[b][i].rfind("* ", 0), 0u);
  }
  EXPECT_EQ(blocks[0], (std::vector<std::string>{
                           "8 ноября 2001: версия 0.4",
                           "Изменения:", "* Карты компьютера отображаются также как и у игрока",
                           "* Вопрос о новой игре после окончания текущей",
                           "* Дополнения к алгоритму игры компьютера", "* Электронные цифры",
                           "* Интерфейс почернел"}));
  EXPECT_EQ(blocks[1][2], "* Теперь интерфейс на русском языке");
}

// Every image a template names must exist, or the control opens blank.
TEST(ResourcesTemplates, TemplateImagesExist) {
  if (g_zorvResources.binaryCount == 0)
    GTEST_SKIP() << "no bitmaps generated yet";
  for (int d = 0; d < g_zorvResources.dialogCount; ++d) {
    const DLGTEMPLATEDATA& dlg = g_zorvResources.dialogs[d];
    for (int i = 0; i < dlg.itemCount; ++i) {
      const DLGITEMDATA& it = dlg.items[i];
      if (it.imageId == 0)
        continue;
      LPCSTR type = (it.style & SS_TYPEMASK) == SS_ICON ? RT_GROUP_ICON : RT_BITMAP;
      EXPECT_NE(FindBinary(type, it.imageId), nullptr)
          << "dialog " << dlg.id << " image " << it.imageId;
    }
  }
}

#ifdef _WIN32
// What the compiler made of the tables in the executable: every resource
// Russian, as its texts are, and the icon at each size the shell asks for
// (16 to 48, and 256, which a directory entry writes as 0).
TEST(ResourcesTemplates, ExecutableResourcesAreRussianWithAnIconOfEverySize) {
  HMODULE module = GetModuleHandle(nullptr);
  const WORD russian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);
  const struct {
    LPCSTR type;
    WORD id;
  } resources[] = {{RT_DIALOG, IDD_ZORV_DIALOG},   {RT_DIALOG, IDD_ABOUTBOX},
                   {RT_DIALOG, IDD_HISTORY},       {RT_MENU, IDR_MAINMENU},
                   {RT_STRING, 102 / 16 + 1},      {RT_BITMAP, IDB_DECK},
                   {RT_GROUP_ICON, IDR_MAINFRAME}, {RT_VERSION, 1}};
  for (const auto& r : resources) {
    EXPECT_NE(FindResourceEx(module, r.type, MAKEINTRESOURCE(r.id), russian), nullptr) << r.id;
  }
  HRSRC found = FindResource(module, MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  const int count = dir[4] | dir[5] << 8;
  ASSERT_LE(6 + 14 * count, (int)SizeofResource(module, found));
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    sizes.push_back(dir[6 + 14 * i]);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 0}));
}
#endif

}  // namespace
