// SPDX-License-Identifier: MIT
// The endings the player chooses: "Бито" and "Взять".
#include <algorithm>

#include "tests/play_fixture.h"

namespace {

using play::Layout;
using play::PlayWindow;

TEST(Beaten, DiscardsTheTableAndTheAttackerDrawsFirst) {
  PlayWindow w;
  // One card left in the stock, the trump card: it goes to the player.
  w.Arrange({'c',
             {"Ah", "Ad", "As", "Kh", "Kd"},
             {"8d", "8s", "Qc", "Jd", "Js"},
             {"6h", "6d", "6s"},
             {"9h", "9d", "9s"},
             1});
  std::string trumpCard = play::Name(w.dlg.m_deck[0]);
  BYTE beaten = w.dlg.m_nBeaten;
  ASSERT_TRUE(w.Press(IDC_BEATEN));

  EXPECT_EQ(w.dlg.m_nBeaten, beaten + 6);
  EXPECT_EQ(w.dlg.m_nDeckCards, 0);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 6);
  EXPECT_GE(w.IndexInHand(trumpCard), 0);
  // The computer drew nothing and has led one of its five cards.
  EXPECT_EQ(w.dlg.m_nComputerCards, 4);
  EXPECT_EQ(w.dlg.m_nAttack, 1);
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 1);
  EXPECT_EQ(w.Hint(), "Попробуй покрыть это...");
  EXPECT_FALSE(w.Enabled(IDC_BEATEN));
  EXPECT_TRUE(w.Enabled(IDC_TAKE));
  // The table shows only the new lead.
  EXPECT_EQ(w.Image(IDC_ATTACK0), w.dlg.m_attack[0].hBitmap);
  for (int k = 1; k < 6; ++k) {
    EXPECT_EQ(w.Image(PlayWindow::AttackPlace(k)), w.dlg.m_hbmEmpty);
  }
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(w.Image(IDC_DEFENCE0 + k), w.dlg.m_hbmEmpty);
  }
}

TEST(Beaten, EmptyTableChangesNothing) {
  PlayWindow w;
  w.Arrange({'c', {"Ah", "Ad"}, {"8d", "8s"}});
  w.dlg.SetHint("x");
  w.Command(IDC_BEATEN);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 2);
  EXPECT_EQ(w.dlg.m_nComputerCards, 2);
  EXPECT_EQ(w.dlg.m_nDeckCards, 12);
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 0);
  EXPECT_EQ(w.Hint(), "x");
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(Take, AddsTheWholeTableAndOnlyTheComputerDraws) {
  PlayWindow w;
  w.Arrange({'s', {"Ah", "Kh"}, {"Jc"}, {"7d", "7c", "Qh"}, {"9d", "8c"}, 12, nullptr, 1});
  ASSERT_TRUE(w.Press(IDC_TAKE));
  EXPECT_EQ(Sorted(play::Names(w.dlg.m_playerHand, w.dlg.m_nPlayerCards)),
            Sorted({"Jc", "7d", "7c", "9d", "Qh", "8c"}));
  EXPECT_EQ(w.dlg.m_nDeckCards, 8);
  // The computer drew up to six and led again at once.
  EXPECT_EQ(w.dlg.m_nComputerCards, 5);
  EXPECT_EQ(w.dlg.m_nAttack, 1);
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 1);
  EXPECT_EQ(w.Hint(), "Попробуй покрыть это...");
  EXPECT_TRUE(w.Enabled(IDC_TAKE));
  EXPECT_FALSE(w.Enabled(IDC_MORE));
  EXPECT_EQ(w.dlg.m_listPlayer.GetItemCount(), 6);
}

TEST(Take, HandBeyondSixSwitchesMoreOn) {
  PlayWindow w;
  w.Arrange({'s', {"Ah"}, {"Jc", "Qc", "Kc", "Ac", "6d"}, {"7d", "7c"}, {"9d"}, 12, nullptr, 1});
  ASSERT_TRUE(w.Press(IDC_TAKE));
  EXPECT_EQ(w.dlg.m_nPlayerCards, 8);
  EXPECT_TRUE(w.Enabled(IDC_MORE));
  EXPECT_EQ(w.dlg.m_listPlayer.GetItemCount(), 8);
}

// What the computer leads after the take shows the memory: with diamonds
// remembered the 9 of diamonds, with clubs the 10 of clubs, and with no
// memory its lowest plain card, the 6 of hearts (the player holds every suit).
TEST(Take, MemoryOfALowPlainCard) {
  struct Case {
    const char* taken;
    const char* before;  // memory before the take, or none
    const char* suitAfter;
    const char* lead;
  };
  const Case cases[] = {
      {"10d", nullptr, "diamonds", "9d"}, {"6d", "clubs", "diamonds", "9d"},
      {"Jd", nullptr, "hearts", "6h"},    {"Jd", "clubs", "clubs", "10c"},
      {"Ad", "clubs", "clubs", "10c"},    {"7s", "clubs", "clubs", "10c"},
      {"7s", nullptr, "hearts", "6h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.taken) + " after " + (c.before ? c.before : "none"));
    PlayWindow w;
    w.Arrange({'s',
               {"6h", "9d", "10c", "Ac", "Ah", "Kh"},
               {"7h", "8c", "Js", "Qd"},
               {c.taken},
               {},
               12,
               c.before,
               1});
    if (!c.before) {
      std::strcpy(w.dlg.m_szRememberedSuit, "hearts");
    }
    ASSERT_TRUE(w.Press(IDC_TAKE));
    EXPECT_STREQ(w.dlg.m_szRememberedSuit, c.suitAfter);
    ASSERT_EQ(w.dlg.m_nAttack, 1);
    EXPECT_EQ(play::Name(w.dlg.m_attack[0]), c.lead);
    EXPECT_EQ(w.dlg.m_bRemembered, 0);
  }
}

// The button is off with an empty table; the handler must still not look
// at a newest attack card that is not there.
TEST(Take, EmptyTableDoesNothing) {
  PlayWindow w;
  w.Arrange({'s', {"6h", "9d"}, {"7h", "8c"}, {}, {}, 12, nullptr, 1});
  w.dlg.m_attack[5] = w.Make("10d");
  w.dlg.m_trump = w.Make("6s");
  w.dlg.SetHint("x");
  w.Command(IDC_TAKE);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 2);
  EXPECT_EQ(w.dlg.m_nComputerCards, 2);
  EXPECT_EQ(w.dlg.m_nDeckCards, 12);
  EXPECT_EQ(w.dlg.m_bRemembered, 0);
  EXPECT_EQ(w.Hint(), "x");
}

}  // namespace
