// SPDX-License-Identifier: MIT
// Window records: creation, destruction, the live set, the tree of parents
// and children, window longs, texts, enabling and showing.
#include <QApplication>
#include <QEventLoop>
#include <QMenuBar>
#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/qt/internal.h"

namespace {

std::unordered_set<HWND>& liveWindows() {
  static auto& set = *new std::unordered_set<HWND>;
  return set;
}

struct ClassInfo {
  const char* name;
  WndClass cls;
  WNDPROC proc;
};

const ClassInfo kClasses[] = {
    {"STATIC", WndClass::Static, qtb::StaticProc},
    {"BUTTON", WndClass::Button, qtb::ButtonProc},
    {"EDIT", WndClass::Edit, qtb::EditProc},
    {"SysListView32", WndClass::ListView, qtb::ListViewProc},
    {"tooltips_class32", WndClass::ToolTip, qtb::ToolTipProc},
};

bool sameName(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = *a, y = *b;
    if (x >= 'a' && x <= 'z')
      x = char(x - 32);
    if (y >= 'a' && y <= 'z')
      y = char(y - 32);
    if (x != y)
      return false;
  }
  return *a == *b;
}

void destroyNotify(HWND h) {
  qtb::dispatch(h, WM_DESTROY, 0, 0);
  std::vector<HWND> kids = h->children;
  for (HWND c : kids) {
    if (qtb::isWindow(c))
      destroyNotify(c);
  }
}

void finalDestroy(HWND h) {
  std::vector<HWND> kids = h->children;
  for (HWND c : kids) {
    if (qtb::isWindow(c))
      finalDestroy(c);
  }
  if (!qtb::isWindow(h))
    return;
  qtb::dispatch(h, WM_NCDESTROY, 0, 0);
  if (!qtb::isWindow(h))
    return;
  if (GetCapture() == h)
    ReleaseCapture();
  qtb::forgetWindow(h);
  liveWindows().erase(h);
  if (h->parent && qtb::isWindow(h->parent) && (h->style & WS_CHILD)) {
    auto& sib = h->parent->children;
    sib.erase(std::remove(sib.begin(), sib.end(), h), sib.end());
  }
  for (QWidget* w : {h->widget.data(), h->client.data()}) {
    if (w) {
      w->setProperty("qtbHwnd", QVariant());
    }
  }
  if (h->widget) {
    bool shown = !(h->style & WS_CHILD) && h->widget->isVisible();
    h->widget->hide();
    if (shown)
      qtb::uncover(h->widget);
    h->widget->deleteLater();
  }
  if (h->loop)
    h->loop->exit(0);
  delete h;
}

}  // namespace

namespace qtb {

bool isWindow(HWND h) {
  return h && liveWindows().count(h) != 0;
}

int liveWindowCount() {
  return (int)liveWindows().size();
}

HWND fromWidget(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    QVariant v = w->property("qtbHwnd");
    if (v.isValid()) {
      HWND h = reinterpret_cast<HWND>(v.value<quintptr>());
      return isWindow(h) ? h : nullptr;
    }
  }
  return nullptr;
}

HWND topLevelOf(HWND h) {
  while (isWindow(h) && (h->style & WS_CHILD) && isWindow(h->parent))
    h = h->parent;
  return isWindow(h) ? h : nullptr;
}

HWND newWindowRecord(LPCSTR className, WndClass cls, WNDPROC proc, DWORD style, DWORD exStyle,
                     HWND parent) {
  HWND h = new HWND__;
  h->className = className ? className : "";
  h->cls = cls;
  h->proc = proc;
  h->style = style;
  h->exStyle = exStyle;
  h->parent = parent;
  h->enabled = (style & WS_DISABLED) == 0;
  liveWindows().insert(h);
  if (parent && (style & WS_CHILD))
    parent->children.push_back(h);
  return h;
}

}  // namespace qtb

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    LPVOID) {
  if (!className || IS_INTRESOURCE(className))
    return nullptr;
  const ClassInfo* info = nullptr;
  for (const ClassInfo& c : kClasses) {
    if (sameName(c.name, className))
      info = &c;
  }
  if (!info)
    return nullptr;
  if (parent && !qtb::isWindow(parent))
    return nullptr;
  if ((style & WS_CHILD) && !parent)
    return nullptr;
  if (!qtb::userQuotaLeft(1))
    return nullptr;
  HWND h = qtb::newWindowRecord(info->name, info->cls, info->proc, style, exStyle, parent);
  h->instance = instance;
  h->text = windowName ? windowName : "";
  if (style & WS_CHILD)
    h->id = (int)(intptr_t)menuOrId;
  h->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  if (parent && (style & WS_CHILD))
    h->font = parent->font;
  qtb::createWidget(h);
  if (style & WS_VISIBLE)
    ShowWindow(h, SW_SHOW);
  return h;
}

