// SPDX-License-Identifier: MIT
// The test program on Windows: the common controls of the executable's
// manifest, its own resources and the program's name, then every
// GoogleTest suite.
#include <gtest/gtest.h>

#include <windows.h>

#include <afxwin.h>
#include <commctrl.h>

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  // Message boxes take the application's name for their caption, which
  // Zorv.exe has from its file name: this executable's is another.
  CWinApp app("Zorv");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
