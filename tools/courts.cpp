// SPDX-License-Identifier: MIT
// The court figures: a king with crown, beard and sceptre, a queen with
// long hair, a small crown and a rose, a jack with a feathered cap and a
// halberd. Each is a bust in the upper half of the frame.
#include "tools/art.h"

namespace art {
namespace {

constexpr double kCx = 34.5;

struct Clothes {
  QRgb robe;
  QRgb sleeves;
  QRgb accent;
};

// The robe is in the suit's own colour; sleeves and trimmings tell the
// three figures apart even at a glance.
Clothes ClothesFor(Suit suit, char rank) {
  const bool red = IsRed(suit);
  const QRgb robe = red ? ink::kRed : ink::kSuitBlack;
  switch (rank) {
    case 'K':
      return {robe, ink::kBlue, red ? ink::kBlue : ink::kRed};
    case 'Q':
      return {robe, ink::kRose, ink::kBlue};
    default:
      return {robe, ink::kGreen, red ? ink::kBlue : ink::kRed};
  }
}

void Shoulders(Canvas& c, const Clothes& clothes) {
  QPainterPath robe;
  robe.moveTo(14, 48);
  robe.lineTo(15, 39);
  robe.cubicTo(15, 35, 19, 33, 25, 32.5);
  robe.lineTo(44, 32.5);
  robe.cubicTo(50, 33, 54, 35, 54, 39);
  robe.lineTo(55, 48);
  robe.closeSubpath();
  c.FillPath(robe, clothes.robe);
  QPainterPath sides;
  sides.addRect(12, 30, 12, 20);
  sides.addRect(45, 30, 12, 20);
  c.FillPath(robe.intersected(sides), clothes.sleeves);
  c.FillRect(24, 34, 1, 14, ink::kGold);
  c.FillRect(44, 34, 1, 14, ink::kGold);
  // A centre band down the chest, edged in gold and buttoned.
  c.FillRect(31.5, 32.5, 6, 15.5, ink::kGold);
  c.FillRect(32.5, 32.5, 4, 15.5, clothes.accent);
  for (double y : {36.0, 40.0, 44.0}) {
    c.FillRect(34, y, 1, 1, ink::kGold);
  }
}

void Face(Canvas& c) {
  c.FillRect(32, 26, 5, 6, ink::kSkinShade);
  c.FillEllipse(kCx, 22, 5.5, 6.5, ink::kSkin);
  c.FillRect(32, 21, 1, 1, ink::kSuitBlack);
  c.FillRect(36, 21, 1, 1, ink::kSuitBlack);
  c.FillRect(34, 23, 1, 1, ink::kSkinShade);
  c.FillRect(33, 25.5, 3, 1, ink::kRose);
}

void King(Canvas& c, Suit suit) {
  const Clothes clothes = ClothesFor(suit, 'K');
  Shoulders(c, clothes);
  // Ermine collar: white with black tails.
  QPainterPath collar;
  collar.moveTo(18, 34);
  collar.quadTo(kCx, 30, 51, 34);
  collar.lineTo(51, 37);
  collar.quadTo(kCx, 34.5, 18, 37);
  collar.closeSubpath();
  c.FillPath(collar, ink::kWhite);
  for (double x : {21.0, 26.0, 42.0, 47.0}) {
    c.FillRect(x, 34.5, 1, 1.5, ink::kSuitBlack);
  }
  c.FillEllipse(kCx, 20, 7, 6, ink::kHair);
  Face(c);
  // Full beard and moustache.
  QPainterPath beard;
  beard.moveTo(28.5, 23);
  beard.cubicTo(28.5, 30, 31, 34, kCx, 34.5);
  beard.cubicTo(38, 34, 40.5, 30, 40.5, 23);
  beard.quadTo(40, 27, 37, 27.5);
  beard.lineTo(32, 27.5);
  beard.quadTo(29, 27, 28.5, 23);
  beard.closeSubpath();
  c.FillPath(beard, ink::kHair);
  c.FillRect(32, 24.5, 5, 1, ink::kHair);
  c.FillRect(33, 26, 3, 1, ink::kRose);
  // Crown with three points and jewels.
  QPainterPath crown;
  crown.moveTo(28.5, 17);
  crown.lineTo(28.5, 9.5);
  crown.lineTo(31, 13);
  crown.lineTo(kCx, 8);
  crown.lineTo(38, 13);
  crown.lineTo(40.5, 9.5);
  crown.lineTo(40.5, 17);
  crown.closeSubpath();
  c.FillPath(crown, ink::kGold);
  c.FillRect(28.5, 15, 12, 2, ink::kGoldDark);
  c.FillRect(34, 12, 1, 2, IsRed(suit) ? ink::kBlue : ink::kRed);
  c.FillEllipse(28.5, 9.5, 0.9, 0.9, ink::kGoldLight);
  c.FillEllipse(kCx, 8, 0.9, 0.9, ink::kGoldLight);
  c.FillEllipse(40.5, 9.5, 0.9, 0.9, ink::kGoldLight);
  // Sceptre held at the right.
  c.FillRect(47, 17, 1.5, 31, ink::kGoldDark);
  c.FillEllipse(47.75, 15.5, 2.5, 2.5, ink::kGold);
  c.FillRect(47.25, 11, 1, 3, ink::kGold);
  c.FillRect(46, 12, 3.5, 1, ink::kGold);
  c.FillEllipse(47.75, 38, 2.2, 1.6, ink::kSkin);
}

void Queen(Canvas& c, Suit suit) {
  const Clothes clothes = ClothesFor(suit, 'Q');
  // Long hair falls behind the face onto the shoulders.
  QPainterPath hair;
  hair.moveTo(26, 36);
  hair.cubicTo(25, 24, 26, 13, kCx, 13);
  hair.cubicTo(43, 13, 44, 24, 43, 36);
  hair.closeSubpath();
  c.FillPath(hair, ink::kHairLight);
  Shoulders(c, clothes);
  // Low neckline with a necklace.
  QPainterPath neck;
  neck.moveTo(28.5, 32);
  neck.lineTo(40.5, 32);
  neck.lineTo(kCx, 38);
  neck.closeSubpath();
  c.FillPath(neck, ink::kSkin);
  for (double x : {30.0, 32.0, 34.0, 36.0, 38.0}) {
    c.FillRect(x, x == 34.0 ? 35.0 : 34.0, 1, 1, ink::kGold);
  }
  c.FillRect(25, 27, 3, 9, ink::kHairLight);
  c.FillRect(41, 27, 3, 9, ink::kHairLight);
  Face(c);
  c.FillRect(31.5, 20, 2, 0.5, ink::kHair);
  c.FillRect(35.5, 20, 2, 0.5, ink::kHair);
  c.FillRect(29, 15, 11, 2.5, ink::kHairLight);
  // A small crown of round tips with a jewel.
  c.FillRect(29.5, 12, 10, 3, ink::kGold);
  for (double x : {30.0, 34.5, 39.0}) {
    c.FillEllipse(x, 11, 1.3, 1.3, ink::kGold);
  }
  c.FillRect(34, 12.5, 1, 1.5, IsRed(suit) ? ink::kBlue : ink::kRed);
  // A rose held at the left.
  c.FillRect(21, 26, 1, 22, ink::kGreen);
  c.FillEllipse(20, 32, 1.8, 1, ink::kGreen);
  c.FillEllipse(22, 24, 3.2, 3.2, ink::kRed);
  c.FillEllipse(22, 24, 1.8, 1.8, ink::kRose);
  c.FillEllipse(22, 38, 2.2, 1.6, ink::kSkin);
}

void Jack(Canvas& c, Suit suit) {
  const Clothes clothes = ClothesFor(suit, 'J');
  Shoulders(c, clothes);
  // A white falling collar.
  QPainterPath collar;
  collar.moveTo(26, 31);
  collar.lineTo(43, 31);
  collar.lineTo(39.5, 36);
  collar.lineTo(kCx, 33);
  collar.lineTo(29.5, 36);
  collar.closeSubpath();
  c.FillPath(collar, ink::kWhite);
  // Short hair to the ears.
  c.FillEllipse(kCx, 21, 7, 7, ink::kHair);
  c.FillRect(27.5, 21, 14, 5, ink::kHair);
  Face(c);
  // A flat cap tilted to one side, with a feather.
  QPainterPath feather;
  feather.moveTo(38, 15);
  feather.cubicTo(42, 8, 47, 7, 50, 9);
  feather.cubicTo(46, 10, 43, 12, 39.5, 16);
  feather.closeSubpath();
  c.FillPath(feather, IsRed(suit) ? ink::kGold : ink::kWhite);
  c.FillEllipse(33.5, 14.5, 8.5, 3.2, clothes.accent);
  c.FillRect(27, 15.5, 15, 1.5, ink::kGold);
  // A halberd held at the right.
  c.FillRect(47, 12, 1.2, 36, ink::kHair);
  QPainterPath blade;
  blade.moveTo(47.6, 6);
  blade.lineTo(49, 12);
  blade.lineTo(46.2, 12);
  blade.closeSubpath();
  blade.moveTo(48.2, 13);
  blade.cubicTo(52, 13, 53, 16, 53, 19);
  blade.cubicTo(51, 17.5, 50, 17, 48.2, 17);
  blade.closeSubpath();
  c.FillPath(blade, ink::kSteel);
  c.FillEllipse(47.6, 38, 2.2, 1.6, ink::kSkin);
}

}  // namespace

void DrawCourtHalf(Canvas& c, Suit suit, char rank) {
  c.FillPath(SuitPath(suit, 18.5, 14, 7, 8), SuitInk(suit));
  switch (rank) {
    case 'K':
      King(c, suit);
      break;
    case 'Q':
      Queen(c, suit);
      break;
    default:
      Jack(c, suit);
      break;
  }
}

}  // namespace art
