// SPDX-License-Identifier: MIT
// CZorvDlg: the game table window. It owns all game state as plain members;
// the rules are its member operations, spread over the files of game/ and
// table/ by area.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>
#include "game/cards.h"
#include "gfx/dib.h"
#include "res/resource.h"

// The table's places by slot 0..5: the attack places stand left to right in
// slot order, which is not the order of their ids; cover k lies over attack k.
extern const int g_anAttackPlace[6];
struct IAccPropServices;
extern const int g_anDefencePlace[6];

class CZorvDlg : public CDialog {
 public:
  explicit CZorvDlg(CWnd* parent = nullptr);
  ~CZorvDlg() override;

  enum { IDD = IDD_ZORV_DIALOG };

  // Controls, bound by data exchange.
  CButton m_btnBeatenLed;
  CButton m_btnDeckLed;
  CListCtrl m_listComputer;
  CListCtrl m_listPlayer;
  CButton m_btnMore;
  CStatic m_stDefence2;
  CStatic m_stDefence1;
  CStatic m_stDefence0;
  CStatic m_stAttack5;
  CStatic m_stAttack4;
  CStatic m_stAttack3;
  CStatic m_stAttack2;
  CStatic m_stAttack1;
  CStatic m_stDefence5;
  CStatic m_stDefence4;
  CStatic m_stDefence3;
  CStatic m_stAttack0;
  CStatic m_stPlayerCard5;
  CStatic m_stPlayerCard4;
  CStatic m_stPlayerCard3;
  CStatic m_stPlayerCard2;
  CStatic m_stPlayerCard1;
  CStatic m_stPlayerCard0;
  CStatic m_stComputerCard5;
  CStatic m_stComputerCard4;
  CStatic m_stComputerCard3;
  CStatic m_stComputerCard2;
  CStatic m_stComputerCard1;
  CStatic m_stDeck;
  CStatic m_stTrump;
  CStatic m_stDeckCount;
  CStatic m_stComputerCard0;
  CString m_strPlayerCards;
  CString m_strComputerCards;

  // Game state.
  HICON m_hIcon;
  BYTE m_bComputerAttacks;
  BYTE m_nComputerCards;
  BYTE m_nPlayerCards;
  BYTE m_nDeckCards;
  BYTE m_nPlayerPage;
  BYTE m_nBeaten;
  BYTE m_nGameResult;
  BYTE m_bRemembered;
  char m_szRememberedSuit[10];
  Card m_deck[36];
  Card m_trump;
  Card m_computerHand[36];
  Card m_playerHand[36];
  Card m_attack[6];
  Card m_defence[6];
  BYTE m_nAttack;
  BYTE m_nDefence;
  HBITMAP m_hbmBack;
  HBITMAP m_hbmDeck;
  HBITMAP m_hbmEmpty;
  HBITMAP m_hbmLastCard;
  HBITMAP m_hbmTrumpSuit;
  CDIB m_dibDeckCount;
  CDIB m_dibBeatenCount;
  CDIB m_dibDigits;

  // The deck, the deal and the end of the game (game/deal.cpp, game/deck.cpp).
  void CreateDeck(Card* deck);
  void NewGame();
  void DrawComputerCards(BYTE n);
  void DrawPlayerCards(BYTE n);
  int AskNewGame();

  // Card comparison (game/rules.cpp).
  BYTE RankHigher(const char* rankA, const char* rankB);
  BYTE CanBeat(Card* hand, BYTE handIndex, Card* table, BYTE tableIndex);
  BYTE SameRank(Card* hand, BYTE handIndex, Card* table, BYTE tableIndex);

  // The player's turn (game/player.cpp).
  void PlayCard(BYTE index);
  void ComputerDefend();

  // The computer player (game/computer.cpp): ChooseDefenceCard returns the
  // index in m_computerHand of the card to beat with, or -1 to take.
  void ComputerAttack();
  int ChooseDefenceCard();

  // Hand views and counters (table/hand_views.cpp, table/counters.cpp).
  void ShowComputerHand();
  void ShowPlayerHand();
  void SortByRank(Card* run, BYTE count);
  WORD FaceBitmapId(const char* rank, const char* suit);
  void UpdateCounters();

  // The table (table/zorv_dlg.cpp).
  void SetHint(LPCTSTR text);
  void ClearTable();
  void SetPlacePicture(int id, HBITMAP picture);

  // Handlers.
  afx_msg void OnPaint();
  afx_msg HCURSOR OnQueryDragIcon();
  afx_msg void OnGameExit();
  afx_msg void OnHelpAbout();
  afx_msg void OnHelpRules();
  afx_msg void OnMore();
  afx_msg void OnPlayerCard0();
  afx_msg void OnPlayerCard1();
  afx_msg void OnPlayerCard2();
  afx_msg void OnPlayerCard3();
  afx_msg void OnPlayerCard4();
  afx_msg void OnPlayerCard5();
  afx_msg void OnBeaten();
  afx_msg void OnTake();
  afx_msg void OnHelpHistory();
  afx_msg void OnClickPlayerList(NMHDR* nmhdr, LRESULT* result);
  afx_msg void OnKeydownPlayerList(NMHDR* nmhdr, LRESULT* result);
  afx_msg void OnGameNew();
  afx_msg void OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  DECLARE_MESSAGE_MAP()

  // --- helpers of the play (game/): declared here, owned by game/ files ---
  // Table and hand moves shared by the player's and the computer's play
  // (game/moves.cpp).
  void RemoveCard(Card* hand, BYTE& count, BYTE index);
  void AppendTable(Card* hand, BYTE& count);
  void PlaceAttackCard(const Card& card);
  void PlaceDefenceCard(const Card& card);
  void DiscardTable();
  void EnableControl(int id, BOOL enable);
  // The beaten ending after the player's attack (game/bout.cpp).
  void EndBoutBeaten();
  // The computer's attack ending with hint text (game/computer.cpp).
  void EndComputerAttack(LPCTSTR hint);
  // --- end of play helpers ---

  // --- helpers of the window (table/): declared here, owned by table/ files ---
 public:
  // Each bitmap is loaded once per run of the program and kept by id, so
  // every card, hand entry and place holds the same handle for one image
  // (m_hbmEmpty marks empty hand entries by handle identity).
  HBITMAP CachedBitmap(WORD id);
  // What a screen reader says of the table (table/reader_names.cpp): the
  // names, given through the system's annotation service, of a control (or
  // its item child, 1 for the first), of the hands' items as they show, of
  // attack and cover places by slot (a null card for an empty place), of a
  // picture place by what it shows and of the computer's hand by its count;
  // the reader's order of the places, set once a window is made.
  void NameForReader(int id, LPCTSTR name, LONG child = CHILDID_SELF);
  void NameHandItems(int listId);
  CString PictureName(HBITMAP picture);
  void NamePlaces(int slot, const Card* attack, const Card* cover);
  void NamePicture(int id, HBITMAP picture);
  void NameComputerHand();
  void PrepareForReader();
  void StartReaderNames();
  void ReleaseReaderNames();

 private:
  HBITMAP m_ahbmCache[IDB_LAST_CARD - IDB_CLUBS_BASE + 1] = {};
  HACCEL m_hAccel = nullptr;
  IAccPropServices* m_pAccProps = nullptr;
  BOOL m_bAccPropsAsked = FALSE;
  BOOL m_bComStarted = FALSE;
  BOOL m_bTableNamed = FALSE;  // this window's controls named whole once
  // --- end of window helpers ---
};
