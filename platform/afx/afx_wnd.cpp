// SPDX-License-Identifier: MIT
// CWnd: handle maps, subclassing, the window procedure and the routing of
// commands, notifications and reflected messages.
#include <vector>

#include "afx_state.h"

IMPLEMENT_DYNAMIC(CWnd, CObject)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    // The object goes first: give the window back its own procedure so
    // that its destruction never calls into a half-destroyed object.
    HWND hWnd = UnsubclassWindow();
    if (::IsWindow(hWnd)) {
      ::DestroyWindow(hWnd);
    }
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (!hWnd) {
    return nullptr;
  }
  AfxState& state = AfxGetState();
  auto it = state.permanentWnds.find(hWnd);
  return it == state.permanentWnds.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) {
    return nullptr;
  }
  if (CWnd* wnd = FromHandlePermanent(hWnd)) {
    return wnd;
  }
  AfxState& state = AfxGetState();
  auto it = state.tempWnds.find(hWnd);
  if (it != state.tempWnds.end()) {
    return it->second;
  }
  CWnd* wnd = new CWnd;
  wnd->m_hWnd = hWnd;
  state.tempWnds.emplace(hWnd, wnd);
  return wnd;
}

BOOL CWnd::Attach(HWND hWnd) {
  if (!hWnd || m_hWnd || FromHandlePermanent(hWnd)) {
    return FALSE;
  }
  AfxState& state = AfxGetState();
  auto it = state.tempWnds.find(hWnd);
  if (it != state.tempWnds.end()) {
    // Someone may still hold the temporary; it goes with the dispatch.
    state.zombieWnds.push_back(it->second);
    state.tempWnds.erase(it);
  }
  state.permanentWnds[hWnd] = this;
  m_hWnd = hWnd;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd) {
    AfxState& state = AfxGetState();
    auto it = state.permanentWnds.find(hWnd);
    if (it != state.permanentWnds.end() && it->second == this) {
      state.permanentWnds.erase(it);
    }
    m_hWnd = nullptr;
  }
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) {
    return FALSE;
  }
  PreSubclassWindow();
  WNDPROC old = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
  m_pfnSuper = old == &AfxWndProc ? nullptr : old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent) {
    return FALSE;
  }
  return SubclassWindow(::GetDlgItem(parent->m_hWnd, (int)id));
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd) {
    return nullptr;
  }
  if (m_pfnSuper && (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == &AfxWndProc) {
    ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
  }
  m_pfnSuper = nullptr;
  return Detach();
}

void AfxForgetDeadWindow(CWnd* wnd) {
  if (wnd->IsKindOf(RUNTIME_CLASS(CDialog))) {
    AfxRemoveRunningDialog(static_cast<CDialog*>(wnd), false);
  }
  wnd->UnsubclassWindow();
}

BOOL CWnd::DestroyWindow() {
  HWND hWnd = m_hWnd;
  if (!hWnd) {
    return FALSE;
  }
  bool permanent = FromHandlePermanent(hWnd) == this;
  AfxGetState().windowsDestroyed = true;
  BOOL done = ::DestroyWindow(hWnd);
  // A subclassed window has detached itself at WM_NCDESTROY (and may have
  // deleted this object in PostNcDestroy); only touch it if still mapped.
  if (permanent) {
    if (FromHandlePermanent(hWnd) == this && !::IsWindow(hWnd)) {
      UnsubclassWindow();
    }
  } else if (!::IsWindow(hWnd)) {
    m_hWnd = nullptr;
  }
  return done;
}

