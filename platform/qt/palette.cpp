// SPDX-License-Identifier: MIT
// Logical palettes: plain data. The display is true colour, so selecting
// and realizing only record the choice.
#include "platform/qt/internal.h"

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0)
    return nullptr;
  auto* p = new HPALETTE__;
  p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return qtb::adopt(p);
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  auto* p = qtb::as<HPALETTE__>(palette, qtb::Kind::Palette);
  if (!p)
    return 0;
  UINT size = (UINT)p->entries.size();
  if (!entries)
    return size;
  if (start >= size)
    return 0;
  UINT n = std::min(count, size - start);
  for (UINT i = 0; i < n; ++i)
    entries[i] = p->entries[start + i];
  return n;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  auto* p = qtb::as<HPALETTE__>(palette, qtb::Kind::Palette);
  if (!p || p->entries.empty())
    return CLR_INVALID;
  int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  UINT best = 0;
  long bestDistance = -1;
  for (UINT i = 0; i < p->entries.size(); ++i) {
    const PALETTEENTRY& e = p->entries[i];
    long dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
    long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {  // first index wins a tie
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d || !qtb::as<HPALETTE__>(palette, qtb::Kind::Palette))
    return nullptr;
  HPALETTE old = d->palette ? d->palette : (HPALETTE)GetStockObject(DEFAULT_PALETTE);
  d->palette = palette;
  return old;
}

UINT RealizePalette(HDC hdc) {
  auto* d = qtb::as<HDC__>(hdc, qtb::Kind::Dc);
  if (!d)
    return GDI_ERROR;
  auto* p = qtb::as<HPALETTE__>(d->palette, qtb::Kind::Palette);
  return p && !p->stock ? (UINT)p->entries.size() : 0;
}
