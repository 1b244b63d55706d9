// SPDX-License-Identifier: MIT
// Menus (shown as the dialog's QMenuBar; a chosen item sends WM_COMMAND)
// and accelerator tables.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

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

// The platform's menu bar is worked by keys: Alt alone or F10 selects its
// first title without opening it, Left and Right move between titles, Down
// and Enter open one, Esc closes an open menu and then leaves the bar. Qt's
// menu bar does all that when its style says so.
class KeyboardMenuBarStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* ret) const override {
    return hint == SH_MenuBar_AltKeyNavigation ? 1
                                               : QProxyStyle::styleHint(hint, option, widget, ret);
  }
  // A selected title is drawn highlighted whether or not its menu is open,
  // so that the keys' selection shows (Qt's own styles mark it only open).
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item && (item->state & State_Selected)) {
      QStyleOptionMenuItem selected(*item);
      selected.state |= State_Sunken;
      QProxyStyle::drawControl(element, &selected, painter, widget);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
};

}  // namespace

namespace qtb {

void toggleMenuBarKeys(HWND top) {
  if (!isWindow(top) || !top->menuBar || top->menuBar->actions().isEmpty())
    return;
  // What Qt's menu bar hears of Alt pressed and let go alone: it watches
  // the window for the first and the application for the second. The
  // press is told as X tells it (no modifier yet, which Qt 6 reports as
  // Alt), then as older Qt wants it; once heard, the second is ignored.
  QObject* bar = top->menuBar;
  QWidget* window = top->menuBar->window();
  for (Qt::KeyboardModifiers held : {Qt::NoModifier, Qt::AltModifier}) {
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, held);
    bar->eventFilter(window, &press);
  }
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
  bar->eventFilter(window, &release);
}

void buildMenuBar(HWND h) {
  if (!isWindow(h) || !h->widget)
    return;
  auto* menu = as<HMENU__>(h->menu, Kind::Menu);
  if (!menu) {
    if (h->menuBar)
      h->menuBar->hide();
    return;
  }
  if (!h->menuBar) {
    h->menuBar = new QMenuBar(h->widget);
    auto* style = new KeyboardMenuBarStyle;
    style->setParent(h->menuBar);
    h->menuBar->setStyle(style);
  }
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
