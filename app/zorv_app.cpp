// SPDX-License-Identifier: MIT
// The application: the program-wide colours and the loop that opens the table
// window again after every game that ends with IDOK.
#include "app/zorv_app.h"

#include "table/zorv_dlg.h"

BEGIN_MESSAGE_MAP(CZorvApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CZorvApp::InitInstance() {
  Enable3dControls();
  CZorvDlg* dlg = new CZorvDlg;
  SetDialogBkColor(RGB(0, 0, 0), RGB(192, 192, 192));
  m_pMainWnd = dlg;
  // IDOK (Yes at the game-over prompt, or Enter) deals a new game in a
  // fresh window. IDCANCEL ends the program, and so does a run that could
  // not open the window at all, rather than retrying it for ever.
  while (dlg->DoModal() == IDOK) {
  }
  m_pMainWnd = nullptr;
  delete dlg;
  return FALSE;
}
