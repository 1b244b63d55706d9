// SPDX-License-Identifier: MIT
// Framework classes over the common controls: list view, image list, tooltip.
#pragma once

// The common controls' header needs the system's types first.
#include "afxwin.h"

#include <commctrl.h>

class CImageList : public CObject {
 public:
  HIMAGELIST m_hImageList = nullptr;
  CImageList() = default;
  ~CImageList() override { DeleteImageList(); }
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();
  BOOL DeleteImageList();
  // Adds the bitmap with the given colour transparent (ImageList_AddMasked).
  int Add(CBitmap* bitmap, COLORREF mask);
  int Add(HBITMAP bitmap, COLORREF mask) { return ImageList_AddMasked(m_hImageList, bitmap, mask); }
  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
};

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
 public:
  BOOL SetBkColor(COLORREF color) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, (LPARAM)color); }
  COLORREF GetBkColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
  CSize SetIconSpacing(int cx, int cy);
  // Gives the view the list; returns the list it held before (the caller owns both).
  HIMAGELIST SetImageList(HIMAGELIST list, int type) {
    return (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)type, (LPARAM)list);
  }
  HIMAGELIST GetImageList(int type) const {
    return (HIMAGELIST)::SendMessage(m_hWnd, LVM_GETIMAGELIST, (WPARAM)type, 0);
  }
  int GetItemCount() const { return (int)::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
  int InsertItem(const LVITEM* item) { return (int)SendMessage(LVM_INSERTITEM, 0, (LPARAM)item); }
  int InsertItem(int item, LPCTSTR text, int image);
  BOOL GetItem(LVITEM* item) const {
    return (BOOL)::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)item);
  }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
  int GetNextItem(int start, int flags) const {
    return (int)::SendMessage(m_hWnd, LVM_GETNEXTITEM, (WPARAM)start, MAKELPARAM(flags, 0));
  }
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const {
    return (UINT)::SendMessage(m_hWnd, LVM_GETITEMSTATE, (WPARAM)item, (LPARAM)mask);
  }
  BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
  BOOL GetItemPosition(int item, LPPOINT point) const {
    return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMPOSITION, (WPARAM)item, (LPARAM)point);
  }
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  BOOL AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
  void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId = 0);
  void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)msg); }
  void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, (WPARAM)activate, 0); }
  int GetToolCount() const { return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
};
