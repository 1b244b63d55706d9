// SPDX-License-Identifier: MIT
// GDI wrappers and the control classes, read back from the controls.
#include <vector>

#include "tests/framework_fixture.h"

using namespace fwtest;

namespace {

// A palette of n entries with red = 10 * i.
BOOL MakePalette(CPalette& palette, int n) {
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * n);
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(memory.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = (WORD)n;
  for (int i = 0; i < n; ++i) {
    lp->palPalEntry[i] = PALETTEENTRY{(BYTE)(10 * i), 0, 0, 0};
  }
  return palette.CreatePalette(lp);
}

}  // namespace

TEST_F(FrameworkTest, PaletteSelectionHandsBackThePreviousPalette) {
  CPalette palette;
  ASSERT_TRUE(MakePalette(palette, 5));
  EXPECT_EQ(palette.GetEntryCount(), 5);
  PALETTEENTRY entries[5] = {};
  EXPECT_EQ(palette.GetPaletteEntries(0, 5, entries), 5u);
  EXPECT_EQ(entries[3].peRed, 30);
  EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(29, 0, 0)), 3u);

  CDialog dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  {
    CClientDC dc(&dlg);
    ASSERT_NE(dc.m_hDC, nullptr);
    CPalette* old = dc.SelectPalette(&palette, FALSE);
    ASSERT_NE(old, nullptr);
    EXPECT_NE(old->m_hObject, palette.m_hObject);
    CPalette* mine = dc.SelectPalette(old, FALSE);
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->m_hObject, palette.m_hObject);
    EXPECT_EQ(CPalette::FromHandle(palette), mine) << "one temporary per handle";
  }
  // The temporary wrapper never owned the palette.
  EXPECT_EQ(palette.GetEntryCount(), 5);
  dlg.DestroyWindow();

  palette.DeleteObject();
  EXPECT_EQ(palette.m_hObject, nullptr);
  EXPECT_EQ(palette.GetEntryCount(), 0);
}

TEST_F(FrameworkTest, ListControlTakesItemsSpacingAndState) {
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  CListCtrl list;
  ASSERT_TRUE(list.SubclassWindow(::GetDlgItem(dlg.m_hWnd, kList)));

  CImageList images;
  ASSERT_TRUE(images.Create(8, 8, ILC_COLOR8 | ILC_MASK, 0, 4));
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 8, 8);
  ::ReleaseDC(nullptr, screen);
  CBitmap* wrapped = CBitmap::FromHandle(bitmap);
  EXPECT_EQ(images.Add(wrapped, RGB(0, 0, 0)), 0);
  EXPECT_EQ(images.Add(wrapped, RGB(0, 0, 0)), 1);
  EXPECT_EQ(images.GetImageCount(), 2);
  HIMAGELIST before = list.SetImageList(images, LVSIL_NORMAL);
  EXPECT_EQ(list.GetImageList(LVSIL_NORMAL), images.GetSafeHandle());

  list.SetIconSpacing(70, 100);
  CSize previous = list.SetIconSpacing(73, 100);
  EXPECT_EQ(previous.cx, 70);
  EXPECT_EQ(previous.cy, 100);

  EXPECT_EQ(list.InsertItem(0, "первая", 1), 0);
  EXPECT_EQ(list.InsertItem(1, "вторая", 0), 1);
  EXPECT_EQ(list.GetItemCount(), 2);
  char text[32] = {};
  LVITEM item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = 0;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(list.GetItem(&item));
  EXPECT_STREQ(text, "первая");
  EXPECT_EQ(item.iImage, 1);

  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), (UINT)LVIS_SELECTED);

  list.SetImageList(before, LVSIL_NORMAL);
  dlg.DestroyWindow();
  ::DeleteObject(bitmap);
}

TEST_F(FrameworkTest, TooltipTakesToolsAndGoesWithItsObject) {
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  CWnd* link = dlg.GetDlgItem(kLink);
  HWND tipWnd = nullptr;
  {
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(link));
    tipWnd = tip.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(tipWnd), &tip);
    CRect rect(0, 0, 20, 10);
    EXPECT_TRUE(tip.AddTool(link, "mailto:a@example.org", &rect, 1));
    EXPECT_EQ(tip.GetToolCount(), 1);
  }
  EXPECT_FALSE(::IsWindow(tipWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(tipWnd), nullptr);
  dlg.DestroyWindow();
}
