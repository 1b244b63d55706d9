// SPDX-License-Identifier: MIT
// The computer player: what it leads, what it throws in, what it beats with,
// and when it stops attacking. It plays without chance: the same position
// always gives the same card.
#include <cstring>

#include "table/zorv_dlg.h"

namespace {

// Same suit by text: the remembered suit is a copy, not a shared text.
bool SameSuit(const char* a, const char* b) {
  return a == b || (a && b && std::strcmp(a, b) == 0);
}

int SuitIndex(const char* suit) {
  for (int s = 0; s < 4; ++s) {
    if (SameSuit(suit, g_aszSuits[s])) {
      return s;
    }
  }
  return -1;
}

int RankIndex(const char* rank) {
  for (int r = 0; r < 9; ++r) {
    if (rank == g_aszRanks[r] || (rank && std::strcmp(rank, g_aszRanks[r]) == 0)) {
      return r;
    }
  }
  return -1;
}

// Keeping the lowest: the first candidate is the choice, and a later one
// replaces it only when the choice ranks strictly above it, so among equal
// ranks the one visited first stays.
class LowestKeeper {
 public:
  LowestKeeper(CZorvDlg& dlg) : m_dlg(dlg) {}
  void Offer(int index) {
    if (m_choice < 0 ||
        m_dlg.RankHigher(m_dlg.m_computerHand[m_choice].rank, m_dlg.m_computerHand[index].rank)) {
      m_choice = index;
    }
  }
  int Choice() const { return m_choice; }

 private:
  CZorvDlg& m_dlg;
  int m_choice = -1;
};

bool IsTrump(const CZorvDlg& dlg, const Card& card) {
  return SameSuit(card.suit, dlg.m_trump.suit);
}

// L1: a low card of the suit the player had to take is likely to hurt again.
// The memory is used once, whether or not it yields a card.
int LeadRemembered(CZorvDlg& dlg) {
  LowestKeeper keep(dlg);
  if (dlg.m_bRemembered) {
    for (int i = 0; i < dlg.m_nComputerCards; ++i) {
      const Card& card = dlg.m_computerHand[i];
      if (SameSuit(card.suit, dlg.m_szRememberedSuit) && dlg.RankHigher("Q", card.rank)) {
        keep.Offer(i);
      }
    }
  }
  dlg.m_bRemembered = 0;
  return keep.Choice();
}

// L2: a suit the player lacks can only be taken or trumped.
int LeadLackedSuit(CZorvDlg& dlg) {
  bool held[4] = {false, false, false, false};
  for (int i = 0; i < dlg.m_nPlayerCards; ++i) {
    int s = SuitIndex(dlg.m_playerHand[i].suit);
    if (s >= 0) {
      held[s] = true;
    }
  }
  static const int kOrder[4] = {0, 1, 3, 2};  // hearts, diamonds, spades, clubs
  LowestKeeper keep(dlg);
  for (int s : kOrder) {
    if (held[s] || SameSuit(g_aszSuits[s], dlg.m_trump.suit)) {
      continue;
    }
    for (int i = 0; i < dlg.m_nComputerCards; ++i) {
      if (SameSuit(dlg.m_computerHand[i].suit, g_aszSuits[s])) {
        keep.Offer(i);
      }
    }
  }
  return keep.Choice();
}

// L3: leading one of a pair of low cards leaves its twin to throw in. Trumps
// are kept back while the stock lasts.
int LeadFrequentRank(CZorvDlg& dlg) {
  bool skipTrumps = dlg.m_nDeckCards != 0;
  int counts[6] = {0, 0, 0, 0, 0, 0};
  for (int i = 0; i < dlg.m_nComputerCards; ++i) {
    const Card& card = dlg.m_computerHand[i];
    int r = RankIndex(card.rank);
    if (r >= 0 && r < 6 && !(skipTrumps && IsTrump(dlg, card))) {
      ++counts[r];
    }
  }
  int best = 0;
  for (int r = 1; r < 6; ++r) {
    if (counts[r] > counts[best]) {
      best = r;
    }
  }
  if (counts[best] < 2) {
    return -1;
  }
  for (int i = 0; i < dlg.m_nComputerCards; ++i) {
    const Card& card = dlg.m_computerHand[i];
    if (RankIndex(card.rank) == best && !(skipTrumps && IsTrump(dlg, card))) {
      return i;
    }
  }
  return -1;
}

// L4 and L5: the lowest non-trump, and only with trumps alone the lowest trump.
int LeadLowest(CZorvDlg& dlg) {
  LowestKeeper plain(dlg);
  LowestKeeper trumps(dlg);
  for (int i = 0; i < dlg.m_nComputerCards; ++i) {
    if (IsTrump(dlg, dlg.m_computerHand[i])) {
      trumps.Offer(i);
    } else {
      plain.Offer(i);
    }
  }
  return plain.Choice() >= 0 ? plain.Choice() : trumps.Choice();
}

int ChooseLeadCard(CZorvDlg& dlg) {
  int card = LeadRemembered(dlg);
  if (card < 0) {
    card = LeadLackedSuit(dlg);
  }
  if (card < 0) {
    card = LeadFrequentRank(dlg);
  }
  if (card < 0) {
    card = LeadLowest(dlg);
  }
  return card;
}

// T: only ranks already on the table may be thrown in; trumps only once the
// stock is empty. A full table takes no more.
int ChooseThrowInCard(CZorvDlg& dlg) {
  dlg.m_bRemembered = 0;
  if (dlg.m_nAttack >= 6) {
    return -1;
  }
  bool skipTrumps = dlg.m_nDeckCards != 0;
  LowestKeeper keep(dlg);
  for (int i = 0; i < dlg.m_nComputerCards; ++i) {
    if (skipTrumps && IsTrump(dlg, dlg.m_computerHand[i])) {
      continue;
    }
    BYTE index = (BYTE)i;
    bool onTable = false;
    for (BYTE k = 0; k < dlg.m_nAttack && !onTable; ++k) {
      onTable = dlg.SameRank(dlg.m_computerHand, index, dlg.m_attack, k);
    }
    for (BYTE k = 0; k < dlg.m_nDefence && k < 6 && !onTable; ++k) {
      onTable = dlg.SameRank(dlg.m_computerHand, index, dlg.m_defence, k);
    }
    if (onTable) {
      keep.Offer(i);
    }
  }
  return keep.Choice();
}

}  // namespace

