// SPDX-License-Identifier: MIT
// The table window: construction, data exchange, the message map, start-up
// of each run, the minimised picture, the simple commands, the hint line and
// the table places.
#include "table/zorv_dlg.h"

#include <initializer_list>

CZorvDlg::CZorvDlg(CWnd* parent) : CDialog(IDD, parent) {
  m_strPlayerCards = "";
  m_strComputerCards = "";
  m_hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
}

CZorvDlg::~CZorvDlg() {
  ReleaseReaderNames();
  m_dibDeckCount.Free();
  m_dibBeatenCount.Free();
  m_dibDigits.Free();
  if (m_hAccel) {
    DestroyAcceleratorTable(m_hAccel);
  }
  for (HBITMAP& bitmap : m_ahbmCache) {
    if (bitmap) {
      ::DeleteObject(bitmap);
      bitmap = nullptr;
    }
  }
}

HBITMAP CZorvDlg::CachedBitmap(WORD id) {
  if (id < IDB_CLUBS_BASE || id > IDB_LAST_CARD) {
    return nullptr;
  }
  HBITMAP& slot = m_ahbmCache[id - IDB_CLUBS_BASE];
  // A DIB section keeps the resource's own pixels: made in a tenth of the
  // time a bitmap of the screen's kind takes (under Wine 0.05 against 0.4 ms
  // a card, most of a new game's start), and drawn the same.
  if (!slot) {
    slot = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION);
  }
  return slot;
}

void CZorvDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_BEATEN_LED, m_btnBeatenLed);
  DDX_Control(dx, IDC_DECK_LED, m_btnDeckLed);
  DDX_Control(dx, IDC_COMPUTER_LIST, m_listComputer);
  DDX_Control(dx, IDC_PLAYER_LIST, m_listPlayer);
  DDX_Control(dx, IDC_MORE, m_btnMore);
  DDX_Control(dx, IDC_DEFENCE2, m_stDefence2);
  DDX_Control(dx, IDC_DEFENCE1, m_stDefence1);
  DDX_Control(dx, IDC_DEFENCE0, m_stDefence0);
  DDX_Control(dx, IDC_ATTACK5, m_stAttack5);
  DDX_Control(dx, IDC_ATTACK4, m_stAttack4);
  DDX_Control(dx, IDC_ATTACK3, m_stAttack3);
  DDX_Control(dx, IDC_ATTACK2, m_stAttack2);
  DDX_Control(dx, IDC_ATTACK1, m_stAttack1);
  DDX_Control(dx, IDC_DEFENCE5, m_stDefence5);
  DDX_Control(dx, IDC_DEFENCE4, m_stDefence4);
  DDX_Control(dx, IDC_DEFENCE3, m_stDefence3);
  DDX_Control(dx, IDC_ATTACK0, m_stAttack0);
  DDX_Control(dx, IDC_PLAYER_CARD5, m_stPlayerCard5);
  DDX_Control(dx, IDC_PLAYER_CARD4, m_stPlayerCard4);
  DDX_Control(dx, IDC_PLAYER_CARD3, m_stPlayerCard3);
  DDX_Control(dx, IDC_PLAYER_CARD2, m_stPlayerCard2);
  DDX_Control(dx, IDC_PLAYER_CARD1, m_stPlayerCard1);
  DDX_Control(dx, IDC_PLAYER_CARD0, m_stPlayerCard0);
  DDX_Control(dx, IDC_COMPUTER_CARD5, m_stComputerCard5);
  DDX_Control(dx, IDC_COMPUTER_CARD4, m_stComputerCard4);
  DDX_Control(dx, IDC_COMPUTER_CARD3, m_stComputerCard3);
  DDX_Control(dx, IDC_COMPUTER_CARD2, m_stComputerCard2);
  DDX_Control(dx, IDC_COMPUTER_CARD1, m_stComputerCard1);
  DDX_Control(dx, IDC_DECK, m_stDeck);
  DDX_Control(dx, IDC_TRUMP, m_stTrump);
  DDX_Control(dx, IDC_DECK_COUNT, m_stDeckCount);
  DDX_Control(dx, IDC_COMPUTER_CARD0, m_stComputerCard0);
  DDX_Text(dx, IDC_PLAYER_COUNT, m_strPlayerCards);
  DDX_Text(dx, IDC_COMPUTER_COUNT, m_strComputerCards);
}

