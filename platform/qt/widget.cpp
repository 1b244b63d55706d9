// SPDX-License-Identifier: MIT
// The widgets behind windows: painting through WM_PAINT with the window's
// edges around it, and mouse input turned into the messages the program
// expects (hooks first, then WM_SETCURSOR, then the mouse message).
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

#include "platform/qt/widgets.h"

namespace qtb {

namespace {

struct PaintEntry {
  HWND hwnd;
  QPainter* painter;
};
std::vector<PaintEntry> g_paintStack;

// The last left press, to tell a double click the way the platform does: a
// second press on the same window within the double-click time and
// rectangle. Only the controls whose classes ask for double clicks get
// WM_LBUTTONDBLCLK; the rest see a plain press.
struct LastPress {
  HWND hwnd = nullptr;
  ulong time = 0;
  QPoint global;
};
LastPress g_lastPress;

bool takesDoubleClicks(HWND h) {
  return h->cls == WndClass::ListView || h->cls == WndClass::Static || h->cls == WndClass::Button;
}

UINT pressMessage(HWND target, const QMouseEvent* e) {
  QPoint global = e->globalPosition().toPoint();
  const LastPress& last = g_lastPress;
  QPoint d = global - last.global;
  bool twice = last.hwnd == target && e->timestamp() >= last.time &&
               e->timestamp() - last.time < GetDoubleClickTime() &&
               std::abs(d.x()) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(d.y()) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (twice) {
    g_lastPress = {};  // a third press starts over
    return takesDoubleClicks(target) ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
  }
  g_lastPress = {target, e->timestamp(), global};
  return WM_LBUTTONDOWN;
}

// One ring of an edge: top/left in one shade, bottom/right in another. The
// lines are one-pixel rectangles, which Qt fills far faster than it strokes
// lines with a pen.
void ring(QPainter& p, QRect& r, int topLeft, int bottomRight) {
  const QColor light(topLeft, topLeft, topLeft), dark(bottomRight, bottomRight, bottomRight);
  p.fillRect(r.left(), r.top(), r.width(), 1, light);
  p.fillRect(r.left(), r.top(), 1, r.height(), light);
  p.fillRect(r.left(), r.bottom(), r.width(), 1, dark);
  p.fillRect(r.right(), r.top(), 1, r.height(), dark);
  r.adjust(1, 1, -1, -1);
}

}  // namespace

QPainter* currentPainter(HWND h) {
  for (auto it = g_paintStack.rbegin(); it != g_paintStack.rend(); ++it) {
    if (it->hwnd == h)
      return it->painter;
  }
  return nullptr;
}

int frameWidth(HWND h) {
  if (!isWindow(h) || !(h->style & WS_CHILD))
    return 0;
  int w = 0;
  if (h->exStyle & WS_EX_DLGMODALFRAME)
    w += 3;
  if (h->exStyle & WS_EX_CLIENTEDGE)
    w += 2;
  if (h->exStyle & WS_EX_STATICEDGE)
    w += 1;
  if (h->cls == WndClass::Static && (h->style & SS_SUNKEN))
    w += 1;
  if (h->style & WS_BORDER)
    w += 1;
  return w;
}

QRect clientRectPx(HWND h) {
  if (!isWindow(h))
    return QRect();
  int fw = frameWidth(h);
  if (h->cls == WndClass::Dialog && h->client)
    return QRect(QPoint(0, 0), h->client->size());
  int w = h->rect.right - h->rect.left - 2 * fw;
  int hh = h->rect.bottom - h->rect.top - 2 * fw;
  return QRect(fw, fw, std::max(w, 0), std::max(hh, 0));
}

void drawFrame(QPainter& p, HWND h, const QRect& outer) {
  QRect r = outer;  // its right() and bottom() are its last pixels
  p.save();
  p.setClipping(false);
  if (h->exStyle & WS_EX_DLGMODALFRAME) {
    ring(p, r, 212, 64);
    ring(p, r, 255, 128);
    ring(p, r, 212, 212);
  }
  if (h->exStyle & WS_EX_CLIENTEDGE) {
    ring(p, r, 128, 255);
    ring(p, r, 64, 212);
  }
  if (h->exStyle & WS_EX_STATICEDGE)
    ring(p, r, 128, 255);
  if (h->cls == WndClass::Static && (h->style & SS_SUNKEN))
    ring(p, r, 128, 255);
  if (h->style & WS_BORDER)
    ring(p, r, 128, 128);
  p.restore();
}

bool showsFocusMark(HWND h) {
  HWND top = topLevelOf(h);
  return isWindow(h) && GetFocus() == h && top && top->focusCues;
}

void drawFocusMark(QPainter& p, const QRect& r) {
  // Dots that invert what lies under them, so they show on any colour.
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.setPen(QPen(Qt::white, 0, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.restore();
}

void markDirty(HWND h) {
  if (!isWindow(h))
    return;
  QWidget* w = h->cls == WndClass::Dialog ? h->client.data() : h->widget.data();
  if (!w)
    return;
  // One request until the paint comes: a handler that changes a control
  // many times costs Qt one update. Only our own widgets report the paint.
  bool ours = dynamic_cast<WindowWidget*>(w) != nullptr;
  if (ours && h->updatePending && w->isVisible())
    return;
  h->updatePending = ours;
  w->update();
}

void syncGeometry(HWND h) {
  if (!isWindow(h) || !h->widget)
    return;
  QRect r(h->rect.left, h->rect.top, h->rect.right - h->rect.left, h->rect.bottom - h->rect.top);
  if (h->style & WS_CHILD) {
    if (isWindow(h->parent) && h->parent->cls != WndClass::Dialog) {
      int pf = frameWidth(h->parent);
      r.translate(pf, pf);
    }
    h->widget->setGeometry(r);
  } else if (h->cls != WndClass::Dialog) {
    h->widget->setGeometry(r);
  }
}

WindowWidget::WindowWidget(HWND h, QWidget* parent, bool isClient)
    : QWidget(parent), m_isClient(isClient) {
  setProperty("qtbHwnd", QVariant::fromValue(reinterpret_cast<quintptr>(h)));
  setMouseTracking(true);
  setAttribute(Qt::WA_NoMousePropagation);
  setAutoFillBackground(false);
}

void WindowWidget::paintEvent(QPaintEvent*) {
  HWND h = fromWidget(this);
  if (!h)
    return;
  h->updatePending = false;
  QPainter p(this);
  int fw = m_isClient ? 0 : frameWidth(h);
  QRect client = m_isClient ? rect() : clientRectPx(h);
  p.save();
  p.translate(fw, fw);
  p.setClipRect(QRect(QPoint(0, 0), client.size()));
  g_paintStack.push_back({h, &p});
  dispatch(h, WM_PAINT, 0, 0);
  g_paintStack.pop_back();
  p.restore();
  if (!m_isClient && qtb::isWindow(h))
    drawFrame(p, h, rect());
}

void WindowWidget::input(UINT msg, QMouseEvent* e) {
  HWND h = fromWidget(this);
  if (!h)
    return;
  e->accept();
  WPARAM keys = (e->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
  HWND capture = GetCapture();
  if (capture && capture != h && capture->widget) {
    QWidget* cw =
        capture->cls == WndClass::Dialog ? capture->client.data() : capture->widget.data();
    if (cw) {
      QPoint p = cw->mapFromGlobal(mapToGlobal(e->position().toPoint()));
      int fw = capture->cls == WndClass::Dialog ? 0 : frameWidth(capture);
      if (msg == WM_LBUTTONDOWN)
        msg = pressMessage(capture, e);
      mouseInput(capture, msg, keys, p - QPoint(fw, fw));
      return;
    }
  }
  int fw = m_isClient ? 0 : frameWidth(h);
  if (msg == WM_LBUTTONDOWN)
    msg = pressMessage(h, e);
  mouseInput(h, msg, keys, e->position().toPoint() - QPoint(fw, fw));
}

void WindowWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    input(WM_LBUTTONDOWN, e);
  } else if (e->button() == Qt::RightButton) {
    input(WM_RBUTTONDOWN, e);
  }
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    input(WM_LBUTTONUP, e);
  } else if (e->button() == Qt::RightButton) {
    input(WM_RBUTTONUP, e);
  }
}

void WindowWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  // Qt's own double click is only a press here: pressMessage tells double
  // clicks by the platform's rules.
  mousePressEvent(e);
}

