// SPDX-License-Identifier: MIT
// Controls of the layer driven as the program and the user drive them:
// list-view items and real clicks, picture statics and the spy, owner-draw
// painting, notifications, scripted message boxes and stale handles.
#include "tests/platform_fixture.h"

namespace platform_test {
namespace {

using namespace testing_seams;

void FillView(HWND list, int count, HIMAGELIST images) {
  SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < count; ++i) {
    HBITMAP b = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(kCard));
    ImageList_AddMasked(images, b, RGB(0, 0, 0));
    DeleteObject(b);
  }
  SendMessage(list, LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)images);
  for (int i = 0; i < count; ++i) {
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = const_cast<char*>("");
    item.iImage = i;
    SendMessage(list, LVM_INSERTITEM, 0, (LPARAM)&item);
  }
}

TEST_F(PlatformTest, ListViewClickSelectsOneItemAndNotifiesTheParent) {
  HWND dlg = Open();
  HWND list = GetDlgItem(dlg, kList);
  SendMessage(list, LVM_SETICONSPACING, 0, MAKELONG(70, 100));
  EXPECT_EQ(SendMessage(list, LVM_SETICONSPACING, 0, MAKELONG(70, 100)), MAKELONG(70, 100));
  HIMAGELIST images = ImageList_Create(69, 94, ILC_COLOR, 4, 1);
  FillView(list, 4, images);
  EXPECT_EQ(ImageList_GetImageCount(images), 4);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 4);

  // Items run left to right in cells of the spacing.
  POINT p0{}, p2{};
  SendMessage(list, LVM_GETITEMPOSITION, 0, (LPARAM)&p0);
  SendMessage(list, LVM_GETITEMPOSITION, 2, (LPARAM)&p2);
  EXPECT_EQ(p2.x - p0.x, 140);
  EXPECT_EQ(p2.y, p0.y);

  for (int target : {2, 0}) {
    SCOPED_TRACE(target);
    g_seen.clicks.clear();
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessage(list, LVM_GETITEMRECT, target, (LPARAM)&r));
    MouseClick(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_EQ(g_seen.clicks.size(), 1u);
    EXPECT_EQ(g_seen.clicks[0].hdr.code, (UINT)NM_CLICK);
    EXPECT_EQ(g_seen.clicks[0].hdr.idFrom, (UINT_PTR)kList);
    EXPECT_EQ(g_seen.clicks[0].hdr.hwndFrom, list);
    EXPECT_EQ(g_seen.clicks[0].iItem, target);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), target);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, target, LVNI_SELECTED), -1);
  }

  // Empty space: the selection goes first, then the parent hears of it.
  g_seen.clicks.clear();
  // (Wine's list view keeps its selection and tells nothing of a click
  // beside its items.)
  MouseClick(list, 5 * 70 + 10, 10);
  if (!SystemIsWine()) {
    ASSERT_EQ(g_seen.clicks.size(), 1u);
    EXPECT_EQ(g_seen.clicks[0].iItem, -1);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), -1);
  }

  // A list the view gives back is the caller's again; one it holds when it
  // goes, the view destroys (it has no LVS_SHAREIMAGELISTS).
  HIMAGELIST old = (HIMAGELIST)SendMessage(list, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
  EXPECT_EQ(old, images);
  ImageList_Destroy(images);
  ProcessEvents();
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(PlatformTest, SecondClickOfADoubleClickAndADragAreNoClicks) {
  HWND dlg = Open();
  g_seen.endOnCommand = false;
  HWND list = GetDlgItem(dlg, kList);
  SendMessage(list, LVM_SETICONSPACING, 0, MAKELONG(70, 100));
  HIMAGELIST images = ImageList_Create(69, 94, ILC_COLOR, 4, 1);
  FillView(list, 3, images);
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  ASSERT_TRUE(SendMessage(list, LVM_GETITEMRECT, 1, (LPARAM)&r));
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  const unsigned interval = GetDoubleClickTime();
  // The mouse may move this far on either side of where it went down.
  const int drag = GetSystemMetrics(SM_CXDRAG);
  ASSERT_GT(drag, 0);
  auto codes = [] {
    std::vector<UINT> out;
    for (const NMITEMACTIVATE& n : g_seen.clicks) {
      EXPECT_EQ(n.iItem, 1);
      out.push_back(n.hdr.code);
    }
    g_seen.clicks.clear();
    return out;
  };
  using Codes = std::vector<UINT>;
  MouseDoubleClick(list, x, y, 0);
  EXPECT_EQ(codes(), (Codes{NM_CLICK, NM_DBLCLK}));
  MouseDoubleClick(list, x, y, interval - 1);
  EXPECT_EQ(codes(), (Codes{NM_CLICK, NM_DBLCLK}));
  MouseDoubleClick(list, x, y, interval + 1);
  EXPECT_EQ(codes(), (Codes{NM_CLICK, NM_CLICK}));

  // Within the drag rectangle a press and release is still a click; beyond
  // it the press begins a drag, from where it went down.
  MouseDrag(list, x, y, x + drag - 1, y - drag);
  EXPECT_EQ(codes(), (Codes{NM_CLICK}));
  MouseDrag(list, x, y, x + drag + 1, y);
  // Wine's list view also tells of a click when the drag ends.
  if (SystemIsWine() && g_seen.clicks.size() == 2 && g_seen.clicks[1].hdr.code == NM_CLICK)
    g_seen.clicks.pop_back();
  ASSERT_EQ(g_seen.clicks.size(), 1u);
  EXPECT_EQ(g_seen.clicks[0].ptAction.x, x);
  EXPECT_EQ(codes(), (Codes{LVN_BEGINDRAG}));

  // A push button takes the second click of a double click as a click.
  MouseDoubleClick(GetDlgItem(dlg, kPlain), 5, 5, 0);
  EXPECT_EQ(g_seen.commands,
            (std::vector<WPARAM>{MAKEWPARAM(kPlain, BN_CLICKED), MAKEWPARAM(kPlain, BN_CLICKED)}));
  // A notifying static tells the second one apart.
  g_seen.commands.clear();
  MouseDoubleClick(GetDlgItem(dlg, kNotify), 3, 3, 0);
  EXPECT_EQ(g_seen.commands, (std::vector<WPARAM>{MAKEWPARAM(kNotify, STN_CLICKED),
                                                  MAKEWPARAM(kNotify, STN_DBLCLK)}));
}

// A control hidden while its dialog is hidden stays hidden when the dialog
// shows: a click on its place reaches the dialog, not the control.
TEST_F(PlatformTest, ControlHiddenBeforeItsDialogShowsStaysHidden) {
  HWND dlg = Open();
  g_seen.endOnCommand = false;
  ShowWindow(dlg, SW_HIDE);
  HWND notify = GetDlgItem(dlg, kNotify);
  ShowWindow(notify, SW_HIDE);
  ShowWindow(dlg, SW_SHOW);
  ProcessEvents();
  EXPECT_FALSE(IsWindowVisible(notify));
  RECT r = Rect(notify);
  MouseClick(dlg, r.left + 2, r.top + 2);
  EXPECT_TRUE(g_seen.commands.empty());
  ShowWindow(notify, SW_SHOW);
  MouseClick(dlg, r.left + 2, r.top + 2);
  EXPECT_EQ(g_seen.commands, (std::vector<WPARAM>{MAKEWPARAM(kNotify, STN_CLICKED)}));
}

TEST_F(PlatformTest, PictureImagesRoundTripAndTheSpyKeepsTheirOrder) {
  HWND dlg = Open();
  HWND pic = GetDlgItem(dlg, kPicture), centred = GetDlgItem(dlg, kCentred);
  HBITMAP templ = (HBITMAP)SendMessage(pic, STM_GETIMAGE, IMAGE_BITMAP, 0);
  ASSERT_NE(templ, nullptr);
  HBITMAP a = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(kSmall));
  HBITMAP b = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(kCard));
  StartMessageSpy();
  EXPECT_EQ((HBITMAP)SendMessage(pic, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)a), templ);
  SendMessage(centred, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)b);
  SetDlgItemText(dlg, kText, "Ваш ход");
  EXPECT_EQ((HBITMAP)SendMessage(pic, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)b), a);
  std::vector<SpiedMessage> spied;
  // The system's own traffic (sizes, paints) between them is left out.
  for (const SpiedMessage& m : StopMessageSpy()) {
    if (m.message == STM_SETIMAGE || m.message == WM_SETTEXT)
      spied.push_back(m);
  }
  ASSERT_EQ(spied.size(), 4u);
  const int ids[] = {kPicture, kCentred, kText, kPicture};
  const UINT msgs[] = {STM_SETIMAGE, STM_SETIMAGE, WM_SETTEXT, STM_SETIMAGE};
  for (size_t i = 0; i < spied.size(); ++i) {
    EXPECT_EQ(spied[i].controlId, ids[i]);
    EXPECT_EQ(spied[i].message, msgs[i]);
  }
  EXPECT_EQ((HBITMAP)SendMessage(pic, STM_GETIMAGE, IMAGE_BITMAP, 0), b);
  char text[32];
  EXPECT_EQ(GetDlgItemText(dlg, kText, text, sizeof text), strlen("Ваш ход"));
  EXPECT_STREQ(text, "Ваш ход");
  ProcessEvents();
  DeleteObject(a);
  DeleteObject(b);
}

