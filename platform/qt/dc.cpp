// SPDX-License-Identifier: MIT
// Device contexts: paint DCs over the painter of the paint in progress,
// memory DCs over a bitmap's QImage, brushes and pixels, and the colours a
// parent gives through WM_CTLCOLOR*. Nothing here needs a GUI application.
#include <QPainter>
#include <algorithm>

#include "platform/qt/internal.h"

namespace {

bool paintableFormat(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

namespace qtb {

HDC makePaintDC(HWND h, QPainter* p) {
  auto* dc = new HDC__;
  dc->painter = p;
  dc->hwnd = h;
  if (isWindow(h))
    dc->font = h->font;
  registerObject(dc);
  return dc;
}

void freeDC(HDC hdc) {
  auto* d = as<HDC__>(hdc, Kind::Dc);
  if (!d)
    return;
  if (auto* b = as<HBITMAP__>(d->bitmap, Kind::Bitmap))
    --b->selectedIn;
  unregisterObject(d);
  delete d;
}

QRect drawableRect(HDC hdc) {
  auto* d = as<HDC__>(hdc, Kind::Dc);
  if (!d)
    return QRect();
  if (d->painter) {
    if (d->painter->hasClipping())
      return d->painter->clipBoundingRect().toAlignedRect();
    QPaintDevice* dev = d->painter->device();
    QRect all = dev ? QRect(0, 0, dev->width(), dev->height()) : QRect();
    return d->painter->transform().inverted().mapRect(all);
  }
  auto* b = as<HBITMAP__>(d->bitmap, Kind::Bitmap);
  return d->memory && b ? b->image.rect() : QRect();
}

QRect deviceRect(qint64 left, qint64 top, qint64 right, qint64 bottom) {
  auto cut = [](qint64 v) { return (int)std::clamp(v, -kFar, kFar); };
  return QRect(QPoint(cut(left), cut(top)), QPoint(cut(right) - 1, cut(bottom) - 1));
}

bool paintOn(HDC hdc, const std::function<void(QPainter&)>& fn) {
  auto* d = as<HDC__>(hdc, Kind::Dc);
  if (!d)
    return false;
  if (d->painter) {
    d->painter->save();
    fn(*d->painter);
    d->painter->restore();
    return true;
  }
  auto* b = as<HBITMAP__>(d->bitmap, Kind::Bitmap);
  if (!d->memory || !b || b->image.isNull())
    return true;
  if (!paintableFormat(b->image.format()))
    b->image = b->image.convertToFormat(QImage::Format_RGB32);
  {
    QPainter p(&b->image);
    fn(p);
  }
  b->indexed = QImage();  // the 8-bit original no longer matches
  b->scaled = {};         // nor do the sharper copies
  b->bitsPixel = 32;
  return true;
}

HBRUSH ctlColor(HWND h, UINT msg, HDC dc) {
  if (!isWindow(h))
    return nullptr;
  HWND target = msg == WM_CTLCOLORDLG ? h : h->parent;
  if (!isWindow(target))
    return nullptr;
  return (HBRUSH)SendMessage(target, msg, (WPARAM)dc, (LPARAM)h);
}

void fillWithBrush(QPainter& p, const QRect& r, HBRUSH b, const QColor& fallback) {
  if (!b) {
    p.fillRect(r, fallback);
    return;
  }
  auto* br = as<HBRUSH__>(b, Kind::Brush);
  if (!br) {
    p.fillRect(r, fallback);
  } else if (!br->hollow) {
    p.fillRect(r, toQColor(br->color));
  }
}

}  // namespace qtb

HDC CreateCompatibleDC(HDC) {
  auto* dc = new HDC__;
  dc->memory = true;
  dc->bitmap = qtb::stockBitmap();
  if (!qtb::adopt(dc))
    return nullptr;
  ++qtb::stockBitmap()->selectedIn;
  return dc;
}

BOOL DeleteDC(HDC hdc) {
  if (!qtb::as<HDC__>(hdc, qtb::Kind::Dc))
    return FALSE;
  qtb::freeDC(hdc);
  return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
    return nullptr;
  if ((qint64)width * height > 64 * 1024 * 1024)
    return nullptr;
  QImage img(width, height, QImage::Format_RGB32);
  if (img.isNull())
    return nullptr;
  img.fill(Qt::black);
  return qtb::newBitmap(img, QImage(), 32);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  qtb::GdiBase* g = qtb::lookupAnyObject(object);
  if (!d || !g)
    return nullptr;
  switch (g->kind) {
    case qtb::Kind::Bitmap: {
      if (!d->memory)
        return nullptr;
      auto* b = static_cast<HBITMAP__*>(g);
      HBITMAP old = d->bitmap;
      if (auto* ob = qtb::as<HBITMAP__>(old, qtb::Kind::Bitmap))
        --ob->selectedIn;
      d->bitmap = b;
      ++b->selectedIn;
      return old;
    }
    case qtb::Kind::Font: {
      HGDIOBJ old = d->font ? (HGDIOBJ)d->font : (HGDIOBJ)qtb::stockFont();
      d->font = static_cast<HFONT__*>(g);
      return old;
    }
    case qtb::Kind::Brush: {
      HGDIOBJ old = d->brush ? (HGDIOBJ)d->brush : (HGDIOBJ)qtb::stockBrush(WHITE_BRUSH);
      d->brush = static_cast<HBRUSH__*>(g);
      return old;
    }
    case qtb::Kind::Pen: {
      HGDIOBJ old = d->pen;
      d->pen = static_cast<HPEN__*>(g);
      return old;
    }
    default:
      return nullptr;
  }
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  auto* b = d ? qtb::as<HBITMAP__>(d->bitmap, qtb::Kind::Bitmap) : nullptr;
  if (!d || !d->memory || !b || !b->image.valid(x, y))
    return CLR_INVALID;
  return qtb::fromQColor(QColor(b->image.pixel(x, y)));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  bool ok = qtb::paintOn(hdc, [&](QPainter& p) {
    p.setPen(qtb::toQColor(color));
    p.drawPoint(x, y);
  });
  return ok ? color : CLR_INVALID;
}

int FillRect(HDC hdc, LPCRECT rect, HBRUSH brush) {
  if (!rect)
    return 0;
  auto* b = qtb::as<HBRUSH__>(brush, qtb::Kind::Brush);
  // Small values are the platform's system-colour brushes (COLOR_x + 1).
  QColor c = b ? qtb::toQColor(b->color) : QColor(240, 240, 240);
  if (b && b->hollow)
    return 1;
  if (!b && (uintptr_t)brush > 64)
    return 0;
  if (rect->right <= rect->left || rect->bottom <= rect->top)
    return 1;
  QRect r = qtb::deviceRect(rect->left, rect->top, rect->right, rect->bottom);
  return qtb::paintOn(hdc, [&](QPainter& p) { p.fillRect(r, c); }) ? 1 : 0;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
            DWORD rop) {
  // Copies only, from the bitmap of a memory DC.
  auto* s = qtb::as<HDC__>(source, qtb::Kind::Dc);
  auto* b = s && s->memory ? qtb::as<HBITMAP__>(s->bitmap, qtb::Kind::Bitmap) : nullptr;
  if (rop != SRCCOPY || !b || width < 0 || height < 0)
    return FALSE;
  // What of the source rectangle the bitmap has, and where that lands.
  const qint64 sx0 = std::max<qint64>(xSource, 0), sy0 = std::max<qint64>(ySource, 0);
  const qint64 sx1 = std::min<qint64>((qint64)xSource + width, b->image.width());
  const qint64 sy1 = std::min<qint64>((qint64)ySource + height, b->image.height());
  const qint64 dx = (qint64)x + (sx0 - xSource), dy = (qint64)y + (sy0 - ySource);
  if (!qtb::as<HDC__>(dest, qtb::Kind::Dc))
    return FALSE;
  if (sx1 <= sx0 || sy1 <= sy0 || qtb::beyondEveryDevice(dx, dy))
    return TRUE;
  const QImage part = b->image.copy((int)sx0, (int)sy0, (int)(sx1 - sx0), (int)(sy1 - sy0));
  return qtb::paintOn(dest, [&](QPainter& p) { p.drawImage(QPoint((int)dx, (int)dy), part); })
             ? TRUE
             : FALSE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d)
    return CLR_INVALID;
  COLORREF old = d->textColor;
  d->textColor = color;
  d->textColorSet = true;
  return old;
}

COLORREF GetTextColor(HDC hdc) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  return d ? d->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d)
    return CLR_INVALID;
  COLORREF old = d->bkColor;
  d->bkColor = color;
  return old;
}

int SetBkMode(HDC hdc, int mode) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d || (mode != TRANSPARENT && mode != OPAQUE))
    return 0;
  int old = d->bkMode;
  d->bkMode = mode;
  return old;
}

int GetBkMode(HDC hdc) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  return d ? d->bkMode : 0;
}