void WindowWidget::mouseMoveEvent(QMouseEvent* e) {
  input(WM_MOUSEMOVE, e);
}

void WindowWidget::wheelEvent(QWheelEvent* e) {
  HWND h = fromWidget(this);
  if (h && h->cls == WndClass::ListView && !(h->style & LVS_NOSCROLL)) {
    h->scrollY -= e->angleDelta().y() / 4;
    listViewMouse(h, 0, 0, 0);  // clamps the offset
    update();
    e->accept();
    return;
  }
  e->ignore();
}

void mouseInput(HWND target, UINT msg, WPARAM keys, QPoint pos) {
  if (!isWindow(target) || !target->enabled)
    return;
  HWND top = topLevelOf(target);
  if (top && !top->enabled)
    return;
  MSG m{};
  m.hwnd = target;
  m.message = msg;
  m.wParam = keys;
  m.lParam = MAKELPARAM(pos.x(), pos.y());
  m.time = (DWORD)QDateTime::currentMSecsSinceEpoch();
  if (target->style & WS_CHILD) {
    if (offerToHooks(&m) || !isWindow(target))
      return;
  }
  if (!GetCapture()) {
    setCursorTarget(target);
    dispatch(target, WM_SETCURSOR, (WPARAM)target, MAKELPARAM(HTCLIENT, msg));
  }
  dispatch(target, msg, keys, m.lParam);
}

