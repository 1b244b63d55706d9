// SPDX-License-Identifier: MIT
// Test seams over the real system: hooks for the message spy and the ends
// of modeless dialogs, the import table for scripted message boxes, the
// application's own message loop for pending work, SendInput for real
// input, the screen itself for pictures of windows and the accessibility
// library for what a screen reader is told.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <deque>
#include <map>
#include <vector>

#include "platform/testing.h"
#include "platform/windows/imports.h"
#include "platform/windows/resdata.h"

namespace {

// --- The message spy: what is sent to a child control of this thread. ---

bool g_spying = false;
std::vector<testing_seams::SpiedMessage> g_spied;
HHOOK g_spyHook = nullptr;

LRESULT CALLBACK SpyProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_spying) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (::GetWindowLongPtrA(sent->hwnd, GWL_STYLE) & WS_CHILD) {
      g_spied.push_back(
          {sent->hwnd, ::GetDlgCtrlID(sent->hwnd), sent->message, sent->wParam, sent->lParam});
    }
  }
  return ::CallNextHookEx(g_spyHook, code, wParam, lParam);
}

// --- Scripted message boxes and the ends of modeless dialogs, caught in
// the import table. ---

using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
using EndDialogFn = BOOL(WINAPI*)(HWND, INT_PTR);
using DialogBoxParamFn = INT_PTR(WINAPI*)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);

MessageBoxFn g_systemMessageBox = nullptr;
EndDialogFn g_systemEndDialog = nullptr;
DialogBoxParamFn g_systemDialogBoxParam = nullptr;
bool g_scripted = false;
std::deque<int> g_answers;
std::vector<testing_seams::MessageBoxCall> g_calls;

// What the box would answer if the user took its first choice.
int FirstAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDYES;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    case MB_RETRYCANCEL:
      return IDRETRY;
  }
  return IDOK;
}

// The caption a box without one shows: the system's own word, in its
// language, from user32's strings.
std::string DefaultCaption() {
  wchar_t wide[64] = L"";
  char text[256] = "Error";
  if (::LoadStringW(::GetModuleHandleA("user32.dll"), 2, wide, 64) > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  }
  return text;
}

int WINAPI ScriptedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (!g_scripted) {
    return g_systemMessageBox(owner, text, caption, type);
  }
  int answer = FirstAnswer(type);
  if (!g_answers.empty()) {
    answer = g_answers.front();
    g_answers.pop_front();
  }
  g_calls.push_back({owner, text ? text : "", caption ? caption : DefaultCaption(), type, answer});
  return answer;
}

// The results EndDialog gave dialogs that are still windows.
std::map<HWND, INT_PTR> g_ends;
HHOOK g_cbtHook = nullptr;

BOOL WINAPI RecordingEndDialog(HWND hDlg, INT_PTR result) {
  BOOL done = g_systemEndDialog(hDlg, result);
  if (done) {
    g_ends[hDlg] = result;
  }
  return done;
}

// The dialogs whose modal loops run, innermost last; NULL until the
// dialog manager has created the window of the one it is starting.
std::vector<HWND> g_modal;

INT_PTR WINAPI TrackedDialogBoxParam(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc,
                                     LPARAM param) {
  g_modal.push_back(nullptr);
  INT_PTR result = g_systemDialogBoxParam(instance, name, owner, proc, param);
  g_modal.pop_back();
  return result;
}

HWND ActiveModal() {
  for (auto it = g_modal.rbegin(); it != g_modal.rend(); ++it) {
    if (*it && ::IsWindow(*it)) {
      return *it;
    }
  }
  return nullptr;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  HWND hWnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_DESTROYWND) {
    g_ends.erase(hWnd);
  } else if (code == HCBT_CREATEWND && !g_modal.empty() && !g_modal.back()) {
    const CREATESTRUCTA* cs = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
    if (!(cs->style & WS_CHILD)) {
      g_modal.back() = hWnd;
    }
  }
  return ::CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

