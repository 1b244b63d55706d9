// SPDX-License-Identifier: MIT
// The shared rank and suit texts and the table of face images.
#include "game/cards.h"

#include "game/deck.h"
#include "res/resource.h"

const char* const g_aszRanks[9] = {"6", "7", "8", "9", "10", "J", "Q", "K", "A"};
const char* const g_aszSuits[4] = {"hearts", "diamonds", "clubs", "spades"};

const WORD g_awSuitBase[4] = {IDB_HEARTS_BASE, IDB_DIAMONDS_BASE, IDB_CLUBS_BASE, IDB_SPADES_BASE};
// The queen sits at each suit's base and the ten last, which is why there
// is no image 164 between clubs and diamonds.
const BYTE g_abRankOffset[9] = {1, 2, 3, 4, 8, 6, 0, 7, 5};
