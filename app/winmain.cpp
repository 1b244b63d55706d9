// SPDX-License-Identifier: MIT
// The program's entry point on Windows, where the system calls it and the
// resources are the executable's own: the framework's start-up.
#include <afxwin.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show) {
  return AfxWinMain(instance, prev, cmdLine, show);
}
