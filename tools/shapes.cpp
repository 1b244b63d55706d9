// SPDX-License-Identifier: MIT
// The suit outlines, the rank glyphs and the card's rounded outline.
#include <map>

#include "tools/art.h"

namespace art {
namespace {

// Outlines in a unit box centred on the origin, y downwards.
QPainterPath UnitHeart() {
  QPainterPath p;
  p.moveTo(0, 0.5);
  p.cubicTo(-0.12, 0.32, -0.5, 0.08, -0.5, -0.17);
  p.cubicTo(-0.5, -0.42, -0.2, -0.56, 0, -0.28);
  p.cubicTo(0.2, -0.56, 0.5, -0.42, 0.5, -0.17);
  p.cubicTo(0.5, 0.08, 0.12, 0.32, 0, 0.5);
  p.closeSubpath();
  return p;
}

QPainterPath UnitDiamond() {
  QPainterPath p;
  p.moveTo(0, -0.5);
  p.quadTo(0.16, -0.2, 0.42, 0);
  p.quadTo(0.16, 0.2, 0, 0.5);
  p.quadTo(-0.16, 0.2, -0.42, 0);
  p.quadTo(-0.16, -0.2, 0, -0.5);
  p.closeSubpath();
  return p;
}

QPainterPath UnitSpade() {
  QPainterPath p;
  p.moveTo(0, -0.5);
  p.cubicTo(0.12, -0.3, 0.5, -0.12, 0.5, 0.12);
  p.cubicTo(0.5, 0.34, 0.2, 0.4, 0.04, 0.24);
  p.quadTo(0.06, 0.44, 0.2, 0.5);
  p.lineTo(-0.2, 0.5);
  p.quadTo(-0.06, 0.44, -0.04, 0.24);
  p.cubicTo(-0.2, 0.4, -0.5, 0.34, -0.5, 0.12);
  p.cubicTo(-0.5, -0.12, -0.12, -0.3, 0, -0.5);
  p.closeSubpath();
  return p;
}

QPainterPath UnitClub() {
  QPainterPath leaves;
  leaves.addEllipse(QPointF(0, -0.25), 0.235, 0.235);
  QPainterPath left;
  left.addEllipse(QPointF(-0.255, 0.11), 0.235, 0.235);
  QPainterPath right;
  right.addEllipse(QPointF(0.255, 0.11), 0.235, 0.235);
  QPainterPath middle;
  middle.addRect(-0.12, -0.1, 0.24, 0.26);
  QPainterPath stem;
  stem.moveTo(-0.04, 0.1);
  stem.lineTo(0.04, 0.1);
  stem.quadTo(0.06, 0.42, 0.2, 0.5);
  stem.lineTo(-0.2, 0.5);
  stem.quadTo(-0.06, 0.42, -0.04, 0.1);
  stem.closeSubpath();
  return leaves.united(left).united(right).united(middle).united(stem);
}

}  // namespace

QPainterPath SuitPath(Suit suit, double cx, double cy, double w, double h) {
  static const QPainterPath shapes[4] = {UnitClub(), UnitDiamond(), UnitHeart(), UnitSpade()};
  QTransform t;
  t.translate(cx, cy);
  t.scale(w, h);
  return t.map(shapes[int(suit)]);
}

bool IsRed(Suit suit) {
  return suit == Suit::Diamonds || suit == Suit::Hearts;
}

QRgb SuitInk(Suit suit) {
  return IsRed(suit) ? ink::kRed : ink::kSuitBlack;
}

QPainterPath CardOutline(double w, double h) {
  QPainterPath p;
  p.addRoundedRect(0, 0, w, h, 4.5, 4.5);
  return p;
}

// Bold pixel figures, 9 rows high, so that a rank reads at a glance at the
// card's own size and never depends on the fonts of the machine.
const std::vector<std::string>& RankGlyph(const std::string& rank) {
  static const std::map<std::string, std::vector<std::string>> glyphs = {
      {"6",
       {"..####.", ".##....", "##.....", "#####..", "##..##.", "##..##.", "##..##.", "##..##.",
        ".####.."}},
      {"7",
       {"######.", "....##.", "...##..", "...##..", "..##...", "..##...", ".##....", ".##....",
        ".##...."}},
      {"8",
       {".####..", "##..##.", "##..##.", ".####..", "##..##.", "##..##.", "##..##.", "##..##.",
        ".####.."}},
      {"9",
       {".####..", "##..##.", "##..##.", "##..##.", "##..##.", ".#####.", "....##.", "...##..",
        ".###..."}},
      {"10",
       {".##..####.", "###.##..##", ".##.##..##", ".##.##..##", ".##.##..##", ".##.##..##",
        ".##.##..##", ".##.##..##", ".##..####."}},
      {"J",
       {"..####.", "....##.", "....##.", "....##.", "....##.", "....##.", "##..##.", "##..##.",
        ".####.."}},
      {"Q",
       {".####..", "##..##.", "##..##.", "##..##.", "##..##.", "##.###.", "##..##.", ".#####.",
        ".....##"}},
      {"K",
       {"##..##.", "##..##.", "##.##..", "####...", "###....", "####...", "##.##..", "##..##.",
        "##..##."}},
      {"A",
       {"..##...", "..##...", ".####..", ".#..#..", "##..##.", "##..##.", "######.", "##..##.",
        "##..##."}},
  };
  static const std::vector<std::string> none;
  const auto it = glyphs.find(rank);
  return it == glyphs.end() ? none : it->second;
}

}  // namespace art
