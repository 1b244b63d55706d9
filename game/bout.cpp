// SPDX-License-Identifier: MIT
// Placeholder until the endings of a bout are built.
#include "table/zorv_dlg.h"

void CZorvDlg::OnBeaten() {}
void CZorvDlg::OnTake() {}
