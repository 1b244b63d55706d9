// SPDX-License-Identifier: MIT
// Placeholder until the computer player is built.
#include "table/zorv_dlg.h"

void CZorvDlg::ComputerAttack() {}
int CZorvDlg::ChooseDefenceCard() { return -1; }
