// SPDX-License-Identifier: MIT
// The computer's choices: a position in, exactly one card (or none) out.
// Hand order is the order listed; the stock holds 12 cards unless a row
// says otherwise.
#include "tests/play_fixture.h"

namespace {

using play::Layout;
using play::PlayWindow;

const std::vector<std::string> kAllSuits = {"7h", "8d", "10c", "Js"};

struct AttackCase {
  const char* name;
  Layout layout;
  const char* expected;  // the card put on the table, or "" for none
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const AttackCase& c, std::ostream* os) {
  *os << c.name;
}

class ComputerAttackTest : public testing::TestWithParam<AttackCase> {};

TEST_P(ComputerAttackTest, PutsDownExactlyThisCard) {
  const AttackCase& c = GetParam();
  PlayWindow w;
  Layout layout = c.layout;
  layout.computerAttacks = 1;
  w.Arrange(layout);
  BYTE attackBefore = w.dlg.m_nAttack;
  BYTE handBefore = w.dlg.m_nComputerCards;

  w.dlg.ComputerAttack();

  // Whatever it does, the memory is spent once the attack gets going.
  EXPECT_EQ(w.dlg.m_bRemembered, 0);
  if (*c.expected) {
    ASSERT_EQ(w.dlg.m_nAttack, attackBefore + 1);
    EXPECT_EQ(play::Name(w.dlg.m_attack[attackBefore]), c.expected);
    EXPECT_EQ(w.Image(PlayWindow::AttackPlace(attackBefore)), w.Make(c.expected).hBitmap);
    EXPECT_EQ(w.dlg.m_nComputerCards, handBefore - 1);
    for (int i = 0; i < w.dlg.m_nComputerCards; ++i) {
      EXPECT_NE(play::Name(w.dlg.m_computerHand[i]), c.expected);
    }
    EXPECT_EQ(w.Hint(), "Попробуй покрыть это...");
    EXPECT_TRUE(w.Enabled(IDC_TAKE));
    EXPECT_FALSE(w.Enabled(IDC_BEATEN));
    EXPECT_EQ(w.dlg.m_bComputerAttacks, 1);
  } else {
    EXPECT_EQ(w.dlg.m_nAttack, 0);
    EXPECT_EQ(w.dlg.m_bComputerAttacks, 0);
    EXPECT_EQ(w.Hint(), "Ваш ход...");
    EXPECT_FALSE(w.Enabled(IDC_TAKE));
    EXPECT_FALSE(w.Enabled(IDC_BEATEN));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ComputerAttackTest,
    testing::Values(
        // L1: the remembered suit, below Queen, lowest first.
        AttackCase{
            "RememberedSuit", {'s', {"6d", "Qc", "9c"}, kAllSuits, {}, {}, 12, "clubs"}, "9c"},
        AttackCase{"RememberedSuitLowest",
                   {'s', {"9h", "7h", "10h"}, kAllSuits, {}, {}, 12, "hearts"},
                   "7h"},
        AttackCase{"RememberedSuitOnlyHighCards",
                   {'s', {"9d", "Qc", "Ac", "6h"}, {"7h", "10c", "Js"}, {}, {}, 12, "clubs"},
                   "9d"},
        // L2: suits the player lacks, never trumps, hearts before clubs.
        AttackCase{"LackedSuit", {'s', {"6h", "10d"}, {"7h", "8c", "9s"}}, "10d"},
        AttackCase{"LackedSuitsEqualRanks", {'d', {"8c", "8h"}, {"7d", "9s"}}, "8h"},
        AttackCase{"LackedSuitNeverTrump", {'d', {"6d", "10h"}, {"7h", "8c", "9s"}}, "10h"},
        // L3: the most frequent low rank, the first of it in hand order.
        AttackCase{"FrequentRank", {'d', {"7h", "6c", "7s", "Kh", "Kc"}, kAllSuits}, "7h"},
        AttackCase{"FrequentRankTieTakesLower", {'d', {"7c", "6s", "7h", "6h"}, kAllSuits}, "6s"},
        AttackCase{"TrumpPairIgnoredWithStock", {'s', {"9s", "9h", "Kc", "7d"}, kAllSuits}, "7d"},
        AttackCase{"TrumpPairCountsWithoutStock",
                   {'s', {"9s", "9h", "Kc", "7d"}, kAllSuits, {}, {}, 0},
                   "9s"},
        // L4, L5: the lowest plain card; trumps only when nothing else is held.
        AttackCase{"LowestPlainNotTrump", {'s', {"6s", "8h"}, kAllSuits}, "8h"},
        AttackCase{"EqualHighRanksFirstWins", {'s', {"Kh", "Qc", "Qd"}, kAllSuits}, "Qc"},
        AttackCase{"TrumpsOnly", {'s', {"Ks", "7s", "9s"}, kAllSuits}, "7s"},
        // T: ranks on the table, covers included; trumps only without stock.
        AttackCase{"ThrowInAttackRank", {'s', {"Kc", "9c", "7d"}, kAllSuits, {"7h"}, {"9h"}}, "7d"},
        AttackCase{"ThrowInCoverRank", {'s', {"Kc", "9c"}, kAllSuits, {"7h"}, {"9h"}}, "9c"},
        AttackCase{"ThrowInNothing", {'s', {"Kc"}, kAllSuits, {"7h"}, {"9h"}}, ""},
        AttackCase{"ThrowInTrumpWithStock", {'s', {"9s", "Kc"}, kAllSuits, {"7h"}, {"9h"}}, ""},
        AttackCase{
            "ThrowInTrumpWithoutStock", {'s', {"9s", "Kc"}, kAllSuits, {"7h"}, {"9h"}, 0}, "9s"},
        AttackCase{"ThrowInLowestOfMatches",
                   {'s', {"Kd", "9c", "7d"}, kAllSuits, {"7h", "Kh"}, {"9h", "Ah"}, 12, "clubs"},
                   "7d"},
        AttackCase{"FullTableTakesNoMore",
                   {'h',
                    {"6c", "7c", "8c"},
                    {"Js", "Qs"},
                    {"6s", "7s", "8s", "6d", "7d", "8d"},
                    {"9s", "10s", "Ks", "9d", "10d", "Jd"}},
                   ""}),
    [](const testing::TestParamInfo<AttackCase>& info) { return info.param.name; });

struct DefenceCase {
  const char* name;
  char trump;
  std::vector<std::string> computer;
  const char* attack;
  int stock;
  const char* expected;  // "" to take
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DefenceCase& c, std::ostream* os) {
  *os << c.name;
}

class ComputerDefenceTest : public testing::TestWithParam<DefenceCase> {};

TEST_P(ComputerDefenceTest, BeatsWithExactlyThisCard) {
  const DefenceCase& c = GetParam();
  PlayWindow w;
  w.Arrange({c.trump, c.computer, {"6c"}, {c.attack}, {}, c.stock});
  int chosen = w.dlg.ChooseDefenceCard();
  if (*c.expected) {
    ASSERT_GE(chosen, 0);
    EXPECT_EQ(play::Name(w.dlg.m_computerHand[chosen]), c.expected);
  } else {
    EXPECT_EQ(chosen, -1);
  }
  EXPECT_EQ(w.dlg.m_nComputerCards, c.computer.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ComputerDefenceTest,
    testing::Values(DefenceCase{"CheapestInSuit", 's', {"Kh", "10h", "6s"}, "9h", 12, "10h"},
                    DefenceCase{
                        "LowestOfManyInSuit", 's', {"Ah", "Jh", "10h", "Qh"}, "9h", 12, "10h"},
                    DefenceCase{"LowTrumpWithBigStock", 's', {"Js", "6s"}, "9h", 12, "6s"},
                    DefenceCase{"LowestOfLowTrumps", 's', {"7s", "6s", "Kd"}, "9h", 12, "6s"},
                    DefenceCase{"HighTrumpKeptWithBigStock", 's', {"Js", "Kc"}, "9h", 12, ""},
                    DefenceCase{"EightIsNotLow", 's', {"8s"}, "9h", 10, ""},
                    DefenceCase{"HighTrumpWithSmallStock", 's', {"Js", "Kc"}, "9h", 9, "Js"},
                    DefenceCase{"TrumpOnTrump", 's', {"6h", "9s"}, "8s", 12, "9s"},
                    DefenceCase{"TrumpAttackNoHigherTrump", 's', {"7s", "Ah", "Kd"}, "8s", 0, ""},
                    DefenceCase{"LowerInSuitDoesNotBeat", 'd', {"8h", "9c"}, "9h", 12, ""}),
    [](const testing::TestParamInfo<DefenceCase>& info) { return info.param.name; });

// A hand already empty ends the attack before any choice; with cards on the
// table they are beaten and both hands refilled, the computer first.
TEST(ComputerAttackEnds, EmptyHandBeatsTheTableAndRefillsComputerFirst) {
  PlayWindow w;
  w.Arrange({'s', {"Kc", "9c"}, {}, {"7h"}, {"9h"}, 7, "diamonds", 1});
  BYTE beaten = w.dlg.m_nBeaten;
  w.dlg.ComputerAttack();
  EXPECT_EQ(w.Hint(), "На руках не осталось карт...");
  EXPECT_EQ(w.dlg.m_nBeaten, beaten + 2);
  EXPECT_EQ(w.dlg.m_nAttack, 0);
  EXPECT_EQ(w.dlg.m_nComputerCards, 6);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 3);  // the stock's last three cards
  EXPECT_EQ(w.dlg.m_nDeckCards, 0);
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 0);
  // A2 stops before the memory is looked at.
  EXPECT_EQ(w.dlg.m_bRemembered, 1);
  EXPECT_FALSE(w.Enabled(IDC_TAKE));
  EXPECT_FALSE(w.Enabled(IDC_BEATEN));
  EXPECT_EQ(w.Image(IDC_ATTACK0), w.dlg.m_hbmEmpty);
  EXPECT_EQ(w.Image(IDC_DEFENCE0), w.dlg.m_hbmEmpty);
}

TEST(ComputerAttackEnds, EmptyHandAndTableChangesNothingElse) {
  PlayWindow w;
  w.Arrange({'s', {}, {"6h"}, {}, {}, 0, nullptr, 1});
  w.dlg.SetHint("x");
  w.dlg.ComputerAttack();
  EXPECT_EQ(w.Hint(), "x");
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 0);
  EXPECT_FALSE(w.Enabled(IDC_TAKE));
  EXPECT_FALSE(w.Enabled(IDC_BEATEN));
  EXPECT_TRUE(testing_seams::MessageBoxCalls().empty());
}

}  // namespace
