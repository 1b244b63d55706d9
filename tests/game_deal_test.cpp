// SPDX-License-Identifier: MIT
#include <algorithm>
#include <ctime>

#include "tests/table_fixture.h"

using DealTest = TableTest;

static std::vector<std::string> Sorted(const Card* row, int n) {
  std::vector<std::string> codes;
  for (int i = 0; i < n; ++i) {
    codes.push_back(TableTest::Code(row[i]));
  }
  std::sort(codes.begin(), codes.end());
  return codes;
}

TEST_F(DealTest, NewGameDealsTheTopOfTheStock) {
  const CZorvDlg& d = *dlg;
  EXPECT_EQ(d.m_nDeckCards, 24);
  EXPECT_EQ(d.m_nComputerCards, 6);
  EXPECT_EQ(d.m_nPlayerCards, 6);
  EXPECT_EQ(d.m_nBeaten, 0);
  EXPECT_EQ(d.m_nAttack, 0);
  EXPECT_EQ(d.m_nGameResult, 0);
  EXPECT_EQ(d.m_bComputerAttacks, 0);
  // The computer's hand is kept in arrival order; the player's is sorted.
  EXPECT_EQ(ComputerHand(), Codes(d.m_deck + 30, 6));
  EXPECT_EQ(Sorted(d.m_playerHand, 6), Sorted(d.m_deck + 24, 6));
  EXPECT_EQ(Code(d.m_trump), Code(d.m_deck[0]));
  for (int i = 6; i < 36; ++i) {
    EXPECT_EQ(d.m_playerHand[i].hBitmap, d.m_hbmEmpty) << i;
    EXPECT_EQ(d.m_computerHand[i].hBitmap, d.m_hbmEmpty) << i;
  }
  EXPECT_EQ(Image(IDC_TRUMP), d.m_deck[0].hBitmap);
  EXPECT_EQ(Image(IDC_DECK), d.m_hbmDeck);
  EXPECT_FALSE(Enabled(IDC_BEATEN));
  EXPECT_FALSE(Enabled(IDC_TAKE));
  EXPECT_FALSE(Enabled(IDC_MORE));
  EXPECT_EQ(Hint(), "Ваш ход...");
}

TEST_F(DealTest, EveryCardOnceWithItsOwnFace) {
  std::vector<std::string> codes = Sorted(dlg->m_deck, 36);
  EXPECT_EQ(std::unique(codes.begin(), codes.end()), codes.end());
  for (const Card& card : dlg->m_deck) {
    EXPECT_EQ(card.hBitmap, dlg->CachedBitmap(dlg->FaceBitmapId(card.rank, card.suit)));
    EXPECT_NE(card.hBitmap, nullptr) << Code(card);
  }
}

TEST_F(DealTest, AGeneratorOfZerosTurnsTheDeckByOnePlace) {
  UseZeroGenerator();
  Command(ID_GAME_NEW);
  EXPECT_EQ(Code(dlg->m_deck[0]), "As");
  for (int k = 1; k < 36; ++k) {
    EXPECT_EQ(dlg->m_deck[k].rank, g_aszRanks[(k - 1) % 9]) << k;
    EXPECT_EQ(dlg->m_deck[k].suit, g_aszSuits[(k - 1) / 9]) << k;
  }
  EXPECT_EQ(dlg->m_trump.suit, g_aszSuits[3]);
  EXPECT_EQ(dlg->m_hbmTrumpSuit, dlg->CachedBitmap(IDB_SUIT_SPADES));
  EXPECT_EQ(Image(IDC_TRUMP), dlg->CachedBitmap(IDB_SPADES_BASE + 5));
}

TEST_F(DealTest, DealsWithinOneSecondAreAlike) {
  g_pfnDeckRandom = nullptr;
  for (int attempt = 0; attempt < 3; ++attempt) {
    time_t before = time(nullptr);
    Command(ID_GAME_NEW);
    std::string first = Codes(dlg->m_deck, 36);
    Command(ID_GAME_NEW);
    std::string second = Codes(dlg->m_deck, 36);
    if (time(nullptr) == before) {
      EXPECT_EQ(first, second);
      return;
    }
  }
  GTEST_SKIP() << "the clock kept turning over";
}

