// SPDX-License-Identifier: MIT
// Drawing device-independent bitmaps: uncompressed bottom-up images of 1,
// 4, 8, 24 or 32 bits per pixel, copied or stretched (nearest neighbour)
// onto a device context. The header is checked before anything is read,
// and only rows the header describes are ever touched.
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/qt/internal.h"

namespace {

constexpr qint64 kMaxDrawnPixels = 64LL * 1024 * 1024;

struct DibView {
  int width = 0, height = 0, bpp = 0;
  size_t stride = 0;
  const BYTE* bits = nullptr;
  int firstRow = 0, rowCount = 0;  // the band of rows present in bits (from the bottom)
  int colorCount = 0;
  QRgb colors[256];

  bool hasRow(int row) const { return row >= firstRow && row < firstRow + rowCount; }

  QRgb pixel(int x, int row) const {
    const BYTE* line = bits + (size_t)(row - firstRow) * stride;
    switch (bpp) {
      case 1:
        return lookup((line[x >> 3] >> (7 - (x & 7))) & 1);
      case 4:
        return lookup((x & 1) ? (line[x >> 1] & 0x0F) : (line[x >> 1] >> 4));
      case 8:
        return lookup(line[x]);
      case 24:
        return qRgb(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
      default:
        return qRgb(line[4 * x + 2], line[4 * x + 1], line[4 * x]);
    }
  }

  QRgb lookup(int index) const { return index < colorCount ? colors[index] : qRgb(0, 0, 0); }
};

bool readDib(HDC hdc, const void* bits, const BITMAPINFO* info, UINT colorUse, DibView* v) {
  if (!bits || !info)
    return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB) {
    return false;
  }
  if (h.biWidth <= 0 || h.biWidth > 32767 || h.biHeight <= 0 || h.biHeight > 32767)
    return false;
  if (h.biClrUsed > 256)
    return false;
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
    return false;
  v->width = h.biWidth;
  v->height = h.biHeight;
  v->bpp = bpp;
  v->stride = (((size_t)h.biWidth * (size_t)bpp + 31) / 32) * 4;
  v->bits = static_cast<const BYTE*>(bits);
  if (bpp > 8)
    return true;
  int maxColors = 1 << bpp;
  v->colorCount = h.biClrUsed ? std::min<int>((int)h.biClrUsed, maxColors) : maxColors;
  const BYTE* table = reinterpret_cast<const BYTE*>(info) + h.biSize;
  if (colorUse == DIB_RGB_COLORS) {
    for (int i = 0; i < v->colorCount; ++i) {
      const BYTE* q = table + 4 * i;
      v->colors[i] = qRgb(q[2], q[1], q[0]);
    }
    return true;
  }
  if (colorUse != DIB_PAL_COLORS)
    return false;
  // The table holds indices into the palette selected into the DC.
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  HPALETTE pal = d && d->palette ? d->palette : (HPALETTE)GetStockObject(DEFAULT_PALETTE);
  auto* p = qtb::as<HPALETTE__>(pal, qtb::Kind::Palette);
  if (!p || p->entries.empty())
    return false;
  for (int i = 0; i < v->colorCount; ++i) {
    WORD index;
    std::memcpy(&index, table + 2 * i, sizeof index);
    const PALETTEENTRY& e = p->entries[std::min<size_t>(index, p->entries.size() - 1)];
    v->colors[i] = qRgb(e.peRed, e.peGreen, e.peBlue);
  }
  return true;
}

// The columns i0..i1 and rows j0..j1 (ends excluded) of a w x h destination
// at (x, y) that lie on the drawable area.
struct Span {
  qint64 i0, i1, j0, j1;
};
Span visible(const QRect& area, qint64 x, qint64 y, qint64 w, qint64 h) {
  if (area.isEmpty())
    return {0, 0, 0, 0};
  return {std::max<qint64>(0, area.left() - x), std::min<qint64>(w, area.right() + 1 - x),
          std::max<qint64>(0, area.top() - y), std::min<qint64>(h, area.bottom() + 1 - y)};
}

bool draw(HDC hdc, qint64 x, qint64 y, const QImage& img) {
  if (qtb::beyondEveryDevice(x, y))
    return true;
  return qtb::paintOn(hdc, [&](QPainter& p) {
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint((int)x, (int)y), img);
  });
}

}  // namespace

