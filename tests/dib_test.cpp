// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "gfx/dib.h"
#include "res/resource.h"

namespace {

// Colour-table entry i of the test images, distinct for every index.
COLORREF TestColor(int i) {
  return RGB(i, 255 - i, (i * 7) & 0xFF);
}

// A BMP file in memory: pixel byte (x, row) is x + width × row + 1 (8 bits),
// the colour table has `entries` entries of TestColor.
std::vector<BYTE> MakeBmp(LONG width, LONG height, WORD bitCount = 8, int entries = 256,
                          DWORD clrUsed = 0) {
  const DWORD row = (DWORD)((width * bitCount + 31) / 32 * 4);
  const DWORD offBits = 54 + 4 * (DWORD)entries;
  std::vector<BYTE> file(offBits + row * (DWORD)height);
  BITMAPFILEHEADER bfh = {0x4D42, (DWORD)file.size(), 0, 0, offBits};
  BITMAPINFOHEADER bi = {40, width, height,  1, bitCount, BI_RGB, row * (DWORD)height,
                         0,  0,     clrUsed, 0};
  std::memcpy(file.data(), &bfh, 14);
  std::memcpy(file.data() + 14, &bi, 40);
  for (int i = 0; i < entries; ++i) {
    COLORREF c = TestColor(i);
    BYTE quad[4] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
    std::memcpy(file.data() + 54 + 4 * i, quad, 4);
  }
  for (LONG y = 0; y < height; ++y) {
    for (DWORD x = 0; x < row; ++x) {
      file[offBits + row * (DWORD)y + x] = (BYTE)(x + (DWORD)width * (DWORD)y + 1);
    }
  }
  return file;
}

// The fields a malformed file spoils, taken out of a good file and put back.
struct Fields {
  WORD type;
  DWORD offBits;
  BITMAPINFOHEADER bi;
  size_t size;
};

std::vector<BYTE> Spoiled(void (*spoil)(Fields&)) {
  std::vector<BYTE> file = MakeBmp(5, 3);
  Fields f;
  std::memcpy(&f.type, file.data(), 2);
  std::memcpy(&f.offBits, file.data() + 10, 4);
  std::memcpy(&f.bi, file.data() + 14, 40);
  f.size = file.size();
  spoil(f);
  std::memcpy(file.data(), &f.type, 2);
  std::memcpy(file.data() + 10, &f.offBits, 4);
  std::memcpy(file.data() + 14, &f.bi, 40);
  file.resize(f.size);
  return file;
}

DWORD ReadBytes(CDIB& dib, std::vector<BYTE>& file) {
  CMemFile mem(file.data(), (UINT)file.size(), 0);
  return dib.Read(mem);
}

BYTE PixelAt(const CDIB& dib, LONG x, LONG row) {
  return dib.GetBits()[(dib.Width() + 3) / 4 * 4 * row + x];
}

void ExpectEmpty(const CDIB& dib) {
  EXPECT_EQ(dib.GetInfo(), nullptr);
  EXPECT_EQ(dib.GetBits(), nullptr);
  EXPECT_EQ(dib.GetPalette(), nullptr);
  EXPECT_EQ(dib.NumColors(), 0);
}

TEST(Dib, BlankImageGeometry) {
  CDIB dib;
  ASSERT_TRUE(dib.CreateBlank(37, 20));
  EXPECT_EQ(dib.Width(), 37);
  EXPECT_EQ(dib.Height(), 20);
  EXPECT_EQ(dib.GetInfo()->biSizeImage, 800u);
  EXPECT_EQ(dib.ImageSize(), 800u);
  EXPECT_EQ(dib.NumColors(), 256);
  EXPECT_EQ(dib.GetPalette(), nullptr);
  const BYTE* table = reinterpret_cast<const BYTE*>(dib.GetInfo()) + 40;
  EXPECT_EQ(std::vector<BYTE>(table, table + 1024), std::vector<BYTE>(1024, 0x78));
  EXPECT_EQ(std::vector<BYTE>(dib.GetBits(), dib.GetBits() + 800), std::vector<BYTE>(800, 0));

  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {5, -1}, {INT_MAX, INT_MAX}, {1, 100000}}) {
    EXPECT_FALSE(dib.CreateBlank(w, h)) << w << " x " << h;
    ExpectEmpty(dib);
  }
}

