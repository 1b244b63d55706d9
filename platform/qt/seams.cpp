// SPDX-License-Identifier: MIT
// Test seams: the message spy, running pending work, real input through
// the widgets, and pictures of windows.
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>

#include "platform/qt/internal.h"
#include "platform/testing.h"

namespace {

bool g_spying = false;
std::vector<testing_seams::SpiedMessage> g_spied;

QWidget* baseWidget(HWND h) {
  if (!qtb::isWindow(h))
    return nullptr;
  return h->cls == WndClass::Dialog ? h->client.data() : h->widget.data();
}

// The widget a point of the window's client area falls on, as the user
// would hit it: the topmost visible child there, or the window itself.
QWidget* widgetAt(HWND h, int x, int y, QPoint* local) {
  QWidget* base = baseWidget(h);
  if (!base)
    return nullptr;
  int fw = h->cls == WndClass::Dialog ? 0 : qtb::frameWidth(h);
  QPoint p(x + fw, y + fw);
  QWidget* child = base->rect().contains(p) ? base->childAt(p) : nullptr;
  if (child) {
    *local = child->mapFrom(base, p);
    return child;
  }
  *local = p;
  return base;
}

// The time stamped on the input the seams deliver, in milliseconds.
ulong g_inputClock = 1000000;

void sendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons,
                Qt::NoModifier);
  e.setTimestamp(g_inputClock);
  QApplication::sendEvent(w, &e);
}

