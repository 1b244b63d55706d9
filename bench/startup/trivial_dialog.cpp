// SPDX-License-Identifier: MIT
// The floor for the start-up and click benchmarks under Wine: a trivial
// Win32 dialog, one text and two buttons, from a template made in memory;
// the first button changes the text.
#include <windows.h>

#include <cstring>

namespace {

constexpr WORD kText = 100, kChange = 101;

// Appends a string of UTF-16 to the template.
WORD* put(WORD* p, const wchar_t* s) {
  size_t n = wcslen(s) + 1;
  memcpy(p, s, n * sizeof(WORD));
  return p + n;
}

WORD* align(WORD* p) {
  return (WORD*)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
}

WORD* item(WORD* p, DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
           const wchar_t* text) {
  p = align(p);
  auto* it = (DLGITEMTEMPLATE*)p;
  it->style = style | WS_CHILD | WS_VISIBLE;
  it->dwExtendedStyle = 0;
  it->x = x, it->y = y, it->cx = cx, it->cy = cy, it->id = id;
  p = (WORD*)(it + 1);
  *p++ = 0xffff;
  *p++ = cls;
  p = put(p, text);
  *p++ = 0;  // no creation data
  return p;
}

INT_PTR CALLBACK proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG)
    return TRUE;
  if (msg == WM_COMMAND && LOWORD(wp) == kChange) {
    static int clicks;
    SetDlgItemTextW(dlg, kText, ++clicks % 2 ? L"Clicked." : L"A trivial dialog.");
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    EndDialog(dlg, 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  alignas(4) static WORD buffer[512];
  auto* t = (DLGTEMPLATE*)buffer;
  t->style = DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  t->dwExtendedStyle = 0;
  t->cdit = 3;
  t->x = t->y = 0;
  t->cx = 160, t->cy = 60;
  WORD* p = (WORD*)(t + 1);
  *p++ = 0;  // no menu
  *p++ = 0;  // the dialog class
  p = put(p, L"Trivial");
  *p++ = 8;
  p = put(p, L"MS Sans Serif");
  p = item(p, SS_LEFT, 10, 10, 140, 10, kText, 0x0082, L"A trivial dialog.");
  p = item(p, BS_PUSHBUTTON | WS_TABSTOP, 25, 35, 50, 14, kChange, 0x0080, L"Change");
  item(p, BS_DEFPUSHBUTTON | WS_TABSTOP, 85, 35, 50, 14, IDOK, 0x0080, L"OK");
  return (int)DialogBoxIndirectParamW(instance, t, nullptr, proc, 0);
}
