// SPDX-License-Identifier: MIT
// The player's side, driven by the messages a click sends: leading,
// throwing in, covering, and the computer's answer inside the same click.
#include "tests/play_fixture.h"

namespace {

using play::Layout;
using play::PlayWindow;

TEST(PlayerLeads, AnyCardIsAnsweredWithinTheClick) {
  PlayWindow w;
  w.Arrange({'s', {"Kh", "10h", "6s"}, {"9h", "7s", "Ad"}});
  w.ClickCard("7s");  // a trump may lead too
  // The computer's 6 of trumps cannot beat it: it takes within the click.
  EXPECT_EQ(w.dlg.m_nAttack, 0);
  EXPECT_EQ(play::Names(w.dlg.m_computerHand, w.dlg.m_nComputerCards),
            (std::vector<std::string>{"Kh", "10h", "6s", "7s"}));
  EXPECT_EQ(w.Hint(), "Компьютер берёт...");
  EXPECT_EQ(w.dlg.m_nPlayerCards, 6);
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 0);

  w.ClickCard("9h");
  EXPECT_EQ(play::Name(w.dlg.m_defence[0]), "10h");
  EXPECT_EQ(w.Hint(), "Подбрасывайте или жмите 'Бито'");
  EXPECT_TRUE(w.Enabled(IDC_BEATEN));
  EXPECT_FALSE(w.Enabled(IDC_TAKE));
}

// The covering place lies over most of the attack place: while it waits for
// a card it steps aside, so the card to cover shows whole.
TEST(TablePlaces, AnUncoveredCardShowsWholeUntilItIsCovered) {
  PlayWindow w;
  w.Arrange({'s', {"8c", "Kh", "6d"}, {"7c", "9d", "Ah"}});
  auto coverShown = [&] { return ::IsWindowVisible(::GetDlgItem(w.dlg.m_hWnd, IDC_DEFENCE0)); };
  ::ShowWindow(w.dlg.m_hWnd, SW_SHOW);
  w.ClickCard("7c");
  ASSERT_EQ(w.dlg.m_nDefence, 1);  // the 8 of clubs covers at once
  EXPECT_TRUE(coverShown());
  ASSERT_TRUE(w.Press(IDC_BEATEN));
  // The computer leads the next bout and waits for the player's cover.
  ASSERT_EQ(w.dlg.m_nAttack, 1);
  ASSERT_EQ(w.dlg.m_nDefence, 0);
  EXPECT_FALSE(coverShown());
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(w.dlg.m_hWnd, IDC_ATTACK0)));
  for (int i = 0; i < w.dlg.m_nPlayerCards; ++i) {
    if (w.dlg.CanBeat(w.dlg.m_playerHand, (BYTE)i, w.dlg.m_attack, 0)) {
      w.ClickItem(i);
      EXPECT_TRUE(coverShown());
      break;
    }
  }
  w.dlg.ClearTable();
  for (int id = IDC_DEFENCE0; id <= IDC_DEFENCE5; ++id) {
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(w.dlg.m_hWnd, id))) << id;
  }
}

struct ThrowInCase {
  const char* card;
  bool accepted;
};

TEST(PlayerThrowsIn, OnlyRanksOnTheTable) {
  const ThrowInCase cases[] = {{"8d", false}, {"7d", true}, {"9c", true}, {"8c", false}};
  for (const ThrowInCase& c : cases) {
    SCOPED_TRACE(c.card);
    PlayWindow w;
    w.Arrange({'h', {"Kd", "Ac", "Kc", "Ad"}, {"8d", "7d", "9c", "8c"}, {"7s"}, {"9s"}});
    w.ClickCard(c.card);
    if (c.accepted) {
      EXPECT_EQ(w.dlg.m_nAttack, 2);
      EXPECT_EQ(play::Name(w.dlg.m_attack[1]), c.card);
      EXPECT_EQ(w.dlg.m_nDefence, 2);  // beaten by a higher card of the suit
      EXPECT_EQ(w.dlg.m_nPlayerCards, 3);
    } else {
      EXPECT_EQ(w.dlg.m_nAttack, 1);
      EXPECT_EQ(w.dlg.m_nPlayerCards, 4);
      EXPECT_GE(w.IndexInHand(c.card), 0);
      EXPECT_TRUE(testing_seams::MessageBoxCalls().empty());
    }
  }
}