TEST(Dib, ReadsWellFormedImageWithItsPalette) {
  std::vector<BYTE> file = MakeBmp(5, 3);
  CDIB dib;
  EXPECT_EQ(ReadBytes(dib, file), file.size());
  EXPECT_EQ(dib.Width(), 5);
  EXPECT_EQ(dib.NumColors(), 256);
  EXPECT_EQ(dib.ImageSize(), 24u);
  EXPECT_EQ(PixelAt(dib, 4, 2), 4 + 10 + 1);
  ASSERT_NE(dib.GetPalette(), nullptr);
  PALETTEENTRY e[256];
  ASSERT_EQ(dib.GetPalette()->GetPaletteEntries(0, 256, e), 256u);
  EXPECT_EQ(RGB(e[200].peRed, e[200].peGreen, e[200].peBlue), TestColor(200));

  // Saving writes the same file back.
  CMemFile out;
  EXPECT_EQ(dib.Save(out), file.size());
  std::vector<BYTE> saved(out.GetLength());
  out.SeekToBegin();
  out.Read(saved.data(), (UINT)saved.size());
  EXPECT_EQ(saved, file);
}

TEST(Dib, TrueColourImageHasNoPalette) {
  std::vector<BYTE> file = MakeBmp(3, 2, 24, 0);
  CDIB dib;
  EXPECT_EQ(ReadBytes(dib, file), file.size());
  EXPECT_EQ(dib.NumColors(), 0);
  EXPECT_TRUE(dib.BuildPalette());
  EXPECT_EQ(dib.GetPalette(), nullptr);
  EXPECT_EQ(dib.ImageSize(), 24u);
  dib.Fill(0, 0, 0);
  EXPECT_EQ(PixelAt(dib, 0, 0), 1);
}

TEST(Dib, MalformedFilesAreRefusedAndLeaveTheImageEmpty) {
  struct Case {
    const char* what;
    void (*spoil)(Fields&);
  };
  const Case cases[] = {
      {"not BM", [](Fields& f) { f.type = 0x5958; }},
      {"shorter than the file header", [](Fields& f) { f.size = 10; }},
      {"shorter than bfOffBits", [](Fields& f) { f.size = 500; }},
      {"bfOffBits below 54", [](Fields& f) { f.offBits = 40; }},
      {"bfOffBits beyond the file", [](Fields& f) { f.offBits = (DWORD)f.size + 1; }},
      {"bfOffBits near 4 GB", [](Fields& f) { f.offBits = 0xFFFFFFF0u; }},
      {"core header", [](Fields& f) { f.bi.biSize = 12; }},
      {"zero width", [](Fields& f) { f.bi.biWidth = 0; }},
      {"negative width", [](Fields& f) { f.bi.biWidth = -4; }},
      {"top-down rows", [](Fields& f) { f.bi.biHeight = -3; }},
      {"absurd width", [](Fields& f) { f.bi.biWidth = 0x7FFFFFFF; }},
      {"product overflowing 32 bits", [](Fields& f) { f.bi.biWidth = f.bi.biHeight = 65536; }},
      {"a gigabyte of pixels",
       [](Fields& f) { f.bi.biWidth = f.bi.biHeight = 16384, f.bi.biBitCount = 32; }},
      {"depth 7", [](Fields& f) { f.bi.biBitCount = 7; }},
      {"257 colours", [](Fields& f) { f.bi.biClrUsed = 257; }},
      {"65536 colours", [](Fields& f) { f.bi.biClrUsed = 0x10000; }},
      {"pixels one byte short", [](Fields& f) { f.size -= 1; }},
      {"more rows than pixels", [](Fields& f) { f.bi.biHeight = 4; }},
      {"RLE longer than its data",
       [](Fields& f) { f.bi.biCompression = BI_RLE8, f.bi.biSizeImage = 25; }},
      {"bit fields", [](Fields& f) { f.bi.biCompression = 3, f.bi.biBitCount = 32; }},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> file = Spoiled(c.spoil);
    CDIB dib;
    ASSERT_TRUE(dib.CreateBlank(2, 2));
    EXPECT_EQ(ReadBytes(dib, file), 0u) << c.what;
    ExpectEmpty(dib);
  }
}

class DibCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dst.CreateBlank(10, 8));
    ASSERT_TRUE(m_src.CreateBlank(12, 9));
    for (LONG y = 0; y < 9; ++y) {
      for (LONG x = 0; x < 12; ++x) {
        m_src.GetBits()[12 * y + x] = (BYTE)(1 + x + 12 * y);
      }
    }
  }
  // Every destination pixel: the source pixel it was copied from, or 0.
  void ExpectCopied(LONG sx, LONG sy, LONG dx0, LONG dy0, LONG dx1, LONG dy1) {
    for (LONG y = 0; y < 8; ++y) {
      for (LONG x = 0; x < 10; ++x) {
        bool inside = x >= dx0 && x < dx1 && y >= dy0 && y < dy1;
        BYTE want = inside ? (BYTE)(1 + (sx + x - dx0) + 12 * (sy + y - dy0)) : 0;
        ASSERT_EQ(PixelAt(m_dst, x, y), want) << "at " << x << "," << y;
      }
    }
  }
  CDIB m_dst, m_src;
};

TEST_F(DibCopy, ClipsAtEachEdge) {
  struct Case {
    LONG sx, sy, w, h, dx, dy;      // arguments
    LONG csx, csy, x0, y0, x1, y1;  // source origin and destination rectangle copied
  } const cases[] = {
      {2, 1, 9, 4, -3, 2, 5, 1, 0, 2, 6, 6},  // left: columns sx+3..sx+8 land in 0..5
      {0, 1, 3, 5, 1, -2, 0, 3, 1, 0, 4, 3},  // bottom
      {0, 0, 9, 2, 6, 0, 0, 0, 6, 0, 10, 2},  // right edge of the destination
      {0, 0, 2, 9, 0, 5, 0, 0, 0, 5, 2, 8},   // top edge of the destination
      {8, 6, 9, 9, 0, 0, 8, 6, 0, 0, 4, 3},   // far edges of the source
      {0, 0, 3, 3, -3, 0, 0, 0, 0, 0, 0, 0},  // dx + w = 0: nothing, but TRUE
  };
  for (const Case& c : cases) {
    SetUp();
    ASSERT_TRUE(m_dst.CopyPixels(&m_src, c.sx, c.sy, c.w, c.h, c.dx, c.dy));
    ExpectCopied(c.csx, c.csy, c.x0, c.y0, c.x1, c.y1);
  }
}

TEST_F(DibCopy, RefusesWithoutTouchingTheDestination) {
  struct Case {
    const char* what;
    LONG sx, sy, w, h, dx, dy;
  } const cases[] = {
      {"dx + w = -1", 0, 0, 3, 3, -4, 0},
      {"dy + h = -1", 0, 0, 3, 3, 0, -4},
      {"dx at the width", 0, 0, 3, 3, 10, 0},
      {"dy at the height", 0, 0, 3, 3, 0, 8},
      {"source x negative", -1, 0, 3, 3, 0, 0},
      {"source y beyond", 0, 10, 3, 3, 0, 0},
      {"source x beyond after clipping", 11, 0, 5, 3, -3, 0},
      {"negative width", 0, 0, -2, 3, 5, 0},
      {"negative height", 0, 0, 3, -2, 0, 5},
      {"overflowing sums", INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MIN},
      {"overflowing clip", INT_MIN, 0, INT_MAX, 3, -5, 0},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(m_dst.CopyPixels(&m_src, c.sx, c.sy, c.w, c.h, c.dx, c.dy)) << c.what;
    ExpectCopied(0, 0, 0, 0, 0, 0);
  }
}

TEST_F(DibCopy, RefusesMismatchedColourCountsAndDepths) {
  std::vector<BYTE> file16 = MakeBmp(4, 4, 8, 16, 16);
  std::vector<BYTE> file24 = MakeBmp(4, 4, 24, 0, 256);
  CDIB dib16, dib24, empty;
  ASSERT_NE(ReadBytes(dib16, file16), 0u);
  ASSERT_NE(ReadBytes(dib24, file24), 0u);
  ASSERT_EQ(dib24.NumColors(), 256);  // same count, but 24 bits per pixel
  for (CDIB* other : {&dib16, &dib24, &empty}) {
    EXPECT_FALSE(m_dst.CopyPixels(other, 0, 0, 2, 2, 0, 0));
    EXPECT_FALSE(other->CopyPixels(&m_dst, 0, 0, 2, 2, 0, 0));
  }
  EXPECT_FALSE(m_dst.CopyPixels(nullptr, 0, 0, 2, 2, 0, 0));
  ExpectCopied(0, 0, 0, 0, 0, 0);
}

