// SPDX-License-Identifier: MIT
// Whole games through the real handlers: a seeded scripted player clicks
// cards (legal or not), presses "Бито" and "Взять", pages with "Ещё", clicks
// the hidden card places and now and then starts a new game. After every
// handler the position must be sound and the window must show it. Set
// ZORV_SOAK_GAMES for a longer run.
#include <bitset>
#include <cstdio>
#include <cstdlib>

#include "tests/play_fixture.h"

namespace {

using play::PlayWindow;

class Checker {
 public:
  explicit Checker(PlayWindow& w) : m_w(w), m_dlg(w.dlg) {
    for (int k = 0; k < 6; ++k) {
      m_attackPlaces[k] = ::GetDlgItem(m_dlg.m_hWnd, PlayWindow::AttackPlace(k));
      m_coverPlaces[k] = ::GetDlgItem(m_dlg.m_hWnd, IDC_DEFENCE0 + k);
      m_computerPlaces[k] = ::GetDlgItem(m_dlg.m_hWnd, IDC_COMPUTER_CARD0 + k);
    }
  }

  // Everything that must hold whenever no handler runs.
  void Position(const char* action) {
    SCOPED_TRACE(action);
    const CZorvDlg& d = m_dlg;
    ASSERT_LE(d.m_nDefence, d.m_nAttack);
    ASSERT_LE(d.m_nAttack, 6);
    ASSERT_LE(d.m_nDeckCards, 36);
    ASSERT_EQ(d.m_nDeckCards + d.m_nComputerCards + d.m_nPlayerCards + d.m_nAttack + d.m_nDefence +
                  d.m_nBeaten,
              36);
    std::bitset<36> seen;
    auto account = [&](const Card* row, int n, const char* where) {
      for (int i = 0; i < n; ++i) {
        ASSERT_NE(row[i].hBitmap, d.m_hbmEmpty) << where << " " << i;
        int index = Index(row[i]);
        ASSERT_GE(index, 0) << where << " " << i;
        ASSERT_FALSE(seen.test(index)) << play::Name(row[i]) << " twice, in " << where;
        seen.set(index);
      }
    };
    account(d.m_deck, d.m_nDeckCards, "stock");
    account(d.m_computerHand, d.m_nComputerCards, "computer");
    account(d.m_playerHand, d.m_nPlayerCards, "player");
    account(d.m_attack, d.m_nAttack, "attack");
    account(d.m_defence, d.m_nDefence, "defence");
    for (int i = d.m_nPlayerCards; i < 36; ++i) {
      ASSERT_EQ(d.m_playerHand[i].hBitmap, d.m_hbmEmpty) << "player entry " << i;
    }
    for (int i = d.m_nComputerCards; i < 36; ++i) {
      ASSERT_EQ(d.m_computerHand[i].hBitmap, d.m_hbmEmpty) << "computer entry " << i;
    }

    // The views show exactly the hands and the table. A handler that moved
    // nothing (an ignored card) is taken to have left the window as it was.
    std::vector<int> key = {d.m_nDeckCards,       d.m_nComputerCards, d.m_nPlayerCards,
                            d.m_nAttack,          d.m_nDefence,       d.m_nBeaten,
                            d.m_bComputerAttacks, d.m_nPlayerPage,    d.m_nGameResult};
    if (key == m_lastKey) {
      return;
    }
    m_lastKey = key;
    ASSERT_EQ(m_dlg.m_listPlayer.GetItemCount(), d.m_nPlayerCards);
    ASSERT_EQ(m_dlg.m_listComputer.GetItemCount(), d.m_nComputerCards);
    for (int k = 0; k < 6; ++k) {
      HBITMAP attack = k < d.m_nAttack ? d.m_attack[k].hBitmap : d.m_hbmEmpty;
      HBITMAP cover = k < d.m_nDefence ? d.m_defence[k].hBitmap : d.m_hbmEmpty;
      ASSERT_EQ(Image(m_attackPlaces[k]), attack) << "attack place " << k;
      ASSERT_EQ(Image(m_coverPlaces[k]), cover) << "covering place " << k;
      HBITMAP back = k < d.m_nComputerCards ? d.m_hbmBack : d.m_hbmEmpty;
      ASSERT_EQ(Image(m_computerPlaces[k]), back) << "computer place " << k;
    }
    if (d.m_nGameResult != 0) {
      return;
    }

    // The buttons and the hint follow the state of the bout.
    std::string hint = m_w.Hint();
    if (d.m_bComputerAttacks) {
      ASSERT_EQ(d.m_nAttack, d.m_nDefence + 1);
      ASSERT_TRUE(m_w.Enabled(IDC_TAKE));
      ASSERT_FALSE(m_w.Enabled(IDC_BEATEN));
      ASSERT_EQ(hint, "Попробуй покрыть это...");
    } else if (d.m_nAttack == 0) {
      ASSERT_FALSE(m_w.Enabled(IDC_TAKE));
      ASSERT_FALSE(m_w.Enabled(IDC_BEATEN));
      ASSERT_TRUE(hint == "Ваш ход..." || hint == "Компьютер берёт..." ||
                  hint == "На руках не осталось карт...")
          << hint;
    } else {
      ASSERT_EQ(d.m_nAttack, d.m_nDefence);
      ASSERT_LT(d.m_nAttack, 6);
      ASSERT_FALSE(m_w.Enabled(IDC_TAKE));
      ASSERT_TRUE(m_w.Enabled(IDC_BEATEN));
      ASSERT_EQ(hint, "Подбрасывайте или жмите 'Бито'");
    }
    ASSERT_EQ(m_w.Enabled(IDC_MORE), d.m_nPlayerCards > 6);
    ASSERT_GT(d.m_nPlayerCards, 0);
  }

