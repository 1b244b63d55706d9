// SPDX-License-Identifier: MIT
// CDialog, its dialog procedure, data exchange and the pre-translation hook
// that runs while a dialog is up.
#include <algorithm>

#include "afx_state.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCE(templateId)), m_pParentWnd(parent) {}

CDialog::CDialog(LPCTSTR templateName, CWnd* parent)
    : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  AfxRemoveRunningDialog(this, false);
}

INT_PTR CDialog::DoModal() {
  if (!m_lpszTemplateName || m_hWnd) {
    return -1;
  }
  CDialog* innermost = AfxInnermostDialog(false);
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : innermost ? innermost->m_hWnd : nullptr;
  AfxState& state = AfxGetState();
  state.runningDialogs.push_back({this, true});
  AfxHookMsgFilter();
  INT_PTR result =
      ::DialogBoxParam(AfxGetResourceHandle(), m_lpszTemplateName, owner, AfxDlgProc, (LPARAM)this);
  AfxUnhookMsgFilter();
  AfxRemoveRunningDialog(this, true);
  if (m_hWnd && !::IsWindow(m_hWnd)) {
    AfxForgetDeadWindow(this);
  }
  state.windowsDestroyed = true;
  if (state.dispatchDepth == 0) {
    AfxSweepDeadWindows();
  }
  return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (m_hWnd) {
    return FALSE;
  }
  m_lpszTemplateName = MAKEINTRESOURCE(templateId);
  if (parent) {
    m_pParentWnd = parent;
  }
  // Counted as running from the start, so that boxes shown by OnInitDialog
  // already have it as their owner.
  AfxGetState().runningDialogs.push_back({this, false});
  AfxHookMsgFilter();
  HWND hWnd = ::CreateDialogParam(AfxGetResourceHandle(), m_lpszTemplateName,
                                  parent ? parent->m_hWnd : nullptr, AfxDlgProc, (LPARAM)this);
  if (!hWnd) {
    AfxRemoveRunningDialog(this, false);
    return FALSE;
  }
  if (!m_hWnd) {
    SubclassWindow(hWnd);
  }
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) {
    return;
  }
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

// The character set an extended template asks its font for, after the
// point size, weight and italic flag; DEFAULT_CHARSET when it has no font
// or cannot be read to there.
static BYTE TemplateCharset(HINSTANCE instance, LPCTSTR name) {
  HRSRC found = ::FindResource(instance, name, RT_DIALOG);
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const BYTE* p = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  const size_t size = p ? ::SizeofResource(instance, found) : 0;
  auto word = [&](size_t at) { return at + 2 <= size ? p[at] | p[at + 1] << 8 : -1; };
  if (size < 26 || word(0) != 1 || word(2) != 0xFFFF || !(word(12) & DS_SETFONT)) {
    return DEFAULT_CHARSET;
  }
  // The menu and the window class (none, an ordinal or a name), then the
  // caption.
  size_t at = 26;
  for (int field = 0; field < 3; ++field) {
    if (field < 2 && word(at) == 0xFFFF) {
      at += 4;
      continue;
    }
    while (word(at) > 0) {
      at += 2;
    }
    if (word(at) < 0) {
      return DEFAULT_CHARSET;
    }
    at += 2;
  }
  at += 5;
  return at < size ? p[at] : (BYTE)DEFAULT_CHARSET;
}

