// SPDX-License-Identifier: MIT
// CAboutDlg: the game's name and version, the author and two links.
#pragma once

#include <afxwin.h>
#include "dialogs/hyperlink.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  ~CAboutDlg() override;

  enum { IDD = IDD_ABOUTBOX };

  CHyperLink m_linkHome;
  CHyperLink m_linkMail;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  DECLARE_MESSAGE_MAP()
};
