// SPDX-License-Identifier: MIT
// The picture of the table in the README: the real window with the program's
// colours and a fixed deal, rendered offscreen. Written only when asked for
// (scripts/screenshot sets ZORV_SCREENSHOTS=<directory>).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/deck.h"
#include "platform/testing.h"
#include "table/zorv_dlg.h"

namespace {

TEST(Screenshots, Table) {
  const char* dir = std::getenv("ZORV_SCREENSHOTS");
  if (dir == nullptr) {
    GTEST_SKIP() << "set ZORV_SCREENSHOTS to a directory to write it";
  }
  CWinApp app;
  app.SetDialogBkColor(RGB(0, 0, 0), RGB(192, 192, 192));
  static unsigned seed = 7;
  g_pfnDeckRandom = [] {
    seed = seed * 1103515245u + 12345u;
    return (int)((seed >> 16) & 0x7fff);
  };
  CZorvDlg dlg;
  bool saved = false;
  testing_seams::RunWhenIdle([&] {
    testing_seams::ProcessEvents();
    saved =
        testing_seams::SaveWindowImage(dlg.m_hWnd, (std::string(dir) + "/screenshot.png").c_str());
    dlg.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  g_pfnDeckRandom = nullptr;
  EXPECT_TRUE(saved);
}

}  // namespace
