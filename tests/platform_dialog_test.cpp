// SPDX-License-Identifier: MIT
// Dialogs of the layer: template places in pixels, the dialog manager's
// keys and close box, the modal loop, accelerators and message-filter hooks.
#include <algorithm>
#include <climits>

#include "tests/platform_fixture.h"

namespace platform_test {
namespace {

using namespace testing_seams;

TEST_F(PlatformTest, TemplatePlacesBecomePixelsAndPicturesFrameTheirImage) {
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  RECT client{};
  GetClientRect(dlg, &client);
  EXPECT_EQ(client.right, 240 * 6 / 4);
  EXPECT_EQ(client.bottom, 160 * 13 / 8);
  struct Place {
    int id;
    RECT expected;
  };
  const Place places[] = {
      // 50 x 62 units would be 75 x 100; the 69 x 94 card plus its 3-pixel
      // edge on each side gives the same, whatever the units.
      {kPicture, {15, 16, 15 + 75, 16 + 100}},
      // A centred picture keeps its own size: 67 x 46 units at (20, 20),
      // each rounded to the nearest pixel (100.5 -> 101, 32.5 -> 33).
      {kCentred, {30, 33, 30 + 101, 33 + 75}},
      {kText, {150, 49, 150 + 90, 49 + 33}},
      {kPlain, {225, 49, 225 + 57, 49 + 23}},
  };
  // Wine fits a framed picture's window, not its inside, to the picture.
  const bool wineFrame = SystemIsWine();
  for (const Place& p : places) {
    SCOPED_TRACE(p.id);
    RECT r = Rect(GetDlgItem(dlg, p.id));
    EXPECT_EQ(r.left, p.expected.left);
    EXPECT_EQ(r.top, p.expected.top);
    if (wineFrame && p.id == kPicture)
      continue;
    EXPECT_EQ(r.right, p.expected.right);
    EXPECT_EQ(r.bottom, p.expected.bottom);
  }
  RECT inner{};
  GetClientRect(GetDlgItem(dlg, kPicture), &inner);
  if (!wineFrame) {
    EXPECT_EQ(inner.right, 69);
    EXPECT_EQ(inner.bottom, 94);
  }
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, kPicture)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, kHidden)));
  EXPECT_NE(SendMessage(GetDlgItem(dlg, kHidden), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndFailsOnOverflow) {
  struct {
    int a, b, c, expected;
  } rows[] = {{143, 6, 4, 215},         {157, 13, 8, 255},   {158, 13, 8, 257}, {-143, 6, 4, -215},
              {143, -6, 4, -215},       {143, 6, -4, -215},  {5, 1, 0, -1},     {INT_MAX, 2, 1, -1},
              {INT_MAX, 2, 2, INT_MAX}, {INT_MIN, 1, 1, -1}, {7, 1, 2, 4},      {-7, 1, 2, -4}};
  for (const auto& r : rows)
    EXPECT_EQ(MulDiv(r.a, r.b, r.c), r.expected) << r.a << " * " << r.b << " / " << r.c;
}

TEST_F(PlatformTest, EnterEscAndCloseBoxEndTheDialog) {
  struct Case {
    const char* what;
    void (*act)(HWND);
    INT_PTR result;
  };
  const Case cases[] = {
      {"Enter", [](HWND h) { KeyPress(h, VK_RETURN); }, IDOK},
      {"Esc", [](HWND h) { KeyPress(h, VK_ESCAPE); }, IDCANCEL},
      {"close box", [](HWND h) { CloseBox(h); }, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND dlg = Open();
    INT_PTR result = -5;
    EXPECT_FALSE(DialogEnded(dlg, &result));
    c.act(dlg);
    ASSERT_TRUE(DialogEnded(dlg, &result));
    EXPECT_EQ(result, c.result);
    EXPECT_FALSE(IsWindowVisible(dlg));
  }
}

TEST_F(PlatformTest, EnterClicksTheDefaultButton) {
  HWND dlg = Open(kDialogWithDefault);
  EXPECT_EQ(LOWORD(SendMessage(dlg, DM_GETDEFID, 0, 0)), 77);
  KeyPress(dlg, VK_RETURN);
  ASSERT_EQ(g_seen.commands.size(), 1u);
  EXPECT_EQ(g_seen.commands[0], MAKEWPARAM(77, BN_CLICKED));
  EXPECT_FALSE(DialogEnded(dlg, nullptr));
  EnableWindow(GetDlgItem(dlg, 77), FALSE);
  KeyPress(dlg, VK_RETURN);  // a disabled default button is not pressed
  EXPECT_EQ(g_seen.commands.size(), 1u);
}

TEST_F(PlatformTest, ModalLoopRunsUntilEndDialogAndDestroysTheWindow) {
  HWND seenDialog = nullptr;
  RunWhenIdle([&] {
    seenDialog = ActiveModalDialog();
    KeyPress(seenDialog, VK_ESCAPE);
  });
  INT_PTR r = DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(kDialog), nullptr,
                             RecordingProc, 1234);
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(g_seen.initParam, 1234);
  // The template's font comes first, then what the controls ask while they
  // are made (the list view: the form of its notifications), then
  // WM_INITDIALOG.
  const std::vector<UINT> first(
      g_seen.messages.begin(),
      g_seen.messages.begin() + std::min<size_t>(3, g_seen.messages.size()));
  EXPECT_EQ(first, (std::vector<UINT>{WM_SETFONT, WM_NOTIFYFORMAT, WM_INITDIALOG}));
  EXPECT_NE(seenDialog, nullptr);
  EXPECT_FALSE(IsWindow(seenDialog));
  EXPECT_EQ(ActiveModalDialog(), nullptr);
  EXPECT_EQ(
      DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(999), nullptr, RecordingProc, 0),
      -1);
}

