// SPDX-License-Identifier: MIT
// The only rules that compare cards: rank order, beating and throwing in.
#include <cstring>

#include "table/zorv_dlg.h"

// A rank's strength is its place among the rank texts, found by text
// equality: "10" is above "9" though it sorts below it as text.
static int RankOrder(const char* rank) {
  for (int i = 0; i < 9; ++i) {
    if (strcmp(rank, g_aszRanks[i]) == 0) {
      return i + 1;
    }
  }
  return 0;
}

BYTE CZorvDlg::RankHigher(const char* rankA, const char* rankB) {
  return RankOrder(rankA) > RankOrder(rankB) ? 1 : 0;
}

BYTE CZorvDlg::CanBeat(Card* hand, BYTE handIndex, Card* table, BYTE tableIndex) {
  const Card& card = hand[handIndex];
  const Card& target = table[tableIndex];
  // Within one suit, trumps included, the higher rank beats.
  if (card.suit == target.suit && RankHigher(card.rank, target.rank)) {
    return 1;
  }
  // A trump beats any card that is not a trump, whatever the ranks.
  if (card.suit == m_trump.suit && target.suit != card.suit) {
    return 1;
  }
  return 0;
}

BYTE CZorvDlg::SameRank(Card* hand, BYTE handIndex, Card* table, BYTE tableIndex) {
  return strcmp(table[tableIndex].rank, hand[handIndex].rank) == 0 ? 1 : 0;
}
