// SPDX-License-Identifier: MIT
// The "?" menu's About and History commands of the table window.
#include "dialogs/about_dlg.h"
#include "dialogs/history_dlg.h"
#include "table/zorv_dlg.h"

void CZorvDlg::OnHelpAbout() {
  CAboutDlg dlg;
  dlg.DoModal();
}

void CZorvDlg::OnHelpHistory() {
  CHistoryDlg dlg;
  dlg.DoModal();
}