  // The boxes of one handler: "Тут нет карты!" only for an empty place, and
  // at the end of a game the right result, then the prompt.
  void Boxes(bool emptyPlace, bool* gameOver) {
    const auto& calls = testing_seams::MessageBoxCalls();
    *gameOver = m_dlg.m_nGameResult == 4;
    if (emptyPlace) {
      ASSERT_EQ(calls.size(), 1u);
      ASSERT_EQ(calls[0].text, "Тут нет карты!");
    } else if (*gameOver) {
      const char* result =
          m_dlg.m_nPlayerCards == 0
              ? (m_dlg.m_nComputerCards == 0 ? "Ничья" : "Компьютер остался в зорвах... :)")
              : "Поздравляю тебя, Шарик, ты балбес! (с)";
      ASSERT_EQ(m_dlg.m_nDeckCards, 0);
      ASSERT_TRUE(m_dlg.m_nPlayerCards == 0 || m_dlg.m_nComputerCards == 0);
      ASSERT_EQ(calls.size(), 2u);
      ASSERT_EQ(calls[0].text, result);
      ASSERT_EQ(calls[1].text, "Начать новую игру?");
      ASSERT_EQ(calls[1].caption, "Конец игры");
      INT_PTR ended = 0;
      ASSERT_TRUE(testing_seams::DialogEnded(m_dlg.m_hWnd, &ended));
      ASSERT_EQ(ended, IDOK);
    } else {
      ASSERT_TRUE(calls.empty()) << calls[0].text;
    }
    testing_seams::ClearMessageBoxCalls();
  }

 private:
  // The cards refer to the shared texts, so identity finds them.
  static int Index(const Card& card) {
    for (int s = 0; s < 4; ++s) {
      for (int r = 0; r < 9; ++r) {
        if (card.suit == g_aszSuits[s] && card.rank == g_aszRanks[r]) {
          return s * 9 + r;
        }
      }
    }
    return -1;
  }
  static HBITMAP Image(HWND place) {
    return (HBITMAP)::SendMessage(place, STM_GETIMAGE, IMAGE_BITMAP, 0);
  }

