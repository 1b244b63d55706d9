// SPDX-License-Identifier: MIT
// Moving cards between the hands and the table: the few steps that the
// player's play, the computer's play and the endings of a bout share.
#include "table/zorv_dlg.h"

// A control switched off while it has the focus would keep the keyboard
// to itself, taking no key (the player pressed Space on "Бито" and it went
// grey): the focus goes back to the hand, where the next move is made.
void CZorvDlg::EnableControl(int id, BOOL enable) {
  HWND control = ::GetDlgItem(m_hWnd, id);
  if (control) {
    const bool hadFocus = !enable && ::GetFocus() == control;
    ::EnableWindow(control, enable);
    if (hadFocus) {
      ::SetFocus(::GetDlgItem(m_hWnd, IDC_PLAYER_LIST));
    }
  }
}

// The later cards close up in their order; the freed top entry is marked
// empty, which is how an empty hand place is recognised.
void CZorvDlg::RemoveCard(Card* hand, BYTE& count, BYTE index) {
  if (index >= 36 || count == 0) {
    return;
  }
  for (int i = index; i < 35; ++i) {
    hand[i] = hand[i + 1];
  }
  hand[35].hBitmap = m_hbmEmpty;
  --count;
}

// The defender takes the table in the order A0, A1, D0, A2, D1, ...: each
// attack card followed by the cover of the card before it. A cover of the
// newest card is taken last, so no card is lost even if it was covered.
void CZorvDlg::AppendTable(Card* hand, BYTE& count) {
  BYTE attack = m_nAttack > 6 ? 6 : m_nAttack;
  BYTE defence = m_nDefence > attack ? attack : m_nDefence;
  if (attack == 0) {
    return;
  }
  hand[count++] = m_attack[0];
  for (BYTE k = 1; k < attack; ++k) {
    hand[count++] = m_attack[k];
    if (k - 1 < defence) {
      hand[count++] = m_defence[k - 1];
    }
  }
  if (defence == attack) {
    hand[count++] = m_defence[attack - 1];
  }
}

void CZorvDlg::PlaceAttackCard(const Card& card) {
  if (m_nAttack >= 6) {
    return;
  }
  m_attack[m_nAttack] = card;
  ::SendMessage(::GetDlgItem(m_hWnd, g_anAttackPlace[m_nAttack]), STM_SETIMAGE, IMAGE_BITMAP,
                (LPARAM)card.hBitmap);
  // The covering place lies over most of the attack place: while it is empty
  // it steps aside, so the card to be covered shows whole.
  ::ShowWindow(::GetDlgItem(m_hWnd, g_anDefencePlace[m_nAttack]), SW_HIDE);
  NamePlaces(m_nAttack, &card, nullptr);
  ++m_nAttack;
}

void CZorvDlg::PlaceDefenceCard(const Card& card) {
  if (m_nDefence >= 6) {
    return;
  }
  m_defence[m_nDefence] = card;
  HWND place = ::GetDlgItem(m_hWnd, g_anDefencePlace[m_nDefence]);
  ::SendMessage(place, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)card.hBitmap);
  ::ShowWindow(place, SW_SHOW);
  NamePlaces(m_nDefence, &m_attack[m_nDefence], &card);
  ++m_nDefence;
}

// A beaten table only adds to the discard count; the cards are not kept.
void CZorvDlg::DiscardTable() {
  m_nBeaten += m_nAttack + m_nDefence;
  m_nAttack = 0;
  m_nDefence = 0;
  ClearTable();
}
