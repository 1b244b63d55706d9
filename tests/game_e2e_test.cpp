// SPDX-License-Identifier: MIT
// A whole game played the way a person plays it: real mouse clicks on the
// hand's items and on the buttons of the offscreen window, or real keys.
#include <functional>

#include "tests/play_fixture.h"

namespace {

using play::PlayWindow;

void ClickCentre(HWND hwnd, const RECT& r) {
  testing_seams::MouseClick(hwnd, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  testing_seams::ProcessEvents();
}

void ClickButton(PlayWindow& w, int id) {
  HWND button = ::GetDlgItem(w.dlg.m_hWnd, id);
  RECT r;
  ::GetClientRect(button, &r);
  ClickCentre(button, r);
}

// Clicks item i of the hand if it can be seen; false when it cannot.
bool ClickHandItem(PlayWindow& w, int i) {
  HWND list = ::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST);
  RECT item = {LVIR_BOUNDS, 0, 0, 0};
  if (!::SendMessage(list, LVM_GETITEMRECT, (WPARAM)i, (LPARAM)&item)) {
    return false;
  }
  RECT client;
  ::GetClientRect(list, &client);
  POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  if (!::PtInRect(&client, centre)) {
    return false;
  }
  ClickCentre(list, item);
  return true;
}

std::vector<int> Snapshot(const PlayWindow& w) {
  const CZorvDlg& d = w.dlg;
  return {d.m_nPlayerCards, d.m_nComputerCards, d.m_nAttack,    d.m_nDefence,
          d.m_nBeaten,      d.m_nDeckCards,     d.m_nGameResult};
}

// How the player's moves reach the table: playing item i of the hand
// (false when it cannot be reached), and pressing a button.
struct Moves {
  std::function<bool(int)> play;
  std::function<void(int)> press;
};

// Plays a whole game as a person would: "Бито" as soon as an attack is laid,
// a lead with the first card, a defence with the first card that is taken,
// "Взять" when none is; then checks the end of the game.
void PlayWholeGame(PlayWindow& w, const Moves& moves) {
  ::ShowWindow(w.dlg.m_hWnd, SW_SHOW);
  testing_seams::ProcessEvents();
  int made = 0;
  while (w.dlg.m_nGameResult != 4 && made < 3000 && !::testing::Test::HasFatalFailure()) {
    BYTE playerCards = w.dlg.m_nPlayerCards;
    std::vector<int> before = Snapshot(w);
    ++made;
    if (!w.dlg.m_bComputerAttacks && w.dlg.m_nAttack > 0) {
      moves.press(IDC_BEATEN);
      ASSERT_EQ(w.dlg.m_nDefence, 0) << "Бито did not end the bout";
      continue;
    }
    bool played = false;
    for (int i = 0; i < playerCards && !played; ++i) {
      played = moves.play(i) && Snapshot(w) != before;
    }
    if (!played) {
      ASSERT_TRUE(w.dlg.m_bComputerAttacks) << "no card could be led";
      ASSERT_TRUE(w.Enabled(IDC_TAKE));
      moves.press(IDC_TAKE);
      ASSERT_GT(w.dlg.m_nPlayerCards, playerCards) << "Взять took nothing";
    }
  }
  ASSERT_EQ(w.dlg.m_nGameResult, 4) << "the game did not end in " << made << " moves";
  const auto& boxes = testing_seams::MessageBoxCalls();
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(boxes.back().text, "Начать новую игру?");
  std::string result = boxes[boxes.size() - 2].text;
  EXPECT_TRUE(result == "Ничья" || result == "Компьютер остался в зорвах... :)" ||
              result == "Поздравляю тебя, Шарик, ты балбес! (с)")
      << result;
}

TEST(EndToEnd, WholeGameByMouseClicks) {
  PlayWindow w;
  PlayWholeGame(w,
                {[&](int i) { return ClickHandItem(w, i); }, [&](int id) { ClickButton(w, id); }});
}

// A key pressed at the table: it goes where the focus is.
void Key(PlayWindow& w, int vk, bool shift = false) {
  testing_seams::KeyPress(w.dlg.m_hWnd, vk, shift);
  testing_seams::ProcessEvents();
}

// Tabs until the control has the focus; false when Tab never reaches it.
bool TabTo(PlayWindow& w, int id) {
  HWND target = ::GetDlgItem(w.dlg.m_hWnd, id);
  for (int i = 0; i < 8 && ::GetFocus() != target; ++i) {
    Key(w, VK_TAB);
  }
  return ::GetFocus() == target;
}

int FocusedItem(PlayWindow& w) {
  return (int)::SendMessage(::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST), LVM_GETNEXTITEM,
                            (WPARAM)-1, LVNI_FOCUSED);
}

TEST(EndToEnd, TabGoesRoundTheControlsThatTakeItAndShiftTabBack) {
  PlayWindow w;
  ::ShowWindow(w.dlg.m_hWnd, SW_SHOW);
  testing_seams::ProcessEvents();
  // At the deal both buttons are off: Tab stays in the hand.
  ASSERT_TRUE(TabTo(w, IDC_PLAYER_LIST));
  Key(w, VK_TAB);
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST));
  // Once a card is led, "Бито" takes the focus and Shift+Tab goes back.
  Key(w, VK_HOME);
  Key(w, VK_SPACE);
  ASSERT_EQ(w.dlg.m_nAttack, 1);
  ASSERT_TRUE(w.Enabled(IDC_BEATEN));
  Key(w, VK_TAB);
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(w.dlg.m_hWnd, IDC_BEATEN));
  Key(w, VK_TAB, true);
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST));
}

