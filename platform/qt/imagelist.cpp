// SPDX-License-Identifier: MIT
// Image lists: fixed-size images copied from bitmaps. Copies share the
// bitmap's pixel buffer until someone writes to it, so adding an image is
// cheap and the bitmap may be deleted right after.
#include <QPainter>

#include "platform/qt/internal.h"

namespace {

int addImages(_IMAGELIST* list, const HBITMAP__& bitmap, bool masked, COLORREF mask) {
  const QImage& source = bitmap.image;
  if (source.isNull() || list->cx <= 0)
    return -1;
  int first = (int)list->images.size();
  int count = std::max(1, source.width() / list->cx);
  for (int i = 0; i < count; ++i) {
    QImage img = source;
    const bool whole = source.width() == list->cx && source.height() == list->cy;
    if (!whole) {
      img = source.copy(i * list->cx, 0, list->cx, list->cy);
    }
    list->images.push_back(masked ? qtb::clearColour(img, mask) : img);
    // A picture of the list's size keeps its sharper copies.
    qtb::SharperCopies copies;
    if (whole)
      copies = masked ? bitmap.scaled.masked(mask) : bitmap.scaled;
    list->scaled.push_back(copies);
  }
  return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int) {
  if (cx <= 0 || cy <= 0 || cx > 32767 || cy > 32767)
    return nullptr;
  // Each image is a picture of this size: no larger than a bitmap may be.
  if ((qint64)cx * cy > 64 * 1024 * 1024)
    return nullptr;
  auto* list = new _IMAGELIST;
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  list->images.reserve((size_t)std::clamp(initial, 0, 1024));
  return qtb::adopt(list);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  auto* l = qtb::as<_IMAGELIST>(list, qtb::Kind::ImageList);
  if (!l)
    return FALSE;
  qtb::unregisterObject(l);
  delete l;
  return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP) {
  auto* l = qtb::as<_IMAGELIST>(list, qtb::Kind::ImageList);
  auto* b = qtb::as<HBITMAP__>(image, qtb::Kind::Bitmap);
  if (!l || !b)
    return -1;
  return addImages(l, *b, false, 0);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  auto* l = qtb::as<_IMAGELIST>(list, qtb::Kind::ImageList);
  auto* b = qtb::as<HBITMAP__>(image, qtb::Kind::Bitmap);
  if (!l || !b)
    return -1;
  // Without ILC_MASK the list keeps no mask and draws its images opaque.
  bool masked = (l->flags & ILC_MASK) && mask != CLR_NONE && mask != CLR_DEFAULT;
  return addImages(l, *b, masked, mask);
}

int ImageList_GetImageCount(HIMAGELIST list) {
  auto* l = qtb::as<_IMAGELIST>(list, qtb::Kind::ImageList);
  return l ? (int)l->images.size() : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  auto* l = qtb::as<_IMAGELIST>(list, qtb::Kind::ImageList);
  if (!l || !cx || !cy)
    return FALSE;
  *cx = l->cx;
  *cy = l->cy;
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT) {
  auto* l = qtb::as<_IMAGELIST>(list, qtb::Kind::ImageList);
  if (!l || index < 0 || index >= (int)l->images.size())
    return FALSE;
  const QImage& img = l->images[(size_t)index];
  if (qtb::beyondEveryDevice(x, y))
    return qtb::as<HDC__>(hdc, qtb::Kind::Dc) ? TRUE : FALSE;
  return qtb::paintOn(hdc,
                      [&](QPainter& p) {
                        qtb::drawSharpest(p, QRect(QPoint(x, y), img.size()), img,
                                          l->scaled[(size_t)index]);
                      })
             ? TRUE
             : FALSE;
}

void InitCommonControls() {}
