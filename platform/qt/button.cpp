// SPDX-License-Identifier: MIT
// The push button: drawn with the application style (or by its parent
// through WM_DRAWITEM when owner-drawn), BN_CLICKED on a completed click.
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/qt/widgets.h"

namespace qtb {

LRESULT CALLBACK ButtonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!isWindow(h))
    return 0;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      paintButton(h, dc);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a push button takes a quick second click as a click
      h->pressed = true;
      markDirty(h);
      return 0;
    case WM_LBUTTONUP: {
      if (!h->pressed)
        return 0;
      h->pressed = false;
      markDirty(h);
      QRect c = clientRectPx(h);
      int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
      if (x >= 0 && y >= 0 && x < c.width() && y < c.height() && isWindow(h->parent)) {
        SendMessage(h->parent, WM_COMMAND, MAKEWPARAM(h->id, BN_CLICKED), (LPARAM)h);
      }
      return 0;
    }
    case WM_KEYDOWN:
      // Space presses a push button and its release clicks it.
      if (wp == VK_SPACE && h->enabled) {
        h->pressed = true;
        markDirty(h);
      }
      return 0;
    case WM_KEYUP:
      if (wp == VK_SPACE && h->pressed) {
        h->pressed = false;
        markDirty(h);
        if (h->enabled && isWindow(h->parent))
          SendMessage(h->parent, WM_COMMAND, MAKEWPARAM(h->id, BN_CLICKED), (LPARAM)h);
      }
      return 0;
    case BM_CLICK:
      if (h->enabled && isWindow(h->parent)) {
        SendMessage(h->parent, WM_COMMAND, MAKEWPARAM(h->id, BN_CLICKED), (LPARAM)h);
      }
      return 0;
    case WM_ENABLE:
      markDirty(h);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void paintButton(HWND h, HDC dc) {
  auto* d = as<HDC__>(dc, Kind::Dc);
  if (!d || !d->painter || !isWindow(h))
    return;
  QPainter& p = *d->painter;
  QRect client(QPoint(0, 0), clientRectPx(h).size());
  if ((h->style & BS_TYPEMASK) == BS_OWNERDRAW) {
    UINT state = 0;
    if (h->pressed)
      state |= ODS_SELECTED;
    if (!h->enabled)
      state |= ODS_DISABLED;
    if (GetFocus() == h)
      state |= ODS_FOCUS;
    DRAWITEMSTRUCT dis{ODT_BUTTON, (UINT)h->id, 0,  ODA_DRAWENTIRE,
                       state,      h,           dc, RECT{0, 0, client.width(), client.height()},
                       0};
    SendMessage(h->parent, WM_DRAWITEM, (WPARAM)h->id, (LPARAM)&dis);
    return;
  }
  // The parent may colour what lies around the face; the face keeps the
  // style's look, as push buttons do on the platform.
  HBRUSH brush = ctlColor(h, WM_CTLCOLORBTN, dc);
  if (!isWindow(h))
    return;
  if (brush)
    fillWithBrush(p, client, brush, QColor(240, 240, 240));
  QStyleOptionButton opt;
  opt.rect = client;
  opt.text = QString::fromUtf8(h->text.c_str());
  opt.state = QStyle::State_None;
  if (h->enabled)
    opt.state |= QStyle::State_Enabled;
  opt.state |= h->pressed ? QStyle::State_Sunken : QStyle::State_Raised;
  if (h->defButton)
    opt.features |= QStyleOptionButton::DefaultButton;
  if (h->style & BS_FLAT)
    opt.features |= QStyleOptionButton::Flat;
  if (h->widget) {
    opt.palette = h->widget->palette();
    opt.fontMetrics = QFontMetrics(fontOf(h->font));
  }
  if (!h->enabled)
    opt.palette.setCurrentColorGroup(QPalette::Disabled);
  p.setFont(fontOf(h->font));
  QApplication::style()->drawControl(QStyle::CE_PushButton, &opt, &p, h->widget);
  if (showsFocusMark(h))
    drawFocusMark(p, client.adjusted(3, 3, -3, -3));
}

}  // namespace qtb
