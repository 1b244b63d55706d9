// SPDX-License-Identifier: MIT
// The art generator's common parts: the shared 8-bit palette, the drawing
// surface, the suit shapes and the BMP encoders.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>
#include <string>
#include <vector>

namespace art {

// Every picture is drawn at this many times its size with antialiasing off
// and then averaged down by integer arithmetic. Qt's non-antialiased fills
// of opaque colours are plain span copies, so the result does not depend on
// which blending code path a machine's CPU selects.
constexpr int kSuper = 4;

// Named colours; each is an entry of the common palette, so flat areas keep
// exactly these values after quantizing.
namespace ink {
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kCream = 0xfff6f0dc;
constexpr QRgb kRed = 0xffd01028;
constexpr QRgb kRedDark = 0xff8c0c1c;
constexpr QRgb kSuitBlack = 0xff16161e;
constexpr QRgb kGold = 0xffe8b428;
constexpr QRgb kGoldDark = 0xff9c6c14;
constexpr QRgb kGoldLight = 0xfff8e08c;
constexpr QRgb kSkin = 0xfff8d0ac;
constexpr QRgb kSkinShade = 0xffd49c78;
constexpr QRgb kHair = 0xff6e4018;
constexpr QRgb kHairLight = 0xffc88c30;
constexpr QRgb kBlue = 0xff2848a0;
constexpr QRgb kBlueDark = 0xff101e56;
constexpr QRgb kBlueLight = 0xff78a0e2;
constexpr QRgb kMaroon = 0xff80101c;
constexpr QRgb kMaroonDark = 0xff440810;
constexpr QRgb kRose = 0xffe87890;
constexpr QRgb kGreen = 0xff288c3c;
constexpr QRgb kFelt = 0xff14562c;
constexpr QRgb kFeltDark = 0xff0c3c1e;
constexpr QRgb kFeltLight = 0xff226e3c;
constexpr QRgb kSteel = 0xffa8acb8;
constexpr QRgb kSilver = 0xffd8dce4;
constexpr QRgb kGrey = 0xff60646c;
constexpr QRgb kLedOn = 0xff00ffff;
constexpr QRgb kLedDim = 0xff48494b;
constexpr QRgb kLedGlow = 0xff161f2f;
}  // namespace ink

// Palette indices fixed by the digit strip.
constexpr int kIndexBlack = 0;
constexpr int kIndexLedOn = 14;
constexpr int kIndexLedDim = 76;
constexpr int kIndexLedGlow = 170;

const std::vector<QRgb>& Palette();
// The palette entry nearest to an opaque colour; ties go to the lower index.
uint8_t Nearest(QRgb colour);

// An 8-bit picture: palette indices, top row first.
struct Indexed {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  Indexed() = default;
  Indexed(int w, int h, uint8_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  uint8_t& at(int x, int y) { return pixels[size_t(y) * width + x]; }
  uint8_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Composites over black and maps every pixel to its nearest palette entry.
Indexed Quantize(const QImage& image);
// Turns a picture a quarter turn clockwise (width and height swap).
Indexed RotateClockwise(const Indexed& picture);

// A supersampled drawing surface. The painter works in the picture's own
// pixel coordinates; Resolve averages each kSuper x kSuper block.
// How many pixels a unit of the drawings takes in what is drawn now: 1 for
// the program's bitmaps, more for sharper copies of the same drawings.
void SetDrawingScale(double scale);
double DrawingScale();

class Canvas {
 public:
  // width x height units of the drawing, at the drawing scale.
  Canvas(int width, int height, QRgb background = 0);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  QPainter& painter() { return *m_painter; }
  // In pixels.
  int width() const { return m_width; }
  int height() const { return m_height; }
  void FillPath(const QPainterPath& path, QRgb colour);
  void FillRect(double x, double y, double w, double h, QRgb colour);
  void FillEllipse(double cx, double cy, double rx, double ry, QRgb colour);
  // Pixel-exact cells from rows of text: '#' is set, anything else is left.
  void Glyph(const std::vector<std::string>& rows, int x, int y, QRgb colour);
  // Premultiplied ARGB32 at the picture's size.
  QImage Resolve();

 private:
  void Begin();

  int m_width;
  int m_height;
  double m_scale;
  QImage m_image;
  QPainter* m_painter;
};

enum class Suit { Clubs, Diamonds, Hearts, Spades };
// The suit's outline fitting the box of the given centre and size.
QPainterPath SuitPath(Suit suit, double cx, double cy, double w, double h);
bool IsRed(Suit suit);
QRgb SuitInk(Suit suit);

// Rank glyph rows: "6".."10", "J", "Q", "K", "A".
const std::vector<std::string>& RankGlyph(const std::string& rank);

// Whole BMP files.
std::vector<uint8_t> EncodeBmp8(const Indexed& picture);
// 32 bits per pixel, straight alpha in the fourth byte.
std::vector<uint8_t> EncodeBmp32(const QImage& premultiplied);
// A whole .ico file of these premultiplied images, one entry each.
std::vector<uint8_t> EncodeIco(const std::vector<QImage>& sizes);

// The pictures.
Indexed DrawFace(Suit suit, const std::string& rank);
Indexed DrawBack(bool main);
Indexed DrawCloth(int width, int height);
Indexed DrawSuitSymbol(Suit suit);
// The program's icon, drawn on 32 units, at size x size pixels.
QImage DrawIcon(int size = 32);
Indexed DrawDigitStrip();
Indexed DrawPaletteCarrier();

// Court pictures in the frame's upper half (card coordinates); the caller
// turns the painter for the lower half.
void DrawCourtHalf(Canvas& canvas, Suit suit, char rank);
// The rounded white card with black outside, shared by faces and backs.
QPainterPath CardOutline(double w, double h);

}  // namespace art
