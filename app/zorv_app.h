// SPDX-License-Identifier: MIT
// CZorvApp: the application. It has no window of its own; its start-up runs
// the table window once per game.
#pragma once

#include <afxwin.h>

class CZorvApp : public CWinApp {
 public:
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

extern CZorvApp theApp;