TEST_F(PlatformTest, OwnerDrawnButtonIsPaintedByItsParent) {
  HWND dlg = Open();
  HWND button = GetDlgItem(dlg, kOwnerDraw);
  MoveWindow(button, 320, 200, 37, 20, TRUE);  // clear of the list view
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  g_seen.onDraw = [red](const DRAWITEMSTRUCT& d) { FillRect(d.hDC, &d.rcItem, red); };
  ProcessEvents();
  ASSERT_FALSE(g_seen.draws.empty());
  const DRAWITEMSTRUCT& d = g_seen.draws.back();
  EXPECT_EQ(d.CtlType, (UINT)ODT_BUTTON);
  EXPECT_EQ(d.CtlID, (UINT)kOwnerDraw);
  EXPECT_EQ(d.hwndItem, button);
  EXPECT_EQ(d.itemAction, (UINT)ODA_DRAWENTIRE);
  EXPECT_EQ(d.rcItem.right, 37);
  EXPECT_EQ(d.rcItem.bottom, 20);

  // What the handler drew is what the window shows.
  ClientImage shot = GrabClient(dlg);
  ASSERT_FALSE(shot.pixels.empty());
  EXPECT_EQ(shot.At(320 + 18, 200 + 10), RGB(255, 0, 0));
  g_seen.onDraw = nullptr;
  DeleteObject(red);
}