// A press and a release at one place, the time moved on by gapMs first.
void click(HWND hWnd, int x, int y, ulong gapMs) {
  QPoint local;
  QWidget* w = widgetAt(hWnd, x, y, &local);
  if (!w)
    return;
  g_inputClock += gapMs;
  QPointer<QWidget> guard(w);
  // The hand reaches the point before it presses.
  sendMouse(w, QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
  if (!guard)
    return;
  sendMouse(w, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
  if (guard)
    sendMouse(w, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

namespace qtb {

void spy(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (g_spying)
    g_spied.push_back({h, h->id, msg, wp, lp});
}

}  // namespace qtb

namespace testing_seams {

void StartMessageSpy() {
  g_spied.clear();
  g_spying = true;
}

std::vector<SpiedMessage> StopMessageSpy() {
  g_spying = false;
  return std::move(g_spied);
}

void ProcessEvents() {
  if (!QCoreApplication::instance())
    return;
  // What is waiting runs as the window system would run it: posted
  // messages, then the paints of what was invalidated (only that), so
  // owner-drawn controls get their WM_DRAWITEM.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void RunWhenIdle(std::function<void()> fn) {
  if (!QCoreApplication::instance())
    return;
  QTimer::singleShot(0, QCoreApplication::instance(), std::move(fn));
}

void MouseClick(HWND hWnd, int x, int y) {
  click(hWnd, x, y, GetDoubleClickTime() + 1);
}

void MouseDoubleClick(HWND hWnd, int x, int y, unsigned gapMs) {
  click(hWnd, x, y, GetDoubleClickTime() + 1);
  click(hWnd, x, y, gapMs);
}

void MouseDrag(HWND hWnd, int x, int y, int toX, int toY) {
  QPoint local;
  QWidget* w = widgetAt(hWnd, x, y, &local);
  if (!w)
    return;
  g_inputClock += GetDoubleClickTime() + 1;
  QPointer<QWidget> guard(w);
  QPoint to = local + QPoint(toX - x, toY - y);  // the press keeps the widget
  sendMouse(w, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
  if (guard)
    sendMouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  if (guard)
    sendMouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void MouseMove(HWND hWnd, int x, int y) {
  QPoint local;
  QWidget* w = widgetAt(hWnd, x, y, &local);
  if (w)
    sendMouse(w, QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
}

namespace {

void sendKey(QWidget* w, int virtualKey, bool shift) {
  if (!w)
    return;
  QPointer<QWidget> guard(w);
  int key = qtb::qtKeyFromVk(virtualKey);
  // Shift+Tab reaches widgets as Qt's back-tab key.
  if (shift && key == Qt::Key_Tab)
    key = Qt::Key_Backtab;
  const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
  QString text = virtualKey == VK_RETURN   ? QStringLiteral("\r")
                 : virtualKey == VK_ESCAPE ? QString(QChar(27))
                 : virtualKey == VK_SPACE  ? QStringLiteral(" ")
                                           : QString();
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(w, &press);
  if (!guard)
    return;
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(w, &release);
}

}  // namespace

void KeyPress(HWND hWnd, int virtualKey, bool shift) {
  sendKey(baseWidget(hWnd), virtualKey, shift);
}

void KeySequence(HWND hWnd, const std::vector<int>& virtualKeys) {
  QPointer<QWidget> base = baseWidget(hWnd);
  for (int key : virtualKeys) {
    if (!base)
      return;
    // Each key goes where the system sends it: to the open menu, else to
    // the focus of the window (the menu bar once F10 selected it).
    QWidget* to = QApplication::activePopupWidget();
    QWidget* focus = base->window()->focusWidget();
    sendKey(to ? to : focus ? focus : base.data(), key, false);
    QCoreApplication::processEvents();
  }
}

void CloseBox(HWND hWnd) {
  if (!qtb::isWindow(hWnd) || (hWnd->style & WS_CHILD) || !hWnd->widget)
    return;
  QCloseEvent e;
  QApplication::sendEvent(hWnd->widget, &e);
}

bool SaveWindowImage(HWND hWnd, const char* pngPath) {
  if (!qtb::isWindow(hWnd) || !hWnd->widget || !pngPath)
    return false;
  return hWnd->widget->grab().save(QString::fromUtf8(pngPath), "PNG");
}

ClientImage GrabClient(HWND hWnd) {
  ClientImage out;
  QWidget* base = baseWidget(hWnd);
  if (!base)
    return out;
  QImage shot = base->grab().toImage();
  // In the screen's own pixels: more than one a pixel on a dense screen.
  int fw = hWnd->cls == WndClass::Dialog ? 0 : qtb::frameWidth(hWnd);
  fw = qRound(fw * shot.devicePixelRatio());
  shot = shot.copy(fw, fw, shot.width() - 2 * fw, shot.height() - 2 * fw);
  out.width = shot.width();
  out.height = shot.height();
  out.pixels.reserve((size_t)out.width * (size_t)out.height);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      QRgb c = shot.pixel(x, y);
      out.pixels.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
    }
  }
  return out;
}

std::string ShownTooltip() {
  return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

bool SystemIsWine() {
  return false;
}

GuiObjectCount GuiObjects() {
  return {qtb::gdiObjects(), qtb::userObjects()};
}

int SharperCopiesDecoded() {
  return qtb::sharperCopiesDecoded();
}

std::string ReaderName(HWND hwnd, LONG child) {
  if (!qtb::isWindow(hwnd) || !hwnd->widget || child < 0)
    return std::string();
  QAccessibleInterface* object = QAccessible::queryAccessibleInterface(hwnd->widget.data());
  if (object && child > 0)
    object = object->child(child - 1);
  return object ? object->text(QAccessible::Name).toStdString() : std::string();
}

namespace {

void collectWindows(QAccessibleInterface* node, HWND parent, std::vector<HWND>& out) {
  for (int i = 0; node && i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    auto* widget = child ? qobject_cast<QWidget*>(child->object()) : nullptr;
    HWND h = widget ? qtb::fromWidget(widget) : nullptr;
    if (h && h->widget == widget && h->parent == parent)
      out.push_back(h);
    else if (child)
      collectWindows(child, parent, out);
  }
}

}  // namespace

std::vector<HWND> ReaderOrder(HWND parent) {
  std::vector<HWND> out;
  if (qtb::isWindow(parent) && parent->widget)
    collectWindows(QAccessible::queryAccessibleInterface(parent->widget.data()), parent, out);
  return out;
}

}  // namespace testing_seams
