// SPDX-License-Identifier: MIT
// The dialog manager's keys: every key pressed in one of our dialogs is
// offered to the message-filter hooks, then Enter clicks the default
// button, Esc cancels, Tab and Shift+Tab move the focus between the
// controls with a tab stop, and the keys a list view or a button acts on
// go to the focused one as WM_KEYDOWN and WM_KEYUP.
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "platform/qt/internal.h"

namespace {

bool g_shift = false;  // of the key being handled

// Every key pressed in one of our dialogs passes the dialog manager first.
class KeyFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* obj, QEvent* e) override {
    if ((e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) || !obj->isWidgetType())
      return false;
    auto* w = static_cast<QWidget*>(obj);
    // Only our dialogs' own windows: a message box owned by a dialog is a
    // window of its own and keeps its keys.
    if (!w->window()->property("qtbHwnd").isValid())
      return false;
    HWND top = qtb::fromWidget(w->window());
    if (!top || top->cls != WndClass::Dialog)
      return false;
    auto* key = static_cast<QKeyEvent*>(e);
    const bool press = e->type() == QEvent::KeyPress;
    int vk = qtb::vkFromQt(key->key());
    // F10 selects the menu bar and leaves it again. Once selected, the bar
    // has the keys, as the platform's menu loop does; Alt alone reaches it
    // by itself (see its style).
    if (press && vk == VK_F10 && key->modifiers() == Qt::NoModifier && w == top->menuBar) {
      qtb::toggleMenuBarKeys(top);
      return true;
    }
    if (w == top->menuBar || key->key() == Qt::Key_Alt || !vk)
      return false;
    g_shift = (key->modifiers() & Qt::ShiftModifier) || key->key() == Qt::Key_Backtab;
    HWND focus = qtb::fromWidget(w);
    bool up = e->type() == QEvent::KeyRelease;
    if (qtb::keyInput(focus ? focus : top, vk, up))
      return true;
    if (press && vk == VK_F10 && key->modifiers() == Qt::NoModifier && top->menuBar) {
      qtb::toggleMenuBarKeys(top);
      return true;
    }
    return false;
  }
};

}  // namespace

namespace qtb {

namespace {

// The keys that have names, as Qt and the platform call them; letters,
// digits and function keys run in step in both.
const struct {
  int qt;
  int vk;
} kNamedKeys[] = {
    {Qt::Key_Return, VK_RETURN},  {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},    {Qt::Key_Tab, VK_TAB},      {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Left, VK_LEFT},      {Qt::Key_Right, VK_RIGHT},  {Qt::Key_Up, VK_UP},
    {Qt::Key_Down, VK_DOWN},      {Qt::Key_Home, VK_HOME},    {Qt::Key_End, VK_END},
    {Qt::Key_Backspace, VK_BACK},
};

}  // namespace

int vkFromQt(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    return VK_F1 + (key - Qt::Key_F1);
  for (const auto& k : kNamedKeys) {
    if (k.qt == key)
      return k.vk;
  }
  return 0;
}

int qtKeyFromVk(int vk) {
  if (vk >= 'A' && vk <= 'Z')
    return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9')
    return Qt::Key_0 + (vk - '0');
  if (vk >= VK_F1 && vk < VK_F1 + 24)
    return Qt::Key_F1 + (vk - VK_F1);
  for (const auto& k : kNamedKeys) {
    if (k.vk == vk)
      return k.qt;
  }
  return Qt::Key_unknown;
}

void installKeyFilter() {
  static KeyFilter* filter = nullptr;
  if (!filter && qApp) {
    filter = new KeyFilter(qApp);
    qApp->installEventFilter(filter);
  }
}

bool keyInput(HWND target, int vk, bool up) {
  HWND top = topLevelOf(target);
  if (!top || top->cls != WndClass::Dialog || !top->enabled)
    return false;
  MSG m{};
  m.hwnd = target;
  m.message = up ? WM_KEYUP : WM_KEYDOWN;
  m.wParam = (WPARAM)vk;
  m.lParam = up ? (LPARAM)0xC0000001 : 1;
  if (offerToHooks(&m) || !isWindow(top))
    return true;
  return IsDialogMessage(top, &m) != FALSE;
}

}  // namespace qtb

SHORT GetKeyState(int virtualKey) {
  return virtualKey == VK_SHIFT && g_shift ? (SHORT)0x8000 : 0;
}

namespace {

// The keys a focused list view or push button acts on itself.
bool controlKey(HWND focus, WPARAM vk) {
  if (focus->cls == WndClass::ListView)
    return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME ||
           vk == VK_END || vk == VK_SPACE;
  if (focus->cls == WndClass::Button)
    return vk == VK_SPACE && (focus->style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
  return false;
}

// From the first key that moves the focus or acts on a control, the
// dialog shows where the focus is.
void showFocusCues(HWND hDlg) {
  if (!hDlg->focusCues) {
    hDlg->focusCues = true;
    qtb::markDirty(GetFocus());
  }
}

}  // namespace

BOOL IsDialogMessage(HWND hDlg, LPMSG msg) {
  if (!qtb::isWindow(hDlg) || !msg || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP))
    return FALSE;
  HWND focus = GetFocus();
  if (focus && qtb::topLevelOf(focus) != hDlg)
    focus = nullptr;
  if (focus && controlKey(focus, msg->wParam)) {
    showFocusCues(hDlg);
    SendMessage(focus, msg->message, msg->wParam, msg->lParam);
    return TRUE;
  }
  if (msg->wParam == VK_TAB) {
    if (msg->message == WM_KEYDOWN) {
      showFocusCues(hDlg);
      if (HWND next = GetNextDlgTabItem(hDlg, focus, GetKeyState(VK_SHIFT) < 0))
        SetFocus(next);
    }
    return TRUE;
  }
  if (msg->message != WM_KEYDOWN)
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