// A refill as the callers do it, from a stock of known cards.
struct Refill {
  const char* name;
  int stock;      // cards in the stock: m_deck[0..stock-1]
  int handCount;  // cards the player holds before
  BYTE wanted;
  const char* taken;  // the cards that arrive, in hand order
  int stockAfter;
  enum { kTrumpAndDeck, kTrumpAndLast, kSymbolOnly } pictures;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Refill& c, std::ostream* os) {
  *os << c.name;
}

class RefillTest : public TableTest, public ::testing::WithParamInterface<Refill> {};

TEST_P(RefillTest, TakesTheTopCardsAndShowsWhatIsLeft) {
  const Refill& r = GetParam();
  static const char* const kStock[] = {"9d", "Ks", "6c", "Jh", "10s", "7h", "8c", "Qd"};
  dlg->m_nDeckCards = 0;
  for (int i = 0; i < r.stock; ++i) {
    dlg->m_deck[dlg->m_nDeckCards++] = C(kStock[i]);
  }
  SetTrump("9d");
  dlg->m_hbmTrumpSuit = dlg->CachedBitmap(IDB_SUIT_DIAMONDS);
  static const char* const kHand[] = {"As", "Ac", "Ah", "Ad", "Ks", "Kc"};
  dlg->m_nPlayerCards = 0;
  for (int i = 0; i < r.handCount; ++i) {
    dlg->m_playerHand[dlg->m_nPlayerCards++] = C(kHand[i]);
  }
  // Stale entries above the count must come out marked empty.
  for (int i = r.handCount; i < 36; ++i) {
    dlg->m_playerHand[i] = C("Qh");
  }
  dlg->m_stTrump.SetBitmap(dlg->m_deck[0].hBitmap);
  dlg->m_stDeck.SetBitmap(dlg->m_hbmDeck);
  ::EnableWindow(Item(IDC_MORE), TRUE);

  dlg->DrawPlayerCards(r.wanted);

  std::string expected = Codes(dlg->m_playerHand, r.handCount);
  if (*r.taken) {
    expected += std::string(expected.empty() ? "" : " ") + r.taken;
  }
  EXPECT_EQ(PlayerHand(), expected);
  EXPECT_EQ(dlg->m_nDeckCards, r.stockAfter);
  for (int i = dlg->m_nPlayerCards; i < 36; ++i) {
    EXPECT_EQ(dlg->m_playerHand[i].hBitmap, dlg->m_hbmEmpty) << i;
  }
  // With only the trump card left, the stock's place steps aside so that the
  // trump card, the last card of the stock, shows whole.
  const bool stockShown = (::GetWindowLong(Item(IDC_DECK), GWL_STYLE) & WS_VISIBLE) != 0;
  switch (r.pictures) {
    case Refill::kTrumpAndDeck:
      EXPECT_EQ(Image(IDC_TRUMP), C("9d").hBitmap);
      EXPECT_EQ(Image(IDC_DECK), dlg->m_hbmDeck);
      EXPECT_TRUE(stockShown);
      break;
    case Refill::kTrumpAndLast:
      EXPECT_EQ(Image(IDC_TRUMP), C("9d").hBitmap);
      EXPECT_EQ(Image(IDC_DECK), dlg->m_hbmLastCard);
      EXPECT_FALSE(stockShown);
      break;
    case Refill::kSymbolOnly:
      EXPECT_EQ(Image(IDC_TRUMP), dlg->m_hbmEmpty);
      EXPECT_EQ(Image(IDC_DECK), dlg->CachedBitmap(IDB_SUIT_DIAMONDS));
      EXPECT_TRUE(stockShown);
      break;
  }
  // Six cards or fewer fit the six card places: no next group to show.
  EXPECT_FALSE(Enabled(IDC_MORE));
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_FALSE(Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Stock, RefillTest,
    ::testing::Values(Refill{"SomeOfMany", 8, 4, 2, "8c Qd", 6, Refill::kTrumpAndDeck},
                      Refill{"EmptiesItExactly", 3, 3, 3, "9d Ks 6c", 0, Refill::kSymbolOnly},
                      Refill{"LeavesTheTrumpCard", 4, 3, 3, "Ks 6c Jh", 1, Refill::kTrumpAndLast},
                      Refill{"WantsMoreThanThereIs", 2, 1, 5, "9d Ks", 0, Refill::kSymbolOnly},
                      Refill{"EmptyHandWhileStockLasts", 8, 0, 6, "6c Jh 10s 7h 8c Qd", 2,
                             Refill::kTrumpAndDeck},
                      Refill{"EmptyStockHandNotEmpty", 0, 4, 2, "", 0, Refill::kSymbolOnly}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DealTest, ComputerRefillTakesTheTopCards) {
  SetStock({"9d", "Ks", "6c", "Jh", "10s", "7h", "8c", "Qd"});
  SetComputerHand({"As", "Ac"});
  dlg->DrawComputerCards(4);
  EXPECT_EQ(ComputerHand(), "As Ac 10s 7h 8c Qd");
  EXPECT_EQ(dlg->m_nDeckCards, 4);
}

// Stock empty: the refill of an empty hand ends the game.
struct Ending {
  const char* name;
  bool computerDraws;
  int computerCards;
  int playerCards;
  const char* message;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Ending& c, std::ostream* os) {
  *os << c.name;
}

class EndingTest : public TableTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTest, AnnouncesTheResultThenAsks) {
  const Ending& e = GetParam();
  SetStock({});
  SetComputerHand({});
  SetPlayerHand({});
  static const char* const kCards[] = {"6h", "7h", "Ks"};
  for (int i = 0; i < e.computerCards; ++i) {
    dlg->m_computerHand[dlg->m_nComputerCards++] = C(kCards[i]);
  }
  for (int i = 0; i < e.playerCards; ++i) {
    dlg->m_playerHand[dlg->m_nPlayerCards++] = C(kCards[i]);
  }
  testing_seams::ClearMessageBoxCalls();
  testing_seams::QueueMessageBoxAnswer(IDOK);
  testing_seams::QueueMessageBoxAnswer(IDYES);
  if (e.computerDraws) {
    dlg->DrawComputerCards(6);
  } else {
    dlg->DrawPlayerCards(6);
  }
  const auto& calls = testing_seams::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].text, e.message);
  EXPECT_EQ(calls[0].type, (UINT)MB_OK);
  EXPECT_EQ(calls[0].caption, "Zorv");
  EXPECT_EQ(calls[1].text, "Начать новую игру?");
  EXPECT_EQ(calls[1].caption, "Конец игры");
  EXPECT_EQ(calls[1].type, (UINT)(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(dlg->m_nGameResult, 4);
  INT_PTR result = 0;
  EXPECT_TRUE(Ended(&result));
  EXPECT_EQ(result, IDOK);
}

INSTANTIATE_TEST_SUITE_P(Stock, EndingTest,
                         ::testing::Values(Ending{"ComputerOutPlayerLoses", true, 0, 2,
                                                  "Поздравляю тебя, Шарик, ты балбес! (с)"},
                                           Ending{"PlayerOutComputerLoses", false, 1, 0,
                                                  "Компьютер остался в зорвах... :)"},
                                           Ending{"BothOutAtComputersRefill", true, 0, 0, "Ничья"},
                                           Ending{"BothOutAtPlayersRefill", false, 0, 0, "Ничья"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DealTest, AfterTheResultTheSecondRefillIsSilent) {
  SetStock({});
  SetComputerHand({});
  SetPlayerHand({});
  testing_seams::ClearMessageBoxCalls();
  dlg->DrawComputerCards(6);
  dlg->DrawPlayerCards(6);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Ничья", "Начать новую игру?"}));
  EXPECT_EQ(dlg->m_nGameResult, 4);
}

TEST_F(DealTest, NoAtThePromptEndsTheWindowWithCancel) {
  SetStock({});
  SetComputerHand({"Ks"});
  SetPlayerHand({});
  testing_seams::ClearMessageBoxCalls();
  testing_seams::QueueMessageBoxAnswer(IDOK);
  testing_seams::QueueMessageBoxAnswer(IDNO);
  dlg->DrawPlayerCards(6);
  INT_PTR result = 0;
  EXPECT_TRUE(Ended(&result));
  EXPECT_EQ(result, IDCANCEL);
}
