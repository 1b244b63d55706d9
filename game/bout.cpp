// SPDX-License-Identifier: MIT
// The endings of a bout that the player chooses: "Бито" after his attack and
// "Взять" when he gives up defending.
#include <cstring>

#include "table/zorv_dlg.h"

void CZorvDlg::OnBeaten() {
  if (m_nAttack == 0) {
    return;
  }
  EndBoutBeaten();
}

// The player led this bout: he draws first, and the computer leads the next.
void CZorvDlg::EndBoutBeaten() {
  EnableControl(IDC_BEATEN, FALSE);
  DiscardTable();
  if (m_nPlayerCards < 6) {
    DrawPlayerCards((BYTE)(6 - m_nPlayerCards));
  }
  if (m_nComputerCards < 6) {
    DrawComputerCards((BYTE)(6 - m_nComputerCards));
  }
  ShowComputerHand();
  ShowPlayerHand();
  m_bComputerAttacks = 1;
  ComputerAttack();
}

void CZorvDlg::OnTake() {
  // The button is off with an empty table, but the newest attack card must
  // not be read when there is none.
  if (m_nAttack == 0 || m_nAttack > 6) {
    return;
  }
  // Take memory: a low plain card the player could not beat marks a suit he
  // is short of; the computer leads it again.
  const Card& newest = m_attack[m_nAttack - 1];
  if (RankHigher("J", newest.rank) && std::strcmp(newest.suit, m_trump.suit) != 0) {
    std::strncpy(m_szRememberedSuit, newest.suit, sizeof m_szRememberedSuit - 1);
    m_szRememberedSuit[sizeof m_szRememberedSuit - 1] = '\0';
    m_bRemembered = 1;
  }
  AppendTable(m_playerHand, m_nPlayerCards);
  m_nAttack = 0;
  m_nDefence = 0;
  ClearTable();
  if (m_nComputerCards < 6) {
    DrawComputerCards((BYTE)(6 - m_nComputerCards));
  }
  ShowComputerHand();
  ShowPlayerHand();
  EnableControl(IDC_MORE, m_nPlayerCards > 6);
  ComputerAttack();
}
