// SPDX-License-Identifier: MIT
#include "dialogs/hyperlink.h"

#include <cstring>

namespace {

// Reason texts of the shell's error codes, as the message box shows them.
struct OpenError {
  int code;
  const char* text;
};
const OpenError kOpenErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {SE_ERR_FNF, "The specified file was not found."},
    {SE_ERR_PNF, "The specified path was not found."},
    {SE_ERR_ACCESSDENIED, "The operating system denied\naccess to the specified file."},
    {SE_ERR_OOM, "There was not enough memory to complete the operation."},
    {ERROR_BAD_FORMAT, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {SE_ERR_SHARE, "A sharing violation occurred. "},
    {SE_ERR_ASSOCINCOMPLETE, "The filename association is\nincomplete or invalid."},
    {SE_ERR_DDETIMEOUT,
     "The DDE transaction could not\nbe completed because the request timed out."},
    {SE_ERR_DDEFAIL, "The DDE transaction failed."},
    {SE_ERR_DDEBUSY,
     "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
     "processed."},
    {SE_ERR_NOASSOC, "There is no application associated\nwith the given filename extension."},
    {SE_ERR_DLLNOTFOUND, "The specified dynamic-link library was not found."},
};

// The target as one argument of a command line, as a started program reads
// its command line: blanks split arguments unless quoted, and backslashes
// are literal except before a double quote, where each pair stands for one
// backslash and an odd one makes the quote literal.
CString CommandLineArgument(LPCTSTR target) {
  if (std::strpbrk(target, " \t\"") == nullptr) {
    return CString(target);
  }
  CString arg('"');
  size_t slashes = 0;
  auto backslashes = [&arg](size_t n) {
    for (size_t i = 0; i < n; ++i) {
      arg += '\\';
    }
  };
  for (const char* p = target; *p; ++p) {
    if (*p == '\\') {
      ++slashes;
      continue;
    }
    backslashes(*p == '"' ? 2 * slashes + 1 : slashes);
    arg += *p;
    slashes = 0;
  }
  backslashes(2 * slashes);  // before the closing quote
  arg += '"';
  return arg;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnLinkClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CHyperLink::CHyperLink()
    : m_crLink(RGB(0, 0, 238)),
      m_crVisited(RGB(85, 26, 139)),
      m_crHover(RGB(255, 92, 0)),
      m_bHover(FALSE),
      m_bVisited(FALSE),
      m_bUnderline(TRUE),
      m_bFitToText(TRUE),
      m_hHandCursor(nullptr),
      m_bOwnCursor(FALSE) {}

CHyperLink::~CHyperLink() {
  m_fontLink.DeleteObject();
  if (m_tip.m_hWnd != nullptr) {
    m_tip.DestroyWindow();
  }
  if (m_bOwnCursor) {
    DestroyCursor(m_hHandCursor);
  }
}

void CHyperLink::PreSubclassWindow() {
  // Without SS_NOTIFY a static sends no STN_CLICKED.
  SetWindowLong(m_hWnd, GWL_STYLE, GetWindowLong(m_hWnd, GWL_STYLE) | SS_NOTIFY);

  CString text;
  GetWindowText(text);
  if (m_strTarget.IsEmpty()) {
    m_strTarget = text;
  }
  if (text.IsEmpty()) {
    SetWindowText(m_strTarget);
  }

  LOGFONT lf;
  std::memset(&lf, 0, sizeof lf);
  HGDIOBJ font = (HGDIOBJ)SendMessage(WM_GETFONT);
  if (font == nullptr) {
    font = GetStockObject(DEFAULT_GUI_FONT);
  }
  ::GetObject(font, sizeof lf, &lf);
  lf.lfUnderline = (BYTE)m_bUnderline;
  if (m_fontLink.CreateFontIndirect(&lf)) {
    SendMessage(WM_SETFONT, (WPARAM)m_fontLink.m_hObject, TRUE);
  }

  FitToText();
  LoadHandCursor();

  if (m_tip.Create(this, 0)) {
    CRect rect;
    GetClientRect(&rect);
    m_tip.AddTool(this, m_strTarget, &rect, 1);
  }

  CStatic::PreSubclassWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg) {
  if (m_tip.m_hWnd != nullptr) {
    m_tip.RelayEvent(msg);
  }
  return CStatic::PreTranslateMessage(msg);
}

void CHyperLink::FitToText() {
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || !m_bFitToText) {
    return;
  }
  CRect rect;
  GetWindowRect(&rect);
  CWnd* parent = GetParent();
  if (parent != nullptr) {
    parent->ScreenToClient(&rect);
  }

  CString text;
  GetWindowText(text);
  CSize extent;
  CDC* dc = GetDC();
  if (dc == nullptr) {
    return;
  }
  CFont* oldFont = dc->SelectObject(&m_fontLink);
  extent = dc->GetTextExtent(text);
  if (oldFont != nullptr) {
    dc->SelectObject(oldFont);
  }
  ReleaseDC(dc);

  DWORD style = GetStyle();
  if (style & SS_CENTERIMAGE) {
    int shrink = (rect.Height() - extent.cy) / 2;
    rect.top += shrink;
    rect.bottom -= shrink;
  } else {
    rect.bottom = rect.top + extent.cy;
  }
  if (style & SS_CENTER) {
    int shrink = (rect.Width() - extent.cx) / 2;
    rect.left += shrink;
    rect.right -= shrink;
  } else if (style & SS_RIGHT) {
    rect.left = rect.right - extent.cx;
  } else {
    rect.right = rect.left + extent.cx;
  }
  SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER);
}

