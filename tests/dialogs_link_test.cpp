// SPDX-License-Identifier: MIT
// The link control: opening a target through the shell or the registered
// browser, the error boxes, and the colours, capture and redraws that the
// mouse brings.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#endif

#include "dialogs/hyperlink.h"
#include "platform/testing.h"
#include "platform/testing_shell.h"
#include "res/resource.h"

namespace {

const COLORREF kLink = RGB(0, 0, 238);
const COLORREF kVisited = RGB(85, 26, 139);
const COLORREF kHover = RGB(255, 92, 0);

// Stands in for the desktop: what the shell answers, what the registry
// holds, and every command line that would have been started.
class ShellScript : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_seams::ReplaceShellExecute([this](const std::string&, const std::string& file) {
      opened.push_back(file);
      return shellResult;
    });
    testing_seams::ReplaceWinExec([this](const std::string& line) {
      started.push_back(line);
      return winExecResult;
    });
    testing_seams::ReplaceRegistry({});
    testing_seams::ScriptMessageBoxes(true);
    testing_seams::ClearMessageBoxCalls();
  }
  void TearDown() override {
    testing_seams::RestoreShell();
    testing_seams::ScriptMessageBoxes(false);
  }
  void Browser(const std::string& command) {
    testing_seams::ReplaceRegistry(
        {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", command}});
  }

  INT_PTR shellResult = 33;
  UINT winExecResult = 33;
  std::vector<std::string> opened;
  std::vector<std::string> started;
};

using OpenTarget = ShellScript;

TEST_F(OpenTarget, FallsBackToTheBrowsersCommandLine) {
  struct Case {
    const char* command;
    const char* started;
  };
  const Case cases[] = {
      // Cut at the quoted placeholder's opening quote: its blank stays, so two
      // blanks stand before the target.
      {"\"/usr/bin/browser\" \"%1\"", "\"/usr/bin/browser\"  http://t.example/"},
      {"/usr/bin/browser -url \"%1\" -new", "/usr/bin/browser -url  http://t.example/"},
      {"/usr/bin/browser %1", "/usr/bin/browser  http://t.example/"},
      {"/usr/bin/browser --url=%1", "/usr/bin/browser --url= http://t.example/"},
      {"/usr/bin/browser -new", "/usr/bin/browser -new http://t.example/"},
  };
  shellResult = SE_ERR_FNF;
  for (const Case& c : cases) {
    Browser(c.command);
    started.clear();
    EXPECT_EQ(CHyperLink::OpenTarget("http://t.example/", SW_SHOW), 33) << c.command;
    ASSERT_EQ(started.size(), 1u) << c.command;
    EXPECT_EQ(started[0], c.started);
  }
}

TEST_F(OpenTarget, AnswersWithTheShellsCodeWhenNoFallbackIsPossible) {
  const std::string longValue(300, 'x');
  const std::string longTarget = "http://t.example/" + std::string(600, 'y');
  struct Case {
    const char* what;
    std::map<std::string, std::string> registry;
    std::string target;
  };
  const Case cases[] = {
      {"no .htm key", {}, "http://t.example/"},
      {"no open command", {{".htm", "htmlfile"}}, "http://t.example/"},
      {"class name too long", {{".htm", longValue}}, "http://t.example/"},
      {"command too long",
       {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", longValue}},
       "http://t.example/"},
      {"target too long",
       {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", "/usr/bin/b \"%1\""}},
       longTarget},
      // No program before the target: the target would run as one.
      {"empty command", {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", ""}}, "/bin/sh"},
      {"blank command",
       {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", " \t "}},
       "/bin/sh"},
      {"only the placeholder",
       {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", "\"%1\""}},
       "/bin/sh"},
      {"only a bare placeholder",
       {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", " %1 -new"}},
       "/bin/sh"},
  };
  shellResult = SE_ERR_NOASSOC;
  for (const Case& c : cases) {
    testing_seams::ReplaceRegistry(c.registry);
    EXPECT_EQ(CHyperLink::OpenTarget(c.target.c_str(), SW_SHOW), SE_ERR_NOASSOC) << c.what;
  }
  EXPECT_TRUE(started.empty());

  // The command buffer holds 519 characters: "/usr/bin/b " and a blank
  // leave room for a target of 507.
  Browser("/usr/bin/b %1");
  EXPECT_EQ(CHyperLink::OpenTarget(std::string(507, 'z').c_str(), SW_SHOW), 33);
  EXPECT_EQ(CHyperLink::OpenTarget(std::string(508, 'z').c_str(), SW_SHOW), SE_ERR_NOASSOC);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].size(), 519u);
}

TEST_F(OpenTarget, SuccessOfTheShellStopsThereAndTargetsStayOneArgument) {
  Browser("\"/usr/bin/browser\" \"%1\"");
  EXPECT_EQ(CHyperLink::OpenTarget("mailto:a@example.org", SW_SHOW), 33);
  EXPECT_TRUE(started.empty());

  shellResult = SE_ERR_FNF;
  winExecResult = ERROR_FILE_NOT_FOUND;
  for (const char* target :
       {"http://t.example/a b\"; rm -rf \\x", "http://t.example/\\\\\"x y\\\\"}) {
    started.clear();
    EXPECT_EQ(CHyperLink::OpenTarget(target, SW_SHOW), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(started.size(), 1u);
    std::vector<std::string> args = testing_seams::SplitCommandLine(started[0]);
    EXPECT_EQ(args, (std::vector<std::string>{"/usr/bin/browser", target}));
  }
}

TEST(CommandLines, SplitHonouringQuotesAndBackslashesBeforeThem) {
  using Args = std::vector<std::string>;
  struct Case {
    const char* line;
    Args args;
  };
  const Case cases[] = {
      {"\"/usr/bin/browser\"  http://a.example/", {"/usr/bin/browser", "http://a.example/"}},
      {"/usr/bin/browser --new-window x", {"/usr/bin/browser", "--new-window", "x"}},
      {"\"/opt/my browser/run\" \"a b\"", {"/opt/my browser/run", "a b"}},
      {"prog \"say \\\"hi\\\" \\\\ there\"", {"prog", "say \"hi\" \\\\ there"}},
      {"prog a\\b", {"prog", "a\\b"}},
      {"prog \"a\\\\\" b", {"prog", "a\\", "b"}},
      {"prog a\\\\\\\"b c", {"prog", "a\\\"b", "c"}},
      {"prog \"\"", {"prog", ""}},
      {"\"C:\\a b\\\"x y", {"C:\\a b\\", "x", "y"}},
      {"   a", {"", "a"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(testing_seams::SplitCommandLine(c.line), c.args) << c.line;
  }
}

TEST(OpenErrorText, NamesTheShellsCodes) {
  EXPECT_EQ(CHyperLink::OpenErrorText(SE_ERR_SHARE), "A sharing violation occurred. ");
  EXPECT_EQ(CHyperLink::OpenErrorText(4), "Unknown Error (4) occurred.");
}

// A link that remembers the hover state its last paint showed.
class CountingLink : public CHyperLink {
 public:
  int paints = 0;
  BOOL paintedHover = FALSE;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) {
      ++paints;
      paintedHover = m_bHover;
    }
    return CHyperLink::WindowProc(message, wParam, lParam);
  }
};

// The About box's template with the home page's static as the link.
class LinkDlg : public CDialog {
 public:
  LinkDlg() : CDialog(IDD_ABOUTBOX) {}
  CountingLink m_link;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_LINK_HOME, m_link); }
};

class LinkWindow : public ShellScript {
 protected:
  void SetUp() override {
    ShellScript::SetUp();
    ASSERT_TRUE(dlg.Create(IDD_ABOUTBOX));
    dlg.ShowWindow(SW_SHOW);
    testing_seams::ProcessEvents();
  }
  void TearDown() override {
    dlg.DestroyWindow();
    ShellScript::TearDown();
  }
  // The colour the link's text is drawn in, as its parent asks for it.
  COLORREF TextColour() {
    HDC dc = GetDC(dlg.m_link);
    SendMessage(dlg, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)(HWND)dlg.m_link);
    COLORREF colour = GetTextColor(dc);
    ReleaseDC(dlg.m_link, dc);
    return colour;
  }
  void MoveTo(int x, int y) {
    testing_seams::MouseMove(dlg.m_link, x, y);
    testing_seams::ProcessEvents();
  }

  LinkDlg dlg;
};

