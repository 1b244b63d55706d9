// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <windows.h>
#include "res/resource.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kBitmapDir = std::string(ZORV_SOURCE_DIR) + "/res/bitmaps/";

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U32(const Bytes& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

uint16_t U16(const Bytes& b, size_t at) {
  return uint16_t(b[at] | b[at + 1] << 8);
}

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

// An 8-bit BMP file read back by hand: header fields, table, and pixels
// indexed top row first, as the user sees the picture.
struct Picture {
  Bytes file;
  int width = 0;
  int height = 0;

  explicit Picture(const std::string& name) : file(ReadFile(kBitmapDir + name)) {
    if (file.size() >= 54) {
      width = int(U32(file, 18));
      height = int(U32(file, 22));
    }
  }
  Rgb Entry(int i) const { return {file[54 + 4 * i + 2], file[54 + 4 * i + 1], file[54 + 4 * i]}; }
  int At(int x, int y) const {
    const size_t stride = size_t(width + 3) / 4 * 4;
    return file[U32(file, 10) + stride * size_t(height - 1 - y) + size_t(x)];
  }
  Rgb ColourAt(int x, int y) const { return Entry(At(x, y)); }
};

struct Sized {
  int id;
  int width;
  int height;
};

std::vector<Sized> AllBitmaps() {
  std::vector<Sized> all;
  for (int id = 155; id <= 191; ++id) {
    if (id != 164) {
      all.push_back({id, 69, 94});
    }
  }
  all.push_back({195, 69, 94});
  all.push_back({196, 69, 94});
  all.push_back({197, 69, 94});
  for (int id = 205; id <= 208; ++id) {
    all.push_back({id, 19, 18});
  }
  all.push_back({209, 94, 69});
  all.push_back({210, 94, 69});
  return all;
}

std::string BmpName(int id) {
  return "bmp_" + std::to_string(id) + ".bmp";
}

TEST(ResourcesArt, GeneratorReproducesTheCommittedFilesByteForByte) {
#ifndef ZORV_ARTGEN
  GTEST_SKIP() << "the generator is not built";
#else
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QProcess gen;
  gen.start(QStringLiteral(ZORV_ARTGEN), {dir.path()});
  ASSERT_TRUE(gen.waitForFinished(120000));
  ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().toStdString();

  const QStringList fresh = QDir(dir.path()).entryList({"*.bmp"}, QDir::Files, QDir::Name);
  const QStringList committed =
      QDir(QString::fromStdString(kBitmapDir)).entryList({"*.bmp"}, QDir::Files, QDir::Name);
  EXPECT_EQ(fresh, committed);
  for (const QString& name : fresh) {
    const Bytes a = ReadFile(dir.filePath(name).toStdString());
    const Bytes b = ReadFile(kBitmapDir + name.toStdString());
    EXPECT_FALSE(a.empty()) << name.toStdString();
    EXPECT_TRUE(a == b) << name.toStdString() << " differs from the committed file";
  }
#endif
}

TEST(ResourcesArt, EveryBitmapFileIsAnEightBitBmpWithTheCommonTable) {
  const Picture reference("my_220.bmp");
  ASSERT_EQ(reference.file.size(), 2378u);
  for (const Sized& s : AllBitmaps()) {
    SCOPED_TRACE(s.id);
    const Picture p(BmpName(s.id));
    ASSERT_GE(p.file.size(), 1078u);
    EXPECT_EQ(U16(p.file, 0), 0x4D42);
    EXPECT_EQ(U32(p.file, 2), p.file.size());
    EXPECT_EQ(U32(p.file, 10), 1078u);
    EXPECT_EQ(U32(p.file, 14), 40u);
    EXPECT_EQ(p.width, s.width);
    EXPECT_EQ(p.height, s.height);
    EXPECT_EQ(U16(p.file, 28), 8);
    EXPECT_EQ(U32(p.file, 30), 0u);  // BI_RGB
    EXPECT_EQ(p.file.size(), 1078u + size_t(s.width + 3) / 4 * 4 * size_t(s.height));
    EXPECT_TRUE(std::equal(p.file.begin() + 54, p.file.begin() + 1078, reference.file.begin() + 54))
        << "colour table differs from the digit strip's";
  }
  EXPECT_FALSE(std::ifstream(kBitmapDir + BmpName(164)).good());
}

TEST(ResourcesArt, PaletteCarrierAndDigitStripHaveTheExactFileLayout) {
  const struct {
    const char* name;
    size_t size;
    int width;
    int height;
  } files[] = {{"my_217.bmp", 1090, 3, 3}, {"my_220.bmp", 2378, 99, 13}};
  const Picture strip("my_220.bmp");
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    const Picture p(f.name);
    ASSERT_EQ(p.file.size(), f.size);
    EXPECT_EQ(U16(p.file, 0), 0x4D42);
    EXPECT_EQ(U32(p.file, 2), f.size);
    EXPECT_EQ(U32(p.file, 10), 1078u);
    EXPECT_EQ(p.width, f.width);
    EXPECT_EQ(p.height, f.height);
    EXPECT_EQ(U16(p.file, 28), 8);
    EXPECT_EQ(U32(p.file, 46), 0u);  // biClrUsed
    EXPECT_EQ(p.Entry(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(p.Entry(14), (Rgb{0, 255, 255}));
    EXPECT_EQ(p.Entry(76), (Rgb{72, 73, 75}));
    EXPECT_EQ(p.Entry(170), (Rgb{22, 31, 47}));
    for (int i = 1; i < 256; ++i) {
      EXPECT_NE(p.Entry(i), (Rgb{0, 0, 0})) << "entry " << i << " is black too";
    }
    EXPECT_TRUE(std::equal(p.file.begin() + 54, p.file.begin() + 1078, strip.file.begin() + 54));
  }
  const Picture carrier("my_217.bmp");
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(carrier.At(x, y), 0);
    }
  }
}

