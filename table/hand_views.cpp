// SPDX-License-Identifier: MIT
// The two hand views: the computer's cards face down, the player's face up in
// display order.
#include <cstring>
#include <utility>

#include "game/deck.h"
#include "table/zorv_dlg.h"

// The hands' image lists keep every colour of the pictures: at four bits
// (the system's default depth too) or with the system's 256-colour palette
// the cards would not look as they do on the table.
static const UINT kHandListDepth = ILC_COLOR24;

static int SuitIndex(const char* suit) {
  for (int i = 0; i < 4; ++i) {
    if (strcmp(suit, g_aszSuits[i]) == 0) {
      return i;
    }
  }
  return -1;
}

// Adds a card's picture to the list and answers its index there. A picture
// that cannot be added (damaged or of another size) is replaced by the empty
// place, so an item never shows the picture of the card after it; -1 when
// even that fails, and the item shows nothing. The lists keep no mask, so a
// mask made from black would be thrown away: it would only cost the time
// (under Wine four times that of the copy, most of a click's answer).
static int AddPicture(HIMAGELIST list, HBITMAP picture, HBITMAP placeholder) {
  int index = ImageList_Add(list, picture, nullptr);
  if (index < 0 && placeholder) {
    index = ImageList_Add(list, placeholder, nullptr);
  }
  return index;
}

// Fills the view with count items, item i showing image images[i], and hands
// the view its new image list, freeing the one it gives back. The list the
// view holds when the window goes is the view's to free (it has no
// LVS_SHAREIMAGELISTS), so the window keeps no handle of its own that would
// outlive it. The list copies the pixels of the cached bitmaps, so nothing
// else is freed.
static void FillView(CListCtrl& view, HIMAGELIST list, const int* images, int count) {
  HIMAGELIST old = view.SetImageList(list, LVSIL_NORMAL);
  if (old && old != list) {
    ImageList_Destroy(old);
  }
  for (int i = 0; i < count; ++i) {
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = const_cast<LPSTR>("");
    item.iImage = images[i];
    view.InsertItem(&item);
  }
}

void CZorvDlg::ShowComputerHand() {
  BYTE n = m_nComputerCards;
  static const int kPlaces[6] = {IDC_COMPUTER_CARD0, IDC_COMPUTER_CARD1, IDC_COMPUTER_CARD2,
                                 IDC_COMPUTER_CARD3, IDC_COMPUTER_CARD4, IDC_COMPUTER_CARD5};
  // Hidden, but a picture set costs a round trip to the window system even
  // so (under Wine half a millisecond each).
  for (int i = 0; i < 6; ++i) {
    SetPlacePicture(kPlaces[i], i < n ? m_hbmBack : m_hbmEmpty);
  }

  HIMAGELIST list = ImageList_Create(69, 94, kHandListDepth, n, 1);
  m_listComputer.DeleteAllItems();
  HBITMAP back = CachedBitmap(IDB_BACK);
  int images[36];
  const int count = n < 36 ? n : 36;  // a hand holds 36 at the most
  for (int i = 0; i < count; ++i) {
    images[i] = AddPicture(list, back, m_hbmEmpty);
  }
  FillView(m_listComputer, list, images, count);
  NameHandItems(IDC_COMPUTER_LIST);
  UpdateCounters();
}

void CZorvDlg::ShowPlayerHand() {
  BYTE n = m_nPlayerCards;
  if (n <= 6) {
    EnableControl(IDC_MORE, FALSE);
  }
  // Nothing on the table means nothing to send to the discard pile.
  if (m_nAttack == 0) {
    EnableControl(IDC_BEATEN, FALSE);
  }

  // Display order: spades, clubs, diamonds, hearts with the trump suit moved
  // last, each suit from 6 up to the ace. The hand array itself takes this
  // order, so a view item's index is the card's index in the hand.
  Card runs[4][36];
  BYTE counts[4] = {};
  for (int i = 0; i < n; ++i) {
    int suit = SuitIndex(m_playerHand[i].suit);
    if (suit >= 0) {
      runs[suit][counts[suit]++] = m_playerHand[i];
    }
  }
  int trump = SuitIndex(m_trump.suit);
  int order[4];
  int placed = 0;
  for (int suit : {3, 2, 1, 0}) {
    if (suit != trump) {
      order[placed++] = suit;
    }
  }
  if (trump >= 0) {
    order[placed++] = trump;
  }
  int next = 0;
  for (int k = 0; k < placed; ++k) {
    int suit = order[k];
    SortByRank(runs[suit], counts[suit]);
    for (int i = 0; i < counts[suit]; ++i) {
      m_playerHand[next++] = runs[suit][i];
    }
  }
  UpdateCounters();

  HIMAGELIST list = ImageList_Create(69, 94, kHandListDepth, n, 1);
  m_listPlayer.DeleteAllItems();
  int images[36];
  const int count = n < 36 ? n : 36;
  for (int i = 0; i < count; ++i) {
    HBITMAP face = CachedBitmap(FaceBitmapId(m_playerHand[i].rank, m_playerHand[i].suit));
    images[i] = AddPicture(list, face, m_hbmEmpty);
  }
  FillView(m_listPlayer, list, images, count);
  NameHandItems(IDC_PLAYER_LIST);
}

void CZorvDlg::SortByRank(Card* run, BYTE count) {
  if (count < 2) {
    return;
  }
  for (int pass = 0; pass < count - 1; ++pass) {
    for (int i = 0; i + 1 < count; ++i) {
      if (RankHigher(run[i].rank, run[i + 1].rank)) {
        std::swap(run[i], run[i + 1]);
      }
    }
  }
}

WORD CZorvDlg::FaceBitmapId(const char* rank, const char* suit) {
  // Suits are recognised in this order: hearts, spades, diamonds, clubs.
  for (int suitIndex : {0, 3, 1, 2}) {
    if (strcmp(suit, g_aszSuits[suitIndex]) != 0) {
      continue;
    }
    for (int rankIndex = 0; rankIndex < 9; ++rankIndex) {
      if (strcmp(rank, g_aszRanks[rankIndex]) == 0) {
        return (WORD)(g_awSuitBase[suitIndex] + g_abRankOffset[rankIndex]);
      }
    }
    break;
  }
  return IDB_BACK2;
}