int SetStretchBltMode(HDC hdc, int mode) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d || mode < BLACKONWHITE || mode > HALFTONE)
    return 0;
  int old = d->stretchMode;
  d->stretchMode = mode;
  return old;
}

int GetStretchBltMode(HDC hdc) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  return d ? d->stretchMode : 0;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT colorUse) {
  DibView v;
  if (!qtb::as<HDC__>(hdc, qtb::Kind::Dc) || !readDib(hdc, bits, info, colorUse, &v))
    return 0;
  if (width == 0 || height == 0 || width > 32767 || height > 32767)
    return 0;
  if (startScan >= (UINT)v.height || scanLines == 0)
    return 0;
  v.firstRow = (int)startScan;
  v.rowCount = (int)std::min<UINT>(scanLines, (UINT)v.height - startScan);
  // 64-bit throughout: any int may come as a position.
  const qint64 w = width, h = height, sx = xSrc, sy = ySrc;
  // Destination row j shows source row sy + h - 1 - j (rows count from the bottom);
  // only what the source has and the device can show is made.
  const Span cols = visible(drawableRect(hdc), xDest, yDest, w, h);
  qint64 i0 = std::max({(qint64)0, -sx, cols.i0}), i1 = std::min({w, v.width - sx, cols.i1});
  qint64 j0 = std::max({(qint64)0, sy + h - v.firstRow - v.rowCount, cols.j0});
  qint64 j1 = std::min({h, sy + h - v.firstRow, cols.j1});
  if (i0 < i1 && j0 < j1) {
    if ((i1 - i0) * (j1 - j0) > kMaxDrawnPixels)
      return 0;
    QImage img((int)(i1 - i0), (int)(j1 - j0), QImage::Format_RGB32);
    if (img.isNull())
      return 0;
    for (qint64 j = j0; j < j1; ++j) {
      auto* out = reinterpret_cast<QRgb*>(img.scanLine((int)(j - j0)));
      int row = (int)(sy + h - 1 - j);
      for (qint64 i = i0; i < i1; ++i)
        out[i - i0] = v.pixel((int)(sx + i), row);
    }
    draw(hdc, xDest + i0, yDest + j0, img);
  }
  return v.rowCount;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info,
                  UINT colorUse, DWORD) {
  DibView v;
  if (!qtb::as<HDC__>(hdc, qtb::Kind::Dc) || !readDib(hdc, bits, info, colorUse, &v))
    return 0;
  // Mirroring (negative extents) is not supported: nothing of ours uses it.
  if (destWidth <= 0 || destHeight <= 0 || srcWidth <= 0 || srcHeight <= 0)
    return 0;
  v.firstRow = 0;
  v.rowCount = v.height;
  // 64-bit throughout: any int may come as a position.
  const qint64 sx = xSrc, sy = ySrc;
  qint64 firstRow = std::max<qint64>(sy, 0), lastRow = std::min<qint64>(sy + srcHeight, v.height);
  if (firstRow >= lastRow || sx >= v.width || sx + srcWidth <= 0)
    return 0;
  // Only the part of the destination the device can show is made.
  const Span part = visible(drawableRect(hdc), xDest, yDest, destWidth, destHeight);
  if (part.i0 < part.i1 && part.j0 < part.j1) {
    if ((part.i1 - part.i0) * (part.j1 - part.j0) > kMaxDrawnPixels)
      return 0;
    QImage img((int)(part.i1 - part.i0), (int)(part.j1 - part.j0), QImage::Format_ARGB32);
    if (img.isNull())
      return 0;
    img.fill(Qt::transparent);
    for (qint64 j = part.j0; j < part.j1; ++j) {
      qint64 row = sy + srcHeight - 1 - j * srcHeight / destHeight;
      if (row < 0 || row >= v.height)
        continue;
      auto* out = reinterpret_cast<QRgb*>(img.scanLine((int)(j - part.j0)));
      for (qint64 i = part.i0; i < part.i1; ++i) {
        qint64 col = sx + i * srcWidth / destWidth;
        if (col >= 0 && col < v.width)
          out[i - part.i0] = v.pixel((int)col, (int)row) | 0xFF000000u;
      }
    }
    draw(hdc, xDest + part.i0, yDest + part.j0, img);
  }
  return (int)(lastRow - firstRow);
}