  PlayWindow& m_w;
  CZorvDlg& m_dlg;
  HWND m_attackPlaces[6];
  HWND m_coverPlaces[6];
  HWND m_computerPlaces[6];
  std::vector<int> m_lastKey;
};

// A small generator of our own, so a failing game can be replayed by seed.
struct Dice {
  unsigned state;
  int Roll(int n) {
    state = state * 1664525u + 1013904223u;
    return (int)((state >> 8) % (unsigned)n);
  }
};

std::vector<int> LegalCards(CZorvDlg& d) {
  std::vector<int> legal;
  for (int i = 0; i < d.m_nPlayerCards; ++i) {
    BYTE card = (BYTE)i;
    bool ok = false;
    if (d.m_bComputerAttacks) {
      ok = d.CanBeat(d.m_playerHand, card, d.m_attack, (BYTE)(d.m_nAttack - 1));
    } else if (d.m_nAttack == 0) {
      ok = true;
    } else {
      for (BYTE k = 0; k < d.m_nAttack && !ok; ++k) {
        ok = d.SameRank(d.m_playerHand, card, d.m_attack, k) ||
             d.SameRank(d.m_playerHand, card, d.m_defence, k);
      }
    }
    if (ok) {
      legal.push_back(i);
    }
  }
  return legal;
}

int GamesToPlay() {
  const char* text = std::getenv("ZORV_SOAK_GAMES");
  int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : 10000;
}

// The games are shared out over shards of their own, which the test
// command runs side by side.
const int kShards = 4;

class Soak : public testing::TestWithParam<int> {};

TEST_P(Soak, WholeGamesKeepEveryInvariant) {
  const unsigned shard = (unsigned)GetParam();
  PlayWindow w;
  Checker check(w);
  Dice dice{12345u + shard};
  const int games = (GamesToPlay() + kShards - 1) / kShards;
  int finished = 0;
  int newGames = 0;
  long actions = 0;
  play::DealSeed() = 1 + shard;
  w.dlg.NewGame();
  int actionsThisGame = 0;
  while (finished < games) {
    bool emptyPlace = false;
    const char* action = "";
    int roll = dice.Roll(1000);
    if (roll < 3) {
      action = "new game";
      w.Command(ID_GAME_NEW, 0);
      ++newGames;
      actionsThisGame = 0;
    } else if (roll < 40) {
      action = "Бито";
      w.Press(IDC_BEATEN);
    } else if (roll < 70) {
      action = "Взять";
      w.Press(IDC_TAKE);
    } else if (roll < 85) {
      action = "Ещё";
      w.Command(IDC_MORE);
    } else if (roll < 100) {
      action = "card place";
      int k = dice.Roll(6);
      emptyPlace = w.dlg.m_nPlayerPage * 6 + k >= w.dlg.m_nPlayerCards;
      w.Command(IDC_PLAYER_CARD0 + k, STN_CLICKED);
    } else if (roll < 350) {
      action = "any card";
      w.ClickItem(dice.Roll(w.dlg.m_nPlayerCards ? w.dlg.m_nPlayerCards : 1));
    } else {
      // Mostly the player knows the rules: a card that may be played, or
      // the button that ends the bout when there is none.
      std::vector<int> legal = LegalCards(w.dlg);
      if (!legal.empty()) {
        action = "legal card";
        w.ClickItem(legal[(size_t)dice.Roll((int)legal.size())]);
      } else {
        action = "no card: button";
        w.Press(w.dlg.m_bComputerAttacks ? IDC_TAKE : IDC_BEATEN);
      }
    }
    ++actions;
    ++actionsThisGame;
    bool gameOver = false;
    check.Boxes(emptyPlace, &gameOver);
    check.Position(action);
    if (testing::Test::HasFatalFailure()) {
      ADD_FAILURE() << "game " << finished << ", action " << actionsThisGame;
      return;
    }
    ASSERT_LT(actionsThisGame, 5000) << "a game that does not end";
    if (gameOver) {
      ++finished;
      actionsThisGame = 0;
      play::DealSeed() = ((unsigned)finished * kShards + shard) * 2654435761u + 1;
      w.dlg.NewGame();
      check.Position("deal");
    }
  }
  EXPECT_EQ(finished, games);
  RecordProperty("actions", (int)actions);
  RecordProperty("newGames", newGames);
}

INSTANTIATE_TEST_SUITE_P(Games, Soak, testing::Range(0, kShards));

// Every item of a hand view names an image its list has, and the list draws it.
void ExpectViewDraws(CListCtrl& view, const char* which) {
  HIMAGELIST list = view.GetImageList(LVSIL_NORMAL);
  const int images = ImageList_GetImageCount(list);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP canvas = ::CreateCompatibleBitmap(dc, 69, 94);
  HGDIOBJ old = ::SelectObject(dc, canvas);
  for (int i = 0; i < view.GetItemCount(); ++i) {
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    ASSERT_TRUE(view.GetItem(&item)) << which << " " << i;
    EXPECT_TRUE(item.iImage >= 0 && item.iImage < images) << which << " item " << i;
    EXPECT_TRUE(ImageList_Draw(list, item.iImage, dc, 0, 0, ILD_NORMAL)) << which << " item " << i;
  }
  ::SelectObject(dc, old);
  ::DeleteObject(canvas);
  ::DeleteDC(dc);
}

// The start-up loop makes the table window anew for every game, from the
// one CZorvDlg: what a window makes must go with it, and the views must
// draw every card of every deal. Each window plays its game to the end by
// the rules; the objects the process holds after each deal must stay as
// they were after the first (the faces are loaded first: the window keeps
// them for its life). Set ZORV_SOAK_WINDOWS for another number of games.
TEST(Soak, GameAfterGameInWindowAfterWindowHoldsNoMoreObjects) {
  const char* text = std::getenv("ZORV_SOAK_WINDOWS");
  const int windows = text && std::atoi(text) > 0 ? std::atoi(text) : 1000;
  PlayWindow w;
  for (WORD id = IDB_CLUBS_BASE; id <= IDB_LAST_CARD; ++id) {
    w.dlg.CachedBitmap(id);
  }
  std::vector<testing_seams::GuiObjectCount> counts;
  for (int run = 0; run < windows; ++run) {
    if (run > 0) {
      w.dlg.DestroyWindow();
      play::DealSeed() = (unsigned)run;
      ASSERT_TRUE(w.dlg.Create(IDD_ZORV_DIALOG)) << "window " << run + 1;
    }
    ExpectViewDraws(w.dlg.m_listComputer, "computer");
    ExpectViewDraws(w.dlg.m_listPlayer, "player");
    ASSERT_FALSE(HasFailure()) << "the deal of window " << run + 1;
    counts.push_back(testing_seams::GuiObjects());
    for (int action = 0; !testing_seams::DialogEnded(w.dlg.m_hWnd, nullptr); ++action) {
      ASSERT_LT(action, 5000) << "a game that does not end, window " << run + 1;
      std::vector<int> legal = LegalCards(w.dlg);
      if (!legal.empty()) {
        w.ClickItem(legal[(size_t)action % legal.size()]);
      } else {
        w.Press(w.dlg.m_bComputerAttacks ? IDC_TAKE : IDC_BEATEN);
      }
      testing_seams::ClearMessageBoxCalls();
    }
  }
  std::printf("GDI and USER objects after the deal of game 1: %d, %d; of game %d: %d, %d\n",
              counts.front().gdi, counts.front().user, windows, counts.back().gdi,
              counts.back().user);
  for (size_t run = 1; run < counts.size(); ++run) {
    ASSERT_EQ(counts[run].gdi, counts[0].gdi) << "game " << run + 1;
    ASSERT_EQ(counts[run].user, counts[0].user) << "game " << run + 1;
  }
}

}  // namespace