// The dialog manager is to make the template's font in the character set
// the template names, but Wine's takes the system's, in which a Russian
// template's letters are boxes on a Western system. Then the controls get
// the same font in the template's set; the dialog keeps its own, which the
// dialog manager frees, and the dialog units stay those of the system's.
void CDialog::UseTemplateCharset() {
  const BYTE charset = TemplateCharset(AfxGetResourceHandle(), m_lpszTemplateName);
  HFONT font = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
  LOGFONT logFont;
  if (charset == DEFAULT_CHARSET || !font || ::GetObject(font, sizeof logFont, &logFont) <= 0 ||
      logFont.lfCharSet == charset) {
    return;
  }
  m_fontCharset.DeleteObject();
  logFont.lfCharSet = charset;
  if (!m_fontCharset.CreateFontIndirect(&logFont)) {
    return;
  }
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::SendMessage(child, WM_SETFONT, (WPARAM)m_fontCharset.m_hObject, FALSE);
  }
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd)) {
    // Everything else reached the object through AfxWndProc already; the
    // dialog manager does the defaults.
    return FALSE;
  }
  CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog || !dialog->SubclassWindow(hWnd)) {
    return TRUE;
  }
  dialog->UseTemplateCharset();
  AfxDispatchScope scope(hWnd, message, wParam, lParam);
  return dialog->OnInitDialog();
}

// ---------------------------------------------------------------------------
// Running dialogs and the message-filter hook.

CDialog* AfxInnermostDialog(bool modalOnly) {
  auto& running = AfxGetState().runningDialogs;
  for (auto it = running.rbegin(); it != running.rend(); ++it) {
    if ((it->modal || !modalOnly) && it->dialog->m_hWnd) {
      return it->dialog;
    }
  }
  return nullptr;
}

void AfxRemoveRunningDialog(CDialog* dialog, bool modal) {
  auto& running = AfxGetState().runningDialogs;
  for (auto it = running.rbegin(); it != running.rend(); ++it) {
    if (it->dialog == dialog && it->modal == modal) {
      running.erase(std::next(it).base());
      if (!modal) {
        AfxUnhookMsgFilter();
      }
      return;
    }
  }
}

// Offers the message to the permanent windows from its target up to the
// dialog; the first one that translates it eats it.
static BOOL PreTranslateUpToDialog(MSG* msg) {
  int guard = 0;
  for (HWND hWnd = msg->hwnd; hWnd && guard < 64; hWnd = ::GetParent(hWnd), ++guard) {
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd) {
      continue;
    }
    if (wnd->PreTranslateMessage(msg)) {
      return TRUE;
    }
    if (wnd->IsKindOf(RUNTIME_CLASS(CDialog))) {
      break;
    }
  }
  return FALSE;
}

static LRESULT CALLBACK MsgFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  HHOOK hook = AfxGetState().msgFilterHook;
  MSG* msg = reinterpret_cast<MSG*>(lParam);
  if (code >= 0 && msg) {
    AfxDispatchScope scope(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (PreTranslateUpToDialog(msg)) {
      return 1;
    }
  }
  return ::CallNextHookEx(hook, code, wParam, lParam);
}

void AfxHookMsgFilter() {
  AfxState& state = AfxGetState();
  if (state.msgFilterUsers++ == 0) {
    // The dialog manager and menus of this thread call it in their loops.
    state.msgFilterHook =
        ::SetWindowsHookEx(WH_MSGFILTER, MsgFilterProc, nullptr, ::GetCurrentThreadId());
  }
}

void AfxUnhookMsgFilter() {
  AfxState& state = AfxGetState();
  if (state.msgFilterUsers > 0 && --state.msgFilterUsers == 0) {
    if (state.msgFilterHook) {
      ::UnhookWindowsHookEx(state.msgFilterHook);
    }
    state.msgFilterHook = nullptr;
  }
}

// ---------------------------------------------------------------------------
// Data exchange.

HWND CDataExchange::PrepareCtrl(int id) {
  return m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd && !::IsWindow(control.m_hWnd)) {
    // Left over from an earlier run of the dialog whose end we did not see.
    AfxForgetDeadWindow(&control);
  }
  if (!control.m_hWnd) {
    control.SubclassWindow(dx->PrepareCtrl(id));
  }
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) {
    return;
  }
  if (dx->m_bSaveAndValidate) {
    CWnd::FromHandle(control)->GetWindowText(value);
  } else {
    ::SetWindowText(control, value);
  }
}