BEGIN_MESSAGE_MAP(CZorvDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_COMMAND(ID_GAME_EXIT, OnGameExit)
ON_COMMAND(ID_HELP_ABOUT, OnHelpAbout)
ON_COMMAND(ID_HELP_RULES, OnHelpRules)
ON_BN_CLICKED(IDC_MORE, OnMore)
ON_STN_CLICKED(IDC_PLAYER_CARD0, OnPlayerCard0)
ON_STN_CLICKED(IDC_PLAYER_CARD1, OnPlayerCard1)
ON_STN_CLICKED(IDC_PLAYER_CARD2, OnPlayerCard2)
ON_STN_CLICKED(IDC_PLAYER_CARD3, OnPlayerCard3)
ON_STN_CLICKED(IDC_PLAYER_CARD4, OnPlayerCard4)
ON_STN_CLICKED(IDC_PLAYER_CARD5, OnPlayerCard5)
ON_BN_CLICKED(IDC_BEATEN, OnBeaten)
ON_BN_CLICKED(IDC_TAKE, OnTake)
ON_COMMAND(ID_HELP_HISTORY, OnHelpHistory)
ON_NOTIFY(NM_CLICK, IDC_PLAYER_LIST, OnClickPlayerList)
ON_NOTIFY(LVN_KEYDOWN, IDC_PLAYER_LIST, OnKeydownPlayerList)
ON_COMMAND(ID_GAME_NEW, OnGameNew)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

BOOL CZorvDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  m_dibDeckCount.CreateBlank(37, 20);
  m_dibDeckCount.LoadPalette(IDB_LED_PALETTE);
  m_dibDeckCount.Fill(0, 0, 0);
  m_dibBeatenCount.CreateBlank(37, 20);
  m_dibBeatenCount.LoadPalette(IDB_LED_PALETTE);
  m_dibBeatenCount.Fill(0, 0, 0);
  m_dibDigits.LoadFromResource(IDB_DIGITS);

  // F2 deals again, as the accelerator table of the resources has it.
  if (!m_hAccel) {
    m_hAccel = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_ACCELERATOR));
  }

  // Pixels, not dialog units: each counter button becomes exactly the size
  // of its 37 x 20 image.
  m_btnDeckLed.MoveWindow(310, 195, 37, 20, TRUE);
  m_btnBeatenLed.MoveWindow(570, 230, 37, 20, TRUE);
  // After the counters' images exist: moving a control may draw it at once.
  PrepareForReader();

  NewGame();
  return TRUE;
}

BOOL CZorvDlg::PreTranslateMessage(MSG* msg) {
  if (m_hAccel && m_hWnd && ::TranslateAccelerator(m_hWnd, m_hAccel, msg)) {
    return TRUE;
  }
  return CDialog::PreTranslateMessage(msg);
}

void CZorvDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    StartReaderNames();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
  int cx = ::GetSystemMetrics(SM_CXICON);
  int cy = ::GetSystemMetrics(SM_CYICON);
  CRect rect;
  GetClientRect(&rect);
  int x = (rect.Width() - cx + 1) / 2;
  int y = (rect.Height() - cy + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CZorvDlg::OnQueryDragIcon() {
  return (HCURSOR)m_hIcon;
}

void CZorvDlg::OnGameExit() {
  OnCancel();
}

void CZorvDlg::OnHelpRules() {
  MessageBox("Неужели есть кто-то, не знающий правил???", AfxGetAppName(), MB_OK);
}

void CZorvDlg::SetHint(LPCTSTR text) {
  SetDlgItemText(IDC_HINT, text);
  // The hint is the table's status line: a screen reader reads each new one.
  ::NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, ::GetDlgItem(m_hWnd, IDC_HINT), OBJID_CLIENT,
                   CHILDID_SELF);
}

const int g_anAttackPlace[6] = {IDC_ATTACK0, IDC_ATTACK1, IDC_ATTACK2,
                                IDC_ATTACK3, IDC_ATTACK4, IDC_ATTACK5};
const int g_anDefencePlace[6] = {IDC_DEFENCE0, IDC_DEFENCE1, IDC_DEFENCE2,
                                 IDC_DEFENCE3, IDC_DEFENCE4, IDC_DEFENCE5};

// A picture static draws itself again whenever it is given a picture, even
// the one it shows (Wine's at once, over the place that overlaps it): a
// place is given its picture only when that changes, so that clearing the
// table redraws the places that held cards and no others.
void CZorvDlg::SetPlacePicture(int id, HBITMAP picture) {
  HWND place = ::GetDlgItem(m_hWnd, id);
  if ((HBITMAP)::SendMessage(place, STM_GETIMAGE, IMAGE_BITMAP, 0) != picture) {
    ::SendMessage(place, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture);
  }
}

void CZorvDlg::ClearTable() {
  for (const int* row : {g_anAttackPlace, g_anDefencePlace}) {
    for (int k = 0; k < 6; ++k) {
      SetPlacePicture(row[k], m_hbmEmpty);
    }
  }
  // Covering places that stepped aside for an attack card come back empty.
  for (int k = 0; k < 6; ++k) {
    ::ShowWindow(::GetDlgItem(m_hWnd, g_anDefencePlace[k]), SW_SHOW);
    NamePlaces(k, nullptr, nullptr);
  }
}
