// SPDX-License-Identifier: MIT
// The list view in icon mode: items laid out in cells of the icon spacing,
// left to right and wrapping into rows, drawn from the normal image list.
// All state lives in the window record; painting reads it, so rebuilding
// the items costs no Qt work until the next paint.
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <cstring>

#include "platform/qt/widgets.h"

namespace {

constexpr int kTopMargin = 2;

class ListViewWidget : public qtb::WindowWidget {
 public:
  ListViewWidget(HWND h, QWidget* parent) : WindowWidget(h, parent) {
    bar = new QScrollBar(Qt::Vertical, this);
    bar->hide();
    QObject::connect(bar, &QScrollBar::valueChanged, this, [this](int v) {
      if (HWND w = qtb::fromWidget(this)) {
        w->scrollY = v;
        update();
      }
    });
  }
  QScrollBar* bar;

 protected:
  void resizeEvent(QResizeEvent*) override { placeBar(); }

 public:
  void placeBar() {
    HWND h = qtb::fromWidget(this);
    if (!h)
      return;
    QRect c = qtb::clientRectPx(h);
    int w = bar->sizeHint().width();
    bar->setGeometry(c.right() - w + 1, c.top(), w, c.height());
  }
};

int columns(HWND h) {
  int width = qtb::clientRectPx(h).width();
  return std::max(1, width / std::max(1, h->spacingX));
}

QSize iconSize(HWND h) {
  if (auto* l = qtb::as<_IMAGELIST>(h->normalList, qtb::Kind::ImageList))
    return QSize(l->cx, l->cy);
  return QSize(32, 32);
}

int contentHeight(HWND h) {
  int n = (int)h->items.size();
  int cols = columns(h);
  return ((n + cols - 1) / cols) * h->spacingY;
}

void clampScroll(HWND h) {
  int maxScroll = std::max(0, contentHeight(h) - qtb::clientRectPx(h).height());
  if (h->style & LVS_NOSCROLL)
    maxScroll = 0;
  h->scrollY = std::clamp(h->scrollY, 0, maxScroll);
}

QPoint cellOrigin(HWND h, int i) {
  int cols = columns(h);
  return QPoint((i % cols) * h->spacingX, (i / cols) * h->spacingY - h->scrollY);
}

QRect iconRect(HWND h, int i) {
  QSize s = iconSize(h);
  QPoint o = cellOrigin(h, i);
  return QRect(o.x() + (h->spacingX - s.width()) / 2, o.y() + kTopMargin, s.width(), s.height());
}

QRect boundsRect(HWND h, int i) {
  QRect icon = iconRect(h, i);
  QPoint o = cellOrigin(h, i);
  return QRect(o.x(), o.y(), h->spacingX, icon.height() + 2 * kTopMargin);
}

int hitTest(HWND h, QPoint p) {
  for (int i = 0; i < (int)h->items.size(); ++i) {
    if (boundsRect(h, i).contains(p))
      return i;
  }
  return -1;
}

RECT toRect(const QRect& r) {
  return RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

void select(HWND h, int index) {
  for (int i = 0; i < (int)h->items.size(); ++i) {
    UINT& s = h->items[(size_t)i].state;
    s = i == index ? (s | LVIS_SELECTED | LVIS_FOCUSED)
                   : (s & ~(UINT)(LVIS_SELECTED | LVIS_FOCUSED));
  }
}

void copyItemText(const ListItemRec& item, LVITEM* out) {
  if (!out->pszText || out->cchTextMax <= 0)
    return;
  size_t n = std::min(item.text.size(), (size_t)out->cchTextMax - 1);
  std::memcpy(out->pszText, item.text.data(), n);
  out->pszText[n] = 0;
}

void applyItem(ListItemRec& item, const LVITEM* in) {
  if (in->mask & LVIF_TEXT)
    item.text = in->pszText ? in->pszText : "";
  if (in->mask & LVIF_IMAGE)
    item.image = in->iImage;
  if (in->mask & LVIF_PARAM)
    item.param = in->lParam;
  if (in->mask & LVIF_STATE)
    item.state = (item.state & ~in->stateMask) | (in->state & in->stateMask);
}

int g_downItem = -1;
QPoint g_downPoint;

void notify(HWND h, UINT code, int item, POINT at) {
  if (!qtb::isWindow(h->parent))
    return;
  // NMLISTVIEW and NMITEMACTIVATE begin alike; NM_CLICK and NM_DBLCLK carry
  // the latter, LVN_BEGINDRAG the former.
  NMITEMACTIVATE nm{};
  nm.hdr.hwndFrom = h;
  nm.hdr.idFrom = (UINT_PTR)h->id;
  nm.hdr.code = code;
  nm.iItem = item;
  nm.iSubItem = 0;
  nm.ptAction = at;
  SendMessage(h->parent, WM_NOTIFY, (WPARAM)h->id, (LPARAM)&nm);
}

// A press becomes a drag once the pointer moves further than the drag
// metrics on either side of where it went down.
bool leftDragRect(QPoint p) {
  QPoint d = p - g_downPoint;
  return std::abs(d.x()) > GetSystemMetrics(SM_CXDRAG) ||
         std::abs(d.y()) > GetSystemMetrics(SM_CYDRAG);
}

}  // namespace

namespace qtb {

QWidget* makeListViewWidget(HWND h, QWidget* parent) {
  return new ListViewWidget(h, parent);
}

void paintListView(HWND h, QPainter& p) {
  QRect client(QPoint(0, 0), clientRectPx(h).size());
  p.fillRect(client, toQColor(h->lvBkColor));
  clampScroll(h);
  auto* w = dynamic_cast<ListViewWidget*>(h->widget.data());
  if (w) {
    bool need = !(h->style & LVS_NOSCROLL) && contentHeight(h) > client.height();
    if (need) {
      QSignalBlocker block(w->bar);
      w->bar->setRange(0, contentHeight(h) - client.height());
      w->bar->setPageStep(client.height());
      w->bar->setSingleStep(h->spacingY / 4 + 1);
      w->bar->setValue(h->scrollY);
    }
    if (w->bar->isVisible() != need) {
      w->placeBar();
      w->bar->setVisible(need);
    }
  }
  auto* list = as<_IMAGELIST>(h->normalList, Kind::ImageList);
  for (int i = 0; i < (int)h->items.size(); ++i) {
    QRect r = iconRect(h, i);
    if (!r.intersects(client))
      continue;
    const ListItemRec& item = h->items[(size_t)i];
    if (list && item.image >= 0 && item.image < (int)list->images.size()) {
      const QImage& img = list->images[(size_t)item.image];
      drawSharpest(p, QRect(r.topLeft(), img.size()), img, list->scaled[(size_t)item.image]);
    }
    // Without LVS_SHOWSELALWAYS the selection shows only while the view has
    // the focus, as the platform's list view draws it.
    if ((item.state & LVIS_SELECTED) && (GetFocus() == h || (h->style & LVS_SHOWSELALWAYS))) {
      QPen pen(QColor(0, 120, 215));
      pen.setWidth(3);
      p.setPen(pen);
      p.setBrush(QColor(0, 120, 215, 60));
      p.drawRect(r.adjusted(-1, -1, 0, 0));
    }
    if ((item.state & LVIS_FOCUSED) && showsFocusMark(h))
      drawFocusMark(p, boundsRect(h, i).adjusted(1, 1, -1, -1));
  }
}

void listViewKey(HWND h, WPARAM vk) {
  const int count = (int)h->items.size();
  // The parent hears of every key first.
  if (isWindow(h->parent)) {
    NMLVKEYDOWN nm{};
    nm.hdr.hwndFrom = h;
    nm.hdr.idFrom = (UINT_PTR)h->id;
    nm.hdr.code = LVN_KEYDOWN;
    nm.wVKey = (WORD)vk;
    SendMessage(h->parent, WM_NOTIFY, (WPARAM)h->id, (LPARAM)&nm);
  }
  if (!isWindow(h) || count == 0)
    return;
  int at = -1;
  for (int i = 0; i < count && at < 0; ++i) {
    if (h->items[(size_t)i].state & LVIS_FOCUSED)
      at = i;
  }
  const int cols = columns(h);
  int next = at < 0 ? 0 : at;
  switch (vk) {
    case VK_LEFT:
      next = at < 0 ? 0 : std::max(0, at - 1);
      break;
    case VK_RIGHT:
      next = at < 0 ? 0 : std::min(count - 1, at + 1);
      break;
    case VK_UP:
      next = at < 0 ? 0 : (at - cols >= 0 ? at - cols : at);
      break;
    case VK_DOWN:
      next = at < 0 ? 0 : (at + cols < count ? at + cols : at);
      break;
    case VK_HOME:
      next = 0;
      break;
    case VK_END:
      next = count - 1;
      break;
  }
  select(h, next);
  accessibleFocusItem(h, next);
  // The focused item comes into sight.
  QRect b = boundsRect(h, next);
  QRect c(QPoint(0, 0), clientRectPx(h).size());
  if (b.top() < 0)
    h->scrollY += b.top();
  else if (b.bottom() > c.bottom())
    h->scrollY += b.bottom() - c.bottom();
  clampScroll(h);
  markDirty(h);
}

void listViewMouse(HWND h, UINT msg, int x, int y) {
  if (msg == 0) {
    clampScroll(h);
    return;
  }
  // A press and release without a drag is a click (NM_CLICK on the release);
  // a press that moves out of the drag rectangle begins a drag instead; the
  // second press of a double click is NM_DBLCLK, never a second click.
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    g_downItem = hitTest(h, QPoint(x, y));
    g_downPoint = QPoint(x, y);
    select(h, g_downItem);
    h->lvPressed = msg == WM_LBUTTONDOWN;
    markDirty(h);
    if (msg == WM_LBUTTONDBLCLK)
      notify(h, NM_DBLCLK, g_downItem, POINT{x, y});
  } else if (msg == WM_MOUSEMOVE && h->lvPressed && leftDragRect(QPoint(x, y))) {
    h->lvPressed = false;
    if (g_downItem >= 0)
      notify(h, LVN_BEGINDRAG, g_downItem, POINT{g_downPoint.x(), g_downPoint.y()});
  } else if (msg == WM_LBUTTONUP && h->lvPressed) {
    h->lvPressed = false;
    notify(h, NM_CLICK, g_downItem, POINT{x, y});
  }
}

LRESULT CALLBACK ListViewProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!isWindow(h))
    return 0;
  int count = (int)h->items.size();
  auto* item = reinterpret_cast<LVITEM*>(lp);
  switch (msg) {
    case LVM_GETBKCOLOR:
      return (LRESULT)h->lvBkColor;
    case LVM_SETBKCOLOR:
      h->lvBkColor = (COLORREF)lp;
      markDirty(h);
      return TRUE;
    case LVM_GETIMAGELIST:
      return (LRESULT)(wp == LVSIL_NORMAL  ? h->normalList
                       : wp == LVSIL_SMALL ? h->smallList
                                           : nullptr);
    case LVM_SETIMAGELIST: {
      if (wp != LVSIL_NORMAL && wp != LVSIL_SMALL)
        return 0;
      HIMAGELIST& slot = wp == LVSIL_NORMAL ? h->normalList : h->smallList;
      HIMAGELIST old = slot;
      slot = (HIMAGELIST)lp;
      markDirty(h);
      return (LRESULT)old;
    }
    case LVM_GETITEMCOUNT:
      return count;
    case LVM_GETITEM:
      if (!item || item->iItem < 0 || item->iItem >= count)
        return FALSE;
      {
        const ListItemRec& it = h->items[(size_t)item->iItem];
        if (item->mask & LVIF_TEXT)
          copyItemText(it, item);
        if (item->mask & LVIF_IMAGE)
          item->iImage = it.image;
        if (item->mask & LVIF_PARAM)
          item->lParam = it.param;
        if (item->mask & LVIF_STATE)
          item->state = it.state & item->stateMask;
      }
      return TRUE;
    case LVM_SETITEM:
      if (!item || item->iItem < 0 || item->iItem >= count)
        return FALSE;
      applyItem(h->items[(size_t)item->iItem], item);
      // An item is named by its text.
      if (item->mask & LVIF_TEXT)
        accessibleItemsChanged(h, item->iItem, 1, 0);
      markDirty(h);
      return TRUE;
    case LVM_INSERTITEM: {
      if (!item || item->iItem < 0)
        return -1;
      int at = std::min(item->iItem, count);
      ListItemRec rec;
      applyItem(rec, item);
      h->items.insert(h->items.begin() + at, rec);
      accessibleItemsChanged(h, at, count - at, 1);
      markDirty(h);
      return at;
    }
    case LVM_DELETEITEM:
      if ((int)wp < 0 || (int)wp >= count)
        return FALSE;
      accessibleItemsRemoving(h, 1);
      h->items.erase(h->items.begin() + (int)wp);
      accessibleItemsChanged(h, (int)wp, count - (int)wp, 0);
      markDirty(h);
      return TRUE;
    case LVM_DELETEALLITEMS:
      accessibleItemsRemoving(h, count);
      h->items.clear();
      h->scrollY = 0;
      markDirty(h);
      return TRUE;
    case LVM_GETNEXTITEM: {
      UINT flags = (UINT)lp & (LVNI_SELECTED | LVNI_FOCUSED);
      for (int i = std::max(0, (int)wp + 1); i < count; ++i) {
        UINT s = h->items[(size_t)i].state;
        if ((flags & LVNI_SELECTED) && !(s & LVIS_SELECTED))
          continue;
        if ((flags & LVNI_FOCUSED) && !(s & LVIS_FOCUSED))
          continue;
        return i;
      }
      return -1;
    }
    case LVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lp);
      if (!r || (int)wp < 0 || (int)wp >= count)
        return FALSE;
      clampScroll(h);
      *r = toRect(r->left == LVIR_ICON ? iconRect(h, (int)wp) : boundsRect(h, (int)wp));
      return TRUE;
    }
    case LVM_GETITEMPOSITION: {
      auto* pt = reinterpret_cast<POINT*>(lp);
      if (!pt || (int)wp < 0 || (int)wp >= count)
        return FALSE;
      clampScroll(h);
      QPoint o = cellOrigin(h, (int)wp);
      *pt = POINT{o.x(), o.y()};
      return TRUE;
    }
    case LVM_SETITEMSTATE: {
      if (!item)
        return FALSE;
      int index = (int)wp;
      if (index >= count)
        return FALSE;
      bool single = (h->style & LVS_SINGLESEL) && (item->stateMask & item->state & LVIS_SELECTED);
      // One item at most has the focus.
      bool focus = index >= 0 && (item->stateMask & item->state & LVIS_FOCUSED);
      for (int i = 0; i < count; ++i) {
        UINT& s = h->items[(size_t)i].state;
        if (index < 0 || i == index) {
          s = (s & ~item->stateMask) | (item->state & item->stateMask);
        } else {
          if (single)
            s &= ~(UINT)LVIS_SELECTED;
          if (focus)
            s &= ~(UINT)LVIS_FOCUSED;
        }
      }
      markDirty(h);
      return TRUE;
    }
    case LVM_GETITEMSTATE:
      if ((int)wp < 0 || (int)wp >= count)
        return 0;
      return (LRESULT)(h->items[(size_t)wp].state & (UINT)lp);
    case LVM_SETICONSPACING: {
      LRESULT old = MAKELONG(h->spacingX, h->spacingY);
      int cx = (short)LOWORD(lp), cy = (short)HIWORD(lp);
      h->spacingX = cx > 0 ? cx : 75;
      h->spacingY = cy > 0 ? cy : 75;
      markDirty(h);
      return old;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      if (auto* d = as<HDC__>(dc, Kind::Dc); d && d->painter)
        paintListView(h, *d->painter);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      listViewMouse(h, msg, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_KEYDOWN:
      listViewKey(h, wp);
      return 0;
    case WM_MOUSEMOVE:
      if (wp & MK_LBUTTON)
        listViewMouse(h, msg, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      break;
    case WM_ENABLE:
      markDirty(h);
      return 0;
    case WM_NCDESTROY:
      if (!(h->style & LVS_SHAREIMAGELISTS)) {
        for (HIMAGELIST* list : {&h->normalList, &h->smallList}) {
          if (*list)
            ImageList_Destroy(*list);
          *list = nullptr;
        }
      }
      break;
  }
  return DefWindowProc(h, msg, wp, lp);
}

}  // namespace qtb