TEST_F(DibCopy, WithinOneImageCopiesAsThroughATemporary) {
  struct Case {
    LONG sx, sy, w, h, dx, dy;
  } const cases[] = {
      {0, 0, 8, 6, 2, 2},   // up and right: rows read after nearer ones were written
      {3, 3, 8, 6, 0, 0},   // down and left
      {0, 2, 12, 5, 0, 3},  // one row up, whole rows
      {1, 0, 10, 9, 0, 0},  // along the rows only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx - c.sx << "," << c.dy - c.sy);
    SetUp();
    CDIB before;
    ASSERT_TRUE(before.CreateBlank(12, 9));
    ASSERT_TRUE(before.CopyPixels(&m_src, 0, 0, 12, 9, 0, 0));
    CDIB expected;
    ASSERT_TRUE(expected.CreateBlank(12, 9));
    ASSERT_TRUE(expected.CopyPixels(&before, 0, 0, 12, 9, 0, 0));
    ASSERT_TRUE(expected.CopyPixels(&before, c.sx, c.sy, c.w, c.h, c.dx, c.dy));
    ASSERT_TRUE(m_src.CopyPixels(&m_src, c.sx, c.sy, c.w, c.h, c.dx, c.dy));
    EXPECT_EQ(std::vector<BYTE>(m_src.GetBits(), m_src.GetBits() + 12 * 9),
              std::vector<BYTE>(expected.GetBits(), expected.GetBits() + 12 * 9));
  }
}

TEST(Dib, PalettesAndFill) {
  std::vector<BYTE> file = MakeBmp(3, 3);
  CDIB source, blank;
  ASSERT_NE(ReadBytes(source, file), 0u);
  ASSERT_TRUE(blank.CreateBlank(6, 2));
  blank.Fill(0, 0, 0);  // no palette yet: nothing happens
  EXPECT_EQ(blank.GetBits()[0], 0);

  ASSERT_TRUE(blank.CopyPalette(&source));
  EXPECT_EQ(
      std::memcmp(reinterpret_cast<const BYTE*>(blank.GetInfo()) + 40, file.data() + 54, 1024), 0);
  blank.Fill(GetRValue(TestColor(77)), GetGValue(TestColor(77)), GetBValue(TestColor(77)));
  EXPECT_EQ(std::vector<BYTE>(blank.GetBits(), blank.GetBits() + 16), std::vector<BYTE>(16, 77));

  // Giving an image its own palette again keeps it whole.
  ASSERT_TRUE(blank.SetPalette(blank.GetPalette()));
  PALETTEENTRY e;
  ASSERT_EQ(blank.GetPalette()->GetPaletteEntries(77, 1, &e), 1u);
  EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), TestColor(77));

  std::vector<BYTE> file16 = MakeBmp(4, 2, 8, 16, 16);
  CDIB few;
  ASSERT_NE(ReadBytes(few, file16), 0u);
  few.Fill(0, 255, 0);
  EXPECT_EQ(PixelAt(few, 0, 0), 1);
  EXPECT_FALSE(blank.CopyPalette(nullptr));
  EXPECT_FALSE(blank.SetPalette(nullptr));
}

