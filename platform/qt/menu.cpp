// SPDX-License-Identifier: MIT
// Menus (shown as the dialog's QMenuBar; a chosen item sends WM_COMMAND)
// and accelerator tables.
#include <QGuiApplication>
#include <QMenuBar>

#include "platform/qt/internal.h"

namespace {

const MENUDATA* findMenu(LPCSTR name) {
  const RESOURCEMODULE* mod = GetModuleResources();
  if (!mod || !name || !IS_INTRESOURCE(name))
    return nullptr;
  for (int i = 0; i < mod->menuCount; ++i) {
    if (mod->menus[i].id == (WORD)(ULONG_PTR)name)
      return &mod->menus[i];
  }
  return nullptr;
}

}  // namespace

namespace qtb {

void buildMenuBar(HWND h) {
  if (!isWindow(h) || !h->widget)
    return;
  auto* menu = as<HMENU__>(h->menu, Kind::Menu);
  if (!menu) {
    if (h->menuBar)
      h->menuBar->hide();
    return;
  }
  if (!h->menuBar)
    h->menuBar = new QMenuBar(h->widget);
  h->menuBar->clear();
  QMenu* popup = nullptr;
  for (const MenuItemRec& item : menu->items) {
    QString text = QString::fromUtf8(item.text.c_str());
    if (item.level == 0) {
      popup = h->menuBar->addMenu(text);
    } else if (popup && item.text.empty()) {
      popup->addSeparator();
    } else if (popup) {
      QAction* a = popup->addAction(text);
      WORD cmd = item.command;
      QObject::connect(a, &QAction::triggered, h->menuBar, [h, cmd] {
        if (isWindow(h) && h->enabled)
          SendMessage(h, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
      });
    }
  }
  h->menuBar->show();
}

}  // namespace qtb

HMENU LoadMenu(HINSTANCE, LPCSTR name) {
  const MENUDATA* data = findMenu(name);
  if (!data)
    return nullptr;
  auto* m = new HMENU__;
  for (int i = 0; i < data->itemCount && data->items; ++i) {
    const MENUITEMDATA& it = data->items[i];
    m->items.push_back(MenuItemRec{it.level, it.text ? it.text : "", it.commandId});
  }
  return qtb::adopt(m);
}

HMENU GetMenu(HWND h) {
  return qtb::isWindow(h) ? h->menu : nullptr;
}

BOOL SetMenu(HWND h, HMENU menu) {
  if (!qtb::isWindow(h) || (menu && !qtb::as<HMENU__>(menu, qtb::Kind::Menu)))
    return FALSE;
  h->menu = menu;
  qtb::buildMenuBar(h);
  return TRUE;
}

BOOL DestroyMenu(HMENU menu) {
  auto* m = qtb::as<HMENU__>(menu, qtb::Kind::Menu);
  if (!m)
    return FALSE;
  qtb::unregisterObject(m);
  delete m;
  return TRUE;
}

HACCEL LoadAccelerators(HINSTANCE, LPCSTR name) {
  const RESOURCEMODULE* mod = GetModuleResources();
  if (!mod || !name || !IS_INTRESOURCE(name))
    return nullptr;
  auto* a = new HACCEL__;
  for (int i = 0; i < mod->acceleratorCount; ++i) {
    if (mod->accelerators[i].tableId == (WORD)(ULONG_PTR)name) {
      a->entries.push_back(mod->accelerators[i]);
    }
  }
  if (a->entries.empty()) {
    delete a;
    return nullptr;
  }
  return qtb::adopt(a);
}

int TranslateAccelerator(HWND h, HACCEL accel, LPMSG msg) {
  auto* a = qtb::as<HACCEL__>(accel, qtb::Kind::Accel);
  if (!a || !qtb::isWindow(h) || !msg)
    return 0;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
    return 0;
  Qt::KeyboardModifiers mods =
      QGuiApplication::instance() ? QGuiApplication::keyboardModifiers() : Qt::NoModifier;
  BYTE held =
      (BYTE)(((mods & Qt::ShiftModifier) ? FSHIFT : 0) |
             ((mods & Qt::ControlModifier) ? FCONTROL : 0) | ((mods & Qt::AltModifier) ? FALT : 0));
  for (const ACCELDATA& e : a->entries) {
    if (!(e.fVirt & FVIRTKEY) || e.key != msg->wParam)
      continue;
    if ((e.fVirt & (FSHIFT | FCONTROL | FALT)) != held)
      continue;
    SendMessage(h, WM_COMMAND, MAKEWPARAM(e.command, 1), 0);
    return 1;
  }
  return 0;
}

BOOL DestroyAcceleratorTable(HACCEL accel) {
  auto* a = qtb::as<HACCEL__>(accel, qtb::Kind::Accel);
  if (!a)
    return FALSE;
  qtb::unregisterObject(a);
  delete a;
  return TRUE;
}