TEST(PlayerDefends, OnlyTheNewestCard) {
  PlayWindow w;
  // The 7 of hearts would beat the covered 6 of hearts, not the 6 of diamonds.
  w.Arrange({'s', {"Kc"}, {"7h", "7d", "As"}, {"6h", "6d"}, {"9h"}, 12, nullptr, 1});
  w.ClickCard("7h");
  EXPECT_EQ(w.dlg.m_nDefence, 1);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 3);

  BYTE beaten = w.dlg.m_nBeaten;
  w.ClickCard("7d");
  // Covered; the computer has nothing of rank 6, 7 or 9 and ends its attack.
  EXPECT_EQ(w.dlg.m_nAttack, 0);
  EXPECT_EQ(w.dlg.m_nBeaten, beaten + 4);
  EXPECT_EQ(w.Hint(), "Ваш ход...");
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 0);
  EXPECT_FALSE(w.Enabled(IDC_BEATEN));
  EXPECT_FALSE(w.Enabled(IDC_TAKE));
  EXPECT_EQ(w.dlg.m_nComputerCards, 6);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 6);
}

// The bout ends without "Бито": the sixth beaten card, the player's last
// card, or the computer's last card. The player, who led, draws first.
TEST(BoutEndsByItself, SixthCardLastCardOrComputersLastCard) {
  struct Case {
    const char* name;
    Layout layout;
    const char* play;
    int discarded;
  };
  const Case cases[] = {
      {"SixthCard",
       {'h',
        {"Kd", "Ad", "Qc"},
        {"8d", "Js"},
        {"6s", "7s", "8s", "6d", "7d"},
        {"9s", "10s", "Ks", "9d", "10d"},
        12},
       "8d",
       12},
      {"PlayersLastCard", {'h', {"Kd", "Ad", "Qc"}, {"8d"}, {}, {}, 12}, "8d", 2},
      {"ComputersLastCard", {'h', {"Kd"}, {"8d", "Js"}, {}, {}, 12}, "8d", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlayWindow w;
    w.Arrange(c.layout);
    BYTE beaten = w.dlg.m_nBeaten;
    BYTE stock = w.dlg.m_nDeckCards;
    int playerShort = 6 - (w.dlg.m_nPlayerCards - 1);
    int computerShort = 6 - (w.dlg.m_nComputerCards - 1);
    // The player's draw takes the top of the stock.
    std::string firstDrawn = play::Name(w.dlg.m_deck[stock - 1]);
    w.ClickCard(c.play);
    EXPECT_EQ(w.dlg.m_nBeaten, beaten + c.discarded);
    EXPECT_EQ(w.dlg.m_nDefence, 0);
    EXPECT_EQ(w.dlg.m_bComputerAttacks, 1);
    // The computer leads the next bout at once.
    EXPECT_EQ(w.dlg.m_nAttack, 1);
    EXPECT_EQ(w.Hint(), "Попробуй покрыть это...");
    EXPECT_FALSE(w.Enabled(IDC_BEATEN));
    EXPECT_TRUE(w.Enabled(IDC_TAKE));
    EXPECT_EQ(w.dlg.m_nPlayerCards, 6);
    EXPECT_GE(w.IndexInHand(firstDrawn), 0);
    EXPECT_EQ(w.dlg.m_nDeckCards, stock - playerShort - computerShort);
  }
}

TEST(ComputerTakes, FiveCardsInTableOrder) {
  PlayWindow w;
  w.Arrange({'h', {"Kc", "As"}, {"7d", "Jc"}, {"7s", "7c"}, {"9s", "8c"}, 12});
  w.ClickCard("7d");
  ASSERT_EQ(w.dlg.m_nComputerCards, 7);
  EXPECT_EQ(play::Names(w.dlg.m_computerHand, 7),
            (std::vector<std::string>{"Kc", "As", "7s", "7c", "9s", "7d", "8c"}));
  EXPECT_EQ(w.Hint(), "Компьютер берёт...");
  EXPECT_EQ(w.dlg.m_nAttack, 0);
  EXPECT_EQ(w.dlg.m_bComputerAttacks, 0);
  // Only the player is refilled.
  EXPECT_EQ(w.dlg.m_nPlayerCards, 6);
  EXPECT_EQ(w.dlg.m_nDeckCards, 7);
  EXPECT_FALSE(w.Enabled(IDC_BEATEN));
  EXPECT_FALSE(w.Enabled(IDC_TAKE));
}

TEST(PlayerHand, MoreStepsThroughPagesAndAPlayedCardResetsIt) {
  const struct {
    int cards;
    std::vector<int> pages;
  } cases[] = {{13, {1, 2, 0}}, {7, {1, 0}}, {6, {0, 0}}};
  const char* deckOrder[] = {"6h", "7h", "8h", "9h", "10h", "Jh", "Qh",
                             "Kh", "Ah", "6d", "7d", "8d",  "9d"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cards);
    PlayWindow w;
    Layout layout{'s', {"6c"}, {}};
    for (int i = 0; i < c.cards; ++i) {
      layout.player.push_back(deckOrder[i]);
    }
    w.Arrange(layout);
    for (int page : c.pages) {
      w.Command(IDC_MORE);
      EXPECT_EQ(w.dlg.m_nPlayerPage, page);
    }
  }
  PlayWindow w;
  w.Arrange({'s', {"Ac", "Kc"}, {"6h", "7h", "8h", "9h", "10h", "Jh", "Qh"}});
  w.Command(IDC_MORE);
  ASSERT_EQ(w.dlg.m_nPlayerPage, 1);
  // The hidden places stand for the page: place 0 is hand entry 6 now.
  w.Command(IDC_PLAYER_CARD0, STN_CLICKED);
  EXPECT_EQ(play::Name(w.dlg.m_attack[0]), "Qh");
  EXPECT_EQ(w.dlg.m_nPlayerPage, 0);
}

