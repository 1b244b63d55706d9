// SPDX-License-Identifier: MIT
// What a screen reader finds in our windows, through Qt's accessibility
// bridge: each control's role, its name (the one the program annotated, else
// its text; a list item's text) and its state; and the annotation service
// that takes those names.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <algorithm>
#include <vector>

#include <oleacc.h>

#include "platform/qt/internal.h"

namespace {

HWND windowOf(QObject* object) {
  auto* w = qobject_cast<QWidget*>(object);
  HWND h = w ? qtb::fromWidget(w) : nullptr;
  return h && h->widget == w ? h : nullptr;
}

bool isPicture(HWND h) {
  DWORD type = h->style & SS_TYPEMASK;
  return h->cls == WndClass::Static && (type == SS_BITMAP || type == SS_ICON);
}

// An item of a list view: named by the name the program gave its position,
// else by its text.
class ListItem : public QAccessibleInterface {
 public:
  ListItem(HWND list, int index) : m_list(list), m_index(index) {}

  bool isValid() const override {
    return qtb::isWindow(m_list) && m_index < (int)m_list->items.size();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return isValid() ? QAccessible::queryAccessibleInterface(m_list->widget.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid())
      return QString();
    const std::vector<std::string>& named = m_list->childReaderNames;
    if (m_index < (int)named.size() && !named[(size_t)m_index].empty())
      return QString::fromUtf8(named[(size_t)m_index].c_str());
    return QString::fromUtf8(m_list->items[(size_t)m_index].text.c_str());
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid() || !m_list->widget)
      return QRect();
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessage(m_list, LVM_GETITEMRECT, (WPARAM)m_index, (LPARAM)&r);
    QPoint origin = m_list->widget->mapToGlobal(qtb::clientRectPx(m_list).topLeft());
    return QRect(origin + QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top));
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid())
      return s;
    UINT st = m_list->items[(size_t)m_index].state;
    s.selectable = s.focusable = true;
    s.selected = (st & LVIS_SELECTED) != 0;
    s.focused = (st & LVIS_FOCUSED) && GetFocus() == m_list;
    return s;
  }

 private:
  HWND m_list;
  int m_index;
};

class Control : public QAccessibleWidget {
 public:
  Control(QWidget* w, HWND h) : QAccessibleWidget(w, roleOf(h)), m_h(h) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !qtb::isWindow(m_h))
      return QAccessibleWidget::text(t);
    if (m_h->readerNamed)
      return QString::fromUtf8(m_h->readerName.c_str());
    // A picture's window text is the resource it was made from, not a name;
    // a list view's text is not its name either.
    if (isPicture(m_h) || m_h->cls == WndClass::ListView)
      return QString();
    return QString::fromUtf8(m_h->text.c_str());
  }
  QAccessible::Role role() const override {
    return qtb::isWindow(m_h) && m_h->liveRegion ? QAccessible::StatusBar
                                                 : QAccessibleWidget::role();
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (!qtb::isWindow(m_h))
      return s;
    s.disabled = !m_h->enabled;
    s.focusable = (m_h->style & WS_TABSTOP) != 0;
    s.focused = GetFocus() == m_h;
    return s;
  }
  int childCount() const override {
    if (qtb::isWindow(m_h) && m_h->cls == WndClass::ListView)
      return (int)m_h->items.size();
    return QAccessibleWidget::childCount();
  }
  QAccessibleInterface* child(int index) const override {
    if (qtb::isWindow(m_h) && m_h->cls == WndClass::ListView) {
      if (index < 0 || index >= (int)m_h->items.size())
        return nullptr;
      // One interface an item, kept while the list lives.
      if ((int)m_items.size() <= index)
        m_items.resize((size_t)index + 1, 0);
      QAccessibleInterface* item = QAccessible::accessibleInterface(m_items[(size_t)index]);
      if (!item) {
        item = new ListItem(m_h, index);
        m_items[(size_t)index] = QAccessible::registerAccessibleInterface(item);
      }
      return item;
    }
    return QAccessibleWidget::child(index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (qtb::isWindow(m_h) && m_h->cls == WndClass::ListView)
      return -1;
    return QAccessibleWidget::indexOfChild(child);
  }

 private:
  static QAccessible::Role roleOf(HWND h) {
    switch (h->cls) {
      case WndClass::Dialog:
        return QAccessible::Dialog;
      case WndClass::Button:
        return (h->style & BS_TYPEMASK) == BS_OWNERDRAW ? QAccessible::Graphic
                                                        : QAccessible::Button;
      case WndClass::Static:
        return isPicture(h) ? QAccessible::Graphic : QAccessible::StaticText;
      case WndClass::Edit:
        return QAccessible::EditableText;
      case WndClass::ListView:
        return QAccessible::List;
      default:
        return QAccessible::Client;
    }
  }

  HWND m_h;
  mutable std::vector<QAccessible::Id> m_items;
};

QAccessibleInterface* factory(const QString&, QObject* object) {
  HWND h = windowOf(object);
  return h ? new Control(static_cast<QWidget*>(object), h) : nullptr;
}

}  // namespace