TEST_F(PlatformTest, ClicksNotifyOnlyWhileEnabled) {
  HWND dlg = Open();
  g_seen.endOnCommand = false;
  MouseClick(GetDlgItem(dlg, kNotify), 2, 2);
  MouseClick(GetDlgItem(dlg, kPlain), 5, 5);
  EnableWindow(GetDlgItem(dlg, kPlain), FALSE);
  MouseClick(GetDlgItem(dlg, kPlain), 5, 5);
  EXPECT_EQ(g_seen.commands, (std::vector<WPARAM>{MAKEWPARAM(kNotify, STN_CLICKED),
                                                  MAKEWPARAM(kPlain, BN_CLICKED)}));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, kPlain)));
}

TEST_F(PlatformTest, ScriptedMessageBoxesAnswerAndRecord) {
  ScriptMessageBoxes(true);
  ClearMessageBoxCalls();
  QueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(MessageBox(nullptr, "Начать новую игру?", "Конец игры", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBox(nullptr, "Вы выиграли", nullptr, MB_OK), IDOK);
  EXPECT_EQ(MessageBox(nullptr, "Ещё?", "Конец игры", MB_YESNO | MB_ICONQUESTION), IDYES);
  ScriptMessageBoxes(false);
  const auto& calls = MessageBoxCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].caption, "Конец игры");
  EXPECT_EQ(calls[0].answer, IDNO);
  EXPECT_EQ(calls[1].caption, "Ошибка");  // the system's own word, in Russian
  EXPECT_EQ(calls[1].text, "Вы выиграли");
  EXPECT_EQ(calls[2].type, (UINT)(MB_YESNO | MB_ICONQUESTION));
  ClearMessageBoxCalls();
}

