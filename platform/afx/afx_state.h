// SPDX-License-Identifier: MIT
// The framework's private bookkeeping, shared by its source files: handle
// maps, the dispatch nesting that bounds temporary wrappers, the running
// dialogs and the message-filter hook.
#pragma once

#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "afxwin.h"

struct AfxRunningDialog {
  CDialog* dialog;
  bool modal;
};

struct AfxState {
  std::unordered_map<HWND, CWnd*> permanentWnds;
  std::unordered_map<HWND, CWnd*> tempWnds;
  // Temporaries displaced by Attach while a caller may still hold them.
  std::vector<CWnd*> zombieWnds;
  // Temporary DC and GDI wrappers; the flag says whether one was made inside
  // a dispatch (those go when the outermost dispatch returns).
  std::unordered_map<HDC, std::pair<CDC*, bool>> tempDCs;
  std::map<std::pair<int, HGDIOBJ>, std::pair<CGdiObject*, bool>> tempGdi;

  int dispatchDepth = 0;
  MSG currentMsg{};
  UINT ctlColorIndex = 0;
  bool windowsDestroyed = false;

  std::vector<AfxRunningDialog> runningDialogs;
  HHOOK msgFilterHook = nullptr;
  int msgFilterUsers = 0;

  // Application objects by construction; the latest living one is current
  // (a test may make its own while the program's exists).
  std::vector<CWinApp*> apps;
};

AfxState& AfxGetState();

// Marks one message's handling; the outermost scope's end frees the
// temporary wrappers made during it.
class AfxDispatchScope {
 public:
  AfxDispatchScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  ~AfxDispatchScope();

 private:
  MSG m_saved;
};

void AfxDeleteTempObjects(bool atExit);
// Drops map entries and temporaries of windows that no longer exist.
void AfxSweepDeadWindows();
// Forgets a window that was destroyed without its WM_NCDESTROY reaching us.
void AfxForgetDeadWindow(CWnd* wnd);

void AfxHookMsgFilter();
void AfxUnhookMsgFilter();
CDialog* AfxInnermostDialog(bool modalOnly);
void AfxRemoveRunningDialog(CDialog* dialog, bool modal);

// Temporary GDI wrappers by kind, so one handle value never comes back as
// the wrong class.
enum AfxGdiKind { kAfxGdiObject, kAfxPalette, kAfxBitmap, kAfxFont, kAfxBrush };
CGdiObject* AfxTempGdi(AfxGdiKind kind, HGDIOBJ handle);