void CZorvDlg::ComputerAttack() {
  EnableControl(IDC_TAKE, TRUE);
  EnableControl(IDC_BEATEN, FALSE);
  if (m_nComputerCards == 0 || m_nPlayerCards == 0) {
    EndComputerAttack("На руках не осталось карт...");
    return;
  }
  int c = m_nAttack == 0 ? ChooseLeadCard(*this) : ChooseThrowInCard(*this);
  if (c < 0) {
    EndComputerAttack("Ваш ход...");
    return;
  }
  PlaceAttackCard(m_computerHand[c]);
  RemoveCard(m_computerHand, m_nComputerCards, (BYTE)c);
  ShowComputerHand();
  SetHint("Попробуй покрыть это...");
}

// The attacker stops: the player leads next. With cards on the table the
// bout is beaten and the computer, the attacker, draws first.
void CZorvDlg::EndComputerAttack(LPCTSTR hint) {
  EnableControl(IDC_TAKE, FALSE);
  m_bComputerAttacks = 0;
  if (m_nAttack == 0) {
    return;
  }
  EnableControl(IDC_BEATEN, TRUE);
  DiscardTable();
  if (m_nComputerCards < 6) {
    DrawComputerCards((BYTE)(6 - m_nComputerCards));
  }
  if (m_nPlayerCards < 6) {
    DrawPlayerCards((BYTE)(6 - m_nPlayerCards));
  }
  ShowComputerHand();
  ShowPlayerHand();
  SetHint(hint);
}

// D1 beats in suit with the cheapest higher card; D2 trumps a plain card, but
// while ten or more cards remain in the stock only with a 6 or a 7, to keep
// the strong trumps for later. Otherwise the computer takes.
int CZorvDlg::ChooseDefenceCard() {
  if (m_nAttack == 0 || m_nAttack > 6) {
    return -1;
  }
  const Card& attack = m_attack[m_nAttack - 1];
  LowestKeeper inSuit(*this);
  for (int i = 0; i < m_nComputerCards; ++i) {
    const Card& card = m_computerHand[i];
    if (SameSuit(card.suit, attack.suit) && RankHigher(card.rank, attack.rank)) {
      inSuit.Offer(i);
    }
  }
  if (inSuit.Choice() >= 0 || IsTrump(*this, attack)) {
    return inSuit.Choice();
  }
  LowestKeeper trumps(*this);
  for (int i = 0; i < m_nComputerCards; ++i) {
    const Card& card = m_computerHand[i];
    if (IsTrump(*this, card) && (m_nDeckCards < 10 || RankHigher("8", card.rank))) {
      trumps.Offer(i);
    }
  }
  return trumps.Choice();
}
