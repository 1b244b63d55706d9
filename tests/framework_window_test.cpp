// SPDX-License-Identifier: MIT
// Message maps, reflection, data exchange and modal dialogs, driven through
// the messages and the input a user's action produces.
#include <functional>
#include <vector>

#include "tests/framework_fixture.h"

using namespace fwtest;

namespace {

// A static that handles its own clicks and colours (reflected messages).
class CSelfLink : public CStatic {
 public:
  int m_nClicks = 0;
  int m_nPreSubclass = 0;
  int m_nMouseMoves = 0;
  int m_nPreTranslated = 0;
  BOOL m_bEatInput = FALSE;
  CBrush m_brush{RGB(1, 2, 3)};

  void PreSubclassWindow() override { ++m_nPreSubclass; }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_MOUSEMOVE) {
      ++m_nPreTranslated;
    }
    return m_bEatInput || CStatic::PreTranslateMessage(msg);
  }

 protected:
  afx_msg void OnClicked() { ++m_nClicks; }
  afx_msg HBRUSH CtlColor(CDC* dc, UINT) {
    dc->SetTextColor(RGB(0, 0, 238));
    return m_brush;
  }
  afx_msg void OnMouseMove(UINT, CPoint) { ++m_nMouseMoves; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfLink, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

class CProbeDlg : public CDialog {
 public:
  CProbeDlg() : CDialog(kDialog) {}
  explicit CProbeDlg(UINT templateId) : CDialog(templateId) {}

  CSelfLink m_link;
  CString m_strCount = "7";
  BOOL m_bBindLink = TRUE;
  std::vector<std::string> m_log;
  int m_nEndWith = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    if (m_bBindLink) {
      DDX_Control(dx, kLink, m_link);
    }
    DDX_Text(dx, kCount, m_strCount);
  }
  afx_msg void OnNewGame() {
    m_log.push_back("new");
    if (m_nEndWith) {
      EndDialog(m_nEndWith);
      // Ending takes effect once the handler returns.
      m_log.push_back(::IsWindow(m_hWnd) ? "still open" : "gone");
    }
  }
  afx_msg void OnGo() { m_log.push_back("go"); }
  afx_msg void OnLinkClicked() { m_log.push_back("link"); }
  afx_msg void OnPlainClicked() { m_log.push_back("plain"); }
  afx_msg void OnClickList(NMHDR* header, LRESULT* result) {
    m_log.push_back("list " + std::to_string(header->idFrom));
    *result = 77;
  }
  afx_msg LRESULT OnPing(WPARAM w, LPARAM) {
    m_log.push_back("ping");
    return (LRESULT)w + 1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeDlg, CDialog)
ON_COMMAND(32776, OnNewGame)
ON_BN_CLICKED(kGo, OnGo)
ON_STN_CLICKED(kLink, OnLinkClicked)
ON_STN_CLICKED(kPlain, OnPlainClicked)
ON_NOTIFY(NM_CLICK, kList, OnClickList)
ON_MESSAGE(WM_USER + 5, OnPing)
END_MESSAGE_MAP()

// Adds entries of its own; everything else falls through to CProbeDlg's
// and CDialog's maps.
class CDerivedDlg : public CProbeDlg {
 protected:
  afx_msg void OnGoHere() { m_log.push_back("derived go"); }
  afx_msg void OnExit() { OnCancel(); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CProbeDlg)
ON_BN_CLICKED(kGo, OnGoHere)
ON_COMMAND(32771, OnExit)
END_MESSAGE_MAP()

LRESULT Command(HWND dlg, int id, int code, HWND control) {
  return ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)control);
}

std::vector<std::string> Log(std::initializer_list<const char*> items) {
  return std::vector<std::string>(items.begin(), items.end());
}

}  // namespace

TEST_F(FrameworkTest, CommandsAndNotificationsReachTheirHandlersById) {
  CProbeDlg dlg;
  dlg.m_bBindLink = FALSE;
  ASSERT_TRUE(dlg.Create(kDialog));
  HWND h = dlg.m_hWnd;
  Command(h, 32776, 0, nullptr);  // menu
  Command(h, 32776, 1, nullptr);  // accelerator
  Command(h, 32775, 0, nullptr);  // not in the map
  Command(h, kGo, BN_CLICKED, ::GetDlgItem(h, kGo));
  Command(h, kGo, 5, ::GetDlgItem(h, kGo));  // another notification code
  Command(h, kPlain, STN_CLICKED, ::GetDlgItem(h, kPlain));
  Command(h, kLink, STN_CLICKED, ::GetDlgItem(h, kLink));  // unbound: the parent handles it

  NMHDR click{::GetDlgItem(h, kList), kList, NM_CLICK};
  EXPECT_EQ(::SendMessage(h, WM_NOTIFY, kList, (LPARAM)&click), 77);
  NMHDR dbl{::GetDlgItem(h, kList), kList, NM_DBLCLK};
  ::SendMessage(h, WM_NOTIFY, kList, (LPARAM)&dbl);
  NMHDR other{::GetDlgItem(h, kGo), kGo, NM_CLICK};
  ::SendMessage(h, WM_NOTIFY, kGo, (LPARAM)&other);
  EXPECT_EQ(::SendMessage(h, WM_USER + 5, 41, 0), 42);

  EXPECT_EQ(dlg.m_log, Log({"new", "new", "go", "plain", "link", "list 2004", "ping"}));
  dlg.DestroyWindow();
}