void Install() {
  static bool installed = false;
  if (installed) {
    return;
  }
  installed = true;
  g_systemMessageBox =
      testing_seams::ReplaceImport<MessageBoxFn>("user32.dll", "MessageBoxA", &ScriptedMessageBox);
  g_systemEndDialog =
      testing_seams::ReplaceImport<EndDialogFn>("user32.dll", "EndDialog", &RecordingEndDialog);
  g_systemDialogBoxParam = testing_seams::ReplaceImport<DialogBoxParamFn>(
      "user32.dll", "DialogBoxParamA", &TrackedDialogBoxParam);
  if (!g_systemDialogBoxParam) {
    g_systemDialogBoxParam = &::DialogBoxParamA;
  }
  if (!g_systemMessageBox) {
    g_systemMessageBox = &::MessageBoxA;
  }
  if (!g_systemEndDialog) {
    g_systemEndDialog = &::EndDialog;
  }
  DWORD thread = ::GetCurrentThreadId();
  g_spyHook = ::SetWindowsHookExA(WH_CALLWNDPROC, SpyProc, nullptr, thread);
  g_cbtHook = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, thread);
}

// Installed before main, so that no call escapes them.
const bool g_installed = (Install(), true);

// --- Pending work. ---

// The dialog a message belongs to, for the dialog manager's keys.
HWND DialogOf(HWND hWnd) {
  HWND root = hWnd ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
  char cls[16] = "";
  if (root && ::GetClassNameA(root, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0) {
    return root;
  }
  return nullptr;
}

// One message as an application's loop with modeless dialogs handles it:
// the message-filter hooks first (the framework's pre-translation), then
// the dialog manager, then the window.
void Dispatch(MSG& msg) {
  if (::CallMsgFilterA(&msg, MSGF_USER)) {
    return;
  }
  HWND dialog = DialogOf(msg.hwnd);
  if (dialog && ::IsDialogMessageA(dialog, &msg)) {
    return;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

// --- Work that waits for the next modal loop. ---

std::deque<std::function<void()>> g_idle;

void CALLBACK IdleTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  if (g_idle.empty()) {
    return;
  }
  // The dialog manager shows a modal dialog the first time its loop finds
  // the queue empty; a due timer can come before that.
  HWND modal = ActiveModal();
  if (modal && !::IsWindowVisible(modal)) {
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, IdleTimer);
    return;
  }
  std::function<void()> fn = std::move(g_idle.front());
  g_idle.pop_front();
  fn();
}

// --- Input. ---

// The time stamped on the input the seams deliver, in milliseconds.
DWORD g_inputClock = 0;

DWORD NextClock(DWORD gapMs) {
  if (g_inputClock == 0) {
    g_inputClock = ::GetTickCount();
  }
  g_inputClock += gapMs;
  return g_inputClock;
}

INPUT MouseInput(DWORD flags, DWORD time) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.time = time;
  return input;
}

// A move of the mouse to a point of the window's client area; absolute
// places are in 65536ths of the screen.
INPUT MoveInput(HWND hWnd, int x, int y) {
  POINT p = {x, y};
  ::ClientToScreen(hWnd, &p);
  int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  // A move takes no time of its own, so the gap between two presses is
  // the one asked for.
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, NextClock(0));
  input.mi.dx = (p.x * 65536 + width - 1) / width;
  input.mi.dy = (p.y * 65536 + height - 1) / height;
  return input;
}

// Moves the mouse over a point of the window's client area, its window in
// front, as a user reaching for it would.
bool Reach(HWND hWnd, int x, int y) {
  if (!::IsWindow(hWnd)) {
    return false;
  }
  HWND root = ::GetAncestor(hWnd, GA_ROOT);
  ::SetWindowPos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  INPUT move = MoveInput(hWnd, x, y);
  ::SendInput(1, &move, sizeof move);
  testing_seams::ProcessEvents();
  return true;
}

void Click(HWND hWnd, int x, int y, DWORD gapMs) {
  if (!Reach(hWnd, x, y)) {
    return;
  }
  DWORD time = NextClock(gapMs);
  INPUT press[2] = {MouseInput(MOUSEEVENTF_LEFTDOWN, time), MouseInput(MOUSEEVENTF_LEFTUP, time)};
  ::SendInput(2, press, sizeof press[0]);
  testing_seams::ProcessEvents();
}

