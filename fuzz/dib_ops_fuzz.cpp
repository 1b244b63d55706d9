// SPDX-License-Identifier: MIT
// Drives every CDIB operation, and the layer's drawing calls (DIBs, image
// lists, icons, copies between memory DCs, rectangles), with arbitrary
// arguments on valid, empty and damaged images. The input is a
// program: each operation is one byte, followed by the arguments it reads.
// After every operation the images must still describe themselves, and a
// copy within one image must equal the same copy through a second image.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "gfx/dib.h"
#include "res/resources.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

class Input {
 public:
  Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Done() const { return m_pos >= m_size; }
  uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  // Mostly small numbers, so that edges are met; sometimes any int, and
  // sometimes the extremes, so that every sum can overflow.
  LONG Int() {
    uint8_t kind = Byte();
    switch (kind >> 6) {
      case 0:
        return (int8_t)Byte();
      case 1: {
        static const LONG kEdges[] = {0,     1,       -1,      37,          20,          99,
                                      13,    INT_MAX, INT_MIN, INT_MAX - 3, INT_MIN + 3, 32767,
                                      32768, -32768,  65536,   1 << 24};
        return kEdges[kind % (sizeof kEdges / sizeof kEdges[0])];
      }
      default: {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
          v = v << 8 | Byte();
        }
        return (LONG)v;
      }
    }
  }
  RECT Rect() {
    RECT r;
    r.left = Int(), r.top = Int(), r.right = Int(), r.bottom = Int();
    return r;
  }
  // The rest of the input, up to n bytes.
  std::vector<BYTE> Bytes(size_t n) {
    size_t take = n < m_size - m_pos ? n : m_size - m_pos;
    std::vector<BYTE> out(m_data + m_pos, m_data + m_pos + take);
    m_pos += take;
    return out;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

// A whole 8-bit (or other depth) BMP file with a full colour table.
std::vector<BYTE> MakeBmp(LONG width, LONG height, WORD bpp) {
  const DWORD colours = bpp <= 8 ? 1u << bpp : 0;
  const DWORD stride = ((DWORD)width * bpp + 31) / 32 * 4;
  const DWORD offBits = 14 + 40 + 4 * colours;
  std::vector<BYTE> out(offBits + stride * (DWORD)height, 0);
  BITMAPFILEHEADER fh = {0x4D42, (DWORD)out.size(), 0, 0, offBits};
  BITMAPINFOHEADER ih = {40, width, height, 1, bpp, BI_RGB, 0, 0, 0, colours, 0};
  std::memcpy(out.data(), &fh, sizeof fh);
  std::memcpy(out.data() + 14, &ih, sizeof ih);
  for (size_t i = 54; i < out.size(); ++i) {
    out[i] = (BYTE)(i * 7);
  }
  return out;
}

bool IsEmpty(const CDIB& dib) {
  return !dib.GetInfo() && !dib.GetBits() && !dib.GetPalette();
}

void CheckWhole(const CDIB& dib) {
  if (!dib.GetInfo()) {
    Check(!dib.GetBits() && dib.Width() == 0 && dib.Height() == 0 && dib.NumColors() == 0);
    return;
  }
  Check(dib.GetBits() && dib.Width() > 0 && dib.Height() > 0);
}

// The pixels of an 8-bit image row by row, without the padding at row ends.
std::vector<BYTE> Pixels(const CDIB& dib) {
  std::vector<BYTE> out;
  const size_t stride = ((size_t)dib.Width() * 8 + 31) / 32 * 4;
  for (LONG y = 0; y < dib.Height(); ++y) {
    const BYTE* row = dib.GetBits() + stride * (size_t)y;
    out.insert(out.end(), row, row + dib.Width());
  }
  return out;
}

// The same copy from a second image holding the same pixels: what a copy
// within one image must come to.
void CheckSelfCopy(CDIB& dib, LONG sx, LONG sy, LONG w, LONG h, LONG dx, LONG dy) {
  CDIB before, expected;
  bool plain = dib.GetInfo() && dib.GetInfo()->biBitCount == 8 &&
               dib.GetInfo()->biCompression == BI_RGB && dib.NumColors() == 256;
  if (!plain || !before.CreateBlank(dib.Width(), dib.Height()) ||
      !expected.CreateBlank(dib.Width(), dib.Height())) {
    dib.CopyPixels(&dib, sx, sy, w, h, dx, dy);
    return;
  }
  Check(before.CopyPixels(&dib, 0, 0, dib.Width(), dib.Height(), 0, 0));
  Check(expected.CopyPixels(&dib, 0, 0, dib.Width(), dib.Height(), 0, 0));
  BOOL a = expected.CopyPixels(&before, sx, sy, w, h, dx, dy);
  BOOL b = dib.CopyPixels(&dib, sx, sy, w, h, dx, dy);
  Check(a == b);
  Check(Pixels(dib) == Pixels(expected));
}

// The layer's drawing calls with a header of the input's making over pixel
// rows as long as that header says (bounded, so the input cannot ask for
// gigabytes), or no pixels at all.
void DrawRaw(Input& in, HDC dc) {
  BITMAPINFOHEADER h = {};
  h.biSize = in.Byte() & 1 ? 40 : (DWORD)in.Int();
  h.biWidth = in.Int();
  h.biHeight = in.Int();
  h.biPlanes = in.Byte() & 1 ? 1 : (WORD)in.Int();
  static const WORD kDepths[] = {1, 4, 8, 24, 32, 0, 2, 16};
  h.biBitCount = kDepths[in.Byte() % 8];
  h.biCompression = in.Byte() & 1 ? BI_RGB : (DWORD)in.Int();
  h.biClrUsed = in.Byte() & 1 ? 0 : (DWORD)in.Int();
  std::vector<BYTE> info(sizeof h + 256 * sizeof(RGBQUAD), 0x5A);
  std::memcpy(info.data(), &h, sizeof h);
  const BITMAPINFO* bi = reinterpret_cast<const BITMAPINFO*>(info.data());

  std::vector<BYTE> bits;
  bool sized = h.biWidth > 0 && h.biHeight > 0 && h.biWidth <= 4096 && h.biHeight <= 4096;
  if (sized) {
    uint64_t stride = ((uint64_t)h.biWidth * (h.biBitCount ? h.biBitCount : 32) + 31) / 32 * 4;
    if (stride * (uint64_t)h.biHeight <= (1u << 20)) {
      bits.assign((size_t)(stride * (uint64_t)h.biHeight), 0xA5);
    }
  }
  const void* pixels = bits.empty() ? nullptr : bits.data();
  UINT use = in.Byte() & 1 ? DIB_RGB_COLORS : DIB_PAL_COLORS;
  if (in.Byte() & 1) {
    LONG x = in.Int(), y = in.Int(), w = in.Int(), hh = in.Int(), sx = in.Int(), sy = in.Int();
    UINT start = (UINT)in.Int(), lines = (UINT)in.Int();
    // The platform reads the rows the header and the scan-line count give;
    // a caller hands it that many, which here means no more than it has.
    if (pixels && start == 0 && lines <= (UINT)h.biHeight) {
      ::SetDIBitsToDevice(dc, x, y, (DWORD)w, (DWORD)hh, sx, sy, start, lines, pixels, bi, use);
    } else if (!pixels) {
      ::SetDIBitsToDevice(dc, x, y, (DWORD)w, (DWORD)hh, sx, sy, start, lines, nullptr, bi, use);
    }
  } else {
    LONG v[8];
    for (LONG& n : v) {
      n = in.Int();
    }
    ::StretchDIBits(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], pixels, bi, use, SRCCOPY);
  }
}