// Segments by glyph, in the order top, upper right, lower right, bottom,
// lower left, upper left, middle; the last glyph is the blank.
constexpr const char* kSegments[11] = {"abcdef", "bc",  "abdeg",   "abcdg",  "bcfg", "acdfg",
                                       "acdefg", "abc", "abcdefg", "abcdfg", ""};

// The segment letter a glyph cell lies on, or 0: bars two pixels thick with
// dark corners, the middle bar on rows 5 and 6.
char SegmentOf(int x, int y) {
  const bool inner = x >= 2 && x <= 6;
  if (inner) {
    return y <= 1 ? 'a' : (y == 5 || y == 6) ? 'g' : y >= 11 ? 'd' : 0;
  }
  if (y >= 2 && y <= 4) {
    return x <= 1 ? 'f' : 'b';
  }
  if (y >= 7 && y <= 10) {
    return x <= 1 ? 'e' : 'c';
  }
  return 0;
}

TEST(ResourcesArt, DigitGlyphsAreSolidBarsOverFaintUnlitSegments) {
  const Picture strip("my_220.bmp");
  ASSERT_EQ(strip.file.size(), 2378u);
  for (int k = 0; k < 11; ++k) {
    SCOPED_TRACE(k);
    const std::string lit = kSegments[k];
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 9; ++x) {
        const char s = SegmentOf(x, y);
        const int expected = s == 0 ? 0 : lit.find(s) != std::string::npos ? 14 : 170;
        EXPECT_EQ(strip.At(9 * k + x, y), expected) << "at " << x << "," << y;
      }
    }
  }
  // Spot checks that read as a person would: the 1 is its right bars only,
  // the corners of every glyph are dark.
  EXPECT_EQ(strip.At(9 + 8, 3), 14);
  EXPECT_EQ(strip.At(9 + 7, 9), 14);
  EXPECT_EQ(strip.At(9 + 4, 0), 170);
  EXPECT_EQ(strip.At(9 + 0, 3), 170);
  EXPECT_EQ(strip.At(9 * 8 + 0, 0), 0);
  EXPECT_EQ(strip.At(9 * 8 + 8, 12), 0);
}

bool IsRedInk(const Rgb& c) {
  return c.r > 150 && c.g < 60 && c.b < 80;
}

bool IsBlackInk(const Rgb& c) {
  return c.r < 40 && c.g < 40 && c.b < 50 && !(c == Rgb{0, 0, 0});
}