void SendKey(int vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = (WORD)vk;
  input.ki.wScan = (WORD)::MapVirtualKeyA((UINT)vk, MAPVK_VK_TO_VSC);
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  input.ki.time = NextClock(1);
  ::SendInput(1, &input, sizeof input);
}

// --- Pictures: a PNG of 24-bit rows, its pixel data stored uncompressed. ---

DWORD Crc(const BYTE* data, size_t size, DWORD crc = 0xffffffffu) {
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) {
      crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
  }
  return crc;
}

void PutBig(std::vector<BYTE>& out, DWORD v) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back((BYTE)(v >> shift));
  }
}

void Chunk(std::vector<BYTE>& png, const char* type, const std::vector<BYTE>& data) {
  PutBig(png, (DWORD)data.size());
  size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBig(png, Crc(&png[start], png.size() - start) ^ 0xffffffffu);
}

std::vector<BYTE> EncodePng(int width, int height, const std::vector<BYTE>& rgbRows) {
  std::vector<BYTE> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<BYTE> header;
  PutBig(header, (DWORD)width);
  PutBig(header, (DWORD)height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  Chunk(png, "IHDR", header);
  // zlib: deflate blocks of at most 65535 bytes, stored as they are.
  std::vector<BYTE> z = {0x78, 0x01};
  size_t done = 0;
  do {
    size_t n = std::min<size_t>(65535, rgbRows.size() - done);
    z.push_back(done + n == rgbRows.size() ? 1 : 0);
    z.push_back((BYTE)n);
    z.push_back((BYTE)(n >> 8));
    z.push_back((BYTE)~n);
    z.push_back((BYTE)(~n >> 8));
    z.insert(z.end(), rgbRows.begin() + (ptrdiff_t)done, rgbRows.begin() + (ptrdiff_t)(done + n));
    done += n;
  } while (done < rgbRows.size());
  DWORD a = 1, b = 0;
  for (BYTE v : rgbRows) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  PutBig(z, (b << 16) | a);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  return png;
}

// What a rectangle of the screen shows, with the window brought up front
// and painted first.
testing_seams::ClientImage ReadScreen(HWND hWnd, const RECT& r) {
  testing_seams::ClientImage out;
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) {
    return out;
  }
  HWND root = ::GetAncestor(hWnd, GA_ROOT);
  ::SetWindowPos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::RedrawWindow(root, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testing_seams::ProcessEvents();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = ::CreateCompatibleDC(screen);
  bool copied = false;
  if (dib && dc) {
    HGDIOBJ old = ::SelectObject(dc, dib);
    copied = ::BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != FALSE;
    ::GdiFlush();
    ::SelectObject(dc, old);
  }
  ::ReleaseDC(nullptr, screen);
  if (copied) {
    out.width = width;
    out.height = height;
    const BYTE* px = static_cast<const BYTE*>(bits);
    out.pixels.reserve((size_t)width * (size_t)height);
    for (size_t i = 0; i < (size_t)width * (size_t)height; ++i, px += 4) {
      out.pixels.push_back(RGB(px[2], px[1], px[0]));
    }
  }
  if (dc) {
    ::DeleteDC(dc);
  }
  if (dib) {
    ::DeleteObject(dib);
  }
  return out;
}

// A tooltip window of this thread on the screen: its current tool's text.
BOOL CALLBACK ShownTip(HWND hWnd, LPARAM text) {
  char cls[32] = "";
  ::GetClassNameA(hWnd, cls, sizeof cls);
  if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0 || !::IsWindowVisible(hWnd)) {
    return TRUE;
  }
  char buffer[256] = "";
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  if (::SendMessageA(hWnd, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
    tool.lpszText = buffer;
    ::SendMessageA(hWnd, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&tool));
  }
  *reinterpret_cast<std::string*>(text) = buffer;
  return FALSE;
}

}  // namespace