DialogFrame::DialogFrame(HWND h, QWidget* parent) : QWidget(parent, Qt::Window) {
  setProperty("qtbHwnd", QVariant::fromValue(reinterpret_cast<quintptr>(h)));
}

void DialogFrame::closeEvent(QCloseEvent* e) {
  // The close box asks the dialog; the dialog decides whether to end.
  e->ignore();
  HWND h = fromWidget(this);
  if (h && h->enabled)
    SendMessage(h, WM_CLOSE, 0, 0);
}

void DialogFrame::changeEvent(QEvent* e) {
  if (e->type() == QEvent::WindowStateChange) {
    if (HWND h = fromWidget(this))
      h->minimized = isMinimized();
  }
  QWidget::changeEvent(e);
}

void keepAbove(QWidget* window, HWND owner) {
  if (!window || !isWindow(owner) || !owner->widget)
    return;
  window->winId();  // makes the native window, so it can have a transient parent
  if (window->windowHandle() && owner->widget->window()->windowHandle())
    window->windowHandle()->setTransientParent(owner->widget->window()->windowHandle());
}

void uncover(const QWidget* window) {
  if (!window || !qobject_cast<QApplication*>(QCoreApplication::instance()))
    return;
  QRect area = window->frameGeometry();
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == window || !w->isVisible() || !fromWidget(w))
      continue;
    QRect local(w->mapFromGlobal(area.topLeft()), area.size());
    // Qt repaints the children that lie in the region with their window.
    if (local.intersects(w->rect()))
      w->update(local & w->rect());
  }
}

void createWidget(HWND h) {
  QWidget* parent = nullptr;
  if ((h->style & WS_CHILD) && isWindow(h->parent)) {
    parent = h->parent->client ? h->parent->client.data() : h->parent->widget.data();
    if (!parent)
      return;
  }
  switch (h->cls) {
    case WndClass::ToolTip:
    case WndClass::Dialog:
      return;
    case WndClass::Edit:
      h->widget = makeEditWidget(h, parent);
      break;
    case WndClass::ListView:
      h->widget = makeListViewWidget(h, parent);
      break;
    default:
      h->widget = new WindowWidget(h, parent);
      if (!parent)
        h->widget->setWindowFlag(Qt::Window);
      break;
  }
  h->client = h->widget;
  h->widget->setEnabled(h->enabled);
  h->widget->setVisible(false);
  syncGeometry(h);
  // A common control asks its parent, while it is made, which form of
  // notification it wants.
  if (h->cls == WndClass::ListView && isWindow(h->parent))
    SendMessage(h->parent, WM_NOTIFYFORMAT, (WPARAM)h, NF_QUERY);
}

}  // namespace qtb
