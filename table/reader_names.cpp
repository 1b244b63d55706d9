// SPDX-License-Identifier: MIT
// What a screen reader says of the table: the names of the places, the
// trump card, the stock, the discard pile and the hands, given through the
// system's annotation service, and the order in which a reader meets the
// table's places.
#include <initguid.h>
#include <oleacc.h>

#include "table/zorv_dlg.h"

// The string's text with %1 standing for number and %2 for text.
static CString Compose(UINT id, int number, LPCTSTR text) {
  CString format;
  format.LoadString(id);
  CString out;
  for (int at = 0; at < format.GetLength(); ++at) {
    if (format[at] == '%' && at + 1 < format.GetLength() &&
        (format[at + 1] == '1' || format[at + 1] == '2')) {
      if (format[++at] == '1') {
        CString digits;
        digits.Format("%d", number);
        out += digits;
      } else {
        out += text;
      }
    } else {
      out += format[at];
    }
  }
  return out;
}

void CZorvDlg::NameForReader(int id, LPCTSTR name, LONG child) {
  HWND control = ::GetDlgItem(m_hWnd, id);
  if (!control || !name) {
    return;
  }
  WCHAR wide[160];
  if (!m_pAccProps || !::MultiByteToWideChar(CP_UTF8, 0, name, -1, wide, 160)) {
    return;
  }
  const HRESULT named = m_pAccProps->SetHwndPropStr(control, (DWORD)OBJID_CLIENT, (DWORD)child,
                                                    PROPID_ACC_NAME, wide);
  if (SUCCEEDED(named)) {
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, child);
  } else if (named == E_NOTIMPL) {
    // The system keeps no names (Wine): not asked again on every click.
    m_pAccProps->Release();
    m_pAccProps = nullptr;
  }
}

void CZorvDlg::StartReaderNames() {
  // At each window's first paint rather than before it shows: starting COM
  // can take longer than the rest of the start (25 ms under Wine). Without
  // the service the controls go unnamed.
  if (m_bTableNamed) {
    return;
  }
  m_bTableNamed = TRUE;
  if (!m_bAccPropsAsked) {
    m_bAccPropsAsked = TRUE;
    m_bComStarted = SUCCEEDED(::CoInitialize(nullptr));
    void* service = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IAccPropServices, &service))) {
      m_pAccProps = static_cast<IAccPropServices*>(service);
    }
  }
  // What the window shows so far, named from the game's state; later
  // changes are named as they are made.
  for (int k = 0; k < 6; ++k) {
    NamePlaces(k, k < m_nAttack ? &m_attack[k] : nullptr, k < m_nDefence ? &m_defence[k] : nullptr);
  }
  for (int id : {IDC_TRUMP, IDC_DECK}) {
    NamePicture(id,
                (HBITMAP)::SendMessage(::GetDlgItem(m_hWnd, id), STM_GETIMAGE, IMAGE_BITMAP, 0));
  }
  NameComputerHand();
  NameForReader(IDC_PLAYER_LIST, Compose(IDS_PLAYER_HAND, 0, ""));
  NameForReader(IDC_BEATEN_PILE, Compose(IDS_BEATEN_PILE, 0, ""));
  NameHandItems(IDC_COMPUTER_LIST);
  NameHandItems(IDC_PLAYER_LIST);
}

// A card's name is not the item's text, which a list view draws under its
// picture (Wine does so even with LVS_EX_HIDELABELS): each item is named
// for a reader as the item child it is.
void CZorvDlg::NameHandItems(int listId) {
  if (listId == IDC_COMPUTER_LIST) {
    CString back;
    back.LoadString(IDB_BACK);
    for (int i = 0; i < m_listComputer.GetItemCount(); ++i) {
      NameForReader(IDC_COMPUTER_LIST, back, i + 1);
    }
    return;
  }
  for (int i = 0; i < m_listPlayer.GetItemCount() && i < m_nPlayerCards && i < 36; ++i) {
    const Card& card = m_playerHand[i];
    CString name;
    name.LoadString(FaceBitmapId(card.rank, card.suit));
    NameForReader(IDC_PLAYER_LIST, name, i + 1);
  }
}

void CZorvDlg::ReleaseReaderNames() {
  if (m_pAccProps) {
    m_pAccProps->Release();
    m_pAccProps = nullptr;
  }
  if (m_bComStarted) {
    ::CoUninitialize();
    m_bComStarted = FALSE;
  }
  m_bAccPropsAsked = FALSE;
}

CString CZorvDlg::PictureName(HBITMAP picture) {
  CString name;
  for (WORD id = IDB_CLUBS_BASE; picture && id <= IDB_LAST_CARD; ++id) {
    if (m_ahbmCache[id - IDB_CLUBS_BASE] == picture) {
      name.LoadString(id);
      break;
    }
  }
  return name;
}

void CZorvDlg::NamePlaces(int slot, const Card* attack, const Card* cover) {
  if (slot < 0 || slot >= 6) {
    return;
  }
  const int bout = slot + 1;
  NameForReader(g_anAttackPlace[slot], attack ? Compose(cover ? IDS_PLACE_COVERED : IDS_PLACE_OPEN,
                                                        bout, PictureName(attack->hBitmap))
                                              : Compose(IDS_PLACE_EMPTY, bout, ""));
  NameForReader(g_anDefencePlace[slot], cover
                                            ? Compose(IDS_COVER, bout, PictureName(cover->hBitmap))
                                            : Compose(IDS_COVER_EMPTY, bout, ""));
}

void CZorvDlg::NamePicture(int id, HBITMAP picture) {
  // The trump suit's symbol, shown once the stock is gone, says what it is for.
  const bool trump = id == IDC_TRUMP ? picture != m_hbmEmpty : picture == m_hbmTrumpSuit;
  NameForReader(id, trump ? Compose(IDS_TRUMP, 0, PictureName(picture)) : PictureName(picture));
}

void CZorvDlg::NameComputerHand() {
  NameForReader(IDC_COMPUTER_LIST, Compose(IDS_COMPUTER_HAND, m_nComputerCards, ""));
}

void CZorvDlg::PrepareForReader() {
  // A reader meets a window's controls in their z-order: the places go
  // bout by bout, each attack with its cover, where the template has the
  // attacks in another order and the covers after them. Each cover stays
  // below its own attack, so the places are drawn as before.
  HWND after = ::GetWindow(::GetDlgItem(m_hWnd, IDC_ATTACK0), GW_HWNDPREV);
  for (int k = 0; k < 6 && after; ++k) {
    for (int id : {g_anAttackPlace[k], g_anDefencePlace[k]}) {
      HWND place = ::GetDlgItem(m_hWnd, id);
      ::SetWindowPos(place, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      after = place;
    }
  }
  // The discard counter follows its label "бито:", which names it.
  HWND label = ::GetWindow(::GetDlgItem(m_hWnd, IDC_BEATEN_COUNT), GW_HWNDNEXT);
  if (label) {
    ::SetWindowPos(::GetDlgItem(m_hWnd, IDC_BEATEN_LED), label, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // A new window is named whole at its first paint.
  m_bTableNamed = FALSE;
}
