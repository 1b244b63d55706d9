// SPDX-License-Identifier: MIT
// The application framework: our stand-in for the dialog framework the
// program was written for. Written only against the system calls of
// <windows.h>, never against Qt.
#pragma once

#include <string>

#include <windows.h>

class CWnd;
class CDialog;
class CDC;
class CArchive;
class CDataExchange;
class CCmdTarget;
class CWinApp;

// ---------------------------------------------------------------------------
// Small value types.

class CPoint : public POINT {
 public:
  CPoint() { x = y = 0; }
  CPoint(int ix, int iy) { x = ix, y = iy; }
  CPoint(POINT p) { x = p.x, y = p.y; }
};

class CSize : public SIZE {
 public:
  CSize() { cx = cy = 0; }
  CSize(int x, int y) { cx = x, cy = y; }
  CSize(SIZE s) { cx = s.cx, cy = s.cy; }
};

class CRect : public RECT {
 public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
  CRect(const RECT& r) { left = r.left, top = r.top, right = r.right, bottom = r.bottom; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};

// ---------------------------------------------------------------------------
// CString: a UTF-8 text with the framework's interface.

class CString {
 public:
  CString() = default;
  CString(LPCTSTR text) : m_str(text ? text : "") {}
  CString(const std::string& text) : m_str(text) {}
  CString(char ch, int repeat = 1) : m_str(repeat > 0 ? repeat : 0, ch) {}

  int GetLength() const { return (int)m_str.size(); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  char GetAt(int i) const { return m_str[(size_t)i]; }
  char operator[](int i) const { return m_str[(size_t)i]; }
  operator LPCTSTR() const { return m_str.c_str(); }
  const std::string& str() const { return m_str; }

  CString& operator=(LPCTSTR text) {
    m_str = text ? text : "";
    return *this;
  }
  CString& operator+=(LPCTSTR text) {
    m_str += text ? text : "";
    return *this;
  }
  CString& operator+=(const CString& s) {
    m_str += s.m_str;
    return *this;
  }
  CString& operator+=(char ch) {
    m_str += ch;
    return *this;
  }
  friend CString operator+(const CString& a, const CString& b) {
    return CString(a.m_str + b.m_str);
  }
  friend CString operator+(const CString& a, LPCTSTR b) { return CString(a.m_str + (b ? b : "")); }
  friend CString operator+(LPCTSTR a, const CString& b) { return CString((a ? a : "") + b.m_str); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, LPCTSTR b) { return a.m_str == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }

  void Format(LPCTSTR format, ...);
  BOOL LoadString(UINT id);
  int Find(LPCTSTR sub, int start = 0) const;
  int Find(char ch, int start = 0) const;
  CString Left(int count) const;
  CString Mid(int first, int count = -1) const;
  CString Right(int count) const;

  // Direct access to the characters; ReleaseBuffer trims at the first NUL
  // (newLength < 0) or at newLength.
  LPTSTR GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

 private:
  std::string m_str;
};

// ---------------------------------------------------------------------------
// Objects, run-time class information, files and archives.

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  const CRuntimeClass* m_pBaseClass;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static const CRuntimeClass class##class_name; \
  const CRuntimeClass* GetRuntimeClass() const override;
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                       \
  const CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class_name), \
                                                       RUNTIME_CLASS(base_class_name)};      \
  const CRuntimeClass* class_name::GetRuntimeClass() const {                                 \
    return RUNTIME_CLASS(class_name);                                                        \
  }

class CObject {
 public:
  static const CRuntimeClass classCObject;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}
  virtual void Dump() const {}
  BOOL IsKindOf(const CRuntimeClass* cls) const;

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  void operator=(const CObject&) = delete;
};

// A file on disk (C library streams). Failures are silent: Read returns what
// it could, Write writes what it can.
class CFile : public CObject {
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    modeCreate = 0x1000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  ~CFile() override;
  virtual BOOL Open(LPCTSTR fileName, UINT openFlags);
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual DWORD GetLength() const;
  virtual DWORD GetPosition() const;
  virtual LONG Seek(LONG offset, UINT from);
  virtual void Close();
  DWORD SeekToBegin() { return (DWORD)Seek(0, begin); }

 private:
  void* m_pStream = nullptr;  // FILE*
};

