// SPDX-License-Identifier: MIT
// Common controls: the list view, image lists and the tooltip control.
#pragma once

#include "windef.h"

#define WC_LISTVIEW "SysListView32"
#define TOOLTIPS_CLASS "tooltips_class32"

// Common notification codes.
#define NM_FIRST (0U - 0U)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RCLICK (NM_FIRST - 5)

// List-view notification codes.
#define LVN_FIRST (0U - 100U)
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_KEYDOWN (LVN_FIRST - 55)

// List-view styles.
#define LVS_ICON 0x0000
#define LVS_REPORT 0x0001
#define LVS_SMALLICON 0x0002
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
// The image lists stay the caller's when the view is destroyed; without it
// the view destroys the lists it holds then.
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_AUTOARRANGE 0x0100
#define LVS_NOSCROLL 0x2000

// List-view messages (the char variants).
#define LVM_FIRST 0x1000
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_GETITEM (LVM_FIRST + 5)
#define LVM_SETITEM (LVM_FIRST + 6)
#define LVM_INSERTITEM (LVM_FIRST + 7)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_GETITEMPOSITION (LVM_FIRST + 16)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_SETICONSPACING (LVM_FIRST + 53)

#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1

#define LVIF_TEXT 0x0001
#define LVIF_IMAGE 0x0002
#define LVIF_PARAM 0x0004
#define LVIF_STATE 0x0008

#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002

#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002

#define LVIR_BOUNDS 0
#define LVIR_ICON 1

struct LVITEM {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
};
typedef LVITEM* LPLVITEM;

// Sent with NM_CLICK by the list view: where the click landed.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};
typedef NMITEMACTIVATE* LPNMITEMACTIVATE;

// Sent with LVN_BEGINDRAG: the item pressed and where the press began.
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};
typedef NMLISTVIEW* LPNMLISTVIEW;

// Sent with LVN_KEYDOWN before the list view acts on the key (packed, as
// the system declares it).
#pragma pack(push, 1)
struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
#pragma pack(pop)
typedef NMLVKEYDOWN* LPNMLVKEYDOWN;

// Image lists.
#define ILC_MASK 0x0001
#define ILC_COLOR 0x0000
#define ILC_COLORDDB 0x00FE
#define ILC_COLOR4 0x0004
#define ILC_COLOR8 0x0008
#define ILC_COLOR16 0x0010
#define ILC_COLOR24 0x0018
#define ILC_COLOR32 0x0020
#define CLR_NONE 0xFFFFFFFFUL
#define CLR_DEFAULT 0xFF000000UL

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style);
#define ILD_NORMAL 0x0000

// Tooltips.
#define TTS_ALWAYSTIP 0x01
#define TTF_IDISHWND 0x0001
#define TTF_SUBCLASS 0x0010
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_ADDTOOL (WM_USER + 4)
#define TTM_DELTOOL (WM_USER + 5)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTEXT (WM_USER + 11)
#define TTM_UPDATETIPTEXT (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)

struct TOOLINFO {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
};
typedef TOOLINFO* LPTOOLINFO;

void InitCommonControls();
