// SPDX-License-Identifier: MIT
// The About and History dialogs as the player meets them: the links and
// what they open, the history text, and every way of closing either.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/about_dlg.h"
#include "dialogs/history_dlg.h"
#include "platform/testing.h"
#include "platform/testing_shell.h"
#include "tests/table_fixture.h"

namespace {

std::string WindowText(HWND hWnd) {
  char text[4096] = "";
  GetWindowText(hWnd, text, sizeof text);
  return text;
}

std::string TipText(HWND link, CToolTipCtrl& tip) {
  char text[256] = "";
  TOOLINFO info{};
  info.cbSize = sizeof info;
  info.hwnd = link;
  info.uId = 1;
  info.lpszText = text;
  SendMessage(tip, TTM_GETTEXT, sizeof text, (LPARAM)&info);
  return text;
}

TEST(AboutDlg, MailLinkShowsABlankAndOpensWithout) {
  std::vector<std::string> opened;
  testing_seams::ReplaceShellExecute([&](const std::string&, const std::string& file) {
    opened.push_back(file);
    // The program that opens comes to the front and has the mouse from
    // then on, not the link that captured it.
    ReleaseCapture();
    return (INT_PTR)33;
  });
  CAboutDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_ABOUTBOX));
  dlg.ShowWindow(SW_SHOW);
  testing_seams::ProcessEvents();

  EXPECT_EQ(WindowText(dlg.m_linkMail), "mailto: zorv@example.org");
  EXPECT_EQ(TipText(dlg.m_linkMail, dlg.m_linkMail.m_tip), "mailto:zorv@example.org");
  EXPECT_EQ(WindowText(dlg.m_linkHome), "http://www.example.org/zorv/");
  EXPECT_EQ(TipText(dlg.m_linkHome, dlg.m_linkHome.m_tip), "http://www.example.org/zorv/");
  EXPECT_EQ(dlg.m_linkMail.m_hHandCursor, LoadCursor(nullptr, IDC_HAND));

  // Each link is cut to its text: narrower than its 170-unit template
  // rectangle, and one line high.
  RECT rect;
  GetClientRect(dlg.m_linkMail, &rect);
  EXPECT_GT(rect.right, 0);
  EXPECT_LT(rect.right, 170 * 6 / 4);
  EXPECT_GT(rect.bottom, 0);

  testing_seams::MouseClick(dlg.m_linkMail, 2, 2);
  testing_seams::MouseClick(dlg.m_linkHome, 2, 2);
  testing_seams::ProcessEvents();
  EXPECT_EQ(opened,
            (std::vector<std::string>{"mailto:zorv@example.org", "http://www.example.org/zorv/"}));
  EXPECT_TRUE(dlg.m_linkMail.m_bVisited);
  dlg.DestroyWindow();
  testing_seams::RestoreShell();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(HistoryDlg, ShowsEveryVersionNewestFirstReadOnly) {
  CHistoryDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_HISTORY));
  HWND box = GetDlgItem(dlg, IDC_HISTORY_TEXT);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(GetWindowLong(box, GWL_STYLE) & ES_READONLY);

  std::vector<std::string> lines = Lines(WindowText(box));
  // Blocks: a header, "Изменения:" and the changes; an empty line between.
  std::vector<std::vector<std::string>> blocks(1);
  for (const std::string& line : lines) {
    if (line.empty()) {
      blocks.emplace_back();
    } else {
      blocks.back().push_back(line);
    }
  }
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0], (std::vector<std::string>{
                           "8 ноября 2001: версия 0.4",
                           "Изменения:", "* Карты компьютера отображаются также как и у игрока",
                           "* Вопрос о новой игре после окончания текущей",
                           "* Дополнения к алгоритму игры компьютера", "* Электронные цифры",
                           "* Интерфейс почернел"}));
  EXPECT_EQ(blocks[1][0], "6 ноября 2001: версия 0.3");
  EXPECT_EQ(blocks[1][2], "* Теперь интерфейс на русском языке");
  EXPECT_EQ(blocks[1].size(), 6u);
  EXPECT_EQ(blocks[2][0], "1 ноября 2001: версия 0.2");
  EXPECT_EQ(blocks[2].size(), 6u);
  EXPECT_EQ(blocks[3], std::vector<std::string>{"30 октября 2001: версия 0.1"});
  for (size_t b = 0; b < 3; ++b) {
    EXPECT_EQ(blocks[b][1], "Изменения:");
    for (size_t i = 2; i < blocks[b].size(); ++i) {
      EXPECT_EQ(blocks[b][i].rfind("* ", 0), 0u) << blocks[b][i];
      EXPECT_EQ(blocks[b][i].find('\n'), std::string::npos) << "a line break without CR";
    }
  }
  dlg.DestroyWindow();
}

