// SPDX-License-Identifier: MIT
// Sending and posting messages, the default window procedure and the
// message-filter hooks.
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/qt/internal.h"

namespace {

struct Hook {
  HHOOK id;
  HOOKPROC proc;
};

std::vector<Hook>& hooks() {
  static std::vector<Hook> list;  // newest first
  return list;
}

uintptr_t g_nextHook = 1;

int copyText(const std::string& text, LPSTR buffer, size_t max) {
  if (!buffer || max == 0)
    return 0;
  size_t n = std::min(text.size(), max - 1);
  // Never cut a UTF-8 character in half.
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
    --n;
  // Never cut a UTF-8 character in half.
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
    --n;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  return (int)n;
}

}  // namespace

namespace qtb {

LRESULT dispatch(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!isWindow(h) || !h->proc)
    return 0;
  return h->proc(h, msg, wp, lp);
}

bool offerToHooks(MSG* msg) {
  if (hooks().empty())
    return false;
  HOOKPROC proc = hooks().front().proc;
  return proc && proc(MSGF_DIALOGBOX, 0, (LPARAM)msg) != 0;
}

}  // namespace qtb

LRESULT SendMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!qtb::isWindow(h))
    return 0;
  if (h->style & WS_CHILD)
    qtb::spy(h, msg, wp, lp);
  return qtb::dispatch(h, msg, wp, lp);
}

BOOL PostMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!qtb::isWindow(h) || !QCoreApplication::instance())
    return FALSE;
  QTimer::singleShot(0, QCoreApplication::instance(), [h, msg, wp, lp] {
    if (qtb::isWindow(h))
      qtb::dispatch(h, msg, wp, lp);
  });
  return TRUE;
}

LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!proc)
    return 0;
  return proc(h, msg, wp, lp);
}

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!qtb::isWindow(h))
    return 0;
  switch (msg) {
    case WM_NOTIFYFORMAT:
      // Every window here takes its texts as narrow strings.
      return lp == NF_QUERY ? NFR_ANSI : 0;
    case WM_SETTEXT: {
      const char* text = lp ? reinterpret_cast<const char*>(lp) : "";
      // The same text again changes nothing on the screen: no repaint.
      if (h->text == text)
        return TRUE;
      h->text = text;
      if (!(h->style & WS_CHILD) && h->widget) {
        h->widget->setWindowTitle(QString::fromUtf8(h->text.c_str()));
      }
      qtb::markDirty(h);
      qtb::accessibleChanged(h);
      return TRUE;
    }
    case WM_GETTEXT:
      return copyText(h->text, reinterpret_cast<LPSTR>(lp), (size_t)wp);
    case WM_GETTEXTLENGTH:
      return (LRESULT)h->text.size();
    case WM_SETFONT:
      h->font = (HFONT)wp;
      if (LOWORD(lp))
        qtb::markDirty(h);
      return 0;
    case WM_GETFONT:
      return (LRESULT)h->font;
    case WM_SETICON: {
      HICON old = wp == ICON_SMALL ? h->smallIcon : h->bigIcon;
      (wp == ICON_SMALL ? h->smallIcon : h->bigIcon) = (HICON)lp;
      if (h->widget && h->widget->isWindow()) {
        auto* ic = qtb::as<HICON__>(h->bigIcon ? h->bigIcon : h->smallIcon, qtb::Kind::Icon);
        if (ic && !ic->image.isNull() && QCoreApplication::instance()) {
          // The icon at every size it was drawn at, for the desktop to choose.
          QIcon icon(QPixmap::fromImage(ic->image));
          for (const QImage& copy : ic->scaled.images()) {
            QImage unscaled = copy;
            unscaled.setDevicePixelRatio(1);
            icon.addPixmap(QPixmap::fromImage(unscaled));
          }
          h->widget->setWindowIcon(icon);
        }
      }
      return (LRESULT)old;
    }
    case WM_GETICON:
      return (LRESULT)(wp == ICON_SMALL ? h->smallIcon : h->bigIcon);
    case WM_SETCURSOR: {
      // Offer the choice to the parent first, then fall back to the arrow.
      if ((h->style & WS_CHILD) && qtb::isWindow(h->parent)) {
        if (SendMessage(h->parent, WM_SETCURSOR, wp, lp))
          return TRUE;
      }
      if (LOWORD(lp) == HTCLIENT) {
        SetCursor(qtb::arrowCursor());
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTCLIENT;
  }
  return 0;
}

DWORD GetCurrentThreadId() {
  static std::atomic<DWORD> next{1};
  static thread_local const DWORD id = next++;
  return id;
}

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
  if (idHook != WH_MSGFILTER || !proc)
    return nullptr;
  // As on the platform: a hook of every thread (0) needs the module its
  // procedure lives in, and only this thread's messages come here.
  if ((threadId == 0 && !module) || (threadId != 0 && threadId != GetCurrentThreadId()))
    return nullptr;
  HHOOK id = reinterpret_cast<HHOOK>(g_nextHook++);
  hooks().insert(hooks().begin(), Hook{id, proc});
  return id;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  auto& list = hooks();
  auto it = std::find_if(list.begin(), list.end(), [hook](const Hook& k) { return k.id == hook; });
  if (it == list.end())
    return FALSE;
  list.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wp, LPARAM lp) {
  auto& list = hooks();
  auto it = std::find_if(list.begin(), list.end(), [hook](const Hook& k) { return k.id == hook; });
  if (it == list.end() || ++it == list.end())
    return 0;
  return it->proc(code, wp, lp);
}
