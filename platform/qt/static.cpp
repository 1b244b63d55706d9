// SPDX-License-Identifier: MIT
// The static control: pictures (bitmap, icon) and texts, with the colours
// its parent gives through WM_CTLCOLORSTATIC, and click notification.
#include <QPainter>

#include "platform/qt/widgets.h"

namespace {

QString withoutPrefix(const std::string& text, bool noPrefix) {
  QString s = QString::fromUtf8(text.c_str());
  if (noPrefix)
    return s;
  QString out;
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size())
      ++i;  // "&x" marks a mnemonic, "&&" is one '&'
    out += s[i];
  }
  return out;
}

QSize imageSize(HWND h) {
  if (h->imageType == IMAGE_BITMAP) {
    if (auto* b = qtb::as<HBITMAP__>(h->image, qtb::Kind::Bitmap))
      return b->image.size();
  } else {
    QImage img = qtb::iconImage((HICON)h->image);
    if (!img.isNull())
      return img.size();
  }
  return QSize();
}

// A picture static without centring takes the size of its picture, keeping
// its top-left corner, as the platform's static control does.
void fitToImage(HWND h) {
  DWORD type = h->style & SS_TYPEMASK;
  if ((type != SS_BITMAP && type != SS_ICON) || (h->style & (SS_CENTERIMAGE | SS_REALSIZEIMAGE))) {
    return;
  }
  QSize s = imageSize(h);
  if (s.isEmpty())
    return;
  int fw = qtb::frameWidth(h);
  h->rect.right = h->rect.left + s.width() + 2 * fw;
  h->rect.bottom = h->rect.top + s.height() + 2 * fw;
  qtb::syncGeometry(h);
}

LRESULT setImage(HWND h, int type, void* image) {
  void* old = h->image;
  // The picture it shows already: nothing to fit or repaint.
  if (image == old && type == h->imageType)
    return (LRESULT)old;
  QSize before = imageSize(h);
  h->image = image;
  h->imageType = type;
  if (imageSize(h) != before)
    fitToImage(h);
  qtb::markDirty(h);
  qtb::accessibleChanged(h);
  return (LRESULT)old;
}

}  // namespace

namespace qtb {

LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!isWindow(h))
    return 0;
  switch (msg) {
    case STM_SETIMAGE:
      if (wp != IMAGE_BITMAP && wp != IMAGE_ICON && wp != IMAGE_CURSOR)
        return 0;
      return setImage(h, wp == IMAGE_BITMAP ? IMAGE_BITMAP : IMAGE_ICON, (void*)lp);
    case STM_GETIMAGE:
      if ((wp == IMAGE_BITMAP) != (h->imageType == IMAGE_BITMAP))
        return 0;
      return (LRESULT)h->image;
    case STM_SETICON:
      return setImage(h, IMAGE_ICON, (void*)wp);
    case STM_GETICON:
      return h->imageType == IMAGE_ICON ? (LRESULT)h->image : 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      paintStatic(h, dc);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if ((h->style & SS_NOTIFY) && isWindow(h->parent)) {
        WORD code = msg == WM_LBUTTONDOWN ? STN_CLICKED : STN_DBLCLK;
        SendMessage(h->parent, WM_COMMAND, MAKEWPARAM(h->id, code), (LPARAM)h);
      }
      return 0;
    case WM_ENABLE:
      markDirty(h);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void paintStatic(HWND h, HDC dc) {
  auto* d = as<HDC__>(dc, Kind::Dc);
  if (!d || !d->painter || !isWindow(h))
    return;
  QPainter& p = *d->painter;
  QRect client(QPoint(0, 0), clientRectPx(h).size());
  DWORD type = h->style & SS_TYPEMASK;
  HBRUSH brush = ctlColor(h, WM_CTLCOLORSTATIC, dc);
  if (!isWindow(h))
    return;
  fillWithBrush(p, client, brush, QColor(240, 240, 240));
  if (type == SS_BITMAP || type == SS_ICON) {
    QImage img;
    static const SharperCopies kNone;
    const SharperCopies* scaled = &kNone;
    if (type == SS_BITMAP && h->imageType == IMAGE_BITMAP) {
      if (auto* b = as<HBITMAP__>(h->image, Kind::Bitmap)) {
        img = b->image;
        scaled = &b->scaled;
      }
    } else if (h->imageType == IMAGE_ICON) {
      if (auto* ic = as<HICON__>(h->image, Kind::Icon)) {
        img = ic->image;
        scaled = &ic->scaled;
      }
    }
    if (img.isNull())
      return;
    QPoint at(0, 0);
    if (h->style & SS_CENTERIMAGE) {
      at = QPoint((client.width() - img.width()) / 2, (client.height() - img.height()) / 2);
    }
    drawSharpest(p, QRect(at, img.size()), img, *scaled);
    return;
  }
  if (type == SS_BLACKFRAME) {
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(client.adjusted(0, 0, -1, -1));
    return;
  }
  if (type == SS_OWNERDRAW) {
    DRAWITEMSTRUCT dis{ODT_STATIC,
                       (UINT)h->id,
                       0,
                       ODA_DRAWENTIRE,
                       h->enabled ? 0u : (UINT)ODS_DISABLED,
                       h,
                       dc,
                       RECT{0, 0, client.width(), client.height()},
                       0};
    SendMessage(h->parent, WM_DRAWITEM, (WPARAM)h->id, (LPARAM)&dis);
    return;
  }
  if (type > SS_RIGHT)
    return;
  int align = type == SS_CENTER  ? Qt::AlignHCenter
              : type == SS_RIGHT ? Qt::AlignRight
                                 : Qt::AlignLeft;
  align |= (h->style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
  QString text = withoutPrefix(h->text, (h->style & SS_NOPREFIX) != 0);
  QFont font = fontOf(h->font);
  p.setFont(font);
  // A text as wide as its control (sized with GetTextExtentPoint32) stays on
  // one line; only longer texts wrap at word breaks.
  if (QFontMetrics(font).horizontalAdvance(text) > client.width() || text.contains('\n'))
    align |= Qt::TextWordWrap;
  QRect bounds = p.boundingRect(client, align, text);
  bool custom = brush != nullptr;
  if (custom && d->bkMode == OPAQUE)
    p.fillRect(bounds.intersected(client), toQColor(d->bkColor));
  QColor color = custom ? toQColor(d->textColor) : QColor(Qt::black);
  if (!h->enabled)
    color = QColor(128, 128, 128);
  p.setPen(color);
  p.drawText(client, align, text);
}

}  // namespace qtb