namespace testing_seams {

void StartMessageSpy() {
  g_spied.clear();
  g_spying = true;
}

std::vector<SpiedMessage> StopMessageSpy() {
  g_spying = false;
  return std::move(g_spied);
}

void ScriptMessageBoxes(bool on) {
  g_scripted = on;
  if (!on) {
    g_answers.clear();
  }
}

void QueueMessageBoxAnswer(int answer) {
  g_answers.push_back(answer);
}

const std::vector<MessageBoxCall>& MessageBoxCalls() {
  return g_calls;
}

void ClearMessageBoxCalls() {
  g_calls.clear();
}

void ProcessEvents() {
  // Paints and timers are made when the queue is asked for them; a WM_QUIT
  // is left for the loop it ends.
  MSG msg;
  for (int guard = 0; guard < 100000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
    Dispatch(msg);
  }
}

void RunWhenIdle(std::function<void()> fn) {
  // A thread timer fires from the queue of whichever loop runs, once it
  // has nothing more urgent: the dialog manager's, a message box's, ours.
  g_idle.push_back(std::move(fn));
  ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, IdleTimer);
}

HWND ActiveModalDialog() {
  return ActiveModal();
}

bool DialogEnded(HWND hDlg, INT_PTR* result) {
  auto it = g_ends.find(hDlg);
  if (it == g_ends.end() || !::IsWindow(hDlg)) {
    return false;
  }
  if (result) {
    *result = it->second;
  }
  return true;
}

void MouseClick(HWND hWnd, int x, int y) {
  Click(hWnd, x, y, ::GetDoubleClickTime() + 1);
}

void MouseDoubleClick(HWND hWnd, int x, int y, unsigned gapMs) {
  Click(hWnd, x, y, ::GetDoubleClickTime() + 1);
  Click(hWnd, x, y, gapMs);
}

void MouseDrag(HWND hWnd, int x, int y, int toX, int toY) {
  if (!Reach(hWnd, x, y)) {
    return;
  }
  // All three at once, as a hand moves: a control that follows the mouse
  // in a loop of its own after the press finds the rest waiting.
  INPUT inputs[3] = {MouseInput(MOUSEEVENTF_LEFTDOWN, NextClock(::GetDoubleClickTime() + 1)),
                     MoveInput(hWnd, toX, toY), MouseInput(MOUSEEVENTF_LEFTUP, NextClock(1))};
  ::SendInput(3, inputs, sizeof inputs[0]);
  testing_seams::ProcessEvents();
}

void MouseMove(HWND hWnd, int x, int y) {
  Reach(hWnd, x, y);
}

void KeyPress(HWND hWnd, int virtualKey, bool shift) {
  if (!::IsWindow(hWnd)) {
    return;
  }
  // Keys go to the focus of the foreground window.
  HWND root = ::GetAncestor(hWnd, GA_ROOT);
  ::SetForegroundWindow(root);
  HWND focus = ::GetFocus();
  if (focus != hWnd && !::IsChild(hWnd, focus)) {
    ::SetFocus(hWnd);
  }
  if (shift) {
    SendKey(VK_SHIFT, false);
  }
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  if (shift) {
    SendKey(VK_SHIFT, true);
  }
  ProcessEvents();
}

void KeySequence(HWND hWnd, const std::vector<int>& virtualKeys) {
  if (!::IsWindow(hWnd)) {
    return;
  }
  ::SetForegroundWindow(::GetAncestor(hWnd, GA_ROOT));
  HWND focus = ::GetFocus();
  if (focus != hWnd && !::IsChild(hWnd, focus)) {
    ::SetFocus(hWnd);
  }
  for (int key : virtualKeys) {
    SendKey(key, false);
    SendKey(key, true);
  }
  ProcessEvents();
}

void CloseBox(HWND hWnd) {
  if (!::IsWindow(hWnd) || (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)) {
    return;
  }
  // What the frame does when its close box is clicked.
  ::SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  ProcessEvents();
}

