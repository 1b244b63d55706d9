// SPDX-License-Identifier: MIT
#include "tests/table_fixture.h"

using RulesTest = TableTest;

TEST_F(RulesTest, RankHigherFollowsRankOrderNotTextOrder) {
  struct Row {
    const char* a;
    const char* b;
    BYTE higher;
  } rows[] = {
      {"10", "9", 1}, {"9", "10", 0}, {"A", "K", 1}, {"K", "A", 0},  {"J", "10", 1},
      {"7", "6", 1},  {"6", "A", 0},  {"Q", "J", 1}, {"10", "J", 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(dlg->RankHigher(row.a, row.b), row.higher) << row.a << " over " << row.b;
  }
  for (const char* rank : g_aszRanks) {
    EXPECT_EQ(dlg->RankHigher(rank, rank), 0) << rank;
  }
}

TEST_F(RulesTest, CanBeatWithHeartsAsTrumps) {
  SetTrump("9h");
  struct Row {
    const char* card;
    const char* target;
    BYTE beats;
  } rows[] = {
      {"6h", "As", 1},                   // a trump on a plain card, whatever the ranks
      {"6h", "7h", 0},                   // trump on trump: rank decides
      {"8h", "7h", 1}, {"As", "6h", 0},  // a plain card never beats a trump
      {"Kc", "Qs", 0},                   // nor a card of another plain suit
      {"Kc", "Qc", 1}, {"Qc", "Qs", 0}, {"Qc", "Qc", 0}, {"10d", "9d", 1}, {"9d", "10d", 0},
  };
  for (const Row& row : rows) {
    Card hand[1] = {C(row.card)};
    Card table[1] = {C(row.target)};
    EXPECT_EQ(dlg->CanBeat(hand, 0, table, 0), row.beats) << row.card << " on " << row.target;
  }
}

TEST_F(RulesTest, SameRankIgnoresSuits) {
  Card hand[2] = {C("10h"), C("Jh")};
  Card table[2] = {C("10s"), C("Jc")};
  EXPECT_EQ(dlg->SameRank(hand, 0, table, 0), 1);
  EXPECT_EQ(dlg->SameRank(hand, 1, table, 0), 0);
  EXPECT_EQ(dlg->SameRank(hand, 1, table, 1), 1);
  EXPECT_EQ(dlg->SameRank(hand, 0, table, 1), 0);
}