// A file in memory: over a caller's buffer (growBytes 0: fixed size, never
// reallocated) or over its own buffer that grows by growBytes.
class CMemFile : public CFile {
 public:
  explicit CMemFile(UINT growBytes = 1024);
  CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
  ~CMemFile() override;
  BOOL Open(LPCTSTR, UINT) override { return FALSE; }
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  DWORD GetLength() const override { return m_nFileSize; }
  DWORD GetPosition() const override { return m_nPosition; }
  LONG Seek(LONG offset, UINT from) override;
  void Close() override;
  void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
  BYTE* Detach();

 private:
  BOOL Grow(DWORD newSize);
  BYTE* m_lpBuffer = nullptr;
  DWORD m_nBufferSize = 0;
  DWORD m_nFileSize = 0;
  DWORD m_nPosition = 0;
  UINT m_nGrowBytes = 0;
  BOOL m_bAutoDelete = FALSE;
};

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };
  CArchive(CFile* file, UINT mode) : m_pFile(file), m_nMode(mode) {}
  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  CFile* GetFile() const { return m_pFile; }
  void Flush() {}
  void Close() {}

 private:
  CFile* m_pFile;
  UINT m_nMode;
};

// ---------------------------------------------------------------------------
// Graphics objects and device contexts.

class CGdiObject : public CObject {
 public:
  HGDIOBJ m_hObject = nullptr;
  ~CGdiObject() override { DeleteObject(); }
  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int size, LPVOID buffer) const { return ::GetObject(m_hObject, size, buffer); }
};

class CPalette : public CGdiObject {
 public:
  static CPalette* FromHandle(HPALETTE palette);
  BOOL CreatePalette(const LOGPALETTE* logPalette) { return Attach(::CreatePalette(logPalette)); }
  operator HPALETTE() const { return (HPALETTE)m_hObject; }
  int GetEntryCount();
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
  UINT GetNearestPaletteIndex(COLORREF color) const;
};

class CBitmap : public CGdiObject {
 public:
  static CBitmap* FromHandle(HBITMAP bitmap);
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(LPCTSTR name);
  operator HBITMAP() const { return (HBITMAP)m_hObject; }
  int GetBitmap(BITMAP* info) { return ::GetObject(m_hObject, sizeof(BITMAP), info); }
};

class CFont : public CGdiObject {
 public:
  static CFont* FromHandle(HFONT font);
  BOOL CreateFontIndirect(const LOGFONT* logFont) { return Attach(::CreateFontIndirect(logFont)); }
  operator HFONT() const { return (HFONT)m_hObject; }
  int GetLogFont(LOGFONT* logFont) { return ::GetObject(m_hObject, sizeof(LOGFONT), logFont); }
};

class CBrush : public CGdiObject {
 public:
  static CBrush* FromHandle(HBRUSH brush);
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  operator HBRUSH() const { return (HBRUSH)m_hObject; }
};

class CDC : public CObject {
 public:
  HDC m_hDC = nullptr;
  CDC() = default;
  ~CDC() override;
  static CDC* FromHandle(HDC hdc);
  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }
  BOOL Attach(HDC hdc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();

  CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  CGdiObject* SelectStockObject(int index);
  int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  CSize GetTextExtent(LPCTSTR text, int length) const;
  CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
  BOOL TextOut(int x, int y, const CString& text) {
    return ::TextOut(m_hDC, x, y, text, text.GetLength());
  }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
  void FillSolidRect(LPCRECT rect, COLORREF color);
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

// ---------------------------------------------------------------------------
// Message maps. Each entry holds a thunk that cracks the message's parameters
// and calls the handler on the object, so tables stay static and typed.

typedef BOOL (*AFX_PTHUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message, or WM_REFLECT_BASE + message for reflected ones
  UINT nCode;     // notification code (WM_COMMAND, WM_NOTIFY)
  UINT nID;       // first control or command id (0 = any for window messages)
  UINT nLastID;
  AFX_PTHUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define WM_REFLECT_BASE 0xBC00
// The framework's one message for all WM_CTLCOLOR* messages (the system's
// old number for them, which it no longer sends).
#define WM_CTLCOLOR 0x0019
#define CN_COMMAND 0

#define afx_msg

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)        \
  const AFX_MSGMAP* theClass::GetMessageMap() const { \
    return GetThisMessageMap();                       \
  }                                                   \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
    [[maybe_unused]] typedef theClass ThisClass;      \
    typedef baseClass TheBaseClass;                   \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                       \
  { 0, 0, 0, 0, nullptr }                                                                       \
  }                                                                                             \
  ;                                                                                             \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                           \
  }

#define AFX_SELF(p) static_cast<ThisClass*>(p)