ClientImage GrabClient(HWND hWnd) {
  RECT r;
  if (!::IsWindow(hWnd) || !::GetClientRect(hWnd, &r)) {
    return {};
  }
  ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return ReadScreen(hWnd, r);
}

std::string ShownTooltip() {
  std::string text;
  ::EnumThreadWindows(::GetCurrentThreadId(), ShownTip, reinterpret_cast<LPARAM>(&text));
  return text;
}

bool SaveWindowImage(HWND hWnd, const char* pngPath) {
  RECT r;
  if (!::IsWindow(hWnd) || !pngPath || !::GetWindowRect(hWnd, &r)) {
    return false;
  }
  ClientImage shot = ReadScreen(hWnd, r);
  if (shot.pixels.empty()) {
    return false;
  }
  std::vector<BYTE> rows;
  rows.reserve((size_t)(shot.width * 3 + 1) * (size_t)shot.height);
  for (int y = 0; y < shot.height; ++y) {
    rows.push_back(0);  // no filter
    for (int x = 0; x < shot.width; ++x) {
      COLORREF c = shot.At(x, y);
      rows.insert(rows.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  std::vector<BYTE> png = EncodePng(shot.width, shot.height, rows);
  FILE* file = std::fopen(pngPath, "wb");
  if (!file) {
    return false;
  }
  bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

bool SystemIsWine() {
  HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
// A top-level window and all its descendants, which EnumChildWindows visits.
BOOL CALLBACK CountWindow(HWND hWnd, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  ::EnumChildWindows(hWnd, CountChild, count);
  return TRUE;
}
}  // namespace

std::string ReaderName(HWND hwnd, LONG child) {
  IAccessible* object = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(hwnd, (DWORD)OBJID_CLIENT, IID_IAccessible,
                                          (void**)&object)))
    return std::string();
  VARIANT which;
  ::VariantInit(&which);
  which.vt = VT_I4;
  which.lVal = child;
  BSTR name = nullptr;
  std::string out;
  if (SUCCEEDED(object->get_accName(which, &name)) && name) {
    char text[512] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, name, -1, text, sizeof text, nullptr, nullptr);
    out = text;
    ::SysFreeString(name);
  }
  object->Release();
  return out;
}

std::vector<HWND> ReaderOrder(HWND parent) {
  std::vector<HWND> out;
  IAccessible* object = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(parent, (DWORD)OBJID_CLIENT, IID_IAccessible,
                                          (void**)&object)))
    return out;
  long count = 0;
  object->get_accChildCount(&count);
  std::vector<VARIANT> children((size_t)(count > 0 ? count : 0));
  long got = 0;
  if (count > 0 && SUCCEEDED(::AccessibleChildren(object, 0, count, children.data(), &got))) {
    for (long i = 0; i < got; ++i) {
      HWND h = nullptr;
      if (children[(size_t)i].vt == VT_DISPATCH && children[(size_t)i].pdispVal) {
        IAccessible* child = nullptr;
        if (SUCCEEDED(
                children[(size_t)i].pdispVal->QueryInterface(IID_IAccessible, (void**)&child))) {
          ::WindowFromAccessibleObject(child, &h);
          child->Release();
        }
      }
      if (h)
        out.push_back(h);
      ::VariantClear(&children[(size_t)i]);
    }
  }
  object->Release();
  return out;
}

GuiObjectCount GuiObjects() {
  HANDLE self = ::GetCurrentProcess();
  GuiObjectCount count{(int)::GetGuiResources(self, GR_GDIOBJECTS),
                       (int)::GetGuiResources(self, GR_USEROBJECTS)};
  if (count.gdi == 0 && count.user == 0) {
    count.gdi = -1;
    count.user = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, (LPARAM)&count.user);
  }
  return count;
}

}  // namespace testing_seams

// Every module of tables the tests name is compiled into the executable
// (their ids do not meet), so handing one over only records which it is.
namespace {
const RESOURCEMODULE* g_moduleTables = nullptr;
}

void SetModuleResources(const RESOURCEMODULE* module) {
  g_moduleTables = module;
}

const RESOURCEMODULE* GetModuleResources() {
  return g_moduleTables;
}
