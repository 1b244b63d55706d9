// SPDX-License-Identifier: MIT
// Graphics of the layer: DIBs drawn into memory DCs and read back, refusal
// of malformed headers, palettes, and bitmaps shared between loads.
#include <climits>
#include <cstring>
#include <string>

#include "tests/platform_fixture.h"

namespace platform_test {
namespace {

// A DIB as CDIB holds it: header, colour table, rows (bottom-up).
struct Dib {
  std::vector<BYTE> info, bits;
  explicit Dib(const std::vector<BYTE>& bmp) {
    DWORD off;
    std::memcpy(&off, bmp.data() + 10, 4);
    info.assign(bmp.begin() + 14, bmp.begin() + off);
    info.resize(std::max<size_t>(info.size(), sizeof(BITMAPINFO)));
    bits.assign(bmp.begin() + off, bmp.end());
  }
  BITMAPINFO* header() { return reinterpret_cast<BITMAPINFO*>(info.data()); }
};

class Canvas {
 public:
  // In colour: a memory DC's own compatible bitmap would have its one
  // bit per pixel, so the bitmap is made for the screen.
  Canvas(int w, int h) : dc(CreateCompatibleDC(nullptr)), bmp(ScreenBitmap(w, h)) {
    old = SelectObject(dc, bmp);
    RECT r{0, 0, w, h};
    HBRUSH grey = CreateSolidBrush(RGB(1, 2, 3));
    FillRect(dc, &r, grey);
    DeleteObject(grey);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  static HBITMAP ScreenBitmap(int w, int h) {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    return b;
  }
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ old;
};

constexpr COLORREF kUntouched = RGB(1, 2, 3);

COLORREF Entry(int i) {
  return RGB(i, 255 - i, 7);
}  // the fixture's colour table

TEST(PlatformDib, EightBitRowsLandTopDownWithTheirColours) {
  Dib dib(CardBmp());
  Canvas c(80, 100);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 5, 3, 69, 94, 0, 0, 0, 94, dib.bits.data(), dib.header(),
                              DIB_RGB_COLORS),
            94);
  for (auto [x, y] : {std::pair{0, 0}, {68, 0}, {0, 93}, {30, 40}, {68, 93}}) {
    EXPECT_EQ(c.At(5 + x, 3 + y), Entry((x + y) % 256)) << x << "," << y;
  }
  EXPECT_EQ(c.At(4, 3), kUntouched);
  EXPECT_EQ(c.At(5 + 69, 3), kUntouched);
  EXPECT_EQ(c.At(5, 3 + 94), kUntouched);
}

TEST(PlatformDib, SourceRectanglesCountFromTheBottomAndClip) {
  Dib dib(CardBmp());
  Canvas c(20, 20);
  // Source y 90 with height 4: the picture's top four rows.
  EXPECT_GT(SetDIBitsToDevice(c.dc, 0, 0, 10, 4, 3, 90, 0, 94, dib.bits.data(), dib.header(),
                              DIB_RGB_COLORS),
            0);
  EXPECT_EQ(c.At(0, 0), Entry(3));
  EXPECT_EQ(c.At(2, 3), Entry(5 + 3));
  // A source partly left of the image draws only the part inside it.
  Canvas d(20, 20);
  SetDIBitsToDevice(d.dc, 0, 0, 6, 1, -2, 93, 0, 94, dib.bits.data(), dib.header(), DIB_RGB_COLORS);
  EXPECT_EQ(d.At(0, 0), kUntouched);
  EXPECT_EQ(d.At(1, 0), kUntouched);
  EXPECT_EQ(d.At(2, 0), Entry(0));
}

TEST(PlatformDib, DepthsAndStretching) {
  Dib small(SmallBmp());
  Canvas c(12, 8);
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 6, 4, 0, 0, 3, 2, small.bits.data(), small.header(),
                          DIB_RGB_COLORS, SRCCOPY),
            2);
  // Each source pixel becomes a 2 x 2 block (nearest neighbour).
  EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(c.At(2, 0), RGB(0, 255, 0));
  EXPECT_EQ(c.At(5, 1), RGB(0, 0, 255));
  EXPECT_EQ(c.At(0, 2), RGB(16, 16, 16));
  EXPECT_EQ(c.At(5, 3), RGB(255, 255, 255));
  EXPECT_EQ(c.At(6, 0), kUntouched);

  struct Case {
    int bpp, colors;
    unsigned (*f)(int, int);
    COLORREF at10;  // the colour of pixel (1, 0)
  };
  const Case cases[] = {
      {1, 2, [](int x, int) { return (unsigned)(x & 1); }, Entry(1)},
      {4, 16, [](int x, int) { return (unsigned)(x + 5); }, Entry(6)},
      {32, 0, [](int x, int) { return x ? 0x123456u : 0u; }, RGB(0x12, 0x34, 0x56)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.bpp);
    std::vector<BYTE> bmp = MakeBmp(9, 2, k.bpp, k.colors, k.f);
    if (k.bpp == 1 || k.bpp == 4) {  // pack the indices MakeBmp left as bytes
      DWORD off;
      std::memcpy(&off, bmp.data() + 10, 4);
      size_t stride = ((9 * (size_t)k.bpp + 31) / 32) * 4;
      for (int row = 0; row < 2; ++row) {
        BYTE* r = bmp.data() + off + stride * row;
        std::fill(r, r + stride, 0);
        for (int x = 0; x < 9; ++x) {
          unsigned v = k.f(x, 0);
          if (k.bpp == 1)
            r[x / 8] |= (BYTE)(v << (7 - x % 8));
          if (k.bpp == 4)
            r[x / 2] |= (BYTE)(x % 2 ? v : v << 4);
        }
      }
    }
    Dib dib(bmp);
    Canvas d(9, 2);
    EXPECT_EQ(SetDIBitsToDevice(d.dc, 0, 0, 9, 2, 0, 0, 0, 2, dib.bits.data(), dib.header(),
                                DIB_RGB_COLORS),
              2);
    EXPECT_EQ(d.At(1, 0), k.at10);
  }
}