// The window system here may paint on any mouse move, so the test pins
// what the paints show rather than how many there are.
TEST_F(LinkWindow, HoverRedrawsOnEnteringAndLeavingAndReleasesTheCapture) {
  CountingLink& link = dlg.m_link;
  link.paints = 0;
  MoveTo(2, 2);
  EXPECT_TRUE(link.m_bHover);
  EXPECT_EQ(GetCapture(), link.m_hWnd);
  EXPECT_EQ(TextColour(), kHover);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  EXPECT_GT(link.paints, 0);
  EXPECT_TRUE(link.paintedHover);

  MoveTo(4, 3);
  EXPECT_TRUE(link.m_bHover);
  EXPECT_EQ(GetCapture(), link.m_hWnd);

  link.paints = 0;
  MoveTo(-10, -10);
  EXPECT_FALSE(link.m_bHover);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(TextColour(), kLink);
  EXPECT_GT(link.paints, 0);
  EXPECT_FALSE(link.paintedHover);
}

TEST_F(LinkWindow, ColoursFollowOpeningsAndFailures) {
  EXPECT_EQ(TextColour(), kLink);
  EXPECT_EQ(GetWindowLong(dlg.m_link, GWL_STYLE) & SS_NOTIFY, SS_NOTIFY);

  MoveTo(2, 2);
  testing_seams::MouseClick(dlg.m_link, 2, 2);
  testing_seams::ProcessEvents();
  ASSERT_EQ(opened, std::vector<std::string>{"http://www.example.org/zorv/"});
  // The click clears the hover flag but keeps the capture: the next move
  // hovers again, the one after leaves.
  EXPECT_FALSE(dlg.m_link.m_bHover);
  EXPECT_EQ(GetCapture(), dlg.m_link.m_hWnd);
  MoveTo(3, 3);
  EXPECT_EQ(TextColour(), kHover);
  MoveTo(-10, -10);
  EXPECT_EQ(TextColour(), kVisited);
  EXPECT_TRUE(testing_seams::MessageBoxCalls().empty());

  // A failed open, with nothing to fall back on, warns and takes the
  // visited colour away.
  shellResult = SE_ERR_FNF;
  testing_seams::MouseClick(dlg.m_link, 2, 2);
  testing_seams::ProcessEvents();
  ASSERT_EQ(testing_seams::MessageBoxCalls().size(), 1u);
  const testing_seams::MessageBoxCall& box = testing_seams::MessageBoxCalls()[0];
  EXPECT_EQ(box.text, "Unable to open hyperlink:\n\nThe specified file was not found.");
  EXPECT_EQ(box.type & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
  MoveTo(3, 3);
  MoveTo(-10, -10);
  EXPECT_EQ(TextColour(), kLink);
  EXPECT_FALSE(dlg.m_link.m_bVisited);
}

#ifndef _WIN32
// The error box of a failed open lies over the link; once it is closed the
// window system's own repaint draws the link again, no longer hovered.
// (A real box of our layer, driven through Qt.)
TEST_F(LinkWindow, ClosedErrorBoxLeavesTheLinkDrawnUnhovered) {
  CountingLink& link = dlg.m_link;
  shellResult = SE_ERR_FNF;
  MoveTo(2, 2);
  ASSERT_TRUE(link.paintedHover);
  testing_seams::ScriptMessageBoxes(false);
  bool boxShown = false;
  testing_seams::RunWhenIdle([&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    boxShown = true;
    RECT r;
    GetWindowRect(link.m_hWnd, &r);
    box->move(r.left - 10, r.top - 10);
    QCoreApplication::processEvents();
    link.paints = 0;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &enter);
  });
  testing_seams::MouseClick(link.m_hWnd, 2, 2);
  testing_seams::ScriptMessageBoxes(true);
  ASSERT_TRUE(boxShown);
  // Qt's own loop only: the seam's ProcessEvents would repaint everything.
  for (int i = 0; i < 5; ++i)
    QCoreApplication::processEvents();
  EXPECT_GT(link.paints, 0);
  EXPECT_FALSE(link.paintedHover);
}
#endif

TEST_F(LinkWindow, TargetSetBeforeTheWindowBecomesTheTextOfAnEmptyStatic) {
  CHyperLink link;
  link.SetLinkTarget("http://target.example/");
  EXPECT_EQ(link.m_strTarget, "http://target.example/");
  EXPECT_EQ(link.m_hWnd, nullptr);

  SetDlgItemText(dlg, IDC_LINK_MAIL, "");
  ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_MAIL, &dlg));
  CString text;
  link.GetWindowText(text);
  EXPECT_EQ(text, "http://target.example/");
  EXPECT_EQ(link.m_hHandCursor, LoadCursor(nullptr, IDC_HAND));
  link.UnsubclassWindow();
}

}  // namespace
