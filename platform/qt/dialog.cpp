// SPDX-License-Identifier: MIT
// Dialogs from templates: creation, the modal loop, EndDialog, the default
// dialog procedure and the dialog manager's keys (Enter, Esc).
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <cstdlib>
#include <map>

#include "platform/qt/widgets.h"

namespace qtb {
HWND newWindowRecord(LPCSTR className, WndClass cls, WNDPROC proc, DWORD style, DWORD exStyle,
                     HWND parent);
}

namespace {

std::map<HWND, INT_PTR> g_modelessEnds;

// Dialog units to pixels with the dialog font's base units, 6 x 13.
int dluX(int x) {
  return MulDiv(x, 6, 4);
}
int dluY(int y) {
  return MulDiv(y, 13, 8);
}

const DLGTEMPLATEDATA* findTemplate(LPCSTR name) {
  const RESOURCEMODULE* mod = GetModuleResources();
  if (!mod || !name)
    return nullptr;
  long id = -1;
  if (IS_INTRESOURCE(name)) {
    id = (long)(ULONG_PTR)name;
  } else if (name[0] == '#') {
    id = std::strtol(name + 1, nullptr, 10);
  }
  for (int i = 0; i < mod->dialogCount; ++i) {
    if (mod->dialogs[i].id == id)
      return &mod->dialogs[i];
  }
  return nullptr;
}

HWND createChild(HWND dlg, const DLGITEMDATA& item) {
  WndClass cls = WndClass::Generic;
  WNDPROC proc = nullptr;
  std::string name = item.className ? item.className : "";
  if (name == "STATIC") {
    cls = WndClass::Static, proc = qtb::StaticProc;
  } else if (name == "BUTTON") {
    cls = WndClass::Button, proc = qtb::ButtonProc;
  } else if (name == "EDIT") {
    cls = WndClass::Edit, proc = qtb::EditProc;
  } else if (name == "SysListView32") {
    cls = WndClass::ListView, proc = qtb::ListViewProc;
  } else {
    return nullptr;
  }
  DWORD style = item.style | WS_CHILD;
  HWND c = qtb::newWindowRecord(name.c_str(), cls, proc, style & ~WS_VISIBLE, item.exStyle, dlg);
  c->id = item.id;
  c->instance = dlg->instance;
  c->text = item.text ? item.text : "";
  c->font = dlg->font;
  // The dialog manager converts the position and the size each on its own,
  // rounding as MulDiv does.
  int x = dluX(item.x), y = dluY(item.y);
  c->rect = RECT{x, y, x + dluX(item.cx), y + dluY(item.cy)};
  if (cls == WndClass::Button)
    c->defButton = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  qtb::createWidget(c);
  if (cls == WndClass::Edit)
    qtb::setEditText(c);
  if (cls == WndClass::Static && item.imageId) {
    DWORD type = style & SS_TYPEMASK;
    HINSTANCE inst = GetModuleHandle(nullptr);
    if (type == SS_BITMAP) {
      HBITMAP b = LoadBitmap(inst, MAKEINTRESOURCE(item.imageId));
      qtb::dispatch(c, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)b);
      c->templateImage = b;
    } else if (type == SS_ICON) {
      HICON icon = LoadIcon(inst, MAKEINTRESOURCE(item.imageId));
      qtb::dispatch(c, STM_SETICON, (WPARAM)icon, 0);
      c->templateImage = icon;
    }
  }
  if (style & WS_VISIBLE)
    ShowWindow(c, SW_SHOW);
  return c;
}

