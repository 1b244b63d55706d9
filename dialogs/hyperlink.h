// SPDX-License-Identifier: MIT
// CHyperLink: a dialog's static text made into a link that opens its target
// with the shell, or with the browser registered for web pages.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CHyperLink : public CStatic {
 public:
  CHyperLink();
  ~CHyperLink() override;

  void SetLinkTarget(CString target);
  void SetHoverCursor(HCURSOR cursor);
  void MarkVisited(BOOL visited);

  // Opens the target; above 32 means success, else a shell error code.
  static INT_PTR OpenTarget(LPCTSTR target, int showCmd);
  // Reads the default value of root\subKey into out (outSize bytes); an
  // error code of the registry, ERROR_MORE_DATA when it does not fit.
  static LONG ReadRegistryDefault(HKEY root, LPCTSTR subKey, LPTSTR out, int outSize);
  // Where the target goes in the browser's registered command line: the
  // command is cut at its placeholder ("%1", quoted or bare), if it has one.
  static void CutAtPlaceholder(LPTSTR command);
  // The text of ShowOpenError for a code, without its heading.
  static CString OpenErrorText(int code);

  BOOL PreTranslateMessage(MSG* msg) override;

  COLORREF m_crLink;
  COLORREF m_crVisited;
  COLORREF m_crHover;
  BOOL m_bHover;
  BOOL m_bVisited;
  BOOL m_bUnderline;
  BOOL m_bFitToText;
  CString m_strTarget;
  CFont m_fontLink;
  HCURSOR m_hHandCursor;
  CToolTipCtrl m_tip;

 private:
  BOOL m_bOwnCursor;  // m_hHandCursor is our copy, destroyed with the link

 protected:
  void PreSubclassWindow() override;
  void FitToText();
  void LoadHandCursor();
  void ShowOpenError(int code);

  afx_msg void OnLinkClicked();
  afx_msg HBRUSH CtlColor(CDC* dc, UINT ctlColor);
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
