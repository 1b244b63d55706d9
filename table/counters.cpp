// SPDX-License-Identifier: MIT
// The four counts on show: hidden texts and the two LED counters.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "table/zorv_dlg.h"

// Copies the two glyphs of a count ("%2d": a blank before a single digit)
// from the digit strip into a 37 x 20 image. Both places are written every
// time, so no digit of an earlier value stays behind.
static void PrintLed(CDIB& led, CDIB& digits, BYTE count) {
  char text[8];
  snprintf(text, sizeof text, "%2d", count);
  for (int i = 0; i < 2; ++i) {
    char c = text[i];
    // Glyph 10, at x 90, is the blank with all segments unlit.
    LONG glyphX = (c >= '0' && c <= '9') ? 9 * (c - '0') : 90;
    led.CopyPixels(&digits, glyphX, 0, 9, 13, 8 + 11 * i, 4);
  }
}

// "карта", "карты" or "карт", as Russian counts them.
static const char* CardsWord(int n) {
  if (n % 10 == 1 && n % 100 != 11) {
    return "карта";
  }
  if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14)) {
    return "карты";
  }
  return "карт";
}

// A button repaints at once when its text is set: the LED's name is set
// only when it changes, so that a click does not draw the counter again.
static void SetChangedText(HWND dlg, int id, const char* text) {
  char now[64] = {};
  ::GetDlgItemText(dlg, id, now, sizeof now);
  if (std::strcmp(now, text) != 0) {
    ::SetDlgItemText(dlg, id, text);
  }
}

// What a screen reader says of the counters and the computer's hand, from
// the counts the window shows. The texts of the LED buttons are not drawn;
// they name them. The discard counter follows its label "бито:", so its
// name is the count alone.
static void NameCounts(CZorvDlg& dlg) {
  auto count = [&dlg](int id) {
    char text[16] = {};
    ::GetDlgItemText(dlg.m_hWnd, id, text, sizeof text);
    return std::atoi(text);
  };
  char name[64];
  int deck = count(IDC_DECK_COUNT);
  if (deck > 0) {
    snprintf(name, sizeof name, "в колоде %d %s", deck, CardsWord(deck));
  } else {
    snprintf(name, sizeof name, "колода кончилась");
  }
  SetChangedText(dlg.m_hWnd, IDC_DECK_LED, name);
  snprintf(name, sizeof name, "%d", count(IDC_BEATEN_COUNT));
  SetChangedText(dlg.m_hWnd, IDC_BEATEN_LED, name);
  dlg.NameComputerHand();
}

void CZorvDlg::UpdateCounters() {
  m_strComputerCards.Format("%i", m_nComputerCards);
  m_strPlayerCards.Format("%i", m_nPlayerCards);
  CString text;
  text.Format("%d", m_nDeckCards);
  m_stDeckCount.SetWindowText(text);
  UpdateData(FALSE);
  text.Format("%d", m_nBeaten);
  SetDlgItemText(IDC_BEATEN_COUNT, text);

  PrintLed(m_dibDeckCount, m_dibDigits, m_nDeckCards);
  PrintLed(m_dibBeatenCount, m_dibDigits, m_nBeaten);
  NameCounts(*this);
  m_btnDeckLed.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  m_btnBeatenLed.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZorvDlg::OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis) {
  // The whole image at the button's corner, whatever the item's state: the
  // button is exactly the image's size.
  if (idCtl == IDC_DECK_LED) {
    m_dibDeckCount.Paint(CDC::FromHandle(dis->hDC));
  } else if (idCtl == IDC_BEATEN_LED) {
    m_dibBeatenCount.Paint(CDC::FromHandle(dis->hDC));
  } else {
    CDialog::OnDrawItem(idCtl, dis);
  }
}