HWND createDialog(LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param, bool modal) {
  const DLGTEMPLATEDATA* tpl = findTemplate(templateName);
  if (!tpl || !qApp || !qtb::userQuotaLeft(1 + tpl->itemCount))
    return nullptr;
  if (owner && !qtb::isWindow(owner))
    owner = nullptr;
  owner = qtb::topLevelOf(owner);
  qtb::installKeyFilter();
  qtb::installAccessibility();
  HWND h = qtb::newWindowRecord("#32770", WndClass::Dialog, DefDlgProc, tpl->style & ~WS_VISIBLE,
                                tpl->exStyle, owner);
  h->dlgProc = proc;
  h->modal = modal;
  h->text = tpl->caption ? tpl->caption : "";
  h->instance = GetModuleHandle(nullptr);
  h->font = qtb::dialogFont();

  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (tpl->style & WS_MINIMIZEBOX)
    flags |= Qt::WindowMinimizeButtonHint;
  if ((tpl->style & WS_MAXIMIZEBOX) && (tpl->style & WS_THICKFRAME)) {
    flags |= Qt::WindowMaximizeButtonHint;
  }
  // No Qt parent: a disabled owner must not disable its dialogs with it.
  auto* frame = new qtb::DialogFrame(h, nullptr);
  // The window's widget before anything can ask for its accessible
  // interface: a title set with a reader listening makes Qt 6.8 build that
  // interface at once, and keep it.
  h->widget = frame;
  frame->setWindowFlags(flags);
  frame->setWindowTitle(QString::fromUtf8(h->text.c_str()));
  frame->setFont(qtb::fontOf(h->font));
  int menuHeight = 0;
  if (tpl->menuId) {
    h->menu = LoadMenu(h->instance, MAKEINTRESOURCE(tpl->menuId));
    qtb::buildMenuBar(h);
    if (h->menuBar)
      menuHeight = h->menuBar->sizeHint().height();
  }
  int cw = dluX(tpl->cx), ch = dluY(tpl->cy);
  auto* client = new qtb::WindowWidget(h, frame, true);
  client->setGeometry(0, menuHeight, cw, ch);
  h->client = client;
  if (h->menuBar)
    h->menuBar->setGeometry(0, 0, cw, menuHeight);
  QSize size(cw, ch + menuHeight);
  if (tpl->style & WS_THICKFRAME) {
    frame->resize(size);
  } else {
    frame->setFixedSize(size);
  }
  QRect screen = qApp->primaryScreen() ? qApp->primaryScreen()->availableGeometry() : QRect();
  QPoint pos = screen.center() - QPoint(size.width() / 2, size.height() / 2);
  frame->move(std::max(pos.x(), 0), std::max(pos.y(), 0));
  h->rect = RECT{frame->x(), frame->y(), frame->x() + size.width(), frame->y() + size.height()};
  if (modal)
    frame->setWindowModality(Qt::ApplicationModal);
  qtb::keepAbove(frame, owner);

  // The template's font reaches the dialog before its controls exist, as
  // the dialog manager hands it over.
  qtb::dispatch(h, WM_SETFONT, (WPARAM)h->font, FALSE);
  if (!qtb::isWindow(h))
    return nullptr;
  for (int i = 0; i < tpl->itemCount && tpl->items; ++i)
    createChild(h, tpl->items[i]);

  HWND focus = nullptr;
  for (HWND c : h->children) {
    if ((c->style & WS_TABSTOP) && c->enabled && (c->style & WS_VISIBLE)) {
      focus = c;
      break;
    }
  }
  LRESULT r = qtb::dispatch(h, WM_INITDIALOG, (WPARAM)focus, param);
  if (!qtb::isWindow(h))
    return nullptr;
  if (r && focus)
    SetFocus(focus);
  if ((tpl->style & WS_VISIBLE) && !h->ended)
    ShowWindow(h, SW_SHOW);
  return h;
}

}  // namespace

namespace qtb {

std::vector<HWND>& modalStack() {
  static std::vector<HWND> stack;
  return stack;
}

void recordModelessEnd(HWND h, INT_PTR result) {
  g_modelessEnds[h] = result;
}

}  // namespace qtb

HWND CreateDialogParam(HINSTANCE, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
  return createDialog(templateName, parent, proc, param, false);
}

INT_PTR DialogBoxParam(HINSTANCE, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
  HWND owner = qtb::topLevelOf(qtb::isWindow(parent) ? parent : nullptr);
  bool ownerWasEnabled = owner && owner->enabled;
  if (ownerWasEnabled)
    EnableWindow(owner, FALSE);
  HWND h = createDialog(templateName, owner, proc, param, true);
  if (!h) {
    if (ownerWasEnabled)
      EnableWindow(owner, TRUE);
    return -1;
  }
  INT_PTR result = 0;
  if (!h->ended) {
    if (GetCapture())
      ReleaseCapture();
    ShowWindow(h, SW_SHOW);
    qtb::modalStack().push_back(h);
    QEventLoop loop;
    h->loop = &loop;
    loop.exec();
    auto& stack = qtb::modalStack();
    stack.erase(std::remove(stack.begin(), stack.end(), h), stack.end());
  }
  if (qtb::isWindow(h)) {
    h->loop = nullptr;
    result = h->endResult;
  }
  if (ownerWasEnabled && qtb::isWindow(owner))
    EnableWindow(owner, TRUE);
  if (qtb::isWindow(h))
    DestroyWindow(h);
  return result;
}

