// SPDX-License-Identifier: MIT
// The card faces: corner indices, pip layouts, the ace's large pip and the
// framed court pictures.
#include "tools/art.h"

namespace art {
namespace {

constexpr int kCardW = 69;
constexpr int kCardH = 94;

struct Pip {
  double x;
  double y;
};

// Pip centres as on real cards: three columns, the lower half turned over.
std::vector<Pip> PipLayout(const std::string& rank) {
  constexpr double L = 21.5, M = 34.5, R = 47.5;
  std::vector<Pip> pips;
  auto pair = [&](double y) {
    pips.push_back({L, y});
    pips.push_back({R, y});
  };
  if (rank == "9" || rank == "10") {
    for (double y : {17.0, 37.0, 57.0, 77.0}) {
      pair(y);
    }
  } else {
    for (double y : {17.0, 47.0, 77.0}) {
      pair(y);
    }
  }
  if (rank == "7" || rank == "8") {
    pips.push_back({M, 32});
  }
  if (rank == "8") {
    pips.push_back({M, 62});
  }
  if (rank == "9") {
    pips.push_back({M, 47});
  }
  if (rank == "10") {
    pips.push_back({M, 27});
    pips.push_back({M, 67});
  }
  return pips;
}

// Rank above a small suit sign; the card draws it twice, the second time
// turned half round into the opposite corner.
void DrawIndex(Canvas& c, Suit suit, const std::string& rank) {
  const std::vector<std::string>& glyph = RankGlyph(rank);
  const int x = rank == "10" ? 2 : 3;
  c.Glyph(glyph, x, 4, SuitInk(suit));
  c.FillPath(SuitPath(suit, 6.5, 19, 7, 8), SuitInk(suit));
}

void DrawCourt(Canvas& c, Suit suit, char rank) {
  const QRectF frame(12, 8, 45, 78);
  const QRgb line = IsRed(suit) ? ink::kRedDark : ink::kSuitBlack;
  QPainterPath outer;
  outer.addRect(frame);
  c.FillPath(outer, line);
  QPainterPath inner;
  inner.addRect(frame.adjusted(1, 1, -1, -1));
  c.FillPath(inner, ink::kCream);

  QPainter& p = c.painter();
  for (int half = 0; half < 2; ++half) {
    p.save();
    if (half == 1) {
      p.translate(kCardW, kCardH);
      p.rotate(180);
    }
    p.setClipRect(QRectF(13, 9, 43, 38));
    DrawCourtHalf(c, suit, rank);
    p.restore();
  }
}

}  // namespace

Indexed DrawFace(Suit suit, const std::string& rank) {
  Canvas c(kCardW, kCardH);
  c.FillPath(CardOutline(kCardW, kCardH), ink::kSteel);
  QPainterPath face;
  face.addRoundedRect(0.75, 0.75, kCardW - 1.5, kCardH - 1.5, 3.75, 3.75);
  c.FillPath(face, ink::kWhite);

  QPainter& p = c.painter();
  for (int corner = 0; corner < 2; ++corner) {
    p.save();
    if (corner == 1) {
      p.translate(kCardW, kCardH);
      p.rotate(180);
    }
    DrawIndex(c, suit, rank);
    p.restore();
  }

  if (rank == "A") {
    c.FillPath(SuitPath(suit, 34.5, 47, 31, 34), SuitInk(suit));
    // A fine white inlay line; the club's three leaves would break it up.
    if (suit != Suit::Clubs) {
      c.FillPath(SuitPath(suit, 34.5, 47, 23, 25.5), ink::kWhite);
      c.FillPath(SuitPath(suit, 34.5, 47, 21, 23.2), SuitInk(suit));
    }
  } else if (rank == "J" || rank == "Q" || rank == "K") {
    DrawCourt(c, suit, rank[0]);
  } else {
    for (const Pip& pip : PipLayout(rank)) {
      // Mirroring the symmetric suit outline turns the lower pips over.
      const double h = pip.y > 47 ? -13.5 : 13.5;
      c.FillPath(SuitPath(suit, pip.x, pip.y, 12, h), SuitInk(suit));
    }
  }
  return Quantize(c.Resolve());
}

}  // namespace art