void CHyperLink::LoadHandCursor() {
  if (m_hHandCursor != nullptr) {
    return;
  }
  char path[MAX_PATH];
  static const char kHelpProgram[] = "\\winhlp32.exe";
  UINT length = GetWindowsDirectory(path, sizeof path);
  if (length > 0 && length + sizeof kHelpProgram <= sizeof path) {
    std::strcat(path, kHelpProgram);
    HMODULE module = LoadLibrary(path);
    if (module != nullptr) {
      HCURSOR cursor = LoadCursor(module, MAKEINTRESOURCE(106));
      if (cursor != nullptr) {
        m_hHandCursor = CopyIcon(cursor);
        m_bOwnCursor = m_hHandCursor != nullptr;
      }
      FreeLibrary(module);
    }
  }
  // The help program's cursor is not to be had on every desktop; the
  // system's own hand is the same picture.
  if (m_hHandCursor == nullptr) {
    m_hHandCursor = LoadCursor(nullptr, IDC_HAND);
  }
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT) {
  if (m_hHandCursor != nullptr) {
    ::SetCursor(m_hHandCursor);
    return TRUE;
  }
  return FALSE;
}

void CHyperLink::OnMouseMove(UINT flags, CPoint point) {
  CStatic::OnMouseMove(flags, point);
  const UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
  if (m_bHover) {
    CRect rect;
    GetClientRect(&rect);
    if (!rect.PtInRect(point)) {
      m_bHover = FALSE;
      ReleaseCapture();
      RedrawWindow(nullptr, nullptr, redraw);
    }
  } else {
    // The capture brings the move that leaves the link here as well.
    m_bHover = TRUE;
    RedrawWindow(nullptr, nullptr, redraw);
    SetCapture();
  }
}

HBRUSH CHyperLink::CtlColor(CDC* dc, UINT) {
  if (m_bHover) {
    dc->SetTextColor(m_crHover);
  } else if (m_bVisited) {
    dc->SetTextColor(m_crVisited);
  } else {
    dc->SetTextColor(m_crLink);
  }
  dc->SetBkMode(TRANSPARENT);
  return (HBRUSH)GetStockObject(NULL_BRUSH);
}

void CHyperLink::OnLinkClicked() {
  m_bHover = FALSE;
  INT_PTR result = OpenTarget(m_strTarget, SW_SHOW);
  m_bVisited = (UINT_PTR)result > 32;
  if (m_bVisited) {
    MarkVisited(TRUE);
  } else {
    MessageBeep(MB_ICONEXCLAMATION);
    ShowOpenError((int)result);
  }
}