BOOL EndDialog(HWND h, INT_PTR result) {
  if (!qtb::isWindow(h) || h->cls != WndClass::Dialog)
    return FALSE;
  h->ended = true;
  h->endResult = result;
  if (h->loop) {
    h->loop->exit(0);
  } else if (!h->modal) {
    qtb::recordModelessEnd(h, result);
    ShowWindow(h, SW_HIDE);
  }
  return TRUE;
}

// Messages whose answer is what the dialog procedure returns; for all others
// it returns only whether it handled them and leaves the answer in
// DWLP_MSGRESULT.
static bool resultComesDirectly(UINT msg) {
  return msg == WM_INITDIALOG || msg == WM_QUERYDRAGICON ||
         (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

LRESULT DefDlgProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!qtb::isWindow(h))
    return 0;
  INT_PTR r = h->dlgProc ? h->dlgProc(h, msg, wp, lp) : FALSE;
  if (!qtb::isWindow(h))
    return r;
  if (resultComesDirectly(msg)) {
    if (r || msg == WM_INITDIALOG)
      return r;
  } else if (r) {
    return h->msgResult;
  }
  switch (msg) {
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(h, IDCANCEL);
      SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
      return 0;
    }
    case DM_GETDEFID:
      for (HWND c : h->children) {
        if (c->cls == WndClass::Button && c->defButton)
          return MAKELONG(c->id, DC_HASDEFID);
      }
      return MAKELONG(IDOK, DC_HASDEFID);
    case WM_ERASEBKGND: {
      HDC dc = (HDC)wp;
      HDC__* d = qtb::as<HDC__>(dc, qtb::Kind::Dc);
      HBRUSH b = qtb::ctlColor(h, WM_CTLCOLORDLG, dc);
      if (d && d->painter && h->client) {
        qtb::fillWithBrush(*d->painter, QRect(QPoint(0, 0), h->client->size()), b,
                           QColor(240, 240, 240));
      }
      return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
      return 0;
  }
  return resultComesDirectly(msg) ? 0 : DefWindowProc(h, msg, wp, lp);
}

BOOL MapDialogRect(HWND h, LPRECT rect) {
  if (!qtb::isWindow(h) || !rect)
    return FALSE;
  rect->left = dluX(rect->left);
  rect->right = dluX(rect->right);
  rect->top = dluY(rect->top);
  rect->bottom = dluY(rect->bottom);
  return TRUE;
}

namespace qtb {
void forgetWindow(HWND h) {
  g_modelessEnds.erase(h);
  // As on the platform, a window's menu goes with the window.
  if (h->menu && !(h->style & WS_CHILD)) {
    DestroyMenu(h->menu);
    h->menu = nullptr;
  }
  auto& stack = modalStack();
  stack.erase(std::remove(stack.begin(), stack.end(), h), stack.end());
  if (h->templateImage) {
    if (as<HICON__>(h->templateImage, Kind::Icon)) {
      DestroyIcon((HICON)h->templateImage);
    } else {
      DeleteObject(h->templateImage);
    }
    h->templateImage = nullptr;
  }
}
}  // namespace qtb

namespace testing_seams {

bool DialogEnded(HWND hDlg, INT_PTR* result) {
  auto it = g_modelessEnds.find(hDlg);
  if (it == g_modelessEnds.end() || !qtb::isWindow(hDlg))
    return false;
  if (result)
    *result = it->second;
  return true;
}

HWND ActiveModalDialog() {
  auto& stack = qtb::modalStack();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (qtb::isWindow(*it))
      return *it;
  }
  return nullptr;
}

}  // namespace testing_seams