TEST(PlayerHand, EmptyPlaceAndEmptyClickChangeNothing) {
  PlayWindow w;
  w.Arrange({'s', {"Ac", "Kc"}, {"6h", "7h", "8h", "9h", "10h", "Jh", "Qh"}});
  w.Command(IDC_MORE);
  w.Command(IDC_PLAYER_CARD1, STN_CLICKED);  // hand entry 7: no card
  ASSERT_EQ(testing_seams::MessageBoxCalls().size(), 1u);
  EXPECT_EQ(testing_seams::MessageBoxCalls()[0].text, "Тут нет карты!");
  EXPECT_EQ(testing_seams::MessageBoxCalls()[0].type & 0xF, (UINT)MB_OK);
  EXPECT_EQ(w.dlg.m_nAttack, 0);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 7);
  EXPECT_EQ(w.dlg.m_nPlayerPage, 1);

  // A click in the list that selects nothing.
  for (int i = 0; i < w.dlg.m_listPlayer.GetItemCount(); ++i) {
    w.dlg.m_listPlayer.SetItemState(i, 0, LVIS_SELECTED);
  }
  NMHDR nm{::GetDlgItem(w.dlg.m_hWnd, IDC_PLAYER_LIST), IDC_PLAYER_LIST, (UINT)NM_CLICK};
  ::SendMessage(w.dlg.m_hWnd, WM_NOTIFY, IDC_PLAYER_LIST, (LPARAM)&nm);
  EXPECT_EQ(w.dlg.m_nAttack, 0);
  EXPECT_EQ(w.dlg.m_nPlayerCards, 7);
}

}  // namespace