TEST_F(FrameworkTest, DerivedMapsComeFirstThenTheirBases) {
  CDerivedDlg dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  HWND h = dlg.m_hWnd;
  Command(h, kGo, BN_CLICKED, ::GetDlgItem(h, kGo));
  Command(h, 32776, 0, nullptr);
  Command(h, 32771, 0, nullptr);  // OnCancel from CDialog's part
  EXPECT_EQ(dlg.m_log, Log({"derived go", "new"}));
  INT_PTR result = 0;
  EXPECT_TRUE(testing_seams::DialogEnded(h, &result));
  EXPECT_EQ(result, IDCANCEL);
  dlg.DestroyWindow();
}

TEST_F(FrameworkTest, BoundControlHandlesItsOwnClickAndColour) {
  CProbeDlg dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  HWND h = dlg.m_hWnd;
  HWND link = ::GetDlgItem(h, kLink);
  Command(h, kLink, STN_CLICKED, link);
  EXPECT_EQ(dlg.m_link.m_nClicks, 1);
  EXPECT_TRUE(dlg.m_log.empty()) << "the parent must not see a click the child handled";

  testing_seams::MouseClick(link, 2, 2);
  testing_seams::ProcessEvents();
  EXPECT_EQ(dlg.m_link.m_nClicks, 2);

  HDC dc = ::GetDC(link);
  LRESULT brush = ::SendMessage(h, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)link);
  EXPECT_EQ((HBRUSH)brush, (HBRUSH)dlg.m_link.m_brush);
  EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 238));
  ::ReleaseDC(link, dc);
  dlg.DestroyWindow();
}

TEST_F(FrameworkTest, DialogColoursApplyWhereNoControlChoseItsOwn) {
  CWinApp app;
  app.SetDialogBkColor(RGB(0, 0, 0), RGB(192, 192, 192));
  CProbeDlg dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  HWND h = dlg.m_hWnd;
  HWND plain = ::GetDlgItem(h, kPlain);
  HDC dc = ::GetDC(plain);
  struct Case {
    UINT message;
    bool dialogBrush;
  } cases[] = {
      {WM_CTLCOLORSTATIC, true},   {WM_CTLCOLORDLG, true},    {WM_CTLCOLORBTN, true},
      {WM_CTLCOLOREDIT, true},     {WM_CTLCOLORMSGBOX, true}, {WM_CTLCOLORSCROLLBAR, false},
      {WM_CTLCOLORLISTBOX, false},
  };
  for (const Case& c : cases) {
    ::SetTextColor(dc, RGB(9, 9, 9));
    HBRUSH brush = (HBRUSH)::SendMessage(h, c.message, (WPARAM)dc, (LPARAM)plain);
    EXPECT_EQ(brush == app.m_hDlgBkBrush, c.dialogBrush) << std::hex << c.message;
    EXPECT_EQ(::GetTextColor(dc) == RGB(192, 192, 192), c.dialogBrush) << std::hex << c.message;
  }
  ::ReleaseDC(plain, dc);
  dlg.DestroyWindow();
}

TEST_F(FrameworkTest, DataExchangeBindsOnceAndMovesTextBothWays) {
  CProbeDlg dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  HWND h = dlg.m_hWnd;
  HWND link = ::GetDlgItem(h, kLink);
  EXPECT_EQ(dlg.m_link.m_hWnd, link);
  EXPECT_EQ(CWnd::FromHandlePermanent(link), &dlg.m_link);
  EXPECT_EQ(CWnd::FromHandle(h), &dlg);
  EXPECT_EQ(dlg.m_link.m_nPreSubclass, 1);

  CString text;
  dlg.GetDlgItemText(kCount, text);
  EXPECT_EQ(text, "7");  // OnInitDialog put the member into the control
  dlg.m_strCount = "24";
  dlg.UpdateData(FALSE);
  dlg.GetDlgItemText(kCount, text);
  EXPECT_EQ(text, "24");
  ::SetDlgItemText(h, kCount, "Ещё");
  EXPECT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_strCount, "Ещё");
  EXPECT_EQ(dlg.m_link.m_nPreSubclass, 1);

  // The window goes; the members let go of it and bind afresh next time.
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_link.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(link), nullptr);
  ASSERT_TRUE(dlg.Create(kDialog));
  EXPECT_EQ(dlg.m_link.m_hWnd, ::GetDlgItem(dlg.m_hWnd, kLink));
  EXPECT_EQ(dlg.m_link.m_nPreSubclass, 2);
  dlg.DestroyWindow();
}