// The layer's other drawing calls with arbitrary coordinates and sizes: an
// image list of the input's size, the program's icon, copies between
// memory DCs, rectangles. None may overflow, or draw outside its device.
void DrawElsewhere(Input& in, HDC dc) {
  static HBITMAP card = ::LoadBitmap(::GetModuleHandle(nullptr), MAKEINTRESOURCE(155));
  static HICON icon = ::LoadIcon(::GetModuleHandle(nullptr), MAKEINTRESOURCE(200));
  switch (in.Byte() % 5) {
    case 0: {
      const int cx = in.Byte() & 1 ? 69 : (int)in.Int(), cy = in.Byte() & 1 ? 94 : (int)in.Int();
      HIMAGELIST list = ImageList_Create(cx, cy, ILC_COLOR24, 1, 1);
      if (list) {
        const int index = ImageList_Add(list, card, nullptr);
        const int x = in.Int(), y = in.Int();
        ImageList_Draw(list, in.Byte() & 1 ? index : (int)in.Int(), dc, x, y, ILD_NORMAL);
        ImageList_Destroy(list);
      }
      break;
    }
    case 1: {
      const int x = in.Int(), y = in.Int();
      ::DrawIcon(dc, x, y, icon);
      break;
    }
    case 2: {
      HDC other = ::CreateCompatibleDC(dc);
      HBITMAP bitmap = ::CreateCompatibleBitmap(dc, 1 + in.Byte() % 64, 1 + in.Byte() % 64);
      HGDIOBJ old = ::SelectObject(other, bitmap);
      LONG v[6];
      for (LONG& n : v) {
        n = in.Int();
      }
      if (in.Byte() & 1) {
        ::BitBlt(dc, v[0], v[1], v[2], v[3], other, v[4], v[5], SRCCOPY);
      } else {
        ::BitBlt(other, v[0], v[1], v[2], v[3], dc, v[4], v[5], SRCCOPY);
      }
      ::SelectObject(other, old);
      ::DeleteObject(bitmap);
      ::DeleteDC(other);
      break;
    }
    case 3: {
      RECT r = in.Rect();
      ::FillRect(dc, &r, (HBRUSH)::GetStockObject(in.Byte() % 5));
      ::OffsetRect(&r, in.Int(), in.Int());
      POINT p = {in.Int(), in.Int()};
      ::PtInRect(&r, p);
      break;
    }
    case 4: {
      const int x = in.Int(), y = in.Int();
      ::SetPixel(dc, x, y, RGB(in.Byte(), in.Byte(), in.Byte()));
      ::GetPixel(dc, x, y);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) {
    return 0;
  }
  static bool once = [] {
    SetModuleResources(&g_zorvResources);
    return true;
  }();
  (void)once;

  HDC mem = ::CreateCompatibleDC(nullptr);
  HBITMAP target = ::CreateCompatibleBitmap(mem, 48, 32);
  HGDIOBJ old = ::SelectObject(mem, target);
  CDC dc;
  dc.Attach(mem);

  Input in(data, size);
  CDIB dibs[3];
  static const UINT kIds[] = {217, 220, 155, 0, 4321, 0xFFFFFFFFu};
  for (int steps = 0; !in.Done() && steps < 64; ++steps) {
    CDIB& dib = dibs[in.Byte() % 3];
    CDIB& other = dibs[in.Byte() % 3];
    switch (in.Byte() % 15) {
      case 0: {
        LONG w = in.Int(), h = in.Int();
        if (!dib.CreateBlank(w, h)) {
          Check(IsEmpty(dib));
        }
        break;
      }
      case 1: {
        static const WORD kDepths[] = {1, 4, 8, 24, 32};
        LONG w = 1 + in.Byte() % 64, h = 1 + in.Byte() % 32;
        std::vector<BYTE> file = MakeBmp(w, h, kDepths[in.Byte() % 5]);
        // Spoil one byte of the file now and then.
        if (in.Byte() & 1) {
          file[in.Byte() % file.size()] ^= (BYTE)(1 + in.Byte());
        }
        CMemFile f(file.data(), (UINT)file.size(), 0);
        DWORD read = dib.Read(f);
        Check(read == 0 ? IsEmpty(dib) : read == file.size());
        break;
      }
      case 2: {
        std::vector<BYTE> file = in.Bytes(in.Byte() * 8u);
        CMemFile f(file.data(), (UINT)file.size(), 0);
        if (dib.Read(f) == 0) {
          Check(IsEmpty(dib));
        }
        break;
      }
      case 3: {
        UINT id = in.Byte() & 1 ? kIds[in.Byte() % 6] : (UINT)in.Int();
        if (!dib.LoadFromResource(id)) {
          Check(IsEmpty(dib));
        }
        break;
      }
      case 4: {
        LONG sx = in.Int(), sy = in.Int(), w = in.Int(), h = in.Int(), dx = in.Int(), dy = in.Int();
        if (&dib == &other) {
          CheckSelfCopy(dib, sx, sy, w, h, dx, dy);
        } else {
          dib.CopyPixels(&other, sx, sy, w, h, dx, dy);
        }
        break;
      }
      case 5: {
        uint8_t which = in.Byte();
        RECT d = in.Rect(), s = in.Rect();
        int lines = dib.Paint(&dc, which & 1 ? &d : nullptr, which & 2 ? &s : nullptr);
        if (!dib.GetInfo()) {
          Check(lines == 0);
        }
        break;
      }
      case 6:
        dib.Fill(in.Byte(), in.Byte(), in.Byte());
        break;
      case 7:
        dib.BuildPalette();
        break;
      case 8:
        dib.SetPalette(in.Byte() & 1 ? other.GetPalette() : nullptr);
        break;
      case 9:
        dib.CopyPalette(in.Byte() & 1 ? &other : nullptr);
        break;
      case 10:
        dib.LoadPalette(in.Byte() & 1 ? kIds[in.Byte() % 6] : (UINT)in.Int());
        break;
      case 11:
        dib.Free();
        Check(IsEmpty(dib));
        break;
      case 12: {
        CMemFile saved;
        DWORD written = dib.Save(saved);
        Check(written == saved.GetLength());
        if (written) {
          saved.SeekToBegin();
          CDIB again;
          Check(again.Read(saved) == written);
          Check(again.Width() == dib.Width() && again.Height() == dib.Height());
        }
        break;
      }
      case 13:
        DrawRaw(in, mem);
        break;
      case 14:
        DrawElsewhere(in, mem);
        break;
    }
    for (const CDIB& d : dibs) {
      CheckWhole(d);
    }
  }

  dc.Detach();
  ::SelectObject(mem, old);
  ::DeleteObject(target);
  ::DeleteDC(mem);
  return 0;
}