// ---------------------------------------------------------------------------
// The window procedure.

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
  if (!wnd) {
    return ::DefWindowProc(hWnd, message, wParam, lParam);
  }
  AfxDispatchScope scope(hWnd, message, wParam, lParam);
  if (message == WM_DESTROY || message == WM_NCDESTROY) {
    AfxGetState().windowsDestroyed = true;
  }
  LRESULT result = wnd->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == wnd) {
    // The window is gone: the object lets go of it, then may delete itself.
    if (wnd->IsKindOf(RUNTIME_CLASS(CDialog))) {
      AfxRemoveRunningDialog(static_cast<CDialog*>(wnd), false);
    }
    wnd->UnsubclassWindow();
    wnd->PostNcDestroy();
  }
  return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) {
    result = DefWindowProc(message, wParam, lParam);
  }
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) {
    return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  }
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetState().currentMsg;
  if (!m_hWnd || msg.hwnd != m_hWnd) {
    return 0;
  }
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  LRESULT r = 0;
  BOOL handled = FALSE;
  switch (message) {
    case WM_COMMAND:
      handled = OnCommand(wParam, lParam);
      break;
    case WM_NOTIFY:
      handled = OnNotify(wParam, lParam, &r);
      break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      AfxState& state = AfxGetState();
      UINT saved = state.ctlColorIndex;
      state.ctlColorIndex = message - WM_CTLCOLORMSGBOX;
      handled = DispatchMapMessage(WM_CTLCOLOR, 0, 0, wParam, lParam, &r);
      if (!handled) {
        r = (LRESULT)OnCtlColor(CDC::FromHandle((HDC)wParam), FromHandle((HWND)lParam),
                                state.ctlColorIndex);
        handled = TRUE;
      }
      state.ctlColorIndex = saved;
      break;
    }
    case WM_DRAWITEM:
      handled = DispatchMapMessage(WM_DRAWITEM, 0, 0, wParam, lParam, &r);
      if (!handled && lParam) {
        handled = ReflectChildNotify(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem, message,
                                     wParam, lParam, &r);
      }
      break;
    default:
      handled = DispatchMapMessage(message, 0, 0, wParam, lParam, &r);
      break;
  }
  if (handled && result) {
    *result = r;
  }
  return handled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  HWND control = (HWND)lParam;
  if (!control) {
    // Menu items (0) and accelerators (1) are both plain commands.
    code = CN_COMMAND;
  } else if (control != m_hWnd &&
             ReflectChildNotify(control, WM_COMMAND, wParam, lParam, nullptr)) {
    return TRUE;
  }
  LRESULT ignored = 0;
  return DispatchMapMessage(WM_COMMAND, code, id, wParam, lParam, &ignored);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header) {
    return FALSE;
  }
  if (header->hwndFrom != m_hWnd &&
      ReflectChildNotify(header->hwndFrom, WM_NOTIFY, header->idFrom, lParam, result)) {
    return TRUE;
  }
  return DispatchMapMessage(WM_NOTIFY, header->code, (UINT)header->idFrom, header->idFrom, lParam,
                            result);
}

BOOL CWnd::ReflectChildNotify(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* result) {
  CWnd* wnd = FromHandlePermanent(child);
  if (!wnd) {
    return FALSE;
  }
  return wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  UINT code = 0;
  if (message == WM_COMMAND) {
    code = HIWORD(wParam);
  } else if (message == WM_NOTIFY) {
    code = reinterpret_cast<NMHDR*>(lParam)->code;
  }
  LRESULT r = 0;
  if (!DispatchMapMessage(WM_REFLECT_BASE + message, code, 0, wParam, lParam, &r)) {
    return FALSE;
  }
  if (result) {
    *result = r;
  }
  return TRUE;
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  if (wnd && wnd->m_hWnd != m_hWnd && dc) {
    LRESULT brush = 0;
    if (ReflectChildNotify(wnd->m_hWnd, WM_CTLCOLOR, (WPARAM)dc->m_hDC, (LPARAM)ctlColor, &brush) &&
        brush) {
      return (HBRUSH)brush;
    }
  }
  CWinApp* app = AfxGetApp();
  if (app && app->m_hDlgBkBrush && dc &&
      (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC || ctlColor == CTLCOLOR_MSGBOX ||
       ctlColor == CTLCOLOR_BTN || ctlColor == CTLCOLOR_EDIT)) {
    dc->SetTextColor(app->m_crDlgText);
    dc->SetBkColor(app->m_crDlgBk);
    return app->m_hDlgBkBrush;
  }
  return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
  const MSG& msg = AfxGetState().currentMsg;
  if (dis && ReflectChildNotify(dis->hwndItem, WM_DRAWITEM, msg.wParam, (LPARAM)dis, nullptr)) {
    return;
  }
  Default();
}

BOOL CWnd::PreTranslateMessage(MSG*) {
  return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

// ---------------------------------------------------------------------------
// Small helpers over the system calls.

int CWnd::GetDlgItemText(int id, CString& text) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (!item) {
    text.Empty();
    return 0;
  }
  CWnd* wnd = FromHandle(item);
  wnd->GetWindowText(text);
  return text.GetLength();
}

void CWnd::GetWindowText(CString& text) const {
  int length = ::GetWindowTextLength(m_hWnd);
  if (length <= 0) {
    text.Empty();
    return;
  }
  std::vector<char> buffer((size_t)length + 1);
  int got = ::GetWindowText(m_hWnd, buffer.data(), length + 1);
  text = CString(std::string(buffer.data(), got > 0 ? (size_t)got : 0));
}

CWnd* CWnd::GetDlgItem(int id) const {
  return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::ScreenToClient(LPRECT rect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  DWORD style = GetStyle();
  DWORD changed = (style & ~remove) | add;
  if (changed == style) {
    return FALSE;
  }
  ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)changed);
  if (flags) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  }
  return TRUE;
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, (WPARAM)(font ? font->m_hObject : nullptr), redraw);
}

CDC* CWnd::GetDC() {
  return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* dc) {
  return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
  return ::MessageBox(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}
