// SPDX-License-Identifier: MIT
// Positions for the play tests: the real table window opened offscreen,
// cards named like "10h" or "Qs", and a builder that lays out hands, table
// and stock so that all 36 cards stay accounted for. Actions go through the
// messages a user's click sends.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "game/deck.h"
#include "platform/testing.h"
#include "table/zorv_dlg.h"

namespace play {

// Suit letters in the order of the suit texts: hearts, diamonds, clubs, spades.
inline int SuitOf(char letter) {
  return (int)std::string("hdcs").find(letter) & 3;
}

inline std::string Name(const Card& card) {
  static const char kLetters[] = "hdcs";
  for (int s = 0; s < 4; ++s) {
    if (card.suit && std::strcmp(card.suit, g_aszSuits[s]) == 0) {
      return std::string(card.rank ? card.rank : "?") + kLetters[s];
    }
  }
  return "?";
}

inline std::vector<std::string> Names(const Card* cards, int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) {
    out.push_back(Name(cards[i]));
  }
  return out;
}

// A fixed deal: the shuffle's exchanges come from a small seeded generator.
inline unsigned& DealSeed() {
  static unsigned seed = 1;
  return seed;
}
inline int SeededRandom() {
  DealSeed() = DealSeed() * 1103515245u + 12345u;
  return (int)((DealSeed() >> 16) & 0x7fff);
}

struct Layout {
  Layout(char trumpSuit, std::vector<std::string> computerHand, std::vector<std::string> playerHand,
         std::vector<std::string> attackRow = {}, std::vector<std::string> defenceRow = {},
         int stockCards = 12, const char* rememberedSuit = nullptr, BYTE computerLeads = 0)
      : trump(trumpSuit),
        computer(std::move(computerHand)),
        player(std::move(playerHand)),
        attack(std::move(attackRow)),
        defence(std::move(defenceRow)),
        stock(stockCards),
        remembered(rememberedSuit),
        computerAttacks(computerLeads) {}
  char trump;
  std::vector<std::string> computer;
  std::vector<std::string> player;
  std::vector<std::string> attack;
  std::vector<std::string> defence;
  int stock;
  const char* remembered;  // a suit text, or none
  BYTE computerAttacks;
};

class PlayWindow {
 public:
  PlayWindow() {
    testing_seams::ScriptMessageBoxes(true);
    testing_seams::ClearMessageBoxCalls();
    g_pfnDeckRandom = SeededRandom;
    DealSeed() = 7;
    dlg.Create(IDD_ZORV_DIALOG);
    // Every card of the deck with the face image the game gave it.
    for (const Card& card : dlg.m_deck) {
      m_cards.push_back(card);
    }
  }
  ~PlayWindow() {
    dlg.DestroyWindow();
    g_pfnDeckRandom = nullptr;
    testing_seams::ClearMessageBoxCalls();
    testing_seams::ScriptMessageBoxes(false);
  }

  Card Make(const std::string& name) const {
    std::string rank = name.substr(0, name.size() - 1);
    const char* suit = g_aszSuits[SuitOf(name.back())];
    for (const Card& card : m_cards) {
      if (rank == card.rank && card.suit == suit) {
        return card;
      }
    }
    ADD_FAILURE() << "no card " << name;
    return m_cards[0];
  }

