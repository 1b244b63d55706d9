// SPDX-License-Identifier: MIT
// A new game, refilling a hand from the stock, the end of the game and the
// prompt for the next one.
#include <cstring>

#include "table/zorv_dlg.h"

// The stock's picture lies across the lower half of the trump card. When the
// trump card is the last card of the stock, the place that shows it steps
// aside, so the trump card shows whole, as it lies on a real table.
static void ShowStock(CZorvDlg& dlg, HBITMAP picture) {
  dlg.m_stDeck.SetBitmap(picture);
  dlg.m_stDeck.ShowWindow(picture == dlg.m_hbmLastCard ? SW_HIDE : SW_SHOW);
  dlg.NamePicture(IDC_DECK, picture);
}

void CZorvDlg::NewGame() {
  m_listPlayer.SetBkColor(RGB(0, 0, 0));
  m_listPlayer.SetIconSpacing(70, 100);
  m_listComputer.SetBkColor(RGB(0, 0, 0));
  m_listComputer.SetIconSpacing(73, 100);

  m_nComputerCards = 0;
  m_nPlayerCards = 0;
  m_nDeckCards = 36;
  m_nPlayerPage = 0;
  m_nBeaten = 0;
  m_nAttack = 0;
  m_nDefence = 0;
  m_bComputerAttacks = 0;
  m_nGameResult = 0;
  // The remembered suit's text stays, but without this flag it is void.
  m_bRemembered = 0;
  UpdateCounters();

  CreateDeck(m_deck);
  // The bottom card of the stock is turned up: its suit is trumps all game.
  m_trump = m_deck[0];
  m_stTrump.SetBitmap(m_trump.hBitmap);
  NamePicture(IDC_TRUMP, m_trump.hBitmap);

  static const struct {
    const char* suit;
    WORD id;
  } kSymbols[] = {{"spades", IDB_SUIT_SPADES},
                  {"hearts", IDB_SUIT_HEARTS},
                  {"diamonds", IDB_SUIT_DIAMONDS},
                  {"clubs", IDB_SUIT_CLUBS}};
  for (const auto& symbol : kSymbols) {
    if (strcmp(m_trump.suit, symbol.suit) == 0) {
      m_hbmTrumpSuit = CachedBitmap(symbol.id);
      break;
    }
  }

  m_hbmBack = CachedBitmap(IDB_BACK);
  m_hbmEmpty = CachedBitmap(IDB_EMPTY);
  m_hbmDeck = CachedBitmap(IDB_DECK);
  m_hbmLastCard = CachedBitmap(IDB_LAST_CARD);
  ShowStock(*this, m_hbmDeck);
  ClearTable();

  DrawComputerCards(6);
  DrawPlayerCards(6);
  ShowComputerHand();
  ShowPlayerHand();
  UpdateCounters();

  EnableControl(IDC_BEATEN, FALSE);
  EnableControl(IDC_TAKE, FALSE);
  EnableControl(IDC_MORE, FALSE);
  // The player leads the first bout of every game.
  SetHint("Ваш ход...");
}

void CZorvDlg::OnGameNew() {
  NewGame();
}

// Refills one hand from the top of the stock. The game ends here and only
// here: when the hand to refill is empty and so is the stock. Returns FALSE
// when the game has ended (no card moves then).
static BOOL DrawCards(CZorvDlg& dlg, Card* hand, BYTE& count, BYTE otherCount, BYTE n,
                      BYTE lossResult, LPCTSTR lossText) {
  if (dlg.m_nDeckCards == 0 && count == 0) {
    // The result was announced already; the handler is on its way out.
    if (dlg.m_nGameResult == 4) {
      return FALSE;
    }
    if (otherCount == 0) {
      dlg.m_nGameResult = 3;
      dlg.MessageBox("Ничья", AfxGetAppName(), MB_OK);
    } else {
      // Whoever still holds cards has lost.
      dlg.m_nGameResult = lossResult;
      dlg.MessageBox(lossText, AfxGetAppName(), MB_OK);
    }
    dlg.m_nGameResult = 4;
    dlg.AskNewGame();
    return FALSE;
  }

  BYTE old = count;
  if (dlg.m_nDeckCards < n) {
    count += dlg.m_nDeckCards;
    n = dlg.m_nDeckCards;
    dlg.m_nDeckCards = 0;
    dlg.m_stTrump.SetBitmap(dlg.m_hbmEmpty);
    dlg.NamePicture(IDC_TRUMP, dlg.m_hbmEmpty);
    ShowStock(dlg, dlg.m_hbmTrumpSuit);
  } else {
    dlg.m_nDeckCards -= n;
    count += n;
    // Only the trump card is left: the sideways stock disappears.
    if (dlg.m_nDeckCards == 1) {
      ShowStock(dlg, dlg.m_hbmLastCard);
    }
    // Nothing is left: the table shows just the trump suit's symbol.
    if (dlg.m_nDeckCards == 0) {
      dlg.m_stTrump.SetBitmap(dlg.m_hbmEmpty);
      dlg.NamePicture(IDC_TRUMP, dlg.m_hbmEmpty);
      ShowStock(dlg, dlg.m_hbmTrumpSuit);
    }
  }
  for (int i = old; i < 36; ++i) {
    hand[i].hBitmap = dlg.m_hbmEmpty;
  }
  // The top n cards in rising order; the trump card m_deck[0] comes last of all.
  for (int k = 0; k < n && k < 6 && old + k < 36; ++k) {
    hand[old + k] = dlg.m_deck[dlg.m_nDeckCards + k];
  }
  return TRUE;
}

void CZorvDlg::DrawComputerCards(BYTE n) {
  DrawCards(*this, m_computerHand, m_nComputerCards, m_nPlayerCards, n, 2,
            "Поздравляю тебя, Шарик, ты балбес! (с)");
}

void CZorvDlg::DrawPlayerCards(BYTE n) {
  if (!DrawCards(*this, m_playerHand, m_nPlayerCards, m_nComputerCards, n, 1,
                 "Компьютер остался в зорвах... :)")) {
    return;
  }
  EnableControl(IDC_MORE, m_nPlayerCards > 6);
}

int CZorvDlg::AskNewGame() {
  int answer = MessageBox("Начать новую игру?", "Конец игры", MB_YESNO | MB_ICONQUESTION);
  // Ending the dialog takes effect once the running handler returns; the
  // start-up loop then opens a fresh window for IDOK.
  if (answer == IDYES) {
    OnOK();
  } else {
    OnCancel();
  }
  return answer;
}