TEST(ResourcesArt, FacesAreWhiteRoundedCardsInTheirSuitsColours) {
  const struct {
    int base;
    bool red;
  } suits[] = {{155, false}, {165, true}, {174, true}, {183, false}};
  std::set<Bytes> seen;
  for (const auto& suit : suits) {
    for (int offset = 0; offset < 9; ++offset) {
      const int id = suit.base + offset;
      SCOPED_TRACE(id);
      const Picture p(BmpName(id));
      ASSERT_EQ(p.width, 69);
      // Outside the rounded corners the view's black shows through.
      for (const auto& [x, y] : {std::pair{0, 0}, {68, 0}, {0, 93}, {68, 93}}) {
        EXPECT_EQ(p.At(x, y), 0);
      }
      EXPECT_EQ(p.ColourAt(34, 2), (Rgb{255, 255, 255}));
      // The rank in the top-left corner, and the same turned over in the
      // bottom-right one.
      int red = 0, black = 0, cornerInk = 0;
      for (int y = 0; y < 94; ++y) {
        for (int x = 0; x < 69; ++x) {
          // Inside the card only: its antialiased rim against black is dark.
          if (x >= 3 && x < 66 && y >= 3 && y < 91) {
            red += IsRedInk(p.ColourAt(x, y));
            black += IsBlackInk(p.ColourAt(x, y));
          }
          if (x >= 2 && x < 12 && y >= 3 && y < 14) {
            const bool ink = p.ColourAt(x, y).r < 200 || p.ColourAt(x, y).g < 200;
            cornerInk += ink;
            EXPECT_EQ(ink,
                      p.ColourAt(68 - x, 93 - y).r < 200 || p.ColourAt(68 - x, 93 - y).g < 200);
          }
        }
      }
      EXPECT_GT(cornerInk, 15);
      // Court pictures use both inks; the pips and the corners may not.
      const bool court = offset == 0 || offset == 6 || offset == 7;
      if (!court) {
        EXPECT_GT(suit.red ? red : black, 60);
        EXPECT_EQ(suit.red ? black : red, 0);
      }
      EXPECT_TRUE(seen.insert(p.file).second) << "the same picture as another face";
    }
  }
}

TEST(ResourcesArt, BacksDifferAndTheStockIsTheMainBackTurnedOnItsSide) {
  const Picture back("bmp_196.bmp");
  const Picture second("bmp_195.bmp");
  const Picture stock("bmp_209.bmp");
  EXPECT_NE(back.file, second.file);
  ASSERT_EQ(stock.width, 94);
  ASSERT_EQ(stock.height, 69);
  for (int y = 0; y < 94; ++y) {
    for (int x = 0; x < 69; ++x) {
      ASSERT_EQ(stock.At(93 - y, x), back.At(x, y)) << x << "," << y;
    }
  }
}

TEST(ResourcesArt, IconIsA32BitPictureWithTransparentSurroundings) {
  const Bytes icon = ReadFile(kBitmapDir + "icon_200.bmp");
  ASSERT_EQ(icon.size(), 54u + 32 * 32 * 4);
  EXPECT_EQ(U16(icon, 0), 0x4D42);
  EXPECT_EQ(U32(icon, 10), 54u);
  EXPECT_EQ(U32(icon, 18), 32u);
  EXPECT_EQ(U32(icon, 22), 32u);
  EXPECT_EQ(U16(icon, 28), 32);
  EXPECT_EQ(U32(icon, 30), 0u);
  int opaque = 0, clear = 0;
  for (size_t i = 54 + 3; i < icon.size(); i += 4) {
    opaque += icon[i] == 255;
    clear += icon[i] == 0;
  }
  EXPECT_GT(opaque, 200);
  EXPECT_GT(clear, 200);
  // Bottom-up: the first stored row is the picture's bottom row, whose
  // corners lie outside the fan.
  EXPECT_EQ(icon[54 + 3], 0);
}

TEST(ResourcesArt, EveryBitmapLoadsByIdWithItsSizeAndDepth) {
  const HINSTANCE module = GetModuleHandle(nullptr);
  for (const Sized& s : AllBitmaps()) {
    SCOPED_TRACE(s.id);
    const HBITMAP bitmap = LoadBitmap(module, MAKEINTRESOURCE(s.id));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    EXPECT_EQ(GetObject(bitmap, sizeof(info), &info), int(sizeof(info)));
    EXPECT_EQ(info.bmWidth, s.width);
    EXPECT_EQ(info.bmHeight, s.height);
    EXPECT_EQ(info.bmBitsPixel, 8);
    DeleteObject(bitmap);
  }
  EXPECT_EQ(LoadBitmap(module, MAKEINTRESOURCE(164)), nullptr);
  EXPECT_NE(LoadIcon(module, MAKEINTRESOURCE(IDR_MAINFRAME)), nullptr);
  const HRSRC strip = FindResource(module, "#220", RT_MY_BITMAP);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(SizeofResource(module, strip), 2378u);
  const HRSRC carrier = FindResource(module, "#217", RT_MY_BITMAP);
  ASSERT_NE(carrier, nullptr);
  EXPECT_EQ(SizeofResource(module, carrier), 1090u);
}

}  // namespace