TEST(PlatformDib, MalformedHeadersAreRefusedAndDrawNothing) {
  struct Case {
    const char* what;
    void (*spoil)(BITMAPINFOHEADER&);
  };
  const Case cases[] = {
      {"header size 12", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
      {"width 0", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
      {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -69; }},
      {"height 0", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
      {"width 40000", [](BITMAPINFOHEADER& h) { h.biWidth = 40000; }},
      {"run-length", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
#ifndef _WIN32
      // The system draws these, reading whatever lies past the pixels it
      // was given (their header promises more rows, colours or bits than
      // the data holds) or from a header kind our layer does not read; our
      // layer refuses them rather than read past the buffer.
      {"header size 108", [](BITMAPINFOHEADER& h) { h.biSize = 108; }},
      {"height 40000", [](BITMAPINFOHEADER& h) { h.biHeight = 40000; }},
      {"300 colours", [](BITMAPINFOHEADER& h) { h.biClrUsed = 300; }},
      {"16 bits", [](BITMAPINFOHEADER& h) { h.biBitCount = 16; }},
#endif
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Dib dib(CardBmp());
    k.spoil(dib.header()->bmiHeader);
    Canvas c(8, 8);
    EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 8, 8, 0, 0, 0, 94, dib.bits.data(), dib.header(),
                                DIB_RGB_COLORS),
              0);
    EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 8, 8, 0, 0, 69, 94, dib.bits.data(), dib.header(),
                            DIB_RGB_COLORS, SRCCOPY),
              0);
    EXPECT_EQ(c.At(0, 0), kUntouched);
  }
  Dib dib(CardBmp());
  Canvas c(8, 8);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 8, 8, 0, 0, 0, 94, nullptr, dib.header(), 0), 0);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 8, 8, 0, 0, 0, 94, dib.bits.data(), nullptr, 0), 0);
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 8, 8, 0, 0, 69, 94, dib.bits.data(), dib.header(),
                          DIB_RGB_COLORS, SRCCOPY),
            94);
  EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 8, 8, 0, 0, 69, 94, dib.bits.data(), dib.header(),
                          DIB_RGB_COLORS, SRCCOPY),
            0);
}