TEST_F(PlatformTest, NestedMessageBoxInsideTheModalLoopKeepsTheLoopAlive) {
  ScriptMessageBoxes(true);
  QueueMessageBoxAnswer(IDNO);
  int answer = 0;
  RunWhenIdle([&] {
    HWND dlg = ActiveModalDialog();
    answer = MessageBox(dlg, "Начать новую игру?", "Конец игры", MB_YESNO);
    EndDialog(dlg, answer == IDYES ? IDOK : IDCANCEL);
  });
  INT_PTR r =
      DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(kDialog), nullptr, RecordingProc, 0);
  ScriptMessageBoxes(false);
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(r, IDCANCEL);
  ClearMessageBoxCalls();
}

TEST_F(PlatformTest, AcceleratorsSendCommands) {
  HWND dlg = Open();
  g_seen.endOnCommand = false;
  HACCEL accel = LoadAccelerators(GetModuleHandle(nullptr), MAKEINTRESOURCE(9));
  MSG f2{dlg, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};
  MSG f3{dlg, WM_KEYDOWN, VK_F2 + 1, 0, 0, {0, 0}};
  EXPECT_EQ(TranslateAccelerator(dlg, accel, &f2), 1);
  EXPECT_EQ(TranslateAccelerator(dlg, accel, &f3), 0);
  DestroyAcceleratorTable(accel);
  EXPECT_EQ(g_seen.commands, (std::vector<WPARAM>{MAKEWPARAM(kCmdNew, 1)}));
}

HHOOK g_hook = nullptr;
std::vector<MSG> g_hooked;
LRESULT CALLBACK EatKeys(int code, WPARAM wp, LPARAM lp) {
  const MSG* m = reinterpret_cast<const MSG*>(lp);
  // The loop offers it every message it takes; the test follows two kinds.
  if (m->message == WM_KEYDOWN || m->message == WM_MOUSEMOVE)
    g_hooked.push_back(*m);
  if (m->message == WM_KEYDOWN)
    return 1;
  return CallNextHookEx(g_hook, code, wp, lp);
}

TEST_F(PlatformTest, MessageFilterHookSeesInputFirstAndCanEatIt) {
  HWND dlg = Open();
  g_hooked.clear();
  // A hook of every thread needs a module; one of this thread does not.
  EXPECT_EQ(SetWindowsHookEx(WH_MSGFILTER, EatKeys, nullptr, 0), nullptr);
  g_hook = SetWindowsHookEx(WH_MSGFILTER, EatKeys, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_hook, nullptr);
  KeyPress(dlg, VK_ESCAPE);
  EXPECT_FALSE(DialogEnded(dlg, nullptr));
  MouseMove(GetDlgItem(dlg, kNotify), 3, 2);
  EXPECT_TRUE(UnhookWindowsHookEx(g_hook));
  // The system may add moves of its own (a window moved under the mouse);
  // the key went by once, and the last move is the one made.
  ASSERT_GE(g_hooked.size(), 2u);
  EXPECT_EQ(g_hooked[0].message, (UINT)WM_KEYDOWN);
  EXPECT_EQ(g_hooked[0].wParam, (WPARAM)VK_ESCAPE);
  EXPECT_EQ(std::count_if(g_hooked.begin(), g_hooked.end(),
                          [](const MSG& m) { return m.message == WM_KEYDOWN; }),
            1);
  EXPECT_EQ(g_hooked.back().message, (UINT)WM_MOUSEMOVE);
  EXPECT_EQ(g_hooked.back().hwnd, GetDlgItem(dlg, kNotify));
  EXPECT_EQ(g_hooked.back().lParam, MAKELPARAM(3, 2));
  KeyPress(dlg, VK_ESCAPE);
  EXPECT_TRUE(DialogEnded(dlg, nullptr));
}

}  // namespace
}  // namespace platform_test
