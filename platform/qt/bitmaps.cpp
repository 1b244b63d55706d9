// SPDX-License-Identifier: MIT
// Bitmaps, icons and cursors from the module's resources. BMP files are
// parsed here, defensively, and each resource is decoded once: every
// LoadBitmap of it is a new handle over the same shared pixels.
#include <QCursor>
#include <QPainter>
#include <QWidget>
#include <cstring>
#include <map>

#include "platform/qt/internal.h"

namespace {

template <class T>
T readAt(const BYTE* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

struct Decoded {
  QImage draw, indexed;
  int bpp = 0;
};

HCURSOR g_cursor = nullptr;
QPointer<QWidget> g_cursorTarget;

HICON__* systemIcon(int kind, bool cursor, int shape) {
  // Shared for the life of the process, like the platform's system icons.
  static auto& cache = *new std::map<int, HICON__*>;
  auto it = cache.find(kind);
  if (it != cache.end())
    return it->second;
  auto* ic = new HICON__;
  ic->stock = true;
  ic->system = true;
  ic->cursor = cursor;
  ic->shape = shape;
  if (!cursor) {
    // A plain application picture: a window with a title bar.
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 4; y < 28; ++y) {
      for (int x = 3; x < 29; ++x) {
        bool edge = x == 3 || x == 28 || y == 4 || y == 27;
        img.setPixel(x, y, edge ? qRgb(0, 0, 0) : y < 9 ? qRgb(0, 0, 160) : qRgb(255, 255, 255));
      }
    }
    ic->image = img;
  }
  qtb::registerObject(ic);
  cache[kind] = ic;
  return ic;
}

}  // namespace

namespace qtb {

bool decodeBmp(const BYTE* data, size_t size, QImage* draw, QImage* indexed, int* bitsPixel) {
  if (!data || size < 14 + 40 || data[0] != 'B' || data[1] != 'M')
    return false;
  DWORD offBits = readAt<DWORD>(data + 10);
  const BYTE* ih = data + 14;
  DWORD headerSize = readAt<DWORD>(ih);
  LONG width = readAt<LONG>(ih + 4), height = readAt<LONG>(ih + 8);
  WORD planes = readAt<WORD>(ih + 12), bpp = readAt<WORD>(ih + 14);
  DWORD compression = readAt<DWORD>(ih + 16), clrUsed = readAt<DWORD>(ih + 32);
  if (headerSize < 40 || headerSize > size - 14 || planes != 1 || compression != BI_RGB)
    return false;
  if (width <= 0 || width > 32767 || height == 0 || height > 32767 || height < -32767)
    return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
    return false;
  bool bottomUp = height > 0;
  int h = bottomUp ? height : -height;
  size_t stride = (((size_t)width * bpp + 31) / 32) * 4;
  if (offBits > size || stride * (size_t)h > size - offBits)
    return false;
  int colors = 0;
  if (bpp <= 8) {
    if (clrUsed > (1u << bpp))
      return false;
    colors = clrUsed ? (int)clrUsed : 1 << bpp;
    if (14 + (size_t)headerSize + 4 * (size_t)colors > offBits)
      return false;
  }
  const BYTE* table = ih + headerSize;
  const BYTE* bits = data + offBits;
  QList<QRgb> ct;
  for (int i = 0; i < colors; ++i)
    ct.append(qRgb(table[4 * i + 2], table[4 * i + 1], table[4 * i]));
  QImage out;
  if (bpp == 8) {
    QImage idx(width, h, QImage::Format_Indexed8);
    if (idx.isNull())
      return false;
    idx.setColorTable(ct);
    for (int y = 0; y < h; ++y) {
      const BYTE* src = bits + (size_t)(bottomUp ? h - 1 - y : y) * stride;
      uchar* dst = idx.scanLine(y);
      for (int x = 0; x < width; ++x)
        dst[x] = src[x] < colors ? src[x] : 0;
    }
    *indexed = idx;
    out = idx.convertToFormat(QImage::Format_RGB32);
  } else {
    bool alpha = false;
    out = QImage(width, h, bpp == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (out.isNull())
      return false;
    for (int y = 0; y < h; ++y) {
      const BYTE* src = bits + (size_t)(bottomUp ? h - 1 - y : y) * stride;
      auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
      for (int x = 0; x < width; ++x) {
        if (bpp == 32) {
          dst[x] = qRgba(src[4 * x + 2], src[4 * x + 1], src[4 * x], src[4 * x + 3]);
          alpha = alpha || src[4 * x + 3] != 0;
        } else if (bpp == 24) {
          dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
        } else {
          int i = bpp == 1 ? (src[x >> 3] >> (7 - (x & 7))) & 1
                           : ((x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4);
          dst[x] = i < colors ? ct[i] : qRgb(0, 0, 0);
        }
      }
    }
    // A 32-bit image whose alpha bytes are all zero carries no alpha at all.
    if (bpp == 32 && !alpha)
      out = out.convertToFormat(QImage::Format_RGB32);
  }
  *draw = out;
  *bitsPixel = bpp;
  return true;
}

QImage clearColour(QImage img, COLORREF mask) {
  img = img.convertToFormat(QImage::Format_ARGB32);
  QRgb key = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
  for (int y = 0; y < img.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF))
        row[x] = 0;
    }
  }
  return img;
}