  // Lays out a position. Cards not named go to the stock (the trump card of
  // the trump suit at its bottom) and the rest to the discard pile.
  void Arrange(const Layout& l) {
    std::vector<std::string> used;
    auto put = [&](const std::vector<std::string>& names, Card* row, BYTE& count) {
      count = 0;
      for (const std::string& n : names) {
        row[count++] = Make(n);
        used.push_back(n);
      }
    };
    for (Card& c : dlg.m_computerHand) {
      c.hBitmap = dlg.m_hbmEmpty;
    }
    for (Card& c : dlg.m_playerHand) {
      c.hBitmap = dlg.m_hbmEmpty;
    }
    put(l.computer, dlg.m_computerHand, dlg.m_nComputerCards);
    put(l.player, dlg.m_playerHand, dlg.m_nPlayerCards);
    put(l.attack, dlg.m_attack, dlg.m_nAttack);
    put(l.defence, dlg.m_defence, dlg.m_nDefence);

    std::vector<Card> rest;
    const char* trumpSuit = g_aszSuits[SuitOf(l.trump)];
    Card trumpCard{};
    bool haveTrumpCard = false;
    for (const Card& card : m_cards) {
      if (std::find(used.begin(), used.end(), Name(card)) != used.end()) {
        continue;
      }
      if (!haveTrumpCard && card.suit == trumpSuit) {
        trumpCard = card;
        haveTrumpCard = true;
      } else {
        rest.push_back(card);
      }
    }
    ASSERT_TRUE(haveTrumpCard || l.stock == 0) << "no trump card left for the stock";
    if (!haveTrumpCard) {
      trumpCard = Make(std::string("A") + l.trump);
    }
    dlg.m_trump = trumpCard;
    BYTE stock = 0;
    if (l.stock > 0) {
      dlg.m_deck[stock++] = trumpCard;
    } else if (haveTrumpCard) {
      rest.push_back(trumpCard);
    }
    ASSERT_LE((size_t)(l.stock - stock), rest.size()) << "too few cards for the stock";
    size_t r = 0;
    while (stock < l.stock) {
      dlg.m_deck[stock++] = rest[r++];
    }
    dlg.m_nDeckCards = stock;
    dlg.m_nBeaten = (BYTE)(rest.size() - r);
    dlg.m_nPlayerPage = 0;
    dlg.m_nGameResult = 0;
    dlg.m_bComputerAttacks = l.computerAttacks;
    dlg.m_bRemembered = l.remembered ? 1 : 0;
    if (l.remembered) {
      std::strcpy(dlg.m_szRememberedSuit, l.remembered);
    }
    dlg.ClearTable();
    for (BYTE k = 0; k < dlg.m_nAttack; ++k) {
      Place(AttackPlace(k))->SetBitmap(dlg.m_attack[k].hBitmap);
    }
    for (BYTE k = 0; k < dlg.m_nDefence; ++k) {
      Place(IDC_DEFENCE0 + k)->SetBitmap(dlg.m_defence[k].hBitmap);
    }
    dlg.ShowComputerHand();
    dlg.ShowPlayerHand();
    // The buttons as the play leaves them in this state.
    ::EnableWindow(::GetDlgItem(dlg.m_hWnd, IDC_BEATEN), !l.computerAttacks && dlg.m_nAttack);
    ::EnableWindow(::GetDlgItem(dlg.m_hWnd, IDC_TAKE), l.computerAttacks && dlg.m_nAttack);
    ::EnableWindow(::GetDlgItem(dlg.m_hWnd, IDC_MORE), dlg.m_nPlayerCards > 6);
    testing_seams::ClearMessageBoxCalls();
  }

  static int AttackPlace(int slot) {
    static const int kIds[6] = {IDC_ATTACK0, IDC_ATTACK1, IDC_ATTACK2,
                                IDC_ATTACK3, IDC_ATTACK4, IDC_ATTACK5};
    return kIds[slot];
  }
  CStatic* Place(int id) { return static_cast<CStatic*>(dlg.GetDlgItem(id)); }
  HBITMAP Image(int id) {
    return (HBITMAP)::SendMessage(::GetDlgItem(dlg.m_hWnd, id), STM_GETIMAGE, IMAGE_BITMAP, 0);
  }
  bool Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != 0; }
  std::string Hint() {
    char text[128] = {};
    ::GetDlgItemText(dlg.m_hWnd, IDC_HINT, text, sizeof text);
    return text;
  }
  int IndexInHand(const std::string& name) {
    for (int i = 0; i < dlg.m_nPlayerCards; ++i) {
      if (Name(dlg.m_playerHand[i]) == name) {
        return i;
      }
    }
    return -1;
  }

  // The messages a user's actions send.
  void ClickItem(int item) {
    HWND list = ::GetDlgItem(dlg.m_hWnd, IDC_PLAYER_LIST);
    dlg.m_listPlayer.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE nm{};
    nm.hdr.hwndFrom = list;
    nm.hdr.idFrom = IDC_PLAYER_LIST;
    nm.hdr.code = NM_CLICK;
    nm.iItem = item;
    ::SendMessage(dlg.m_hWnd, WM_NOTIFY, IDC_PLAYER_LIST, (LPARAM)&nm);
  }
  void ClickCard(const std::string& name) {
    int i = IndexInHand(name);
    ASSERT_GE(i, 0) << name << " is not in the hand";
    ClickItem(i);
  }
  void Command(int id, int code = BN_CLICKED) {
    ::SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, code),
                  (LPARAM)::GetDlgItem(dlg.m_hWnd, id));
  }
  // A real button only answers while it is enabled.
  bool Press(int id) {
    if (!Enabled(id)) {
      return false;
    }
    Command(id);
    return true;
  }

  CZorvDlg dlg;

 private:
  std::vector<Card> m_cards;
};

}  // namespace play
