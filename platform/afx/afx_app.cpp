// SPDX-License-Identifier: MIT
// CWinApp, the entry point, the application's name and message boxes.
#include <algorithm>
#include <string>

#include "afx_state.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

// The module's file name without directory and extension: "Zorv.exe" → "Zorv".
static std::string ModuleBaseName() {
  char path[MAX_PATH] = {};
  DWORD length = ::GetModuleFileName(::GetModuleHandle(nullptr), path, MAX_PATH);
  std::string name(path, length < MAX_PATH ? length : MAX_PATH - 1);
  size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) {
    name.erase(0, slash + 1);
  }
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) {
    name.erase(dot);
  }
  return name;
}

CWinApp::CWinApp(LPCTSTR appName) {
  if (appName) {
    m_strAppName = appName;
    m_pszAppName = m_strAppName.c_str();
  }
  AfxGetState().apps.push_back(this);
}

CWinApp::~CWinApp() {
  auto& apps = AfxGetState().apps;
  apps.erase(std::remove(apps.begin(), apps.end(), this), apps.end());
  if (m_hDlgBkBrush) {
    ::DeleteObject(m_hDlgBkBrush);
    m_hDlgBkBrush = nullptr;
  }
}

// The program lives in its modal dialogs; there is no loop of its own to run.
int CWinApp::Run() {
  return ExitInstance();
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
  if (m_hDlgBkBrush) {
    ::DeleteObject(m_hDlgBkBrush);
  }
  m_hDlgBkBrush = ::CreateSolidBrush(background);
  m_crDlgBk = background;
  m_crDlgText = text;
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() {
  auto& apps = AfxGetState().apps;
  return apps.empty() ? nullptr : apps.back();
}

HINSTANCE AfxGetInstanceHandle() {
  CWinApp* app = AfxGetApp();
  return app && app->m_hInstance ? app->m_hInstance : ::GetModuleHandle(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
  return AfxGetInstanceHandle();
}

LPCTSTR AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pszAppName) {
    return app->m_pszAppName;
  }
  // Without an application (tests) the module may change between calls.
  static std::string name;
  name = ModuleBaseName();
  return name.c_str();
}

CWnd* AfxGetMainWnd() {
  CWinApp* app = AfxGetApp();
  return app ? app->m_pMainWnd : nullptr;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
  CWnd* owner = AfxInnermostDialog(false);
  if (!owner) {
    owner = AfxGetMainWnd();
  }
  return ::MessageBox(owner ? owner->m_hWnd : nullptr, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
  CString text;
  text.LoadString(stringId);
  return AfxMessageBox(text, type, helpId);
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app) {
    return -1;
  }
  app->m_hInstance = instance;
  // The list view and the tooltip are common controls: their window classes
  // exist once these are initialised.
  InitCommonControls();
  static std::string exeName;
  exeName = ModuleBaseName();
  if (!app->m_pszExeName) {
    app->m_pszExeName = exeName.c_str();
  }
  if (!app->m_pszAppName) {
    app->m_pszAppName = app->m_pszExeName;
  }
  if (!app->InitInstance()) {
    return app->ExitInstance();
  }
  return app->Run();
}
