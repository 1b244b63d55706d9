// SPDX-License-Identifier: MIT
#include "dialogs/about_dlg.h"

// The link targets. The mail link's template text has a blank after
// "mailto:" for the eye; the address it opens has none.
static const char kMailTarget[] = "mailto:zorv@example.org";
static const char kHomeTarget[] = "http://www.example.org/zorv/";

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_LINK_HOME, m_linkHome);
  DDX_Control(dx, IDC_LINK_MAIL, m_linkMail);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The program carries no cursor resource of its own, so these come back
  // NULL and each link takes the hand cursor.
  m_linkMail.SetLinkTarget(kMailTarget);
  m_linkMail.SetHoverCursor(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(32513)));
  m_linkHome.SetLinkTarget(kHomeTarget);
  m_linkHome.SetHoverCursor(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(32513)));
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}
