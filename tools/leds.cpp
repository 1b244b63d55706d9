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

// The segment, if any, that the glyph cell (x, y) lies on: bars two pixels
// thick, with the corners left dark so that each segment reads on its own.
// The middle bar sits just above half height, as on real displays.
int SegmentAt(int x, int y) {
  const bool inner = x >= 2 && x <= 6;
  const bool left = x <= 1, right = x >= 7;
  if (inner && y <= 1)
    return kTop;
  if (inner && (y == 5 || y == 6))
    return kMiddle;
  if (inner && y >= 11)
    return kBottom;
  if (y >= 2 && y <= 4)
    return left ? kUpperLeft : right ? kUpperRight : 0;
  if (y >= 7 && y <= 10)
    return left ? kLowerLeft : right ? kLowerRight : 0;
  return 0;
}

}  // namespace

Indexed DrawDigitStrip() {
  Indexed strip(kGlyphW * 11, kGlyphH, kIndexBlack);
  for (int k = 0; k < 11; ++k) {
    for (int y = 0; y < kGlyphH; ++y) {
      for (int x = 0; x < kGlyphW; ++x) {
        // A lit segment is a solid bright bar; an unlit one stays faintly
        // there, as on a real display.
        const int segment = SegmentAt(x, y);
        uint8_t index = kIndexBlack;
        if (segment & kDigitSegments[k]) {
          index = kIndexLedOn;
        } else if (segment) {
          index = kIndexLedGlow;
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
