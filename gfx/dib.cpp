// SPDX-License-Identifier: MIT
// CDIB's images in memory: making them, their palettes, copying pixels and
// drawing; the file side is in dib_file.cpp.
#include "gfx/dib.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gfx/dib_internal.h"

using namespace dib_detail;

IMPLEMENT_DYNAMIC(CDIB, CObject)

namespace {

bool FitsInt(int64_t v) {
  return v >= INT32_MIN && v <= INT32_MAX;
}

// A LOGPALETTE with room for n entries; released with delete[] on its bytes.
LOGPALETTE* AllocLogPalette(WORD n) {
  BYTE* bytes = AllocZeroed(sizeof(LOGPALETTE) + (uint64_t)n * sizeof(PALETTEENTRY));
  if (!bytes) {
    return nullptr;
  }
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(bytes);
  lp->palVersion = 0x300;
  lp->palNumEntries = n;
  return lp;
}

void FreeLogPalette(LOGPALETTE* lp) {
  delete[] reinterpret_cast<BYTE*>(lp);
}

}  // namespace

CDIB::CDIB() = default;

CDIB::~CDIB() {
  Free();
}

void CDIB::DestroyPalette() {
  if (m_pPalette) {
    m_pPalette->DeleteObject();
    delete m_pPalette;
    m_pPalette = nullptr;
  }
}

BOOL CDIB::AttachNewPalette(const LOGPALETTE* lp) {
  CPalette* palette = new (std::nothrow) CPalette;
  if (!palette) {
    return FALSE;
  }
  if (!palette->CreatePalette(lp)) {
    delete palette;
    return FALSE;
  }
  m_pPalette = palette;
  return TRUE;
}

void CDIB::Free() {
  delete[] m_pBits;
  m_pBits = nullptr;
  m_dwBitsSize = 0;
  delete[] reinterpret_cast<BYTE*>(m_pInfo);
  m_pInfo = nullptr;
  DestroyPalette();
}

BOOL CDIB::CreateBlank(LONG width, LONG height) {
  Free();
  if (width <= 0 || width > kMaxDimension || height <= 0 || height > kMaxDimension) {
    return FALSE;
  }
  BYTE* info = AllocZeroed(kInfoSize + kColorTableBytes);
  if (!info) {
    return FALSE;
  }
  std::memset(info + kInfoSize, 0x78, kColorTableBytes);

  BITMAPINFOHEADER bi = {};
  bi.biSize = kInfoSize;
  bi.biWidth = width;
  bi.biHeight = height;
  bi.biPlanes = 1;
  bi.biBitCount = 8;
  bi.biCompression = BI_RGB;
  bi.biSizeImage = (DWORD)(RowBytes(width, 8) * (uint64_t)height);
  bi.biXPelsPerMeter = 100;
  bi.biYPelsPerMeter = 100;
  bi.biClrUsed = 256;
  bi.biClrImportant = 256;
  std::memcpy(info, &bi, sizeof bi);

  BYTE* bits = AllocZeroed(bi.biSizeImage);
  if (!bits) {
    delete[] info;
    return FALSE;
  }
  m_pInfo = reinterpret_cast<BITMAPINFOHEADER*>(info);
  m_pBits = bits;
  m_dwBitsSize = bi.biSizeImage;
  return TRUE;
}

