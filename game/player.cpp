// SPDX-License-Identifier: MIT
// The player's turn: choosing a card from the hand, leading, throwing in or
// covering, and the computer's answer inside the same click.
#include "table/zorv_dlg.h"

void CZorvDlg::OnClickPlayerList(NMHDR*, LRESULT* result) {
  int item = m_listPlayer.GetNextItem(-1, LVNI_SELECTED);
  if (item < 0) {
    return;
  }
  PlayCard((BYTE)item);
  if (result) {
    *result = 0;
  }
}

// Space plays the selected card as a click on it does. The hand is built
// anew after a play: the focus stays on the card now at the same place.
void CZorvDlg::OnKeydownPlayerList(NMHDR* nmhdr, LRESULT* result) {
  if (result) {
    *result = 0;
  }
  if (reinterpret_cast<NMLVKEYDOWN*>(nmhdr)->wVKey != VK_SPACE) {
    return;
  }
  int at = m_listPlayer.GetNextItem(-1, LVNI_SELECTED);
  OnClickPlayerList(nmhdr, result);
  int count = m_listPlayer.GetItemCount();
  if (at >= 0 && count > 0 && ::IsWindow(m_listPlayer.m_hWnd)) {
    int now = at < count ? at : count - 1;
    m_listPlayer.SetItemState(now, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
}

// The hidden card places stand for the current page of six hand entries.
void CZorvDlg::OnPlayerCard0() {
  PlayCard((BYTE)(m_nPlayerPage * 6 + 0));
}
void CZorvDlg::OnPlayerCard1() {
  PlayCard((BYTE)(m_nPlayerPage * 6 + 1));
}
void CZorvDlg::OnPlayerCard2() {
  PlayCard((BYTE)(m_nPlayerPage * 6 + 2));
}
void CZorvDlg::OnPlayerCard3() {
  PlayCard((BYTE)(m_nPlayerPage * 6 + 3));
}
void CZorvDlg::OnPlayerCard4() {
  PlayCard((BYTE)(m_nPlayerPage * 6 + 4));
}
void CZorvDlg::OnPlayerCard5() {
  PlayCard((BYTE)(m_nPlayerPage * 6 + 5));
}

void CZorvDlg::OnMore() {
  if ((m_nPlayerPage + 1) * 6 < m_nPlayerCards) {
    ++m_nPlayerPage;
  } else {
    m_nPlayerPage = 0;
  }
  ShowPlayerHand();
}

void CZorvDlg::PlayCard(BYTE index) {
  // A page can point past the end of the hand; an index past the array is
  // no card either.
  if (index >= 36 || m_playerHand[index].hBitmap == m_hbmEmpty) {
    MessageBox("Тут нет карты!", AfxGetAppName(), MB_OK);
    return;
  }
  if (!m_bComputerAttacks) {
    if (m_nAttack >= 6 || m_nAttack > m_nDefence) {
      return;
    }
    // Once the bout is under way only a rank already on the table may follow.
    if (m_nDefence > 0) {
      bool onTable = false;
      for (BYTE k = 0; k < m_nAttack && !onTable; ++k) {
        onTable = SameRank(m_playerHand, index, m_attack, k);
      }
      for (BYTE k = 0; k < m_nDefence && !onTable; ++k) {
        onTable = SameRank(m_playerHand, index, m_defence, k);
      }
      if (!onTable) {
        return;
      }
    }
    PlaceAttackCard(m_playerHand[index]);
    RemoveCard(m_playerHand, m_nPlayerCards, index);
    m_nPlayerPage = 0;
    EnableControl(IDC_MORE, m_nPlayerCards > 6);
    ShowPlayerHand();
    ComputerDefend();
    return;
  }
  // Only the newest attack card may be covered, and only if it is uncovered.
  if (m_nAttack == 0 || m_nDefence >= m_nAttack ||
      !CanBeat(m_playerHand, index, m_attack, (BYTE)(m_nAttack - 1))) {
    return;
  }
  PlaceDefenceCard(m_playerHand[index]);
  RemoveCard(m_playerHand, m_nPlayerCards, index);
  m_nPlayerPage = 0;
  ShowPlayerHand();
  ComputerAttack();
}

void CZorvDlg::ComputerDefend() {
  int b = ChooseDefenceCard();
  if (b >= 0) {
    PlaceDefenceCard(m_computerHand[b]);
    RemoveCard(m_computerHand, m_nComputerCards, (BYTE)b);
    ShowComputerHand();
    // The bout ends by itself at the sixth beaten card or when a hand is empty.
    if (m_nDefence != 6 && m_nComputerCards >= 1 && m_nPlayerCards >= 1) {
      EnableControl(IDC_BEATEN, TRUE);
      SetHint("Подбрасывайте или жмите 'Бито'");
      return;
    }
    EndBoutBeaten();
    return;
  }
  // The computer takes: only the player, the attacker, is refilled, and he
  // leads again.
  AppendTable(m_computerHand, m_nComputerCards);
  m_nAttack = 0;
  m_nDefence = 0;
  ClearTable();
  ShowComputerHand();
  if (m_nPlayerCards < 6) {
    DrawPlayerCards((BYTE)(6 - m_nPlayerCards));
  }
  ShowPlayerHand();
  SetHint("Компьютер берёт...");
}
