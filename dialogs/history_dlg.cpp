// SPDX-License-Identifier: MIT
#include "dialogs/history_dlg.h"

BEGIN_MESSAGE_MAP(CHistoryDlg, CDialog)
END_MESSAGE_MAP()

CHistoryDlg::CHistoryDlg() : CDialog(IDD) {}

CHistoryDlg::~CHistoryDlg() = default;

void CHistoryDlg::DoDataExchange(CDataExchange*) {}

BOOL CHistoryDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString history;
  history.LoadString(IDS_HISTORY);
  SetDlgItemText(IDC_HISTORY_TEXT, history);
  return TRUE;
}