BOOL DestroyWindow(HWND h) {
  if (!qtb::isWindow(h))
    return FALSE;
  if (h->loop) {
    h->ended = true;
  }
  destroyNotify(h);
  if (qtb::isWindow(h))
    finalDestroy(h);
  return TRUE;
}

BOOL IsWindow(HWND h) {
  return qtb::isWindow(h) ? TRUE : FALSE;
}

HWND GetParent(HWND h) {
  if (!qtb::isWindow(h))
    return nullptr;
  return qtb::isWindow(h->parent) ? h->parent : nullptr;
}

HWND GetWindow(HWND h, UINT relation) {
  if (!qtb::isWindow(h))
    return nullptr;
  if (relation == GW_CHILD)
    return h->children.empty() ? nullptr : h->children.front();
  if ((relation != GW_HWNDNEXT && relation != GW_HWNDPREV) || !qtb::isWindow(h->parent) ||
      (h->style & WS_CHILD) == 0)
    return nullptr;
  const std::vector<HWND>& siblings = h->parent->children;
  auto at = std::find(siblings.begin(), siblings.end(), h);
  if (at == siblings.end())
    return nullptr;
  if (relation == GW_HWNDNEXT)
    return at + 1 == siblings.end() ? nullptr : *(at + 1);
  return at == siblings.begin() ? nullptr : *(at - 1);
}

HWND GetDlgItem(HWND hDlg, int id) {
  if (!qtb::isWindow(hDlg))
    return nullptr;
  for (HWND c : hDlg->children) {
    if (c->id == id)
      return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND h) {
  return qtb::isWindow(h) ? h->id : 0;
}

int GetClassName(HWND h, LPSTR buffer, int max) {
  if (!qtb::isWindow(h) || !buffer || max <= 0)
    return 0;
  const std::string name = h->cls == WndClass::Dialog ? "#32770" : h->className;
  int n = std::min<int>((int)name.size(), max - 1);
  std::memcpy(buffer, name.data(), (size_t)n);
  buffer[n] = 0;
  return n;
}

LONG_PTR GetWindowLongPtr(HWND h, int index) {
  if (!qtb::isWindow(h))
    return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return (LONG_PTR)h->proc;
    case GWLP_HINSTANCE:
      return (LONG_PTR)h->instance;
    case GWLP_ID:
      return h->id;
    case GWL_STYLE:
      return (LONG_PTR)(LONG)h->style;
    case GWL_EXSTYLE:
      return (LONG_PTR)(LONG)h->exStyle;
    case GWLP_USERDATA:
      return h->userData;
    case DWLP_MSGRESULT:
      return h->cls == WndClass::Dialog ? h->msgResult : 0;
  }
  return 0;
}

LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value) {
  if (!qtb::isWindow(h))
    return 0;
  LONG_PTR old = GetWindowLongPtr(h, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (value)
        h->proc = (WNDPROC)value;
      break;
    case GWLP_HINSTANCE:
      h->instance = (HINSTANCE)value;
      break;
    case GWLP_ID:
      h->id = (int)value;
      break;
    case GWL_STYLE: {
      DWORD visible = h->style & WS_VISIBLE;
      h->style = ((DWORD)value & ~WS_VISIBLE) | visible;
      qtb::markDirty(h);
      break;
    }
    case GWL_EXSTYLE:
      h->exStyle = (DWORD)value;
      qtb::markDirty(h);
      break;
    case GWLP_USERDATA:
      h->userData = value;
      break;
    case DWLP_MSGRESULT:
      if (h->cls == WndClass::Dialog)
        h->msgResult = value;
      break;
    default:
      return 0;
  }
  return old;
}

