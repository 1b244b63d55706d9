// SPDX-License-Identifier: MIT
// What a link-like control relies on: subclassing, WM_SETCURSOR before
// WM_MOUSEMOVE, capture, cursors, tooltips, fonts and the colours a parent
// gives through WM_CTLCOLOR*; and owners disabled under a modal dialog.
#include <chrono>

#include "tests/platform_fixture.h"

namespace platform_test {
namespace {

using namespace testing_seams;

struct Heard {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};
std::vector<Heard> g_heard;
WNDPROC g_base = nullptr;
HCURSOR g_hand = nullptr;

LRESULT CALLBACK Listening(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETCURSOR || msg == WM_MOUSEMOVE)
    g_heard.push_back({msg, wp, lp});
  if (msg == WM_SETCURSOR && g_hand) {
    SetCursor(g_hand);
    return TRUE;
  }
  return CallWindowProc(g_base, h, msg, wp, lp);
}

TEST_F(PlatformTest, MovesAskForTheCursorFirstAndFollowTheCapture) {
  HWND dlg = Open();
  HWND link = GetDlgItem(dlg, kNotify);
  g_heard.clear();
  g_hand = LoadCursor(nullptr, IDC_HAND);
  g_base = (WNDPROC)SetWindowLongPtr(link, GWLP_WNDPROC, (LONG_PTR)Listening);
  ASSERT_NE(g_base, nullptr);

  MouseMove(link, 3, 2);
  ASSERT_EQ(g_heard.size(), 2u);
  EXPECT_EQ(g_heard[0].msg, (UINT)WM_SETCURSOR);
  EXPECT_EQ(g_heard[0].wp, (WPARAM)link);
  EXPECT_EQ(g_heard[0].lp, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(g_heard[1].msg, (UINT)WM_MOUSEMOVE);
  EXPECT_EQ(g_heard[1].lp, MAKELPARAM(3, 2));
  EXPECT_EQ(GetCursor(), g_hand);

  // With the capture, a move over the dialog's background still reaches
  // the control, in its own coordinates, and asks for no cursor. The
  // system may add moves of its own when the capture changes (Wine 10
  // does), so the last move is the one that counts.
  g_heard.clear();
  EXPECT_EQ(SetCapture(link), nullptr);
  RECT r = Rect(link);
  MouseMove(dlg, 5, 5);
  ASSERT_FALSE(g_heard.empty());
  for (const Heard& heard : g_heard)
    EXPECT_EQ(heard.msg, (UINT)WM_MOUSEMOVE);
  EXPECT_EQ(GET_X_LPARAM(g_heard.back().lp), 5 - r.left);
  EXPECT_EQ(GET_Y_LPARAM(g_heard.back().lp), 5 - r.top);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);

  // Without a handler of its own the arrow comes back.
  g_hand = nullptr;
  MouseMove(link, 4, 2);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
  SetWindowLongPtr(link, GWLP_WNDPROC, (LONG_PTR)g_base);
}

TEST_F(PlatformTest, TooltipKeepsItsToolsAndShowsTheTextOverTheTool) {
  HWND dlg = Open();
  HWND link = GetDlgItem(dlg, kNotify);
  HWND tip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, link, nullptr,
                            nullptr, nullptr);
  ASSERT_NE(tip, nullptr);
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = link;
  ti.uId = 1;
  GetClientRect(link, &ti.rect);
  ti.lpszText = const_cast<char*>("mailto: someone");
  EXPECT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, (LPARAM)&ti));
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  ti.lpszText = const_cast<char*>("mailto:someone");
  SendMessage(tip, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
  char buffer[80] = {};
  ti.lpszText = buffer;
  SendMessage(tip, TTM_GETTEXT, sizeof buffer, (LPARAM)&ti);
  EXPECT_STREQ(buffer, "mailto:someone");

  // The tip shows once the cursor itself has rested over the tool (the
  // system's control looks where the cursor is when its delay ends), so
  // the mouse really moves there as well as the move being relayed.
  MouseMove(link, 2, 2);
  MSG over{link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), 0, {0, 0}};
  SendMessage(tip, TTM_RELAYEVENT, 0, (LPARAM)&over);
  // The tip waits for the mouse to rest before it shows.
  using Clock = std::chrono::steady_clock;
  Clock::time_point start = Clock::now();
  while (ShownTooltip().empty() && Clock::now() - start < std::chrono::seconds(5))
    ProcessEvents();
  EXPECT_EQ(ShownTooltip(), "mailto:someone");
  MouseMove(dlg, 5, 5);
  MSG away{link, WM_MOUSEMOVE, 0, MAKELPARAM(500, 2), 0, {0, 0}};
  SendMessage(tip, TTM_RELAYEVENT, 0, (LPARAM)&away);
  start = Clock::now();
  while (!ShownTooltip().empty() && Clock::now() - start < std::chrono::seconds(5))
    ProcessEvents();
  EXPECT_EQ(ShownTooltip(), "");
  DestroyWindow(tip);
}

