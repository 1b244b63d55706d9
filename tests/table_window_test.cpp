// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cctype>
#include <set>

#include "dialogs/about_dlg.h"
#include "tests/table_fixture.h"

using TableWindowTest = TableTest;

static const int kPlacesInSlotOrder[12] = {1014, 1016, 1015, 1018, 1017, 1019,
                                           1020, 1021, 1022, 1023, 1024, 1025};

TEST_F(TableWindowTest, StartsAsADealtTable) {
  for (int id : kPlacesInSlotOrder) {
    EXPECT_EQ(Image(id), dlg->m_hbmEmpty) << id;
  }
  EXPECT_NE(dlg->m_hbmEmpty, nullptr);
  for (int id = IDC_COMPUTER_CARD0; id <= IDC_COMPUTER_CARD5; ++id) {
    EXPECT_EQ(Image(id), dlg->m_hbmBack) << id;
  }
  EXPECT_EQ(Image(IDC_TRUMP), dlg->m_trump.hBitmap);
  EXPECT_EQ(Image(IDC_DECK), dlg->m_hbmDeck);
  EXPECT_EQ(ItemCount(IDC_COMPUTER_LIST), 6);
  EXPECT_EQ(ItemCount(IDC_PLAYER_LIST), 6);
  EXPECT_EQ(Text(IDC_COMPUTER_COUNT), "6");
  EXPECT_EQ(Text(IDC_PLAYER_COUNT), "6");
  EXPECT_EQ(Text(IDC_DECK_COUNT), "24");
  EXPECT_EQ(Text(IDC_BEATEN_COUNT), "0");
  EXPECT_EQ(Hint(), "Ваш ход...");
  EXPECT_FALSE(Enabled(IDC_BEATEN));
  EXPECT_FALSE(Enabled(IDC_TAKE));
}

TEST_F(TableWindowTest, ControlsSitAtTheirPixelPlaces) {
  // Template places round to the nearest pixel (x 143 units is 214.5 px, so
  // 215), position and size each on its own; the counters are placed by
  // the program in pixels.
  struct {
    int id, x, y, cx, cy;
  } rows[] = {{IDC_ATTACK0, 11, 255, 75, 100},  {IDC_ATTACK2, 215, 257, 75, 100},
              {IDC_BEATEN, 338, 221, 57, 23},   {IDC_TAKE, 417, 221, 57, 23},
              {IDC_DECK_LED, 310, 195, 37, 20}, {IDC_BEATEN_LED, 570, 230, 37, 20}};
  for (const auto& row : rows) {
    RECT rect;
    ::GetWindowRect(Item(row.id), &rect);
    POINT corner = {rect.left, rect.top};
    ::ScreenToClient(hwnd, &corner);
    EXPECT_EQ(corner.x, row.x) << row.id;
    EXPECT_EQ(corner.y, row.y) << row.id;
    // Wine fits a picture static's window, frame and all, to its picture,
    // so the frame covers the card's edges; the template's sizes were
    // drawn for a frame around the whole card.
    if (testing_seams::SystemIsWine() && row.cx == 75) {
      continue;
    }
    EXPECT_EQ(rect.right - rect.left, row.cx) << row.id;
    EXPECT_EQ(rect.bottom - rect.top, row.cy) << row.id;
  }
}

TEST_F(TableWindowTest, ClearTableEmptiesThePlacesSlotBySlot) {
  for (int id : kPlacesInSlotOrder) {
    ::SendMessage(Item(id), STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)dlg->m_hbmBack);
  }
  testing_seams::StartMessageSpy();
  dlg->ClearTable();
  std::vector<testing_seams::SpiedMessage> spied = testing_seams::StopMessageSpy();
  std::vector<int> order;
  for (const auto& message : spied) {
    if (message.message == STM_SETIMAGE) {
      EXPECT_EQ((HBITMAP)message.lParam, dlg->m_hbmEmpty);
      order.push_back(message.controlId);
    }
  }
  EXPECT_EQ(order, std::vector<int>(kPlacesInSlotOrder, kPlacesInSlotOrder + 12));
  for (int id : kPlacesInSlotOrder) {
    EXPECT_EQ(Image(id), dlg->m_hbmEmpty) << id;
  }
}

