// SPDX-License-Identifier: MIT
// The floor of the table window's own start under Wine: the program's
// dialog template, menu and controls, made by the dialog manager from the
// program's resources and shown, with nothing done to them (no game dealt,
// no picture set, no name given).
#include <windows.h>

#include <commctrl.h>
#include "res/resource.h"

static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) {
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    EndDialog(dlg, 0);
    return TRUE;
  }
  return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  return (int)DialogBoxParam(instance, MAKEINTRESOURCE(IDD_ZORV_DIALOG), nullptr, Proc, 0);
}