TEST(PlatformPalette, NearestIndexEntriesAndSelection) {
  std::vector<BYTE> mem(sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(mem.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = 4;
  const PALETTEENTRY e[4] = {{0, 0, 0, 0}, {10, 0, 0, 0}, {0, 10, 0, 0}, {200, 200, 200, 0}};
  std::memcpy(lp->palPalEntry, e, sizeof e);
  HPALETTE pal = CreatePalette(lp);
  ASSERT_NE(pal, nullptr);
  WORD count = 0;
  EXPECT_EQ(GetObject(pal, sizeof count, &count), (int)sizeof count);
  EXPECT_EQ(count, 4);
  PALETTEENTRY out[4]{};
  EXPECT_EQ(GetPaletteEntries(pal, 1, 9, out), 3u);
  EXPECT_EQ(out[2].peRed, 200);
  EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(6, 6, 0)), 1u);  // ties with 2: the first wins
  EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(0, 9, 0)), 2u);
  EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(255, 255, 255)), 3u);

  HDC dc = CreateCompatibleDC(nullptr);
  HPALETTE def = SelectPalette(dc, pal, FALSE);
  EXPECT_EQ(def, (HPALETTE)GetStockObject(DEFAULT_PALETTE));
  // How many entries are mapped depends on the screen (none on true colour).
  EXPECT_NE(RealizePalette(dc), GDI_ERROR);
  EXPECT_EQ(SelectPalette(dc, def, TRUE), pal);
  EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
  EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), COLORONCOLOR);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(pal));
  if (!testing_seams::SystemIsWine()) {  // Wine answers 0 for a deleted palette
    EXPECT_EQ(GetNearestPaletteIndex(pal, 0), CLR_INVALID);
  }
}

class PlatformResources : public PlatformTest {};

#ifndef _WIN32
// The drawing calls take any int. Far beyond every device they draw nothing
// and overflow nothing (our layer reckons such sums in 64 bits; the system
// refuses some of them outright, so this is our layer's alone), and a
// rectangle over the whole range fills all that shows.
TEST_F(PlatformResources, DrawingAtTheEndsOfTheRangeOverflowsNothing) {
  HINSTANCE inst = GetModuleHandle(nullptr);
  HICON icon = LoadIcon(inst, MAKEINTRESOURCE(kIcon));
  HBITMAP card = LoadBitmap(inst, MAKEINTRESOURCE(kCard));
  HIMAGELIST list = ImageList_Create(69, 94, ILC_COLOR24, 1, 1);
  ASSERT_EQ(ImageList_Add(list, card, nullptr), 0);
  // An image of four gigabytes is refused before anything is added to it.
  EXPECT_EQ(ImageList_Create(32767, 32767, ILC_COLOR24, 1, 1), nullptr);
  Canvas source(8, 8);
  const int ends[] = {INT_MAX, INT_MIN, INT_MAX - 20, INT_MIN + 20, 1 << 30};
  for (int far : ends) {
    SCOPED_TRACE(far);
    Canvas c(8, 8);
    EXPECT_TRUE(ImageList_Draw(list, 0, c.dc, far, 0, ILD_NORMAL));
    EXPECT_TRUE(ImageList_Draw(list, 0, c.dc, 0, far, ILD_NORMAL));
    EXPECT_TRUE(DrawIcon(c.dc, far, far, icon));
    EXPECT_TRUE(TextOut(c.dc, far, 0, "бито", 8));
    EXPECT_TRUE(BitBlt(c.dc, far, 0, 8, 8, source.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(c.dc, far, far, 8, 8, source.dc, far, far, SRCCOPY));
    EXPECT_TRUE(BitBlt(c.dc, 0, 0, INT_MAX, INT_MAX, source.dc, far, 0, SRCCOPY));
    RECT strip{far, 0, INT_MAX, 8};
    FillRect(c.dc, &strip, (HBRUSH)GetStockObject(WHITE_BRUSH));
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(c.At(x, 4), far > 0 ? kUntouched : RGB(255, 255, 255)) << x;
    }
    RECT moved{0, 0, 8, 8};
    OffsetRect(&moved, far, far);
    EXPECT_EQ((uint32_t)moved.right - (uint32_t)moved.left, 8u);
  }
  RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  Canvas c(8, 8);
  EXPECT_EQ(FillRect(c.dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH)), 1);
  EXPECT_EQ(c.At(7, 7), RGB(255, 255, 255));
  ImageList_Destroy(list);
  DeleteObject(card);
}
#endif