// Commands and control notifications (WM_COMMAND).
#define ON_COMMAND(id, memberFxn)                        \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id),       \
   [](CCmdTarget* p, WPARAM, LPARAM, LRESULT*) -> BOOL { \
     AFX_SELF(p)->memberFxn();                           \
     return TRUE;                                        \
   }},
#define ON_CONTROL(code, id, memberFxn)                  \
  {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id),     \
   [](CCmdTarget* p, WPARAM, LPARAM, LRESULT*) -> BOOL { \
     AFX_SELF(p)->memberFxn();                           \
     return TRUE;                                        \
   }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
// Notifications (WM_NOTIFY): handler(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn)                       \
  {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id),          \
   [](CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) -> BOOL { \
     AFX_SELF(p)->memberFxn(reinterpret_cast<NMHDR*>(l), r); \
     return TRUE;                                            \
   }},
// Reflected notifications, handled by the child control itself.
#define ON_CONTROL_REFLECT(code, memberFxn)              \
  {WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0,     \
   [](CCmdTarget* p, WPARAM, LPARAM, LRESULT*) -> BOOL { \
     AFX_SELF(p)->memberFxn();                           \
     return TRUE;                                        \
   }},
#define ON_NOTIFY_REFLECT(code, memberFxn)                   \
  {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0,          \
   [](CCmdTarget* p, WPARAM, LPARAM l, LRESULT* r) -> BOOL { \
     AFX_SELF(p)->memberFxn(reinterpret_cast<NMHDR*>(l), r); \
     return TRUE;                                            \
   }},
// handler(CDC*, UINT nCtlColor) -> HBRUSH; wParam is the control's HDC,
// lParam the WM_CTLCOLOR* message's CTLCOLOR_* index.
#define ON_WM_CTLCOLOR_REFLECT()                                         \
  {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0,                               \
   [](CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) -> BOOL {           \
     HBRUSH b = AFX_SELF(p)->CtlColor(CDC::FromHandle((HDC)w), (UINT)l); \
     *r = (LRESULT)b;                                                    \
     return b != nullptr;                                                \
   }},
// handler(CDC*, CWnd*, UINT nCtlColor) -> HBRUSH, for all WM_CTLCOLOR* messages.
#define ON_WM_CTLCOLOR()                                                                       \
  {WM_CTLCOLOR, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) -> BOOL {           \
     *r = (LRESULT)AFX_SELF(p)->OnCtlColor(CDC::FromHandle((HDC)w), CWnd::FromHandle((HWND)l), \
                                           AfxCtlColorIndex());                                \
     return TRUE;                                                                              \
   }},
// Window messages.
#define ON_WM_PAINT()                                                       \
  {WM_PAINT, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM, LRESULT*) -> BOOL { \
     AFX_SELF(p)->OnPaint();                                                \
     return TRUE;                                                           \
   }},
#define ON_WM_QUERYDRAGICON()                                                         \
  {WM_QUERYDRAGICON, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM, LRESULT* r) -> BOOL { \
     *r = (LRESULT)AFX_SELF(p)->OnQueryDragIcon();                                    \
     return TRUE;                                                                     \
   }},
#define ON_WM_DRAWITEM()                                                             \
  {WM_DRAWITEM, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) -> BOOL { \
     AFX_SELF(p)->OnDrawItem((int)w, reinterpret_cast<LPDRAWITEMSTRUCT>(l));         \
     *r = TRUE;                                                                      \
     return TRUE;                                                                    \
   }},
#define ON_WM_SETCURSOR()                                                             \
  {WM_SETCURSOR, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) -> BOOL { \
     *r = AFX_SELF(p)->OnSetCursor(CWnd::FromHandle((HWND)w), LOWORD(l), HIWORD(l));  \
     return TRUE;                                                                     \
   }},
#define ON_WM_MOUSEMOVE()                                                           \
  {WM_MOUSEMOVE, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, LRESULT*) -> BOOL { \
     AFX_SELF(p)->OnMouseMove((UINT)w, CPoint((short)LOWORD(l), (short)HIWORD(l))); \
     return TRUE;                                                                   \
   }},
#define ON_WM_LBUTTONDOWN()                                                           \
  {WM_LBUTTONDOWN, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, LRESULT*) -> BOOL { \
     AFX_SELF(p)->OnLButtonDown((UINT)w, CPoint((short)LOWORD(l), (short)HIWORD(l))); \
     return TRUE;                                                                     \
   }},
#define ON_WM_DESTROY()                                                       \
  {WM_DESTROY, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM, LRESULT*) -> BOOL { \
     AFX_SELF(p)->OnDestroy();                                                \
     return TRUE;                                                             \
   }},