INT_PTR CHyperLink::OpenTarget(LPCTSTR target, int showCmd) {
  INT_PTR result = (INT_PTR)ShellExecute(nullptr, "open", target, nullptr, nullptr, showCmd);
  if ((UINT_PTR)result > 32) {
    return result;
  }

  // The browser registered for web pages: the class of ".htm", then that
  // class's open command. Every step that does not fit the buffer gives up
  // with the shell's own answer.
  char command[2 * MAX_PATH];
  if (ReadRegistryDefault(HKEY_CLASSES_ROOT, ".htm", command, sizeof command) != ERROR_SUCCESS) {
    return result;
  }
  static const char kOpenCommand[] = "\\shell\\open\\command";
  if (std::strlen(command) + sizeof kOpenCommand > sizeof command) {
    return result;
  }
  std::strcat(command, kOpenCommand);
  if (ReadRegistryDefault(HKEY_CLASSES_ROOT, command, command, sizeof command) != ERROR_SUCCESS) {
    return result;
  }
  CutAtPlaceholder(command);
  // With no program before the target the target itself would be started:
  // that is a failed open, not a command line.
  if (command[std::strspn(command, " \t\"")] == '\0') {
    return result;
  }

  CString arg = CommandLineArgument(target);
  size_t length = std::strlen(command);
  if (length + 1 + (size_t)arg.GetLength() + 1 > sizeof command) {
    return result;
  }
  command[length] = ' ';
  std::memcpy(command + length + 1, (LPCTSTR)arg, (size_t)arg.GetLength() + 1);
  return (INT_PTR)WinExec(command, (UINT)showCmd);
}

void CHyperLink::CutAtPlaceholder(LPTSTR command) {
  // The text is UTF-8, where no byte of a multi-byte character can match
  // ASCII, so a plain byte search finds the placeholder safely.
  char* quoted = std::strstr(command, "\"%1\"");
  if (quoted != nullptr) {
    *quoted = '\0';
    return;
  }
  char* bare = std::strstr(command, "%1");
  if (bare != nullptr) {
    *bare = '\0';
  }
}

LONG CHyperLink::ReadRegistryDefault(HKEY root, LPCTSTR subKey, LPTSTR out, int outSize) {
  HKEY key = nullptr;
  LONG error = RegOpenKeyEx(root, subKey, 0, KEY_QUERY_VALUE, &key);
  if (error != ERROR_SUCCESS) {
    return error;
  }
  char value[MAX_PATH];
  LONG size = sizeof value;
  error = RegQueryValue(key, nullptr, value, &size);
  if (error == ERROR_SUCCESS) {
    value[sizeof value - 1] = '\0';
    if (std::strlen(value) < (size_t)outSize) {
      std::strcpy(out, value);
    } else {
      error = ERROR_MORE_DATA;
    }
  }
  RegCloseKey(key);
  return error;
}

CString CHyperLink::OpenErrorText(int code) {
  for (const OpenError& error : kOpenErrors) {
    if (error.code == code) {
      return CString(error.text);
    }
  }
  CString text;
  text.Format("Unknown Error (%d) occurred.", code);
  return text;
}

void CHyperLink::ShowOpenError(int code) {
  CString text = CString("Unable to open hyperlink:\n\n") + OpenErrorText(code);
  AfxMessageBox(text, MB_ICONEXCLAMATION, 0);
}

void CHyperLink::SetLinkTarget(CString target) {
  m_strTarget = target;
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
    FitToText();
    m_tip.UpdateTipText(m_strTarget, this, 1);
  }
}

void CHyperLink::SetHoverCursor(HCURSOR cursor) {
  if (m_bOwnCursor && cursor != m_hHandCursor) {
    DestroyCursor(m_hHandCursor);
    m_bOwnCursor = FALSE;
  }
  m_hHandCursor = cursor;
  if (m_hHandCursor == nullptr) {
    LoadHandCursor();
  }
}

void CHyperLink::MarkVisited(BOOL visited) {
  m_bVisited = visited;
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
    InvalidateRect(nullptr, TRUE);
  }
}