INT_PTR CALLBACK BlackDialog(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  static HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
  switch (msg) {
    case WM_CTLCOLORDLG:
      return (INT_PTR)black;
    case WM_CTLCOLORSTATIC:
      SetTextColor((HDC)wp, RGB(192, 192, 192));
      SetBkMode((HDC)wp, TRANSPARENT);
      // The centred text lets the dialog show through.
      return GetDlgCtrlID((HWND)lp) == kText ? (INT_PTR)GetStockObject(NULL_BRUSH) : (INT_PTR)black;
  }
  return RecordingProc(h, msg, wp, lp);
}

TEST_F(PlatformTest, ParentColoursPaintTheDialogAndItsTexts) {
  HWND dlg = CreateDialogParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(kDialog), nullptr,
                               BlackDialog, 0);
  windows.push_back(dlg);
  ShowWindow(dlg, SW_SHOW);
  ProcessEvents();
  ClientImage shot = GrabClient(dlg);
  ASSERT_FALSE(shot.pixels.empty());
  auto at = [&](int x, int y) { return shot.At(x, y); };
  EXPECT_EQ(at(2, 250), RGB(0, 0, 0));  // dialog background
  RECT text = Rect(GetDlgItem(dlg, kText));
  int grey = 0, other = 0;
  for (int y = text.top; y < text.bottom; ++y) {
    for (int x = text.left; x < std::min<int>(text.right, Rect(GetDlgItem(dlg, kPlain)).left);
         ++x) {
      COLORREF c = at(x, y);
      if (c == RGB(0, 0, 0))
        continue;
      BYTE r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
      (r == g && g == b && r <= 192 ? grey : other)++;
    }
  }
  EXPECT_GT(grey, 20);  // the text, anti-aliased towards black
  EXPECT_EQ(other, 0);
}

TEST(PlatformFont, LogicalFontsRoundTripAndMeasure) {
  LOGFONT lf{};
  lf.lfHeight = -11;
  lf.lfWeight = FW_NORMAL;
  std::strcpy(lf.lfFaceName, "MS Sans Serif");
  HFONT plain = CreateFontIndirect(&lf);
  lf.lfUnderline = TRUE;
  HFONT underlined = CreateFontIndirect(&lf);
  LOGFONT back{};
  EXPECT_EQ(GetObject(underlined, sizeof back, &back), (int)sizeof back);
  EXPECT_EQ(back.lfUnderline, TRUE);
  EXPECT_EQ(back.lfHeight, -11);
  EXPECT_STREQ(back.lfFaceName, "MS Sans Serif");

  HDC dc = CreateCompatibleDC(nullptr);
  SIZE a{}, b{}, c{};
  HGDIOBJ old = SelectObject(dc, plain);
  EXPECT_NE(old, nullptr);
  EXPECT_TRUE(GetTextExtentPoint32(dc, "mailto: a", 9, &a));
  EXPECT_TRUE(GetTextExtentPoint32(dc, "mailto: abcdef", 14, &b));
  SelectObject(dc, underlined);
  GetTextExtentPoint32(dc, "mailto: a", 9, &c);
  EXPECT_GT(a.cx, 20);
  EXPECT_GT(b.cx, a.cx);
  EXPECT_EQ(c.cx, a.cx);
  EXPECT_GE(a.cy, 11);
  EXPECT_EQ(SelectObject(dc, old), underlined);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(plain));
  EXPECT_TRUE(DeleteObject(underlined));
}