// Any message: handler(WPARAM, LPARAM) -> LRESULT.
#define ON_MESSAGE(message, memberFxn)                                                   \
  {(UINT)(message), 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, LRESULT* r) -> BOOL { \
     *r = AFX_SELF(p)->memberFxn(w, l);                                                  \
     return TRUE;                                                                        \
   }},

// The CTLCOLOR_* index of the WM_CTLCOLOR* message being handled.
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
UINT AfxCtlColorIndex();

class CCmdTarget : public CObject {
 public:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  // Looks the message up in this class's map and its bases'; calls the
  // handler found and returns whether one was found.
  BOOL DispatchMapMessage(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                          LRESULT* result);
};

// ---------------------------------------------------------------------------
// Windows.

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)
 public:
  HWND m_hWnd = nullptr;

  CWnd() = default;
  ~CWnd() override;

  // Handle map: the permanent CWnd of a window, or a temporary one that lives
  // until the window is destroyed.
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }
  BOOL Attach(HWND hWnd);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  virtual void PreSubclassWindow() {}
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void DoDataExchange(CDataExchange* dx);
  virtual void PostNcDestroy() {}
  virtual BOOL DestroyWindow();
  LRESULT Default();
  // Offers the message to the child that sent it (reflection); TRUE when the
  // child handled it.
  static BOOL ReflectChildNotify(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result);

  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
  }
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  void SetDlgItemText(int id, LPCTSTR text) { ::SetDlgItemText(m_hWnd, id, text); }
  int GetDlgItemText(int id, CString& text) const;
  void SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
  }
  BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, flags);
  }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
  void ScreenToClient(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
  BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
    return ::RedrawWindow(m_hWnd, rect, region, flags);
  }
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  DWORD GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }
  DWORD GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  HICON SetIcon(HICON icon, BOOL bigIcon) {
    return (HICON)SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)icon);
  }
  CFont* GetFont() const;
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  CDC* GetDC();
  int ReleaseDC(CDC* dc);
  int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

  // Default handlers that derived classes' maps call by name.
  afx_msg void OnPaint() { Default(); }
  afx_msg void OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis);
  afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
  afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  afx_msg HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }
  afx_msg void OnDestroy() { Default(); }

 protected:
  WNDPROC m_pfnSuper = nullptr;  // the window procedure this object subclassed
  DECLARE_MESSAGE_MAP()

  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------------------
// Dialogs and data exchange.

class CDataExchange {
 public:
  CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND PrepareCtrl(int id);
};

// Binds a member to the dialog's control (subclassing it) on the first exchange.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  explicit CDialog(LPCTSTR templateName, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog modally; IDOK, IDCANCEL or what EndDialog gave; -1 when
  // the dialog could not be created.
  virtual INT_PTR DoModal();
  // Creates the dialog modelessly (shown when its template says visible).
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

 protected:
  LPCTSTR m_lpszTemplateName = nullptr;
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;
  DECLARE_MESSAGE_MAP()

  friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

 private:
  void UseTemplateCharset();
  CFont m_fontCharset;  // the controls' font, where the system's lacked the template's letters
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------------------
// Controls.

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
 public:
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
  }
  HBITMAP GetBitmap() const {
    return (HBITMAP)::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0);
  }
  HICON SetIcon(HICON icon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)icon, 0); }
};

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
 public:
  int GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
};

// ---------------------------------------------------------------------------
// The application.

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCTSTR appName = nullptr);
  ~CWinApp() override;

  LPCTSTR m_pszAppName = nullptr;  // the name given, else the module's file name without extension
  LPCTSTR m_pszExeName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int Run();
  virtual int ExitInstance() { return 0; }
  BOOL Enable3dControls() { return TRUE; }
  // Every dialog and message box of the program takes these colours.
  void SetDialogBkColor(COLORREF background = RGB(192, 192, 192), COLORREF text = RGB(0, 0, 0));
  afx_msg void OnHelp();

  // Set by SetDialogBkColor; read by the default WM_CTLCOLOR* handling.
  HBRUSH m_hDlgBkBrush = nullptr;
  COLORREF m_crDlgText = 0;
  COLORREF m_crDlgBk = 0;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  std::string m_strAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCTSTR AfxGetAppName();
CWnd* AfxGetMainWnd();
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = 0);
// The program's entry point: initialises the one CWinApp and runs it.
int AfxWinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show);

#define ID_HELP 0xE146
