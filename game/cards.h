// SPDX-License-Identifier: MIT
// One playing card and the shared rank and suit texts that cards refer to.
#pragma once

#include <windows.h>

// A card is a plain record copied by value. Two cards are of the same suit
// exactly when their suit pointers refer to the same shared text.
struct Card {
  const char* rank;
  const char* suit;
  HBITMAP hBitmap;
};

// The nine rank texts, weakest first ("6" .. "A"), and the four suit texts
// ("hearts", "diamonds", "clubs", "spades"): each exists once in the program.
extern const char* const g_aszRanks[9];
extern const char* const g_aszSuits[4];
