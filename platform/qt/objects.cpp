// SPDX-License-Identifier: MIT
// Graphics objects: the live-object registry every handle is checked
// against, the stock objects, and the calls that work on any object.
#include <cstring>
#include <unordered_map>

#include "platform/qt/internal.h"

namespace {

std::unordered_map<const void*, qtb::GdiBase*>& registry() {
  // Never destroyed: stock objects stay registered until the very end.
  static auto& map = *new std::unordered_map<const void*, qtb::GdiBase*>;
  return map;
}

}  // namespace

namespace qtb {

namespace {

int g_counted[2];  // GDI, USER

int quotaOf(const GdiBase* obj) {
  switch (obj->kind) {
    case Kind::Icon:
    case Kind::Menu:
    case Kind::Accel:
      return 1;
    default:
      return 0;
  }
}

bool counts(const GdiBase* obj) {
  if (obj->stock)
    return false;
  auto* dc = obj->kind == Kind::Dc ? static_cast<const HDC__*>(obj) : nullptr;
  return !dc || dc->memory;
}

}  // namespace

bool registerObject(GdiBase* obj) {
  if (counts(obj)) {
    const int quota = quotaOf(obj);
    if ((quota == 1 ? userObjects() : gdiObjects()) >= kObjectQuota)
      return false;
    ++g_counted[quota];
    obj->counted = true;
  }
  registry()[dynamic_cast<void*>(obj)] = obj;
  return true;
}
void unregisterObject(GdiBase* obj) {
  if (registry().erase(dynamic_cast<void*>(obj)) && obj->counted) {
    --g_counted[quotaOf(obj)];
    obj->counted = false;
  }
}

int gdiObjects() {
  return g_counted[0];
}
int userObjects() {
  return g_counted[1] + liveWindowCount();
}
bool userQuotaLeft(int windows) {
  return userObjects() + windows <= kObjectQuota;
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
  return qtb::stockFont();
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
      registerObject(&brushes[i]);
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
    registerObject(f);
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
    registerObject(b);
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
    registerObject(p);
    return p;
  }();
  return pal;
}

}  // namespace qtb

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
      return qtb::stockBrush(index);
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
      return qtb::stockFont();
    case DEFAULT_PALETTE:
      return qtb::stockPalette();
  }
  return nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto* b = new HBRUSH__;
  b->color = color & 0xFFFFFF;
  return qtb::adopt(b);
}