TEST_F(TableWindowTest, NewGameFromTheMenuReplacesAGameInProgress) {
  dlg->m_nBeaten = 10;
  dlg->m_nDeckCards = 3;
  dlg->m_nGameResult = 4;
  dlg->m_bRemembered = 1;
  SetAttack({"6h", "7h"});
  SetDefence({"8h"});
  ::SendMessage(Item(IDC_ATTACK1), STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)C("7h").hBitmap);
  ::EnableWindow(Item(IDC_BEATEN), TRUE);
  ::EnableWindow(Item(IDC_TAKE), TRUE);
  dlg->SetHint("Отбивайтесь...");
  UseSeededGenerator(7);

  Command(ID_GAME_NEW);

  EXPECT_EQ(dlg->m_nDeckCards, 24);
  EXPECT_EQ(dlg->m_nBeaten, 0);
  EXPECT_EQ(dlg->m_nAttack, 0);
  EXPECT_EQ(dlg->m_nDefence, 0);
  EXPECT_EQ(dlg->m_nGameResult, 0);
  EXPECT_EQ(dlg->m_bRemembered, 0);
  EXPECT_EQ(Image(IDC_ATTACK1), dlg->m_hbmEmpty);
  EXPECT_FALSE(Enabled(IDC_BEATEN));
  EXPECT_FALSE(Enabled(IDC_TAKE));
  EXPECT_EQ(Hint(), "Ваш ход...");
  EXPECT_EQ(Text(IDC_DECK_COUNT), "24");
  EXPECT_EQ(Text(IDC_BEATEN_COUNT), "0");
  EXPECT_FALSE(Ended());
}

TEST_F(TableWindowTest, RulesOnlyShowAMessage) {
  std::string deck = Codes(dlg->m_deck, 36);
  std::string hand = PlayerHand();
  Command(ID_HELP_RULES);
  const auto& calls = testing_seams::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text, "Неужели есть кто-то, не знающий правил???");
  EXPECT_EQ(calls[0].caption, "Zorv");
  EXPECT_EQ(calls[0].type, (UINT)MB_OK);
  EXPECT_EQ(Codes(dlg->m_deck, 36), deck);
  EXPECT_EQ(PlayerHand(), hand);
  EXPECT_EQ(Hint(), "Ваш ход...");
  EXPECT_FALSE(Ended());
}

TEST_F(TableWindowTest, ExitEndsTheWindowWithCancelMidGame) {
  SetAttack({"6h"});
  Command(ID_GAME_EXIT);
  INT_PTR result = 0;
  EXPECT_TRUE(Ended(&result));
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(BoxTexts().empty());
}

// Whether the control draws its text: a text static or a push button,
// not a picture, an owner-drawn button or a list named for a reader.
static bool DrawsItsText(HWND control) {
  char name[32] = "";
  GetClassName(control, name, sizeof name);
  std::string kind = name;
  std::transform(kind.begin(), kind.end(), kind.begin(), ::tolower);
  const LONG style = GetWindowLong(control, GWL_STYLE);
  return (kind == "static" && (style & SS_TYPEMASK) <= SS_RIGHT) ||
         (kind == "button" && (style & BS_TYPEMASK) != BS_OWNERDRAW);
}

// Each Cyrillic letter of every visible control's text, drawn by that
// control alone in its own font, must look like no other letter of it: a
// font variant without Cyrillic draws them all as the same box. Gives the
// texts it checked.
static std::set<std::string> ExpectLettersOfTheirOwn(HWND window) {
  std::set<std::string> checked;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c) || !DrawsItsText(c)) {
      continue;
    }
    char buffer[256] = "";
    GetWindowText(c, buffer, sizeof buffer);
    const std::string text = buffer;
    std::vector<std::string> letters;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      const unsigned char lead = (unsigned char)text[i];
      std::string letter = text.substr(i, 2);
      if ((lead == 0xD0 || lead == 0xD1) &&
          std::find(letters.begin(), letters.end(), letter) == letters.end()) {
        letters.push_back(letter);
      }
    }
    if (letters.empty()) {
      continue;
    }
    std::set<std::vector<COLORREF>> pictures;
    for (const std::string& letter : letters) {
      SetWindowText(c, letter.c_str());
      testing_seams::ProcessEvents();
      pictures.insert(testing_seams::GrabClient(c).pixels);
    }
    SetWindowText(c, text.c_str());
    EXPECT_EQ(pictures.size(), letters.size()) << text << ": letters drawn alike";
    checked.insert(text);
  }
  testing_seams::ProcessEvents();
  return checked;
}

TEST_F(TableWindowTest, RussianTextsShowTheirLetters) {
  EXPECT_EQ(ExpectLettersOfTheirOwn(hwnd),
            (std::set<std::string>{"Бито", "Взять", "Ваш ход...", "бито:"}));
  CAboutDlg about;
  ASSERT_TRUE(about.Create(IDD_ABOUTBOX));
  about.ShowWindow(SW_SHOW);
  EXPECT_EQ(ExpectLettersOfTheirOwn(about),
            (std::set<std::string>{"Игра \"Зорв\" v.0.4", "© 2001, автор: А. Примеров", "Угу"}));
  about.DestroyWindow();
}