void drawSharpest(QPainter& p, const QRect& target, const QImage& image,
                  const SharperCopies& scaled) {
  const qreal ratio = p.device() ? p.device()->devicePixelRatioF() : 1;
  const QImage* best = &image;
  if (ratio > 1) {
    for (const QImage& copy : scaled.images()) {
      best = &copy;
      if (copy.devicePixelRatio() >= ratio)
        break;
    }
  }
  if (best == &image) {
    p.drawImage(target, image);
    return;
  }
  // A copy drawn down to a fractional ratio is smoothed; at its own ratio
  // it is drawn pixel for pixel.
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform, best->devicePixelRatio() != ratio);
  p.drawImage(target, *best);
  p.restore();
}

HBITMAP newBitmap(const QImage& image, const QImage& indexedImage, int bitsPixel) {
  auto* b = new HBITMAP__;
  b->image = image;
  b->indexed = indexedImage;
  b->bitsPixel = bitsPixel;
  return adopt(b);
}

QImage iconImage(HICON icon) {
  auto* ic = as<HICON__>(icon, Kind::Icon);
  return ic ? ic->image : QImage();
}

int cursorShapeOf(HCURSOR c) {
  auto* ic = as<HICON__>(c, Kind::Icon);
  return ic ? ic->shape : (int)Qt::ArrowCursor;
}

HCURSOR arrowCursor() {
  return systemIcon(32512 + 100000, true, Qt::ArrowCursor);
}

void setCursorTarget(HWND h) {
  g_cursorTarget = isWindow(h) ? (h->cls == WndClass::Dialog ? h->client : h->widget) : nullptr;
}

}  // namespace qtb

HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) {
  static std::map<std::pair<const BYTE*, DWORD>, Decoded> cache;
  const BINRESDATA* res = qtb::findBinary(instance, name, RT_BITMAP);
  if (!res)
    return nullptr;
  auto key = std::make_pair(res->data, res->size);
  auto it = cache.find(key);
  if (it == cache.end()) {
    Decoded d;
    if (!qtb::decodeBmp(res->data, res->size, &d.draw, &d.indexed, &d.bpp))
      return nullptr;
    it = cache.emplace(key, d).first;
  }
  HBITMAP b = qtb::newBitmap(it->second.draw, it->second.indexed, it->second.bpp);
  if (!b)
    return nullptr;
  b->scaled = qtb::SharperCopies(res, RT_BITMAP);
  return b;
}