TEST_F(PlatformTest, TextSizedToItsExtentStaysOnOneLine) {
  HWND dlg = Open();
  HWND text = GetDlgItem(dlg, kNotify);
  const char* link = "mailto: zorv@example.org";
  SetWindowText(text, link);
  LOGFONT lf{};
  GetObject((HGDIOBJ)SendMessage(text, WM_GETFONT, 0, 0), sizeof lf, &lf);
  lf.lfUnderline = TRUE;
  HFONT font = CreateFontIndirect(&lf);
  SendMessage(text, WM_SETFONT, (WPARAM)font, TRUE);
  HDC dc = GetDC(text);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32(dc, link, (int)strlen(link), &extent);
  SelectObject(dc, old);
  ReleaseDC(text, dc);
  // Room for a second line below: a wrapped word would show there. The
  // list view that lies there on the screen steps aside.
  ShowWindow(GetDlgItem(dlg, kList), SW_HIDE);
  SetWindowPos(text, nullptr, 10, 200, extent.cx, 2 * extent.cy, SWP_NOZORDER);
  ProcessEvents();
  ClientImage shot = GrabClient(text);
  ASSERT_EQ(shot.height, 2 * extent.cy);
  COLORREF background = shot.At(shot.width - 1, shot.height - 1);
  int inked = 0;
  for (int y = extent.cy; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x)
      inked += shot.At(x, y) != background;
  }
  EXPECT_EQ(inked, 0);
  DestroyWindow(text);
  DeleteObject(font);
}

TEST_F(PlatformTest, ModalDialogDisablesItsOwnerWhileItRuns) {
  HWND owner = Open(kDialogWithDefault);
  BOOL enabledInside = TRUE;
  RunWhenIdle([&] {
    enabledInside = IsWindowEnabled(owner);
    HWND modal = ActiveModalDialog();
    MouseClick(GetDlgItem(modal, kPlain), 5, 5);  // the modal dialog itself takes clicks
    MouseClick(GetDlgItem(owner, 77), 5, 5);      // its owner does not
    EndDialog(modal, 42);
  });
  EXPECT_EQ(
      DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(kDialog), owner, RecordingProc, 0),
      42);
  EXPECT_FALSE(enabledInside);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(g_seen.commands, std::vector<WPARAM>{MAKEWPARAM(kPlain, BN_CLICKED)});
}

// Tab moves the focus to the next control with a tab stop, which then
// shows its dotted focus mark (our layer hides the marks until the keyboard
// is used, as the system does when the last input was the mouse).
TEST_F(PlatformTest, TabMovesTheFocusAndTheFocusMarkShows) {
  HWND dlg = Open();
  HWND button = GetDlgItem(dlg, kPlain);
  SetFocus(GetDlgItem(dlg, kList));
  ProcessEvents();
  ClientImage quiet = GrabClient(button);
  KeyPress(dlg, VK_TAB);  // the one tab stop
  ProcessEvents();
  EXPECT_EQ(GetFocus(), button);
  ClientImage marked = GrabClient(button);
  ASSERT_EQ(marked.width, quiet.width);
  EXPECT_NE(marked.pixels, quiet.pixels);
}

TEST_F(PlatformTest, IconsAndEditTexts) {
  HWND dlg = Open();
  HICON icon = LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(kIcon));
  EXPECT_EQ(SendMessage(dlg, WM_SETICON, ICON_BIG, (LPARAM)icon), 0);
  EXPECT_EQ((HICON)SendMessage(dlg, WM_SETICON, ICON_BIG, (LPARAM)icon), icon);
  EXPECT_EQ((HICON)SendMessage(dlg, WM_GETICON, ICON_BIG, 0), icon);

  // Lines are the text's own, unless the edit is too narrow and may wrap
  // words (it may not when it scrolls sideways).
  const char* history = "8 ноября 2001: версия 0.4\r\nИзменения:\r\n* Интерфейс почернел";
  struct Case {
    DWORD style;
    int width;
    bool wraps;
  } cases[] = {{0, 400, false}, {0, 100, true}, {ES_AUTOHSCROLL, 100, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    HWND edit =
        CreateWindowEx(WS_EX_TRANSPARENT, "EDIT", "",
                       WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL | c.style,
                       10, 10, c.width, 40, dlg, (HMENU)(intptr_t)1035, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SetWindowText(edit, history);
    ProcessEvents();
    LRESULT lines = SendMessage(edit, EM_GETLINECOUNT, 0, 0);
    if (c.wraps) {
      EXPECT_GT(lines, 3);
    } else {
      EXPECT_EQ(lines, 3);
    }
    char back[128];
    GetWindowText(edit, back, sizeof back);
    EXPECT_STREQ(back, history);
    DestroyWindow(edit);
  }
}

}  // namespace
}  // namespace platform_test
