// SPDX-License-Identifier: MIT
// Card backs, the cloth of empty places, the suit signs and the icon.
#include "tools/art.h"

namespace art {
namespace {

constexpr int kCardW = 69;
constexpr int kCardH = 94;

// A fixed integer hash, so the cloth's grain is the same on every machine.
uint32_t Grain(uint32_t x, uint32_t y) {
  uint32_t h = x * 0x9e3779b1u ^ (y + 0x7f4a7c15u) * 0x85ebca77u;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  return h;
}

void Medallion(Canvas& c, QRgb field, QRgb ring, QRgb emblem, bool diamond) {
  const double cx = kCardW / 2.0;
  const double cy = kCardH / 2.0;
  c.FillEllipse(cx, cy, 14, 18, ring);
  c.FillEllipse(cx, cy, 12.5, 16.5, field);
  c.FillEllipse(cx, cy, 11, 15, ring);
  c.FillEllipse(cx, cy, 10, 14, field);
  if (diamond) {
    c.FillPath(SuitPath(Suit::Diamonds, cx, cy, 14, 20), emblem);
    c.FillPath(SuitPath(Suit::Diamonds, cx, cy, 7, 10), field);
    c.FillPath(SuitPath(Suit::Diamonds, cx, cy, 4, 6), emblem);
  } else {
    // Four petals round a centre: a rose window.
    for (const QPointF& d : {QPointF(0, -7), QPointF(0, 7), QPointF(-5.5, 0), QPointF(5.5, 0)}) {
      c.FillEllipse(cx + d.x(), cy + d.y(), 3.2, 3.2, emblem);
    }
    c.FillEllipse(cx, cy, 3.5, 3.5, ring);
    c.FillEllipse(cx, cy, 1.5, 1.5, emblem);
  }
}

}  // namespace

Indexed DrawBack(bool main) {
  Canvas c(kCardW, kCardH);
  c.FillPath(CardOutline(kCardW, kCardH), ink::kSteel);
  QPainterPath face;
  face.addRoundedRect(0.75, 0.75, kCardW - 1.5, kCardH - 1.5, 3.75, 3.75);
  c.FillPath(face, ink::kWhite);
  const QRgb field = main ? ink::kBlue : ink::kMaroon;
  const QRgb dark = main ? ink::kBlueDark : ink::kMaroonDark;
  const QRgb light = main ? ink::kBlueLight : ink::kGold;
  QPainterPath border;
  border.addRoundedRect(3, 3, kCardW - 6, kCardH - 6, 2.5, 2.5);
  c.FillPath(border, dark);
  c.FillRect(4, 4, kCardW - 8, kCardH - 8, ink::kGold);
  c.FillRect(5, 5, kCardW - 10, kCardH - 10, dark);
  for (int y = 6; y < kCardH - 6; ++y) {
    for (int x = 6; x < kCardW - 6; ++x) {
      QRgb colour = field;
      if (main) {
        // A diamond lattice with a dot in every cell.
        const int u = x - 6 + y - 6 + 4;
        const int v = x - 6 - (y - 6) + 400;
        if (u % 8 == 0 || v % 8 == 0) {
          colour = light;
        } else if (u % 8 == 4 && v % 8 == 4) {
          colour = ink::kWhite;
        }
      } else {
        // Basket weave: blocks of stripes, turned in every other block.
        const int bx = (x - 6) / 4;
        const int by = (y - 6) / 4;
        const bool across = (bx + by) % 2 == 0;
        const int along = across ? (y - 6) % 4 : (x - 6) % 4;
        if (along == 3) {
          colour = dark;
        } else if (along == 1) {
          colour = ink::kRed;
        }
      }
      c.FillRect(x, y, 1, 1, colour);
    }
  }
  Medallion(c, dark, ink::kGold, main ? ink::kWhite : ink::kGoldLight, main);
  return Quantize(c.Resolve());
}

Indexed DrawCloth(int width, int height) {
  Canvas c(width, height);
  QPainterPath place;
  place.addRoundedRect(0, 0, width, height, 4.5, 4.5);
  QPainter& p = c.painter();
  p.save();
  p.setClipPath(place);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t g = Grain(uint32_t(x), uint32_t(y)) % 100;
      QRgb colour = ink::kFelt;
      // A fine twill under a random grain.
      if ((x + 2 * y) % 5 == 0) {
        colour = 0xff104a26;
      }
      if (g < 14) {
        colour = ink::kFeltDark;
      } else if (g >= 90) {
        colour = 0xff1a6434;
      }
      c.FillRect(x, y, 1, 1, colour);
    }
  }
  p.restore();
  QPainterPath edge;
  edge.addRoundedRect(1.5, 1.5, width - 3, height - 3, 3, 3);
  QPainterPath inside;
  inside.addRoundedRect(2.25, 2.25, width - 4.5, height - 4.5, 2.5, 2.5);
  c.FillPath(edge.subtracted(inside), ink::kFeltLight);
  return Quantize(c.Resolve());
}

Indexed DrawSuitSymbol(Suit suit) {
  Canvas c(19, 18);
  c.FillPath(SuitPath(suit, 9.5, 9, 15, 16), IsRed(suit) ? ink::kRed : ink::kSilver);
  return Quantize(c.Resolve());
}

QImage DrawIcon(int size) {
  const double scale = DrawingScale();
  SetDrawingScale(size / 32.0);
  Canvas c(32, 32);
  SetDrawingScale(scale);
  QPainter& p = c.painter();
  // Sines and cosines of 24 degrees written out, so no maths library
  // rounding enters the picture.
  constexpr double kCos = 0.91354545764260087;
  constexpr double kSin = 0.40673664307580015;
  struct Fan {
    double cos;
    double sin;
  };
  const Fan fans[3] = {{kCos, -kSin}, {1, 0}, {kCos, kSin}};
  for (int i = 0; i < 3; ++i) {
    p.save();
    // Each card turns about a point below the fan's middle, so that the
    // left edge of every card stays in sight with its suit.
    p.setTransform(QTransform(fans[i].cos, fans[i].sin, -fans[i].sin, fans[i].cos, 0, 0) *
                       QTransform::fromTranslate(16.5, 32),
                   true);
    QPainterPath card;
    card.addRoundedRect(-8.5, -30, 17, 24, 2.5, 2.5);
    c.FillPath(card, ink::kSuitBlack);
    QPainterPath face;
    face.addRoundedRect(-7.5, -29, 15, 22, 1.5, 1.5);
    if (i == 0) {
      c.FillPath(face, ink::kBlue);
      c.FillRect(-5.5, -27, 11, 18, ink::kBlueLight);
      c.FillRect(-4.5, -26, 9, 16, ink::kBlue);
    } else if (i == 1) {
      c.FillPath(face, ink::kWhite);
      c.FillPath(SuitPath(Suit::Spades, -3, -23, 6, 7), ink::kSuitBlack);
    } else {
      c.FillPath(face, ink::kWhite);
      c.FillPath(SuitPath(Suit::Hearts, 0, -18, 11, 12), ink::kRed);
    }
    p.restore();
  }
  return c.Resolve();
}

}  // namespace art