namespace qtb {

void accessibleChanged(HWND h) {
  if (!isWindow(h) || !h->widget || !QAccessible::isActive())
    return;
  QAccessibleEvent e(h->widget.data(), QAccessible::NameChanged);
  QAccessible::updateAccessibility(&e);
}

void accessibleFocusItem(HWND list, int index) {
  if (!isWindow(list) || !list->widget || !QAccessible::isActive() || GetFocus() != list)
    return;
  QAccessibleEvent e(list->widget.data(), QAccessible::Focus);
  e.setChild(index);
  QAccessible::updateAccessibility(&e);
}

namespace {

// The list view's item interface at index, when a reader is listening.
QAccessibleInterface* itemOf(HWND list, int index) {
  if (!isWindow(list) || !list->widget || !QAccessible::isActive())
    return nullptr;
  QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list->widget.data());
  return view && index >= 0 && index < view->childCount() ? view->child(index) : nullptr;
}

void tell(QAccessibleInterface* item, QAccessible::Event type) {
  if (item) {
    QAccessibleEvent e(item, type);
    QAccessible::updateAccessibility(&e);
  }
}

}  // namespace

void accessibleItemsRemoving(HWND list, int removing) {
  if (!isWindow(list))
    return;
  const int count = (int)list->items.size();
  for (int i = count - 1; i >= 0 && i >= count - removing; --i)
    tell(itemOf(list, i), QAccessible::ObjectDestroyed);
}

void accessibleItemsChanged(HWND list, int first, int changed, int added) {
  if (!isWindow(list))
    return;
  const int count = (int)list->items.size();
  for (int i = std::max(first, 0); i < first + changed && i < count - added; ++i)
    tell(itemOf(list, i), QAccessible::NameChanged);
  for (int i = std::max(count - added, 0); i < count; ++i)
    tell(itemOf(list, i), QAccessible::ObjectCreated);
}

}  // namespace qtb

void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild) {
  if (idObject != OBJID_CLIENT || !qtb::isWindow(hwnd))
    return;
  if (event == EVENT_OBJECT_NAMECHANGE && idChild > 0 && hwnd->cls == WndClass::ListView) {
    qtb::accessibleItemsChanged(hwnd, idChild - 1, 1, 0);
    return;
  }
  if (idChild != CHILDID_SELF)
    return;
  if (event == EVENT_OBJECT_NAMECHANGE) {
    qtb::accessibleChanged(hwnd);
    return;
  }
  if (event != EVENT_OBJECT_LIVEREGIONCHANGED)
    return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  // Where the bridge can announce, the reader says each new text of a live
  // region without taking the player's place, as the platform's readers do.
  if (hwnd->widget && QAccessible::isActive()) {
    QAccessibleAnnouncementEvent e(hwnd->widget.data(), QString::fromUtf8(hwnd->text.c_str()));
    e.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&e);
  }
#endif
  // A window whose live region changes is a status text from then on. Its
  // later changes reach the reader as name changes from WM_SETTEXT too.
  if (hwnd->liveRegion)
    return;
  hwnd->liveRegion = true;
  qtb::accessibleChanged(hwnd);
}

namespace {

int g_comUsers = 0;  // CoInitialize calls not yet undone (one thread)

// The annotation service: one object for the process, never freed, as the
// names it holds live in the windows themselves and go with them.
class AccPropServices final : public IAccPropServices {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object)
      return E_POINTER;
    *object = nullptr;
    if (!(iid == IID_IUnknown || iid == IID_IAccPropServices))
      return E_NOINTERFACE;
    *object = this;
    return S_OK;
  }
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }
  // Names of a window's own object, or of a list view's item children by
  // position (1 for the first), whether or not an item is there yet.
  HRESULT SetHwndPropStr(HWND hwnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp,
                         LPCWSTR str) override {
    const bool item = hwnd && qtb::isWindow(hwnd) && hwnd->cls == WndClass::ListView &&
                      idChild > 0 && idChild <= kMaxItemNames;
    if (!qtb::isWindow(hwnd) || (LONG)idObject != OBJID_CLIENT ||
        (idChild != CHILDID_SELF && !item) || !(idProp == PROPID_ACC_NAME) || !str)
      return E_INVALIDARG;
    std::string name = QString::fromUtf16(str).toStdString();
    if (item) {
      std::vector<std::string>& named = hwnd->childReaderNames;
      if (named.size() < idChild)
        named.resize(idChild);
      named[idChild - 1] = name;
      return S_OK;
    }
    hwnd->readerName = name;
    hwnd->readerNamed = true;
    return S_OK;
  }

 private:
  static constexpr DWORD kMaxItemNames = 4096;
};

}  // namespace

HRESULT CoInitialize(LPVOID) {
  return g_comUsers++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (g_comUsers > 0)
    --g_comUsers;
}

HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                         LPVOID* object) {
  if (!object)
    return E_POINTER;
  *object = nullptr;
  if (g_comUsers == 0)
    return CO_E_NOTINITIALIZED;
  if (!(clsid == CLSID_AccPropServices) || outer || !(context & CLSCTX_INPROC_SERVER))
    return REGDB_E_CLASSNOTREG;
  static AccPropServices service;
  return service.QueryInterface(iid, object);
}

namespace qtb {

void installAccessibility() {
  static bool installed = false;
  if (!installed) {
    installed = true;
    QAccessible::installFactory(factory);
  }
}

}  // namespace qtb