TEST_F(PlatformTest, DestroyedAndForeignHandlesAreHarmless) {
  HWND dlg = Open();
  HWND pic = GetDlgItem(dlg, kPicture);
  std::vector<UINT> order;
  static std::vector<UINT>* s_order;
  s_order = &order;
  static WNDPROC s_old;
  s_old = (WNDPROC)SetWindowLongPtr(
      pic, GWLP_WNDPROC, (LONG_PTR) + [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_DESTROY || m == WM_NCDESTROY)
          s_order->push_back(m);
        return CallWindowProc(s_old, h, m, w, l);
      });
  DestroyWindow(dlg);
  windows.clear();
  EXPECT_EQ(order, (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
  HWND foreign = reinterpret_cast<HWND>(&order);
  for (HWND h : {dlg, pic, foreign}) {
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, STM_SETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_FALSE(EnableWindow(h, TRUE));
    EXPECT_EQ(GetDlgItem(h, kPicture), nullptr);
    EXPECT_EQ(GetWindowTextLength(h), 0);
    EXPECT_FALSE(SetWindowText(h, "x"));
    EXPECT_FALSE(MoveWindow(h, 0, 0, 1, 1, TRUE));
    MouseClick(h, 1, 1);
  }
  EXPECT_FALSE(DeleteObject(foreign));
  EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(foreign)), 0);
  ProcessEvents();
}

#ifndef _WIN32
// What a window holds goes with it: a list view destroys the image lists it
// holds unless it shares them (LVS_SHAREIMAGELISTS). And a process runs out
// of objects where the platform's quotas end, so a leak shows here as it
// would there. (Our layer's counts: Wine counts none, and the system's
// list views cannot be asked about a list once it is gone.)
TEST_F(PlatformTest, ObjectsGoWithTheirWindowsAndRunOutAtTheQuota) {
  HWND dlg = Open();
  HWND shared = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | LVS_ICON | LVS_SHAREIMAGELISTS, 0, 0,
                               10, 10, dlg, nullptr, nullptr, nullptr);
  HIMAGELIST held = ImageList_Create(69, 94, ILC_COLOR24, 1, 1);
  HIMAGELIST kept = ImageList_Create(69, 94, ILC_COLOR24, 1, 1);
  SendMessage(GetDlgItem(dlg, kList), LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)held);
  SendMessage(shared, LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)kept);
  const GuiObjectCount before = GuiObjects();
  DestroyWindow(dlg);
  windows.clear();
  const GuiObjectCount after = GuiObjects();
  EXPECT_LT(after.gdi, before.gdi);
  EXPECT_LT(after.user, before.user);
  EXPECT_EQ(ImageList_GetImageCount(held), 0);  // gone with its view
  EXPECT_TRUE(ImageList_Destroy(kept));

  std::vector<HBRUSH> brushes;
  while (HBRUSH b = CreateSolidBrush(RGB(1, 2, 3))) {
    brushes.push_back(b);
    ASSERT_LE(brushes.size(), 20000u);
  }
  EXPECT_EQ(GuiObjects().gdi, 10000);
  EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
  EXPECT_EQ(ImageList_Create(69, 94, ILC_COLOR24, 1, 1), nullptr);
  DeleteObject(brushes.back());
  brushes.pop_back();
  HBRUSH again = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_NE(again, nullptr);
  brushes.push_back(again);
  for (HBRUSH b : brushes) {
    DeleteObject(b);
  }
  EXPECT_EQ(GuiObjects().gdi, after.gdi - 1);
}
#endif

}  // namespace
}  // namespace platform_test
