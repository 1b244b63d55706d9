// SPDX-License-Identifier: MIT
// The table window run modally, as the start-up loop runs it, driven by the
// keys and commands a player uses.
#include <gtest/gtest.h>

#include <string>

#include "game/deck.h"
#include "platform/testing.h"
#include "table/zorv_dlg.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  char buffer[128] = {};
  ::GetDlgItemText(dialog, id, buffer, sizeof buffer);
  return buffer;
}

class TableEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { testing_seams::ScriptMessageBoxes(true); }
  void TearDown() override {
    g_pfnDeckRandom = nullptr;
    testing_seams::ClearMessageBoxCalls();
    testing_seams::ScriptMessageBoxes(false);
  }
};

TEST_F(TableEndToEnd, DealAgainThenRestartWithEnterThenLeaveWithEscape) {
  CZorvDlg dlg;
  HWND first = nullptr;
  bool dealtAgain = false;
  bool pressedF2 = false;

  testing_seams::RunWhenIdle([&] {
    first = testing_seams::ActiveModalDialog();
    ASSERT_EQ(first, dlg.m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_EQ(ItemText(first, IDC_HINT), "Ваш ход...");
    EXPECT_EQ(dlg.m_nDeckCards, 24);

    // Half a game later, "Новая игра" deals again in the same window.
    dlg.m_nDeckCards = 5;
    dlg.m_nBeaten = 19;
    dlg.SetHint("");
    ::SendMessage(first, WM_COMMAND, MAKEWPARAM(ID_GAME_NEW, 0), 0);
    dealtAgain = dlg.m_nDeckCards == 24 && dlg.m_nBeaten == 0 &&
                 ItemText(first, IDC_HINT) == "Ваш ход..." &&
                 ItemText(first, IDC_DECK_COUNT) == "24";

    // So does F2, through the accelerator table.
    dlg.m_nDeckCards = 5;
    testing_seams::KeyPress(first, VK_F2);
    testing_seams::RunWhenIdle([&] {
      pressedF2 = dlg.m_nDeckCards == 24;
      testing_seams::KeyPress(first, VK_RETURN);
    });
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(dealtAgain);
  EXPECT_TRUE(pressedF2);

  // IDOK: the start-up loop opens the window again, with a fresh deal.
  bool freshDeal = false;
  testing_seams::RunWhenIdle([&] {
    HWND second = testing_seams::ActiveModalDialog();
    ASSERT_NE(second, nullptr);
    freshDeal = dlg.m_nDeckCards == 24 && dlg.m_nComputerCards == 6 && dlg.m_nPlayerCards == 6 &&
                ItemText(second, IDC_HINT) == "Ваш ход...";
    testing_seams::KeyPress(second, VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(freshDeal);
  EXPECT_TRUE(testing_seams::MessageBoxCalls().empty());
}

TEST_F(TableEndToEnd, ExitFromTheMenuAndTheCloseBoxEndWithCancel) {
  CZorvDlg dlg;
  testing_seams::RunWhenIdle([&] {
    ::SendMessage(testing_seams::ActiveModalDialog(), WM_COMMAND, MAKEWPARAM(ID_GAME_EXIT, 0), 0);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  testing_seams::RunWhenIdle([&] { testing_seams::CloseBox(testing_seams::ActiveModalDialog()); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
