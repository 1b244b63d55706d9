// SPDX-License-Identifier: MIT
// The one 256-entry palette of every 8-bit picture, and the mapping of drawn
// colours onto it.
#include <algorithm>
#include <cstdlib>

#include "tools/art.h"

namespace art {
namespace {

QRgb Mix(QRgb a, QRgb b, int num, int den) {
  auto channel = [&](int ca, int cb) { return (ca * (den - num) + cb * num + den / 2) / den; };
  return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
              channel(qBlue(a), qBlue(b)));
}

std::vector<QRgb> BuildPalette() {
  using namespace ink;
  std::vector<QRgb> free;
  auto add = [&](QRgb c) {
    c |= 0xff000000;
    // Black is entry 0 and nowhere else, so a view's black mask and the
    // counters' black background can only ever mean index 0.
    if ((c & 0xffffff) == 0) {
      return;
    }
    if (c == kLedOn || c == kLedDim || c == kLedGlow) {
      return;
    }
    if (std::find(free.begin(), free.end(), c) == free.end()) {
      free.push_back(c);
    }
  };
  // Intermediate steps only: the ends are added as named colours.
  auto ramp = [&](QRgb a, QRgb b, int steps) {
    for (int i = 1; i <= steps; ++i) {
      add(Mix(a, b, i, steps + 1));
    }
  };

  for (QRgb c : {kWhite,     kCream,  kRed,        kRedDark, kSuitBlack, kGold, kGoldDark,
                 kGoldLight, kSkin,   kSkinShade,  kHair,    kHairLight, kBlue, kBlueDark,
                 kBlueLight, kMaroon, kMaroonDark, kRose,    kGreen,     kFelt, kFeltDark,
                 kFeltLight, kSteel,  kSilver,     kGrey}) {
    add(c);
  }
  // Antialiased edges: each ink against the white card and against black.
  ramp(kRed, kWhite, 10);
  ramp(kRed, kBlack, 5);
  ramp(kSuitBlack, kWhite, 12);
  for (int i = 1; i < 24; ++i) {
    const int v = (255 * i + 11) / 23;
    add(qRgb(v, v, v));
  }
  ramp(kGold, kWhite, 4);
  ramp(kGold, kGoldDark, 3);
  ramp(kGoldDark, kBlack, 3);
  ramp(kSkin, kSkinShade, 2);
  ramp(kSkinShade, kHair, 3);
  ramp(kHair, kBlack, 2);
  ramp(kBlueDark, kBlue, 3);
  ramp(kBlue, kBlueLight, 3);
  ramp(kBlueLight, kWhite, 4);
  ramp(kBlueDark, kBlack, 3);
  ramp(kMaroonDark, kMaroon, 2);
  ramp(kMaroon, kRed, 2);
  ramp(kMaroonDark, kBlack, 2);
  ramp(kMaroon, kWhite, 4);
  ramp(kFeltDark, kFelt, 3);
  ramp(kFelt, kFeltLight, 3);
  ramp(kFeltLight, kGreen, 3);
  ramp(kFeltDark, kBlack, 3);
  ramp(kRed, kGold, 3);
  ramp(kBlue, kGold, 3);
  ramp(kBlueDark, kGold, 3);
  ramp(kSuitBlack, kGold, 3);
  ramp(kSuitBlack, kRed, 3);
  ramp(kMaroon, kGold, 3);
  ramp(kRed, kSkin, 2);
  ramp(kSkin, kWhite, 2);
  ramp(kRose, kWhite, 2);
  ramp(kGreen, kWhite, 3);
  // A coarse cube for whatever else a picture holds.
  for (int r = 0; r < 4; ++r) {
    for (int g = 0; g < 4; ++g) {
      for (int b = 0; b < 4; ++b) {
        add(qRgb(r * 85, g * 85, b * 85));
      }
    }
  }

  std::vector<QRgb> palette(256, kBlack);
  palette[kIndexLedOn] = kLedOn;
  palette[kIndexLedDim] = kLedDim;
  palette[kIndexLedGlow] = kLedGlow;
  size_t next = 0;
  for (int i = 1; i < 256; ++i) {
    if (i == kIndexLedOn || i == kIndexLedDim || i == kIndexLedGlow) {
      continue;
    }
    // Left over entries repeat a mid grey rather than black.
    palette[i] = next < free.size() ? free[next++] : qRgb(128, 128, 128);
  }
  return palette;
}

}  // namespace

const std::vector<QRgb>& Palette() {
  static const std::vector<QRgb> palette = BuildPalette();
  return palette;
}

uint8_t Nearest(QRgb colour) {
  const std::vector<QRgb>& palette = Palette();
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    const long dr = qRed(colour) - qRed(palette[i]);
    const long dg = qGreen(colour) - qGreen(palette[i]);
    const long db = qBlue(colour) - qBlue(palette[i]);
    // Weighted towards green, which the eye separates best.
    const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return uint8_t(best);
}

Indexed Quantize(const QImage& image) {
  const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  Indexed out(source.width(), source.height());
  for (int y = 0; y < source.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      // Premultiplied channels are the colour laid over black.
      out.at(x, y) = Nearest(row[x] | 0xff000000);
    }
  }
  return out;
}

Indexed RotateClockwise(const Indexed& picture) {
  Indexed out(picture.height, picture.width);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      out.at(picture.height - 1 - y, x) = picture.at(x, y);
    }
  }
  return out;
}

}  // namespace art
