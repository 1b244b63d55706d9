// SPDX-License-Identifier: MIT
// The start-up loop: a fresh run of the table window after every IDOK.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/zorv_app.h"
#include "platform/testing.h"
#include "res/resources.h"
#include "table/zorv_dlg.h"

namespace {

class StartUpLoopTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_seams::ScriptMessageBoxes(true); }
  void TearDown() override {
    // A callback still queued must find nothing left to act on.
    m_watch->active = false;
    SetModuleResources(&g_zorvResources);
    testing_seams::ClearMessageBoxCalls();
    testing_seams::ScriptMessageBoxes(false);
  }

  // Calls act once on each new run of the table window.
  void OnEachRun(std::function<void(int run, HWND window)> act) {
    m_watch->act = std::move(act);
    Wait(m_watch);
  }
  int Runs() const { return m_watch->runs; }

 private:
  struct Watch {
    bool active = true;
    int runs = 0;
    std::function<void(int, HWND)> act;
  };

  static void Wait(std::shared_ptr<Watch> watch) {
    testing_seams::RunWhenIdle([watch] {
      if (!watch->active) {
        return;
      }
      // A run is new while its hint still invites the first move; the
      // watch blanks it once it has acted.
      HWND window = testing_seams::ActiveModalDialog();
      char hint[64] = {};
      if (window) {
        ::GetDlgItemText(window, IDC_HINT, hint, sizeof hint);
      }
      if (window && strcmp(hint, "Ваш ход...") == 0) {
        ::SetDlgItemText(window, IDC_HINT, "");
        watch->act(++watch->runs, window);
      }
      Wait(watch);
    });
  }

  std::shared_ptr<Watch> m_watch = std::make_shared<Watch>();
};

TEST_F(StartUpLoopTest, EnterDealsInAFreshWindowAndEscapeEndsTheProgram) {
  CZorvApp app;
  OnEachRun([](int run, HWND window) {
    char stock[8] = {};
    ::GetDlgItemText(window, IDC_DECK_COUNT, stock, sizeof stock);
    EXPECT_STREQ(stock, "24") << "run " << run;
    testing_seams::KeyPress(window, run < 3 ? VK_RETURN : VK_ESCAPE);
  });
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(Runs(), 3);
}

#ifndef _WIN32
// (These two need our layer: a resource module swapped while the program
// runs, and a Linux terminal without a display.)
TEST_F(StartUpLoopTest, ARunThatCannotOpenTheWindowEndsTheProgram) {
  static const RESOURCEMODULE kNoDialogs = {"Zorv.exe", nullptr, 0, nullptr, 0, nullptr,
                                            0,          nullptr, 0, nullptr, 0};
  CZorvApp app;
  OnEachRun([](int, HWND window) {
    // The next run finds no template for the window.
    SetModuleResources(&kNoDialogs);
    testing_seams::KeyPress(window, VK_RETURN);
  });
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(Runs(), 1);
}

// Started from a plain terminal login there is no display, and a display
// that is named may not be there: either way the program says so in one
// line, naming the display and itself as it was started, and ends with
// status 1 rather than aborting.
TEST(ProgramStart, WithoutADisplaySaysSoAndEndsWithOne) {
  const struct {
    const char* env;
    const char* said;
  } rows[] = {
      {"-u DISPLAY -u WAYLAND_DISPLAY", "не заданы DISPLAY"},
      {"-u WAYLAND_DISPLAY DISPLAY=:189", "DISPLAY=:189"},
      {"-u DISPLAY WAYLAND_DISPLAY=zorv-nowhere", "WAYLAND_DISPLAY=zorv-nowhere"},
  };
  for (const auto& row : rows) {
    const std::string command =
        std::string("env -u QT_QPA_PLATFORM ") + row.env + " " ZORV_PROGRAM " 2>&1";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p))
      out += buffer;
    int status = pclose(p);
    ASSERT_TRUE(WIFEXITED(status)) << row.env << ": " << out;
    EXPECT_EQ(WEXITSTATUS(status), 1) << out;
    EXPECT_NE(out.find(row.said), std::string::npos) << out;
    EXPECT_NE(out.find("xvfb-run " ZORV_PROGRAM), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
  }
}

#endif

}  // namespace