TEST(EndToEnd, WholeGameByKeys) {
  PlayWindow w;
  auto play = [&](int i) {
    if (!TabTo(w, IDC_PLAYER_LIST))
      return false;
    Key(w, VK_HOME);
    for (int k = 0; k < i; ++k) {
      Key(w, VK_RIGHT);
    }
    EXPECT_EQ(FocusedItem(w), i);
    BYTE cards = w.dlg.m_nPlayerCards;
    Key(w, VK_SPACE);
    if (w.dlg.m_nPlayerCards < cards && w.dlg.m_nGameResult != 4 && w.dlg.m_nPlayerCards > 0) {
      // The focus stays in the hand, on the card now at that place.
      EXPECT_EQ(::GetFocus(), ::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST));
      EXPECT_EQ(FocusedItem(w), std::min(i, w.dlg.m_nPlayerCards - 1));
    }
    return true;
  };
  auto press = [&](int id) {
    ASSERT_TRUE(TabTo(w, id));
    Key(w, VK_SPACE);
    // A button that its press switched off gives the focus to the hand.
    if (!w.Enabled(id) && w.dlg.m_nGameResult != 4) {
      EXPECT_EQ(::GetFocus(), ::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST));
    }
  };
  PlayWholeGame(w, {play, press});
}

// The "?" menu by keys alone, as a keyboard player reaches it: F10 selects
// the menu bar, Right moves to "?", Enter opens it, Down and Enter choose.
// The rules' box, the history and the about box each come and go (Esc for
// the dialogs), and the game is as it was.
TEST(EndToEnd, HelpMenuByKeys) {
  PlayWindow w;
  ::ShowWindow(w.dlg.m_hWnd, SW_SHOW);
  testing_seams::ProcessEvents();
  const std::vector<int> before = Snapshot(w);
  testing_seams::ClearMessageBoxCalls();
  testing_seams::KeySequence(w.dlg.m_hWnd, {VK_F10, VK_RIGHT, VK_RETURN, VK_RETURN});
  ASSERT_EQ(testing_seams::MessageBoxCalls().size(), 1u);
  EXPECT_EQ(testing_seams::MessageBoxCalls()[0].text, "Неужели есть кто-то, не знающий правил???");
  for (int downs : {1, 2}) {
    std::string caption;
    int tries = 0;
    std::function<void()> leave = [&] {
      HWND dialog = testing_seams::ActiveModalDialog();
      if (!dialog && ++tries < 50) {
        testing_seams::RunWhenIdle(leave);  // the menu's loop may run first
        return;
      }
      char text[64] = {};
      ::GetWindowText(dialog, text, sizeof text);
      caption = text;
      testing_seams::KeyPress(dialog, VK_ESCAPE);
    };
    testing_seams::RunWhenIdle(leave);
    std::vector<int> keys = {VK_F10, VK_RIGHT, VK_RETURN};
    keys.insert(keys.end(), (size_t)downs, VK_DOWN);
    keys.push_back(VK_RETURN);
    testing_seams::KeySequence(w.dlg.m_hWnd, keys);
    EXPECT_EQ(caption, downs == 1 ? "История" : "Об игре \"Зорв\"");
  }
  EXPECT_EQ(testing_seams::ActiveModalDialog(), nullptr);
  EXPECT_EQ(Snapshot(w), before);
  EXPECT_TRUE(::IsWindowVisible(w.dlg.m_hWnd));
}

// A double click on a card plays that card once: the second press is the
// list view's double click, not a click on the card that slid into its
// place. A press dragged away from the card plays nothing.
TEST(EndToEnd, DoubleClickPlaysOneCardAndADragPlaysNone) {
  enum Gesture { kClick, kDoubleClick, kSlowDoubleClick, kDrag };
  std::vector<int> dealt, afterClick;
  for (Gesture g : {kClick, kDoubleClick, kSlowDoubleClick, kDrag}) {
    SCOPED_TRACE(g);
    PlayWindow w;
    ::ShowWindow(w.dlg.m_hWnd, SW_SHOW);
    testing_seams::ProcessEvents();
    HWND list = ::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST);
    RECT r = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(::SendMessage(list, LVM_GETITEMRECT, 0, (LPARAM)&r));
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    std::vector<int> before = Snapshot(w);
    switch (g) {
      case kClick:
        testing_seams::MouseClick(list, x, y);
        break;
      case kDoubleClick:
        testing_seams::MouseDoubleClick(list, x, y, 0);
        break;
      case kSlowDoubleClick:
        testing_seams::MouseDoubleClick(list, x, y, ::GetDoubleClickTime() - 1);
        break;
      case kDrag:
        // Wine's list view takes the release after a drag for a click too.
        if (testing_seams::SystemIsWine()) {
          continue;
        }
        testing_seams::MouseDrag(list, x, y, x, y - 40);
        break;
    }
    testing_seams::ProcessEvents();
    if (g == kClick) {
      dealt = before;
      afterClick = Snapshot(w);
      ASSERT_NE(afterClick, dealt) << "a click played nothing";
    } else {
      EXPECT_EQ(before, dealt);
      EXPECT_EQ(Snapshot(w), g == kDrag ? dealt : afterClick);
    }
  }
}

}  // namespace