TEST_F(PlatformResources, BitmapsShareTheirPixelsAndBadFilesLoadNothing) {
  HINSTANCE inst = GetModuleHandle(nullptr);
  HBITMAP a = LoadBitmap(inst, MAKEINTRESOURCE(kCard));
  HBITMAP b = LoadBitmap(inst, "#520");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  BITMAP ba{}, bb{};
  ASSERT_EQ(GetObject(a, sizeof ba, &ba), (int)sizeof ba);
  GetObject(b, sizeof bb, &bb);
  EXPECT_EQ(ba.bmWidth, 69);
  EXPECT_EQ(ba.bmHeight, 94);
#ifdef _WIN32
  // The system makes a bitmap of the screen's kind, with no pixels to show.
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(ba.bmBitsPixel * ba.bmPlanes, GetDeviceCaps(screen, BITSPIXEL));
  ReleaseDC(nullptr, screen);
#else
  // Our layer keeps the resource's 8-bit pixels, one copy for every load,
  // and refuses a bitmap whose pixels are cut short rather than read past
  // them (the system loads it).
  EXPECT_EQ(ba.bmBitsPixel, 8);
  EXPECT_EQ(ba.bmBits, bb.bmBits);
  EXPECT_EQ(LoadBitmap(inst, MAKEINTRESOURCE(kTruncated)), nullptr);
#endif
  DeleteObject(a);
  DeleteObject(b);
  EXPECT_EQ(LoadBitmap(inst, MAKEINTRESOURCE(999)), nullptr);
  EXPECT_EQ(LoadBitmap(inst, MAKEINTRESOURCE(kCustom)), nullptr);  // another type

  // A DIB section keeps the resource's 8-bit pixels on every system.
  auto section =
      (HBITMAP)LoadImage(inst, MAKEINTRESOURCE(kCard), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  BITMAP bs{};
  ASSERT_EQ(GetObject(section, sizeof bs, &bs), (int)sizeof bs);
  EXPECT_EQ(bs.bmWidth, 69);
  EXPECT_EQ(bs.bmHeight, 94);
  EXPECT_EQ(bs.bmBitsPixel, 8);
  EXPECT_NE(bs.bmBits, nullptr);
  DeleteObject(section);
  EXPECT_EQ(LoadImage(inst, MAKEINTRESOURCE(999), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION),
            nullptr);

  HRSRC r = FindResource(inst, "#522", "MY_BITMAP");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(SizeofResource(inst, r), SmallBmp().size());
  EXPECT_EQ(std::memcmp(LockResource(LoadResource(inst, r)), SmallBmp().data(), 14), 0);
  EXPECT_EQ(FindResource(inst, "#522", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResource(inst, "MY_BITMAP", "MY_BITMAP"), nullptr);

  HICON icon = LoadIcon(inst, MAKEINTRESOURCE(kIcon));
  EXPECT_NE(icon, nullptr);
  EXPECT_NE(LoadIcon(nullptr, IDI_APPLICATION), nullptr);
  EXPECT_NE(LoadCursor(nullptr, IDC_HAND), nullptr);
  EXPECT_EQ(LoadCursor(inst, MAKEINTRESOURCE(32513)), nullptr);
  char text[4];
  EXPECT_EQ(LoadString(inst, 7, text, sizeof text), 2);  // not inside the second letter
  EXPECT_STREQ(text, "с");
  // The file's path (the system gives it whole); a short buffer takes what
  // fits and the answer is its size (whether it is then ended differs
  // between versions of the system).
  char name[MAX_PATH];
  DWORD length = GetModuleFileName(nullptr, name, sizeof name);
  ASSERT_GT(length, 4u);
  EXPECT_EQ(length, std::strlen(name));
  EXPECT_STRCASEEQ(name + length - 4, ".exe");
  char cut[4];
  EXPECT_EQ(GetModuleFileName(nullptr, cut, sizeof cut), sizeof cut);
  EXPECT_EQ(std::string(cut, 3), std::string(name, 3));
}

}  // namespace
}  // namespace platform_test
