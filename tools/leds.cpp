// SPDX-License-Identifier: MIT
// The counters' digit strip and the 3 x 3 picture that carries the palette.
#include "tools/art.h"

namespace art {
namespace {

constexpr int kGlyphW = 9;
constexpr int kGlyphH = 13;

// Segments a..g: top, upper right, lower right, bottom, lower left, upper
// left, middle.
enum Segment {
  kTop = 1,
  kUpperRight = 2,
  kLowerRight = 4,
  kBottom = 8,
  kLowerLeft = 16,
  kUpperLeft = 32,
  kMiddle = 64
};

constexpr int kDigitSegments[11] = {
    kTop | kUpperRight | kLowerRight | kBottom | kLowerLeft | kUpperLeft,
    kUpperRight | kLowerRight,
    kTop | kUpperRight | kMiddle | kLowerLeft | kBottom,
    kTop | kUpperRight | kMiddle | kLowerRight | kBottom,
    kUpperLeft | kMiddle | kUpperRight | kLowerRight,
    kTop | kUpperLeft | kMiddle | kLowerRight | kBottom,
    kTop | kUpperLeft | kMiddle | kLowerLeft | kLowerRight | kBottom,
    kTop | kUpperRight | kLowerRight,
    0x7f,
    kTop | kUpperLeft | kUpperRight | kMiddle | kLowerRight | kBottom,
    0,  // the blank
};

// Whether the glyph cell (x, y) lies on a lit segment of the figure.
bool Lit(int segments, int x, int y) {
  const int top = 0, middle = kGlyphH / 2, bottom = kGlyphH - 1;
  const int left = 0, right = kGlyphW - 1;
  if ((segments & kTop) && y == top)
    return true;
  if ((segments & kMiddle) && y == middle)
    return true;
  if ((segments & kBottom) && y == bottom)
    return true;
  if ((segments & kUpperLeft) && x == left && y <= middle)
    return true;
  if ((segments & kLowerLeft) && x == left && y >= middle)
    return true;
  if ((segments & kUpperRight) && x == right && y <= middle)
    return true;
  if ((segments & kLowerRight) && x == right && y >= middle)
    return true;
  return false;
}

}  // namespace

Indexed DrawDigitStrip() {
  Indexed strip(kGlyphW * 11, kGlyphH, kIndexBlack);
  for (int k = 0; k < 11; ++k) {
    for (int y = 0; y < kGlyphH; ++y) {
      for (int x = 0; x < kGlyphW; ++x) {
        const bool dot = x % 2 == 0 && y % 2 == 0;
        uint8_t index = kIndexBlack;
        if (Lit(kDigitSegments[k], x, y)) {
          // Lit dots glow cyan and the gaps between them are filled dimly,
          // so a segment reads as a bar.
          index = dot ? kIndexLedOn : kIndexLedGlow;
        } else if (dot) {
          index = kIndexLedDim;
        }
        strip.at(kGlyphW * k + x, y) = index;
      }
    }
  }
  return strip;
}

Indexed DrawPaletteCarrier() {
  return Indexed(3, 3, kIndexBlack);
}

}  // namespace art
