// SPDX-License-Identifier: MIT
// Graphics objects and device contexts, with temporary wrappers for handles
// the program did not make itself.
#include "afx_state.h"

static CGdiObject* NewWrapper(AfxGdiKind kind) {
  switch (kind) {
    case kAfxPalette:
      return new CPalette;
    case kAfxBitmap:
      return new CBitmap;
    case kAfxFont:
      return new CFont;
    case kAfxBrush:
      return new CBrush;
    case kAfxGdiObject:
      break;
  }
  return new CGdiObject;
}

CGdiObject* AfxTempGdi(AfxGdiKind kind, HGDIOBJ handle) {
  if (!handle) {
    return nullptr;
  }
  AfxState& state = AfxGetState();
  auto key = std::make_pair((int)kind, handle);
  auto it = state.tempGdi.find(key);
  if (it != state.tempGdi.end()) {
    return it->second.first;
  }
  CGdiObject* object = NewWrapper(kind);
  object->m_hObject = handle;
  state.tempGdi.emplace(key, std::make_pair(object, state.dispatchDepth > 0));
  return object;
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object) {
    return FALSE;
  }
  if (m_hObject && m_hObject != object) {
    DeleteObject();
  }
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) {
    return FALSE;
  }
  return ::DeleteObject(Detach());
}

CPalette* CPalette::FromHandle(HPALETTE palette) {
  return static_cast<CPalette*>(AfxTempGdi(kAfxPalette, palette));
}

int CPalette::GetEntryCount() {
  WORD count = 0;
  if (!m_hObject || !::GetObject(m_hObject, (int)sizeof(count), &count)) {
    return 0;
  }
  return count;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
  return ::GetPaletteEntries((HPALETTE)m_hObject, start, count, entries);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF color) const {
  return ::GetNearestPaletteIndex((HPALETTE)m_hObject, color);
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) {
  return static_cast<CBitmap*>(AfxTempGdi(kAfxBitmap, bitmap));
}

BOOL CBitmap::LoadBitmap(UINT id) {
  return LoadBitmap(MAKEINTRESOURCE(id));
}

BOOL CBitmap::LoadBitmap(LPCTSTR name) {
  return Attach(::LoadBitmap(AfxGetResourceHandle(), name));
}

CFont* CFont::FromHandle(HFONT font) {
  return static_cast<CFont*>(AfxTempGdi(kAfxFont, font));
}

CBrush* CBrush::FromHandle(HBRUSH brush) {
  return static_cast<CBrush*>(AfxTempGdi(kAfxBrush, brush));
}

// ---------------------------------------------------------------------------

CDC::~CDC() {
  if (m_hDC) {
    ::DeleteDC(Detach());
  }
}

CDC* CDC::FromHandle(HDC hdc) {
  if (!hdc) {
    return nullptr;
  }
  AfxState& state = AfxGetState();
  auto it = state.tempDCs.find(hdc);
  if (it != state.tempDCs.end()) {
    return it->second.first;
  }
  CDC* dc = new CDC;
  dc->m_hDC = hdc;
  state.tempDCs.emplace(hdc, std::make_pair(dc, state.dispatchDepth > 0));
  return dc;
}

BOOL CDC::Attach(HDC hdc) {
  if (!hdc) {
    return FALSE;
  }
  m_hDC = hdc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC hdc = m_hDC;
  m_hDC = nullptr;
  return hdc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) {
    return FALSE;
  }
  return ::DeleteDC(Detach());
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
  HPALETTE handle = palette ? (HPALETTE)palette->m_hObject : nullptr;
  return CPalette::FromHandle(::SelectPalette(m_hDC, handle, forceBackground));
}

CFont* CDC::SelectObject(CFont* font) {
  if (!font) {
    return nullptr;
  }
  return CFont::FromHandle((HFONT)::SelectObject(m_hDC, font->m_hObject));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!bitmap) {
    return nullptr;
  }
  return CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, bitmap->m_hObject));
}

CGdiObject* CDC::SelectStockObject(int index) {
  HGDIOBJ old = ::SelectObject(m_hDC, ::GetStockObject(index));
  return AfxTempGdi(kAfxGdiObject, old);
}

CSize CDC::GetTextExtent(LPCTSTR text, int length) const {
  SIZE size{0, 0};
  if (text && length > 0) {
    ::GetTextExtentPoint32(m_hDC, text, length, &size);
  }
  return CSize(size);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  HBRUSH brush = ::CreateSolidBrush(color);
  if (brush) {
    ::FillRect(m_hDC, rect, brush);
    ::DeleteObject(brush);
  }
}

CPaintDC::CPaintDC(CWnd* wnd) : m_ps{}, m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
  if (m_hDC) {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
  }
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
  if (m_hDC) {
    ::ReleaseDC(m_hWnd, Detach());
  }
}