// Bitmaps only, at the resource's own size. Every bitmap of this layer keeps
// the resource's pixels, as a DIB section does, so LR_CREATEDIBSECTION and
// the default both give what LoadBitmap gives.
HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  if (type != IMAGE_BITMAP || cx != 0 || cy != 0 || (flags & ~LR_CREATEDIBSECTION) != 0)
    return nullptr;
  return LoadBitmap(instance, name);
}

HICON LoadIcon(HINSTANCE instance, LPCSTR name) {
  if (!instance) {
    if (!IS_INTRESOURCE(name))
      return nullptr;
    return systemIcon((int)(ULONG_PTR)name, false, 0);
  }
  static auto& cache = *new std::map<const BYTE*, HICON__*>;
  const BINRESDATA* res = qtb::findBinary(instance, name, RT_GROUP_ICON);
  if (!res)
    return nullptr;
  auto it = cache.find(res->data);
  if (it != cache.end())
    return it->second;
  Decoded d;
  if (!qtb::decodeBmp(res->data, res->size, &d.draw, &d.indexed, &d.bpp))
    return nullptr;
  auto* ic = new HICON__;
  ic->image = d.draw;
  ic->scaled = qtb::SharperCopies(res, RT_GROUP_ICON);
  ic->stock = true;  // shared like the platform's resource icons: DestroyIcon keeps it
  qtb::registerObject(ic);
  cache[res->data] = ic;
  return ic;
}

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
  if (instance || !IS_INTRESOURCE(name)) {
    // The module carries no cursor resources; other modules do not exist.
    return nullptr;
  }
  int id = (int)(ULONG_PTR)name;
  switch (id) {
    case 32512:
      return qtb::arrowCursor();
    case 32513:
      return systemIcon(id + 100000, true, Qt::IBeamCursor);
    case 32514:
      return systemIcon(id + 100000, true, Qt::WaitCursor);
    case 32649:
      return systemIcon(id + 100000, true, Qt::PointingHandCursor);
  }
  return nullptr;
}

HICON CopyIcon(HICON icon) {
  auto* ic = qtb::as<HICON__>(icon, qtb::Kind::Icon);
  if (!ic)
    return nullptr;
  auto* copy = new HICON__;
  copy->image = ic->image;
  copy->scaled = ic->scaled;
  copy->cursor = ic->cursor;
  copy->shape = ic->shape;
  return qtb::adopt(copy);
}

BOOL DestroyIcon(HICON icon) {
  auto* ic = qtb::as<HICON__>(icon, qtb::Kind::Icon);
  if (!ic)
    return FALSE;
  if (ic->stock)
    return TRUE;
  if (g_cursor == icon)
    g_cursor = nullptr;
  qtb::unregisterObject(ic);
  delete ic;
  return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) {
  return DestroyIcon(cursor);
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = qtb::as<HICON__>(g_cursor, qtb::Kind::Icon) ? g_cursor : nullptr;
  if (cursor && !qtb::as<HICON__>(cursor, qtb::Kind::Icon))
    return old;
  g_cursor = cursor;
  if (g_cursorTarget) {
    if (cursor) {
      g_cursorTarget->setCursor(QCursor((Qt::CursorShape)qtb::cursorShapeOf(cursor)));
    } else {
      g_cursorTarget->setCursor(Qt::BlankCursor);
    }
  }
  return old;
}

HCURSOR GetCursor() {
  return qtb::as<HICON__>(g_cursor, qtb::Kind::Icon) ? g_cursor : nullptr;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
  auto* ic = qtb::as<HICON__>(icon, qtb::Kind::Icon);
  if (!ic || ic->image.isNull())
    return FALSE;
  if (qtb::beyondEveryDevice(x, y))
    return qtb::as<HDC__>(hdc, qtb::Kind::Dc) ? TRUE : FALSE;
  return qtb::paintOn(
             hdc,
             [&](QPainter& p) { qtb::drawSharpest(p, QRect(x, y, 32, 32), ic->image, ic->scaled); })
             ? TRUE
             : FALSE;
}
