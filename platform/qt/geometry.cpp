// SPDX-License-Identifier: MIT
// Window places and sizes, coordinate mapping, invalidation and painting,
// focus, mouse capture and rectangles.
#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "platform/qt/widgets.h"

namespace {

HWND g_capture = nullptr;
HWND g_focus = nullptr;

// The screen position of a window's client origin.
QPoint clientOrigin(HWND h) {
  if (h->cls == WndClass::Dialog && h->client)
    return h->client->mapToGlobal(QPoint(0, 0));
  int fw = qtb::frameWidth(h);
  if (h->widget)
    return h->widget->mapToGlobal(QPoint(fw, fw));
  QPoint p(h->rect.left + fw, h->rect.top + fw);
  if ((h->style & WS_CHILD) && qtb::isWindow(h->parent))
    p += clientOrigin(h->parent);
  return p;
}

// A window's far edges stop at the largest coordinate there is.
void placeWindow(HWND h, int x, int y, int cx, int cy) {
  auto edge = [](int from, int size) {
    return (LONG)std::min<long long>((long long)from + std::max(size, 0), INT_MAX);
  };
  h->rect = RECT{x, y, edge(x, cx), edge(y, cy)};
  if (h->cls == WndClass::Dialog && h->widget) {
    h->widget->move(x, y);
  } else {
    qtb::syncGeometry(h);
  }
}

// Puts a child just below its sibling after in the z-order, the order in
// which GetWindow and a screen reader find the children. The widgets keep
// that order too, so overlapping siblings are drawn as they were.
void placeAfter(HWND h, HWND after) {
  if (!qtb::isWindow(after) || after == h || after->parent != h->parent ||
      !qtb::isWindow(h->parent) || !(h->style & WS_CHILD))
    return;
  std::vector<HWND>& siblings = h->parent->children;
  auto was = std::find(siblings.begin(), siblings.end(), h);
  if (was == siblings.end())
    return;
  siblings.erase(was);
  auto at = siblings.insert(std::find(siblings.begin(), siblings.end(), after) + 1, h);
  if (!h->widget)
    return;
  if (at + 1 != siblings.end() && (*(at + 1))->widget)
    h->widget->stackUnder((*(at + 1))->widget);
  else
    h->widget->raise();
}

}  // namespace

BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint) {
  if (!qtb::isWindow(h))
    return FALSE;
  placeWindow(h, x, y, width, height);
  if (repaint)
    qtb::markDirty(h);
  return TRUE;
}

BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  if (!qtb::isWindow(h))
    return FALSE;
  RECT r = h->rect;
  if (flags & SWP_NOMOVE)
    x = r.left, y = r.top;
  if (flags & SWP_NOSIZE)
    cx = r.right - r.left, cy = r.bottom - r.top;
  placeWindow(h, x, y, cx, cy);
  if (!(flags & SWP_NOZORDER) && after == HWND_TOP && h->widget)
    h->widget->raise();
  else if (!(flags & SWP_NOZORDER))
    placeAfter(h, after);
  if (flags & SWP_SHOWWINDOW)
    ShowWindow(h, SW_SHOWNOACTIVATE);
  if (flags & SWP_HIDEWINDOW)
    ShowWindow(h, SW_HIDE);
  if (!(flags & SWP_NOREDRAW))
    qtb::markDirty(h);
  return TRUE;
}

BOOL GetClientRect(HWND h, LPRECT rect) {
  if (!qtb::isWindow(h) || !rect)
    return FALSE;
  QRect c = qtb::clientRectPx(h);
  *rect = RECT{0, 0, c.width(), c.height()};
  return TRUE;
}

BOOL GetWindowRect(HWND h, LPRECT rect) {
  if (!qtb::isWindow(h) || !rect)
    return FALSE;
  if (!(h->style & WS_CHILD)) {
    if (h->widget) {
      QRect g = h->widget->frameGeometry();
      *rect = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    } else {
      *rect = h->rect;
    }
    return TRUE;
  }
  QPoint o = clientOrigin(h) - QPoint(qtb::frameWidth(h), qtb::frameWidth(h));
  *rect = RECT{o.x(), o.y(), o.x() + (h->rect.right - h->rect.left),
               o.y() + (h->rect.bottom - h->rect.top)};
  return TRUE;
}

BOOL ClientToScreen(HWND h, LPPOINT point) {
  if (!qtb::isWindow(h) || !point)
    return FALSE;
  QPoint o = clientOrigin(h);
  point->x += o.x();
  point->y += o.y();
  return TRUE;
}

BOOL ScreenToClient(HWND h, LPPOINT point) {
  if (!qtb::isWindow(h) || !point)
    return FALSE;
  QPoint o = clientOrigin(h);
  point->x -= o.x();
  point->y -= o.y();
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  QPoint a = qtb::isWindow(from) ? clientOrigin(from) : QPoint();
  QPoint b = qtb::isWindow(to) ? clientOrigin(to) : QPoint();
  QPoint d = a - b;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += d.x();
    points[i].y += d.y();
  }
  return MAKELONG((short)d.x(), (short)d.y());
}

BOOL InvalidateRect(HWND h, LPCRECT, BOOL) {
  if (!qtb::isWindow(h))
    return FALSE;
  qtb::markDirty(h);
  return TRUE;
}

