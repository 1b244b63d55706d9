// SPDX-License-Identifier: MIT
// CHistoryDlg: the version history from the string table, read only.
#pragma once

#include <afxwin.h>
#include "res/resource.h"

class CHistoryDlg : public CDialog {
 public:
  CHistoryDlg();
  ~CHistoryDlg() override;

  enum { IDD = IDD_HISTORY };

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  DECLARE_MESSAGE_MAP()
};
