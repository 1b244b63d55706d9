// SPDX-License-Identifier: MIT
// The tooltip control: a list of tools (window + rectangle + text); relayed
// mouse moves over a tool show its text after the usual delay.
#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <QToolTip>
#include <cstring>

#include "platform/qt/internal.h"

namespace {

constexpr int kInitialDelayMs = 500;

ToolRec* findTool(HWND tip, const TOOLINFO* ti) {
  if (!ti)
    return nullptr;
  for (ToolRec& t : tip->tools) {
    if (t.hwnd == ti->hwnd && t.id == ti->uId)
      return &t;
  }
  return nullptr;
}

// Relayed mouse moves: remember which tool the pointer is over and show
// its text once the pointer has rested there.
struct Hover {
  HWND tip = nullptr;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  QPoint global;
  int generation = 0;
};
Hover g_hover;

void relay(HWND tip, const MSG* m) {
  if (!m || !tip->tipActive)
    return;
  if (m->message != WM_MOUSEMOVE) {
    if (qApp)
      QToolTip::hideText();
    g_hover = Hover{};
    return;
  }
  POINT pt{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
  const ToolRec* over = nullptr;
  for (const ToolRec& t : tip->tools) {
    if (t.hwnd == m->hwnd && PtInRect(&t.rect, pt))
      over = &t;
  }
  if (!over) {
    if (g_hover.tip == tip && qApp)
      QToolTip::hideText();
    if (g_hover.tip == tip)
      g_hover = Hover{};
    return;
  }
  if (g_hover.tip == tip && g_hover.hwnd == over->hwnd && g_hover.id == over->id)
    return;
  POINT screen = pt;
  ClientToScreen(m->hwnd, &screen);
  int gen = g_hover.generation + 1;
  g_hover = Hover{tip, over->hwnd, over->id, QPoint(screen.x, screen.y), gen};
  if (!qApp)
    return;
  QTimer::singleShot(kInitialDelayMs, qApp, [gen] {
    if (g_hover.generation != gen || !qtb::isWindow(g_hover.tip))
      return;
    for (const ToolRec& t : g_hover.tip->tools) {
      if (t.hwnd == g_hover.hwnd && t.id == g_hover.id && qtb::isWindow(t.hwnd)) {
        QToolTip::showText(g_hover.global + QPoint(0, 20), QString::fromUtf8(t.text.c_str()),
                           t.hwnd->widget);
      }
    }
  });
}

}  // namespace

namespace qtb {

LRESULT CALLBACK ToolTipProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!isWindow(h))
    return 0;
  auto* ti = reinterpret_cast<TOOLINFO*>(lp);
  switch (msg) {
    case TTM_ADDTOOL: {
      if (!ti)
        return FALSE;
      ToolRec t;
      t.flags = ti->uFlags;
      t.hwnd = ti->hwnd;
      t.id = ti->uId;
      t.rect = ti->rect;
      if ((ti->uFlags & TTF_IDISHWND) && isWindow((HWND)ti->uId)) {
        t.hwnd = (HWND)ti->uId;
        GetClientRect(t.hwnd, &t.rect);
      }
      t.text = ti->lpszText && !IS_INTRESOURCE(ti->lpszText) ? ti->lpszText : "";
      h->tools.push_back(t);
      return TRUE;
    }
    case TTM_DELTOOL: {
      auto& v = h->tools;
      for (auto it = v.begin(); ti && it != v.end(); ++it) {
        if (it->hwnd == ti->hwnd && it->id == ti->uId) {
          v.erase(it);
          break;
        }
      }
      return 0;
    }
    case TTM_UPDATETIPTEXT:
      if (ToolRec* t = findTool(h, ti)) {
        t->text = ti->lpszText && !IS_INTRESOURCE(ti->lpszText) ? ti->lpszText : "";
      }
      return 0;
    case TTM_GETTEXT:
      if (ToolRec* t = findTool(h, ti); t && ti->lpszText) {
        // The caller's buffer: wParam when given, else the classic 80 characters.
        size_t max = wp ? (size_t)wp : 80;
        size_t n = std::min(t->text.size(), max - 1);
        std::memcpy(ti->lpszText, t->text.data(), n);
        ti->lpszText[n] = 0;
      }
      return 0;
    case TTM_GETTOOLCOUNT:
      return (LRESULT)h->tools.size();
    case TTM_ACTIVATE:
      h->tipActive = wp != 0;
      if (!h->tipActive && qApp)
        QToolTip::hideText();
      return 0;
    case TTM_RELAYEVENT:
      relay(h, reinterpret_cast<const MSG*>(lp));
      return 0;
    case WM_DESTROY:
      if (g_hover.tip == h)
        g_hover = Hover{};
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

}  // namespace qtb