// Painting is always deferred to the next paint of the window system (a
// test flushes it with ProcessEvents), so a handler that changes many
// controls pays for one paint at the end.
BOOL UpdateWindow(HWND h) {
  return qtb::isWindow(h) ? TRUE : FALSE;
}

BOOL RedrawWindow(HWND h, LPCRECT, HRGN, UINT flags) {
  if (!qtb::isWindow(h))
    return FALSE;
  if (flags & (RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_INTERNALPAINT))
    qtb::markDirty(h);
  if (flags & RDW_ALLCHILDREN) {
    for (HWND c : h->children)
      qtb::markDirty(c);
  }
  return TRUE;
}

HDC BeginPaint(HWND h, LPPAINTSTRUCT ps) {
  if (!qtb::isWindow(h) || !ps)
    return nullptr;
  *ps = PAINTSTRUCT{};
  HDC dc = qtb::makePaintDC(h, qtb::currentPainter(h));
  ps->hdc = dc;
  QRect c = qtb::clientRectPx(h);
  ps->rcPaint = RECT{0, 0, c.width(), c.height()};
  ps->fErase = TRUE;
  if (qtb::dispatch(h, WM_ERASEBKGND, (WPARAM)dc, 0))
    ps->fErase = FALSE;
  return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (!ps)
    return FALSE;
  qtb::freeDC(ps->hdc);
  return qtb::isWindow(h) ? TRUE : FALSE;
}

HDC GetDC(HWND h) {
  if (h && !qtb::isWindow(h))
    return nullptr;
  return qtb::makePaintDC(h, nullptr);
}

int ReleaseDC(HWND, HDC hdc) {
  if (!qtb::as<HDC__>(hdc, qtb::Kind::Dc))
    return 0;
  qtb::freeDC(hdc);
  return 1;
}

HWND SetFocus(HWND h) {
  HWND old = qtb::isWindow(g_focus) ? g_focus : nullptr;
  if (h && !qtb::isWindow(h))
    return nullptr;
  g_focus = h;
  if (h && h->widget)
    h->widget->setFocus();
  // Both redraw their focus marks.
  qtb::markDirty(old);
  qtb::markDirty(h);
  return old;
}

HWND GetFocus() {
  return qtb::isWindow(g_focus) ? g_focus : nullptr;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  if (!qtb::isWindow(hDlg))
    return nullptr;
  const std::vector<HWND>& all = hDlg->children;
  const int n = (int)all.size();
  int at = -1;
  for (int i = 0; i < n; ++i) {
    if (all[(size_t)i] == hCtl)
      at = i;
  }
  for (int step = 1; step <= n; ++step) {
    int i = at < 0 ? (bPrevious ? n - step : step - 1)
                   : ((at + (bPrevious ? -step : step)) % n + n) % n;
    HWND c = all[(size_t)i];
    if ((c->style & WS_TABSTOP) && c->visible && c->enabled)
      return c;
  }
  return qtb::isWindow(hCtl) ? hCtl : nullptr;
}

// Besides routing our own mouse messages, capture grabs the Qt mouse, so
// moves that leave the window still reach the capturing control.
HWND SetCapture(HWND h) {
  HWND old = GetCapture();
  if (!qtb::isWindow(h))
    return old;
  if (old != h)
    ReleaseCapture();
  g_capture = h;
  if (h->widget && h->widget->isVisible() && h->cls != WndClass::Dialog)
    h->widget->grabMouse();
  return old;
}

BOOL ReleaseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber())
    grabber->releaseMouse();
  g_capture = nullptr;
  return TRUE;
}

HWND GetCapture() {
  if (g_capture && !qtb::isWindow(g_capture))
    g_capture = nullptr;
  return g_capture;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point)
    return FALSE;
  QPoint p = qApp ? QCursor::pos() : QPoint();
  point->x = p.x();
  point->y = p.y();
  return TRUE;
}

BOOL PtInRect(LPCRECT rect, POINT pt) {
  if (!rect)
    return FALSE;
  return pt.x >= rect->left && pt.x < rect->right && pt.y >= rect->top && pt.y < rect->bottom;
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect)
    return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect)
    return FALSE;
  // Wrapping round at the ends of the range, as the platform's 32-bit sums
  // do, without the undefined overflow of signed ones.
  auto add = [](LONG v, int d) { return (LONG)(int32_t)((uint32_t)v + (uint32_t)d); };
  rect->left = add(rect->left, dx);
  rect->right = add(rect->right, dx);
  rect->top = add(rect->top, dy);
  rect->bottom = add(rect->bottom, dy);
  return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0)
    return -1;
  long long product = (long long)number * numerator;
  long long half = std::llabs((long long)denominator) / 2;
  // Round half away from zero: bias the magnitude before dividing.
  bool negative = (product < 0) != (denominator < 0);
  long long magnitude = (std::llabs(product) + half) / std::llabs((long long)denominator);
  long long result = negative ? -magnitude : magnitude;
  // The range is symmetric, as the platform's: INT_MIN, which has no
  // positive twin, counts as an overflow too.
  if (result > INT_MAX || result < -INT_MAX)
    return -1;
  return (int)result;
}