LONG GetWindowLong(HWND h, int index) {
  return (LONG)GetWindowLongPtr(h, index);
}
LONG SetWindowLong(HWND h, int index, LONG value) {
  return (LONG)SetWindowLongPtr(h, index, value);
}

BOOL SetWindowText(HWND h, LPCSTR text) {
  if (!qtb::isWindow(h))
    return FALSE;
  return SendMessage(h, WM_SETTEXT, 0, (LPARAM)(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND h, LPSTR buffer, int max) {
  if (!qtb::isWindow(h) || !buffer || max <= 0)
    return 0;
  return (int)SendMessage(h, WM_GETTEXT, (WPARAM)max, (LPARAM)buffer);
}

int GetWindowTextLength(HWND h) {
  if (!qtb::isWindow(h))
    return 0;
  return (int)SendMessage(h, WM_GETTEXTLENGTH, 0, 0);
}

BOOL SetDlgItemText(HWND hDlg, int id, LPCSTR text) {
  return SetWindowText(GetDlgItem(hDlg, id), text);
}

UINT GetDlgItemText(HWND hDlg, int id, LPSTR buffer, int max) {
  HWND h = GetDlgItem(hDlg, id);
  if (!h) {
    if (buffer && max > 0)
      buffer[0] = 0;
    return 0;
  }
  return (UINT)GetWindowText(h, buffer, max);
}

BOOL EnableWindow(HWND h, BOOL enable) {
  if (!qtb::isWindow(h))
    return FALSE;
  bool wasDisabled = !h->enabled;
  bool want = enable != FALSE;
  if (h->enabled != want) {
    h->enabled = want;
    if (want) {
      h->style &= ~(DWORD)WS_DISABLED;
    } else {
      h->style |= WS_DISABLED;
    }
    // A disabled top-level window keeps its Qt widgets enabled (its owned
    // dialogs and boxes must stay usable); our input checks its state.
    if (h->widget && (h->style & WS_CHILD))
      h->widget->setEnabled(want);
    qtb::markDirty(h);
    qtb::dispatch(h, WM_ENABLE, (WPARAM)want, 0);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND h) {
  return qtb::isWindow(h) && h->enabled ? TRUE : FALSE;
}

BOOL ShowWindow(HWND h, int cmd) {
  if (!qtb::isWindow(h))
    return FALSE;
  BOOL was = h->visible ? TRUE : FALSE;
  bool top = !(h->style & WS_CHILD);
  switch (cmd) {
    case SW_HIDE:
      h->visible = false;
      h->style &= ~(DWORD)WS_VISIBLE;
      // A child of a hidden parent is not visible yet, but must still be
      // hidden so that it stays so when the parent shows.
      if (h->widget && !h->widget->isHidden()) {
        bool wasOnScreen = h->widget->isVisible();
        h->widget->hide();
        if (top && wasOnScreen)
          qtb::uncover(h->widget);
      }
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      h->visible = true;
      h->style |= WS_VISIBLE;
      if (top) {
        h->minimized = true;
        if (h->widget)
          h->widget->showMinimized();
      } else if (h->widget) {
        h->widget->show();
      }
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
      h->minimized = false;
      [[fallthrough]];
    default:
      // A child already on show stays as it is: nothing to do.
      if (!top && was && h->widget && !h->widget->isHidden())
        break;
      h->visible = true;
      h->style |= WS_VISIBLE;
      if (h->widget && h->cls != WndClass::ToolTip) {
        if (top && !h->minimized) {
          h->widget->showNormal();
        } else {
          h->widget->show();
        }
      }
      break;
  }
  return was;
}

BOOL IsWindowVisible(HWND h) {
  for (HWND w = h; qtb::isWindow(w); w = (w->style & WS_CHILD) ? w->parent : nullptr) {
    if (!w->visible)
      return FALSE;
  }
  return qtb::isWindow(h) ? TRUE : FALSE;
}

BOOL IsIconic(HWND h) {
  if (!qtb::isWindow(h))
    return FALSE;
  if (h->widget && h->widget->isWindow() && h->widget->isVisible()) {
    return h->widget->isMinimized() || h->minimized ? TRUE : FALSE;
  }
  return h->minimized ? TRUE : FALSE;
}
