// SPDX-License-Identifier: MIT
// Placeholder until the About and History dialogs are built.
#include "table/zorv_dlg.h"

void CZorvDlg::OnHelpAbout() {}
void CZorvDlg::OnHelpHistory() {}
