// SPDX-License-Identifier: MIT
// Control classes: static, button, edit, list view, image list, tooltip.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  DeleteImageList();
  m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
  return m_hImageList != nullptr;
}

BOOL CImageList::Attach(HIMAGELIST list) {
  if (!list) {
    return FALSE;
  }
  if (m_hImageList != list) {
    DeleteImageList();
  }
  m_hImageList = list;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST list = m_hImageList;
  m_hImageList = nullptr;
  return list;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) {
    return FALSE;
  }
  return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
  return ImageList_AddMasked(m_hImageList, bitmap ? (HBITMAP)bitmap->m_hObject : nullptr, mask);
}

// ---------------------------------------------------------------------------

CSize CListCtrl::SetIconSpacing(int cx, int cy) {
  DWORD previous = (DWORD)SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(cx, cy));
  return CSize(LOWORD(previous), HIWORD(previous));
}

int CListCtrl::InsertItem(int item, LPCTSTR text, int image) {
  LVITEM lvi{};
  lvi.mask = LVIF_TEXT | LVIF_IMAGE;
  lvi.iItem = item;
  lvi.pszText = const_cast<LPSTR>(text);
  lvi.iImage = image;
  return InsertItem(&lvi);
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  LVITEM lvi{};
  lvi.mask = LVIF_STATE;
  lvi.iItem = item;
  lvi.state = state;
  lvi.stateMask = mask;
  return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&lvi);
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const {
  if (!rect) {
    return FALSE;
  }
  rect->left = (LONG)code;
  return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMRECT, (WPARAM)item, (LPARAM)rect);
}

// ---------------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  HWND hWnd =
      ::CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0, 0,
                       parent ? parent->m_hWnd : nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
  if (!hWnd) {
    return FALSE;
  }
  if (!Attach(hWnd)) {
    ::DestroyWindow(hWnd);
    return FALSE;
  }
  return TRUE;
}

static TOOLINFO MakeToolInfo(CWnd* wnd, UINT_PTR toolId, LPCTSTR text) {
  TOOLINFO ti{};
  ti.cbSize = sizeof(ti);
  ti.hwnd = wnd ? wnd->m_hWnd : nullptr;
  ti.uId = toolId;
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = const_cast<LPSTR>(text);
  return ti;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR toolId) {
  TOOLINFO ti = MakeToolInfo(wnd, toolId, text);
  if (rect) {
    ti.rect = *rect;
  } else if (wnd) {
    ::GetClientRect(wnd->m_hWnd, &ti.rect);
  }
  return (BOOL)SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId) {
  TOOLINFO ti = MakeToolInfo(wnd, toolId, text);
  SendMessage(TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}
