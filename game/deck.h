// SPDX-License-Identifier: MIT
// The face-image table and the generator behind the deck's shuffle.
#pragma once

#include <windows.h>

// A face image's resource id is its suit's base plus its rank's offset,
// indexed like g_aszSuits and g_aszRanks.
extern const WORD g_awSuitBase[4];
extern const BYTE g_abRankOffset[9];

// Draws the shuffle's exchanges. Null means the C library's rand, seeded
// with the time at every new deck; tests set it to fix a deal.
extern int (*g_pfnDeckRandom)();