TEST_F(FrameworkTest, TemporaryWrappersGiveWayToPermanentObjects) {
  CProbeDlg dlg;
  dlg.m_bBindLink = FALSE;
  ASSERT_TRUE(dlg.Create(kDialog));
  HWND go = ::GetDlgItem(dlg.m_hWnd, kGo);
  CWnd* temp = dlg.GetDlgItem(kGo);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hWnd, go);
  EXPECT_EQ(dlg.GetDlgItem(kGo), temp);
  EXPECT_EQ(CWnd::FromHandlePermanent(go), nullptr);
  CButton button;
  EXPECT_TRUE(button.SubclassWindow(go));
  EXPECT_EQ(dlg.GetDlgItem(kGo), &button);
  EXPECT_FALSE(CButton().Attach(go)) << "a window has one permanent object";
  dlg.DestroyWindow();
  EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST_F(FrameworkTest, PreTranslationSeesInputFirstAndCanEatIt) {
  CProbeDlg dlg;
  ASSERT_TRUE(dlg.Create(kDialog));
  HWND link = dlg.m_link.m_hWnd;
  // Every move the control is offered first reaches it (the system may add
  // moves of its own); eaten ones do not.
  testing_seams::MouseMove(link, 3, 3);
  testing_seams::ProcessEvents();
  EXPECT_GE(dlg.m_link.m_nPreTranslated, 1);
  EXPECT_GE(dlg.m_link.m_nMouseMoves, 1);
  const int moves = dlg.m_link.m_nMouseMoves;
  dlg.m_link.m_bEatInput = TRUE;
  testing_seams::MouseMove(link, 4, 4);
  testing_seams::ProcessEvents();
  EXPECT_GT(dlg.m_link.m_nPreTranslated, moves);
  EXPECT_EQ(dlg.m_link.m_nMouseMoves, moves);
  dlg.DestroyWindow();
}

TEST_F(FrameworkTest, ModalRunsEndWithTheCodeOfTheUsersAction) {
  struct Case {
    const char* name;
    std::function<void(CProbeDlg&)> act;
    INT_PTR want;
  } cases[] = {
      {"Enter", [](CProbeDlg& d) { testing_seams::KeyPress(d.m_hWnd, VK_RETURN); }, IDOK},
      {"Esc", [](CProbeDlg& d) { testing_seams::KeyPress(d.m_hWnd, VK_ESCAPE); }, IDCANCEL},
      {"close box", [](CProbeDlg& d) { testing_seams::CloseBox(d.m_hWnd); }, IDCANCEL},
      {"EndDialog in a handler",
       [](CProbeDlg& d) {
         d.m_nEndWith = 5;
         Command(d.m_hWnd, 32776, 0, nullptr);
       },
       5},
  };
  for (const Case& c : cases) {
    CProbeDlg dlg;
    testing_seams::RunWhenIdle([&] { c.act(dlg); });
    EXPECT_EQ(dlg.DoModal(), c.want) << c.name;
    EXPECT_EQ(dlg.m_hWnd, nullptr) << c.name;
    EXPECT_EQ(dlg.m_link.m_hWnd, nullptr) << c.name;
    if (c.want == 5) {
      EXPECT_EQ(dlg.m_log, Log({"new", "still open"}));
    }
  }
}

TEST_F(FrameworkTest, OkSavesTheExchangedTextCancelDoesNot) {
  for (INT_PTR key : {VK_RETURN, VK_ESCAPE}) {
    CProbeDlg dlg;
    testing_seams::RunWhenIdle([&] {
      ::SetDlgItemText(dlg.m_hWnd, kCount, "12");
      testing_seams::KeyPress(dlg.m_hWnd, (int)key);
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_strCount, key == VK_RETURN ? "12" : "7");
  }
}

TEST_F(FrameworkTest, BoxesAndNestedDialogsBelongToTheRunningDialog) {
  testing_seams::ScriptMessageBoxes(true);
  testing_seams::ClearMessageBoxCalls();
  CProbeDlg outer;
  HWND outerWnd = nullptr;
  INT_PTR innerResult = 0;
  testing_seams::RunWhenIdle([&] {
    outerWnd = outer.m_hWnd;
    AfxMessageBox("Ничья");
    outer.MessageBox("Неужели?");
    CProbeDlg inner;
    testing_seams::RunWhenIdle([&] {
      EXPECT_EQ(testing_seams::ActiveModalDialog(), inner.m_hWnd);
      AfxMessageBox("изнутри");
      testing_seams::KeyPress(inner.m_hWnd, VK_ESCAPE);
    });
    innerResult = inner.DoModal();
    outer.EndDialog(IDOK);
  });
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_EQ(innerResult, IDCANCEL);
  const auto& calls = testing_seams::MessageBoxCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].owner, outerWnd);
  EXPECT_EQ(calls[1].owner, outerWnd);
  EXPECT_EQ(calls[1].caption, "Zorv");
  EXPECT_NE(calls[2].owner, outerWnd);
  EXPECT_NE(calls[2].owner, nullptr);
}

TEST_F(FrameworkTest, MissingTemplateGivesMinusOne) {
  CProbeDlg dlg(kMissingDialog);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_FALSE(dlg.Create(kMissingDialog));
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}