TEST(Dib, PaintDrawsThePixelsInTheirColours) {
  std::vector<BYTE> file = MakeBmp(4, 3);
  CDIB dib;
  ASSERT_NE(ReadBytes(dib, file), 0u);
  // Picture row r (counted from the top) is stored row 2 - r.
  auto colourAt = [](LONG x, LONG r) { return TestColor((int)(x + 4 * (2 - r) + 1)); };

  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 12);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
  const RECT all = {0, 0, 20, 12};
  FillRect(mem, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
  const COLORREF white = RGB(255, 255, 255);
  CDC dc;
  dc.Attach(mem);

  EXPECT_EQ(CDIB().Paint(&dc), 0);
  EXPECT_EQ(GetPixel(mem, 0, 0), white);

  // Each block of scale × scale device pixels at (x0, y0) shows one image
  // pixel, starting from picture column px and row py.
  auto expectDrawn = [&](LONG x0, LONG y0, LONG w, LONG h, LONG scale, LONG px, LONG py) {
    for (LONG y = 0; y < h * scale; ++y) {
      for (LONG x = 0; x < w * scale; ++x) {
        EXPECT_EQ(GetPixel(mem, x0 + x, y0 + y), colourAt(px + x / scale, py + y / scale))
            << x0 + x << "," << y0 + y;
      }
    }
    EXPECT_EQ(GetPixel(mem, x0 + w * scale, y0), white);
    EXPECT_EQ(GetPixel(mem, x0, y0 + h * scale), white);
  };

  EXPECT_EQ(dib.Paint(&dc), 3);
  EXPECT_EQ(GetStretchBltMode(mem), COLORONCOLOR);
  expectDrawn(0, 0, 4, 3, 1, 0, 0);

  // A part of the image at its own size.
  const RECT part = {1, 1, 3, 3}, partAt = {10, 0, 12, 2};
  EXPECT_GT(dib.Paint(&dc, &partAt, &part), 0);
  expectDrawn(10, 0, 2, 2, 1, 1, 1);

  // The whole image stretched to twice its size.
  const RECT twice = {10, 4, 18, 10};
  EXPECT_GT(dib.Paint(&dc, &twice), 0);
  expectDrawn(10, 4, 4, 3, 2, 0, 0);

  // Rectangles whose sides lie anywhere: sizes or the turned source y that
  // do not fit an int draw nothing, and a source far off the image shows
  // nothing of it.
  FillRect(mem, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
  const RECT hugeDst = {INT_MIN, 0, INT_MAX, 3};
  const RECT threeAt0 = {0, 0, 3, 3};
  const RECT farLeft = {INT_MIN, 0, INT_MIN + 3, 3};
  const RECT farDown = {0, INT_MIN, 3, INT_MIN + 3};
  const RECT farRight = {INT_MAX - 3, 0, INT_MAX, 3};
  EXPECT_EQ(dib.Paint(&dc, &hugeDst), 0);
  EXPECT_EQ(dib.Paint(&dc, &hugeDst, &hugeDst), 0);
  dib.Paint(&dc, &threeAt0, &farLeft);
  dib.Paint(&dc, &threeAt0, &farRight);
  EXPECT_EQ(dib.Paint(&dc, &threeAt0, &farDown), 0);
  dib.Paint(&dc, &farLeft, &threeAt0);
  const RECT stretchedFar = {INT_MAX - 8, INT_MAX - 8, INT_MAX, INT_MAX};
  dib.Paint(&dc, &stretchedFar, &farLeft);
  for (LONG y = 0; y < 12; ++y) {
    for (LONG x = 0; x < 20; ++x) {
      ASSERT_EQ(GetPixel(mem, x, y), white) << x << "," << y;
    }
  }

  dc.Detach();
  SelectObject(mem, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(mem);
}

TEST(Dib, ProgramResourcesLoad) {
  CDIB palette, digits;
  ASSERT_TRUE(palette.LoadFromResource(IDB_LED_PALETTE));
  EXPECT_EQ(palette.Width(), 3);
  EXPECT_EQ(palette.Height(), 3);
  ASSERT_TRUE(digits.LoadFromResource(IDB_DIGITS));
  EXPECT_EQ(digits.Width(), 99);
  EXPECT_EQ(digits.Height(), 13);
  EXPECT_EQ(digits.NumColors(), 256);

  CDIB led;
  ASSERT_TRUE(led.CreateBlank(37, 20));
  ASSERT_TRUE(led.LoadPalette(IDB_LED_PALETTE));
  led.Fill(255, 255, 255);
  led.Fill(0, 0, 0);
  EXPECT_EQ(std::vector<BYTE>(led.GetBits(), led.GetBits() + 800), std::vector<BYTE>(800, 0));
  EXPECT_TRUE(led.CopyPixels(&digits, 90, 0, 9, 13, 8, 4));
  EXPECT_FALSE(led.LoadPalette(4321));
  // A load that fails leaves the image empty, not as it was.
  EXPECT_FALSE(digits.LoadFromResource(4321));
  EXPECT_EQ(digits.GetInfo(), nullptr);
  EXPECT_EQ(digits.GetBits(), nullptr);
  EXPECT_EQ(digits.GetPalette(), nullptr);
}

}  // namespace
