// SPDX-License-Identifier: MIT
// Placeholder until the player's turn is built.
#include "table/zorv_dlg.h"

void CZorvDlg::PlayCard(BYTE) {}
void CZorvDlg::ComputerDefend() {}
void CZorvDlg::OnClickPlayerList(NMHDR*, LRESULT* result) { *result = 0; }
void CZorvDlg::OnPlayerCard0() {}
void CZorvDlg::OnPlayerCard1() {}
void CZorvDlg::OnPlayerCard2() {}
void CZorvDlg::OnPlayerCard3() {}
void CZorvDlg::OnPlayerCard4() {}
void CZorvDlg::OnPlayerCard5() {}
void CZorvDlg::OnMore() {}
