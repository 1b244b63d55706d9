// SPDX-License-Identifier: MIT
// The dialog manager's keys: every key pressed in one of our dialogs is
// offered to the message-filter hooks, then Enter clicks the default
// button and Esc cancels.
#include <QApplication>
#include <QKeyEvent>

#include "platform/qt/internal.h"

namespace {

int vkFromQt(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    return VK_F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_Tab:
      return VK_TAB;
    case Qt::Key_Backspace:
      return VK_BACK;
  }
  return 0;
}

// Every key pressed in one of our dialogs passes the dialog manager first.
class KeyFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || !obj->isWidgetType())
      return false;
    auto* w = static_cast<QWidget*>(obj);
    // Only our dialogs' own windows: a message box owned by a dialog is a
    // window of its own and keeps its keys.
    if (!w->window()->property("qtbHwnd").isValid())
      return false;
    HWND top = qtb::fromWidget(w->window());
    if (!top || top->cls != WndClass::Dialog)
      return false;
    int vk = vkFromQt(static_cast<QKeyEvent*>(e)->key());
    if (!vk)
      return false;
    HWND focus = qtb::fromWidget(w);
    return qtb::keyInput(focus ? focus : top, vk);
  }
};

}  // namespace

namespace qtb {

void installKeyFilter() {
  static KeyFilter* filter = nullptr;
  if (!filter && qApp) {
    filter = new KeyFilter(qApp);
    qApp->installEventFilter(filter);
  }
}

bool keyInput(HWND target, int vk) {
  HWND top = topLevelOf(target);
  if (!top || top->cls != WndClass::Dialog || !top->enabled)
    return false;
  MSG m{};
  m.hwnd = target;
  m.message = WM_KEYDOWN;
  m.wParam = (WPARAM)vk;
  m.lParam = 1;
  if (offerToHooks(&m) || !isWindow(top))
    return true;
  return IsDialogMessage(top, &m) != FALSE;
}

}  // namespace qtb

BOOL IsDialogMessage(HWND hDlg, LPMSG msg) {
  if (!qtb::isWindow(hDlg) || !msg || msg->message != WM_KEYDOWN)
    return FALSE;
  if (msg->wParam == VK_RETURN) {
    LRESULT d = SendMessage(hDlg, DM_GETDEFID, 0, 0);
    int id = HIWORD(d) == DC_HASDEFID ? LOWORD(d) : IDOK;
    HWND button = GetDlgItem(hDlg, id);
    if (button && !button->enabled)
      return TRUE;
    SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
    return TRUE;
  }
  if (msg->wParam == VK_ESCAPE) {
    SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                (LPARAM)GetDlgItem(hDlg, IDCANCEL));
    return TRUE;
  }
  return FALSE;
}