WORD CDIB::NumColors() const {
  if (!m_pInfo) {
    return 0;
  }
  if (m_pInfo->biClrUsed != 0) {
    return (WORD)(m_pInfo->biClrUsed & 0xFFFF);
  }
  switch (m_pInfo->biBitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

DWORD CDIB::ImageSize() {
  if (!m_pInfo) {
    return 0;
  }
  if (m_pInfo->biCompression == BI_RLE8 || m_pInfo->biCompression == BI_RLE4) {
    return m_pInfo->biSizeImage;
  }
  m_pInfo->biSizeImage =
      (DWORD)(RowBytes(m_pInfo->biWidth, m_pInfo->biBitCount) * (uint64_t)m_pInfo->biHeight);
  return m_pInfo->biSizeImage;
}

BOOL CDIB::BuildPalette() {
  if (!m_pInfo) {
    return FALSE;
  }
  WORD n = NumColors();
  if (n == 0) {
    return TRUE;
  }
  LOGPALETTE* lp = AllocLogPalette(n);
  if (!lp) {
    return FALSE;
  }
  const RGBQUAD* table = ColorTable();
  PALETTEENTRY* entries = lp->palPalEntry;
  for (WORD i = 0; i < n; ++i) {
    entries[i].peRed = table[i].rgbRed;
    entries[i].peGreen = table[i].rgbGreen;
    entries[i].peBlue = table[i].rgbBlue;
    entries[i].peFlags = 0;
  }
  DestroyPalette();
  BOOL made = AttachNewPalette(lp);
  FreeLogPalette(lp);
  return made;
}

BOOL CDIB::SetPalette(CPalette* palette) {
  if (!palette) {
    return FALSE;
  }
  // The entries are taken before the own palette goes, so that an image can
  // be given its own palette again without reading a destroyed one.
  WORD n = 0;
  ::GetObject(palette->m_hObject, sizeof n, &n);
  LOGPALETTE* lp = AllocLogPalette(n);
  if (lp && ::GetPaletteEntries((HPALETTE)palette->m_hObject, 0, n, lp->palPalEntry) != n) {
    FreeLogPalette(lp);
    lp = nullptr;
  }
  DestroyPalette();
  if (!lp) {
    return FALSE;
  }
  BOOL made = AttachNewPalette(lp);
  FreeLogPalette(lp);
  return made;
}

BOOL CDIB::CopyPalette(CDIB* source) {
  if (!source || !source->m_pPalette) {
    return FALSE;
  }
  if (!SetPalette(source->m_pPalette)) {
    return FALSE;
  }
  // The colour tables go along only when both images have one.
  if (m_pInfo && source->m_pInfo && source != this) {
    std::memcpy(ColorTable(), source->ColorTable(), kColorTableBytes);
  }
  return TRUE;
}

BOOL CDIB::LoadPalette(UINT id) {
  CDIB dib;
  if (!dib.LoadFromResource(id)) {
    return FALSE;
  }
  BOOL copied = CopyPalette(&dib);
  dib.Free();
  return copied;
}

void CDIB::Fill(BYTE red, BYTE green, BYTE blue) {
  if (!m_pInfo || NumColors() < 256 || !m_pPalette) {
    return;
  }
  DWORD size = ImageSize();
  UINT index = ::GetNearestPaletteIndex((HPALETTE)m_pPalette->m_hObject, RGB(red, green, blue));
  if (index == CLR_INVALID) {
    return;
  }
  std::memset(m_pBits, (BYTE)index, size < m_dwBitsSize ? size : m_dwBitsSize);
}

BOOL CDIB::CopyPixels(CDIB* source, LONG sx, LONG sy, LONG width, LONG height, LONG dx, LONG dy) {
  if (!source || !source->IsPlain8Bit() || !IsPlain8Bit()) {
    return FALSE;
  }
  // 64-bit throughout: the sums and clipped sizes of 32-bit arguments can
  // overflow 32 bits.
  int64_t x = dx, y = dy, w = width, h = height, srcX = sx, srcY = sy;
  const int64_t dstW = Width(), dstH = Height();
  const int64_t srcW = source->Width(), srcH = source->Height();
  if (x >= dstW || y >= dstH || x + w < 0 || y + h < 0 || source->NumColors() != NumColors() ||
      NumColors() > 256) {
    return FALSE;
  }
  if (x < 0) {
    srcX -= x;
    w += x;
    x = 0;
  }
  if (y < 0) {
    srcY -= y;
    h += y;
    y = 0;
  }
  // The origin may lie on the source's far edge only, where nothing is left
  // to copy; anywhere else outside, the rows below would be read out of it.
  if (srcX < 0 || srcY < 0 || srcX > srcW || srcY > srcH) {
    return FALSE;
  }
  w = std::min({w, dstW - x, srcW - srcX});
  h = std::min({h, dstH - y, srcH - srcY});
  if (w < 0 || h < 0) {
    return FALSE;
  }
  const uint64_t dstRow = RowBytes((LONG)dstW, 8), srcRow = RowBytes((LONG)srcW, 8);
  // Within one image, rows are copied from the far end first when the copy
  // moves them up, so no row is read after it was written: the result is
  // that of a copy through a temporary (memmove takes care within a row).
  const bool upward = source == this && y > srcY;
  for (int64_t n = 0; n < h; ++n) {
    const int64_t i = upward ? h - 1 - n : n;
    std::memmove(m_pBits + (uint64_t)(y + i) * dstRow + (uint64_t)x,
                 source->m_pBits + (uint64_t)(srcY + i) * srcRow + (uint64_t)srcX, (size_t)w);
  }
  return TRUE;
}

int CDIB::Paint(CDC* dc, LPCRECT destRect, LPCRECT srcRect) {
  if (!m_pInfo || !dc) {
    return 0;
  }
  HDC hdc = dc->GetSafeHdc();
  HPALETTE oldPalette = nullptr;
  if (m_pPalette) {
    oldPalette = ::SelectPalette(hdc, (HPALETTE)m_pPalette->m_hObject, FALSE);
    ::RealizePalette(hdc);
  }
  ::SetStretchBltMode(hdc, COLORONCOLOR);

  const RECT whole = {0, 0, Width(), Height()};
  const RECT& dst = destRect ? *destRect : whole;
  const RECT& src = srcRect ? *srcRect : whole;
  // Sizes and the turned source y in 64 bits: a rectangle's sides may lie
  // anywhere, and what does not fit the drawing calls' ints draws nothing.
  const int64_t dstW = (int64_t)dst.right - dst.left, dstH = (int64_t)dst.bottom - dst.top;
  const int64_t srcW = (int64_t)src.right - src.left, srcH = (int64_t)src.bottom - src.top;
  const int64_t srcY = (int64_t)Height() - src.bottom;
  if (!FitsInt(dstW) || !FitsInt(dstH) || !FitsInt(srcW) || !FitsInt(srcH) || !FitsInt(srcY)) {
    if (oldPalette) {
      ::SelectPalette(hdc, oldPalette, TRUE);
    }
    return 0;
  }
  const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(m_pInfo);
  int lines;
  if (dstW == srcW && dstH == srcH) {
    // Rows are stored bottom-up, so the source's y counts from the bottom.
    lines = ::SetDIBitsToDevice(hdc, dst.left, dst.top, (DWORD)dstW, (DWORD)dstH, src.left,
                                (int)srcY, 0, (WORD)Height(), m_pBits, info, DIB_RGB_COLORS);
  } else {
    lines = ::StretchDIBits(hdc, dst.left, dst.top, (int)dstW, (int)dstH, src.left, src.top,
                            (int)srcW, (int)srcH, m_pBits, info, DIB_RGB_COLORS, SRCCOPY);
  }
  if (oldPalette) {
    ::SelectPalette(hdc, oldPalette, TRUE);
  }
  return lines;
}

bool CDIB::IsPlain8Bit() const {
  return m_pInfo && m_pBits && m_pInfo->biBitCount == 8 && m_pInfo->biCompression == BI_RGB;
}

RGBQUAD* CDIB::ColorTable() const {
  return reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(m_pInfo) + kInfoSize);
}