// Runs the dialog modally, closes it the way given once it is up, and
// returns DoModal's result; a dialog that stays open is ended with -5.
INT_PTR RunAndClose(CDialog& dlg, const std::function<void(HWND)>& close) {
  testing_seams::RunWhenIdle([close] {
    HWND running = testing_seams::ActiveModalDialog();
    close(running);
    testing_seams::RunWhenIdle([running] {
      if (testing_seams::ActiveModalDialog() == running) {
        EndDialog(running, -5);
      }
    });
  });
  return dlg.DoModal();
}

TEST(SideDialogs, CloseWithTheButtonEscAndTheCloseBox) {
  struct Way {
    const char* name;
    std::function<void(HWND)> close;
    INT_PTR result;
  };
  const Way ways[] = {
      {"Угу",
       [](HWND dlg) {
         HWND ok = GetDlgItem(dlg, IDOK);
         ASSERT_EQ(WindowText(ok), "Угу");
         testing_seams::MouseClick(ok, 5, 5);
       },
       IDOK},
      {"Esc", [](HWND dlg) { testing_seams::KeyPress(dlg, VK_ESCAPE); }, IDCANCEL},
      {"close box", [](HWND dlg) { testing_seams::CloseBox(dlg); }, IDCANCEL},
  };
  for (const Way& way : ways) {
    CAboutDlg about;
    EXPECT_EQ(RunAndClose(about, way.close), way.result) << "About, " << way.name;
    CHistoryDlg history;
    EXPECT_EQ(RunAndClose(history, way.close), way.result) << "History, " << way.name;
  }
}

// The table window's "?" menu opens each dialog modally over it.
using HelpMenu = TableTest;

TEST_F(HelpMenu, OpensAboutAndHistory) {
  struct Command {
    UINT id;
    const char* caption;
  };
  const Command commands[] = {{ID_HELP_ABOUT, "Об игре \"Зорв\""}, {ID_HELP_HISTORY, "История"}};
  for (const Command& command : commands) {
    std::string caption;
    testing_seams::RunWhenIdle([&caption] {
      HWND running = testing_seams::ActiveModalDialog();
      caption = WindowText(running);
      EndDialog(running, IDOK);
    });
    SendMessage(hwnd, WM_COMMAND, command.id, 0);
    EXPECT_EQ(caption, command.caption);
    EXPECT_EQ(testing_seams::ActiveModalDialog(), nullptr);
  }
}

// Pictures of both dialogs for the documentation, written only when asked
// for: ZORV_SCREENSHOTS=<directory>.
TEST(SideDialogs, Screenshots) {
  const char* dir = std::getenv("ZORV_SCREENSHOTS");
  if (dir == nullptr) {
    GTEST_SKIP() << "set ZORV_SCREENSHOTS to a directory to write them";
  }
  CWinApp app;  // the program's colours: black with light grey text
  app.SetDialogBkColor(RGB(0, 0, 0), RGB(192, 192, 192));
  CAboutDlg about;
  ASSERT_TRUE(about.Create(IDD_ABOUTBOX));
  about.ShowWindow(SW_SHOW);
  testing_seams::ProcessEvents();
  EXPECT_TRUE(testing_seams::SaveWindowImage(about, (std::string(dir) + "/about.png").c_str()));
  about.DestroyWindow();
  CHistoryDlg history;
  ASSERT_TRUE(history.Create(IDD_HISTORY));
  history.ShowWindow(SW_SHOW);
  testing_seams::ProcessEvents();
  EXPECT_TRUE(testing_seams::SaveWindowImage(history, (std::string(dir) + "/history.png").c_str()));
  history.DestroyWindow();
}

}  // namespace
