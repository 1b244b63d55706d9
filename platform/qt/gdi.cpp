// SPDX-License-Identifier: MIT
// Graphics objects and device contexts: the live-object registry, stock
// objects, memory and paint DCs over a QPainter or a bitmap's QImage,
// brushes, pixels and the colours a parent gives through WM_CTLCOLOR*.
// Nothing here needs a GUI application except text (fonts).
#include <QGuiApplication>
#include <QPainter>
#include <unordered_map>

#include "platform/qt/internal.h"

namespace {

std::unordered_map<const void*, qtb::GdiBase*>& registry() {
  static std::unordered_map<const void*, qtb::GdiBase*> map;
  return map;
}

HBRUSH__* stockBrush(int index) {
  static HBRUSH__ brushes[6];
  static bool made = false;
  if (!made) {
    const int greys[5] = {255, 192, 128, 64, 0};
    for (int i = 0; i < 6; ++i) {
      brushes[i].stock = true;
      brushes[i].hollow = i == NULL_BRUSH;
      if (i < 5)
        brushes[i].color = RGB(greys[i], greys[i], greys[i]);
      qtb::registerObject(&brushes[i]);
    }
    made = true;
  }
  return index >= 0 && index < 6 ? &brushes[index] : nullptr;
}

HFONT__* stockFont() {
  static HFONT__* font = [] {
    auto* f = new HFONT__;
    f->stock = true;
    f->lf.lfHeight = -11;
    f->lf.lfWeight = FW_NORMAL;
    f->lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(f->lf.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    qtb::registerObject(f);
    return f;
  }();
  return font;
}

HBITMAP__* stockBitmap() {
  static HBITMAP__* bmp = [] {
    auto* b = new HBITMAP__;
    b->stock = true;
    b->image = QImage(1, 1, QImage::Format_RGB32);
    b->image.fill(Qt::black);
    b->bitsPixel = 1;
    qtb::registerObject(b);
    return b;
  }();
  return bmp;
}

HPALETTE__* stockPalette() {
  static HPALETTE__* pal = [] {
    auto* p = new HPALETTE__;
    p->stock = true;
    // The twenty static colours of the platform's default palette.
    const BYTE c[20][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                           {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                           {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
                           {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                           {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    for (const auto& e : c)
      p->entries.push_back(PALETTEENTRY{e[0], e[1], e[2], 0});
    qtb::registerObject(p);
    return p;
  }();
  return pal;
}

bool paintableFormat(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

namespace qtb {

void registerObject(GdiBase* obj) {
  registry()[dynamic_cast<void*>(obj)] = obj;
}
void unregisterObject(GdiBase* obj) {
  registry().erase(dynamic_cast<void*>(obj));
}

GdiBase* lookupAnyObject(const void* handle) {
  if (!handle)
    return nullptr;
  auto it = registry().find(handle);
  return it == registry().end() ? nullptr : it->second;
}

GdiBase* lookupObject(const void* handle, Kind kind) {
  GdiBase* g = lookupAnyObject(handle);
  return g && g->kind == kind ? g : nullptr;
}

QColor toQColor(COLORREF c) {
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
COLORREF fromQColor(const QColor& c) {
  return RGB(c.red(), c.green(), c.blue());
}

HFONT dialogFont() {
  return stockFont();
}

QFont fontOf(HFONT f) {
  auto* font = as<HFONT__>(f, Kind::Font);
  const LOGFONT& lf = font ? font->lf : stockFont()->lf;
  QString face = QString::fromUtf8(lf.lfFaceName);
  // The dialog faces of the platform have no Cyrillic here; a sans face
  // with Cyrillic glyphs at the same size keeps texts inside their places.
  if (face.isEmpty() || face == QLatin1String("MS Sans Serif") ||
      face == QLatin1String("MS Shell Dlg") || face == QLatin1String("System")) {
    face = QStringLiteral("DejaVu Sans");
  }
  QFont q(face);
  int px = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight > 0 ? lf.lfHeight * 4 / 5 : 11;
  q.setPixelSize(std::max(px, 1));
  q.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
  q.setItalic(lf.lfItalic != 0);
  q.setUnderline(lf.lfUnderline != 0);
  q.setStrikeOut(lf.lfStrikeOut != 0);
  return q;
}

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
  dc->bitmap = stockBitmap();
  ++stockBitmap()->selectedIn;
  qtb::registerObject(dc);
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
      HGDIOBJ old = d->font ? (HGDIOBJ)d->font : (HGDIOBJ)stockFont();
      d->font = static_cast<HFONT__*>(g);
      return old;
    }
    case qtb::Kind::Brush: {
      HGDIOBJ old = d->brush ? (HGDIOBJ)d->brush : (HGDIOBJ)stockBrush(WHITE_BRUSH);
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

BOOL DeleteObject(HGDIOBJ object) {
  qtb::GdiBase* g = qtb::lookupAnyObject(object);
  if (!g)
    return FALSE;
  switch (g->kind) {
    case qtb::Kind::Bitmap:
    case qtb::Kind::Brush:
    case qtb::Kind::Font:
    case qtb::Kind::Palette:
    case qtb::Kind::Pen:
      break;
    default:
      return FALSE;
  }
  if (g->stock)
    return TRUE;
  // As on the platform, a bitmap still selected into a DC cannot be deleted.
  if (g->kind == qtb::Kind::Bitmap && static_cast<HBITMAP__*>(g)->selectedIn > 0)
    return FALSE;
  qtb::unregisterObject(g);
  delete g;
  return TRUE;
}

int GetObject(HGDIOBJ object, int size, LPVOID buffer) {
  qtb::GdiBase* g = qtb::lookupAnyObject(object);
  if (!g || size < 0)
    return 0;
  switch (g->kind) {
    case qtb::Kind::Bitmap: {
      if (!buffer)
        return (int)sizeof(BITMAP);
      if (size < (int)sizeof(BITMAP))
        return 0;
      auto* b = static_cast<HBITMAP__*>(g);
      BITMAP bm{};
      bm.bmWidth = b->image.width();
      bm.bmHeight = b->image.height();
      bm.bmPlanes = 1;
      bm.bmBitsPixel = (WORD)b->bitsPixel;
      if (!b->indexed.isNull()) {
        bm.bmWidthBytes = (LONG)b->indexed.bytesPerLine();
        bm.bmBits = const_cast<uchar*>(b->indexed.constBits());
      } else {
        bm.bmWidthBytes = (LONG)b->image.bytesPerLine();
      }
      std::memcpy(buffer, &bm, sizeof bm);
      return (int)sizeof(BITMAP);
    }
    case qtb::Kind::Palette: {
      if (!buffer)
        return (int)sizeof(WORD);
      if (size < (int)sizeof(WORD))
        return 0;
      WORD n = (WORD) static_cast<HPALETTE__*>(g)->entries.size();
      std::memcpy(buffer, &n, sizeof n);
      return (int)sizeof(WORD);
    }
    case qtb::Kind::Font: {
      if (!buffer)
        return (int)sizeof(LOGFONT);
      int n = std::min(size, (int)sizeof(LOGFONT));
      std::memcpy(buffer, &static_cast<HFONT__*>(g)->lf, (size_t)n);
      return n;
    }
    default:
      return 0;
  }
}

HGDIOBJ GetStockObject(int index) {
  switch (index) {
    case WHITE_BRUSH:
    case LTGRAY_BRUSH:
    case GRAY_BRUSH:
    case DKGRAY_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH:
      return stockBrush(index);
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
      return stockFont();
    case DEFAULT_PALETTE:
      return stockPalette();
  }
  return nullptr;
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
  QRect r(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
  return qtb::paintOn(hdc, [&](QPainter& p) { p.fillRect(r, c); }) ? 1 : 0;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto* b = new HBRUSH__;
  b->color = color & 0xFFFFFF;
  qtb::registerObject(b);
  return b;
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
