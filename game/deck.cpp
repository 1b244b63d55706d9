// SPDX-License-Identifier: MIT
// The deck: 36 cards in a fixed order, then shuffled.
#include <cstdlib>
#include <ctime>
#include <utility>

#include "game/deck.h"
#include "table/zorv_dlg.h"

int (*g_pfnDeckRandom)() = nullptr;

void CZorvDlg::CreateDeck(Card* deck) {
  // Seeded in whole seconds: two games dealt within one second get one deck.
  srand((unsigned)time(nullptr));
  for (int i = 0; i < 36; ++i) {
    deck[i].rank = g_aszRanks[i % 9];
    deck[i].suit = g_aszSuits[i / 9];
    deck[i].hBitmap = CachedBitmap(FaceBitmapId(deck[i].rank, deck[i].suit));
  }
  // Every exchange draws its partner from the whole deck, not from the
  // cards not yet placed: 36 exchanges, partner possibly itself.
  for (int i = 0; i < 36; ++i) {
    unsigned value = (unsigned)(g_pfnDeckRandom ? g_pfnDeckRandom() : rand());
    std::swap(deck[i], deck[value % 36]);
  }
}
