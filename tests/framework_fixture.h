// SPDX-License-Identifier: MIT
// A small module of its own for the framework's tests: one dialog with the
// kinds of controls the framework routes, and a few strings.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include <afxcmn.h>
#include <afxwin.h>
#include "platform/testing.h"
#include "res/resources.h"

namespace fwtest {

enum : WORD {
  kDialog = 9001,
  kLink = 2001,      // static with SS_NOTIFY
  kGo = 2002,        // push button
  kCount = 2003,     // static text exchanged with a CString
  kList = 2004,      // list view
  kPlain = 2005,     // static with SS_NOTIFY, never subclassed
  kGreeting = 7001,  // "%s" string
  kLong = 7002,      // a string longer than a first guess of a buffer
  kMissingDialog = 9999,
};

inline std::string LongText() {
  std::string text;
  for (int i = 0; i < 700; ++i) {
    text += "строка " + std::to_string(i) + "\r\n";
  }
  return text;
}

inline const RESOURCEMODULE* TestModule() {
  static const DLGITEMDATA items[] = {
      {kLink, "STATIC", SS_LEFT | SS_NOTIFY | WS_VISIBLE, 0, 10, 10, 60, 10, "ссылка", 0},
      {kGo, "BUTTON", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 10, 30, 40, 14, "Ход", 0},
      {kCount, "STATIC", SS_LEFT | WS_VISIBLE, 0, 80, 10, 20, 10, "6", 0},
      {kList, WC_LISTVIEW, LVS_ICON | WS_VISIBLE | WS_BORDER, 0, 10, 50, 100, 40, nullptr, 0},
      {kPlain, "STATIC", SS_LEFT | SS_NOTIFY | WS_VISIBLE, 0, 110, 10, 40, 10, "текст", 0},
      {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 120, 30, 40, 14, "OK", 0},
      {IDCANCEL, "BUTTON", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 120, 50, 40, 14, "Отмена",
       0},
  };
  static const DLGTEMPLATEDATA dialogs[] = {
      {kDialog, "Проба", "MS Sans Serif", 8,
       WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, 0, 0, 180, 100, 0, items,
       (int)(sizeof(items) / sizeof(items[0]))},
  };
  static const std::string longText = LongText();
  static const STRINGDATA strings[] = {
      {kGreeting, "Привет, %s!"},
      {kLong, longText.c_str()},
  };
  static const RESOURCEMODULE module = {"Zorv.exe", nullptr, 0, dialogs, 1, nullptr,
                                        0,          strings, 2, nullptr, 0};
  return &module;
}

// Swaps the test module in for the program's and back.
class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved = GetModuleResources();
    SetModuleResources(TestModule());
  }
  void TearDown() override {
    testing_seams::ScriptMessageBoxes(false);
    testing_seams::ClearMessageBoxCalls();
    testing_seams::ProcessEvents();
    SetModuleResources(m_saved ? m_saved : &g_zorvResources);
  }

 private:
  const RESOURCEMODULE* m_saved = nullptr;
};

}  // namespace fwtest
