// SPDX-License-Identifier: MIT
// The program's entry point over the layer: the resources handed to it,
// then the framework's start-up.
#include <afxwin.h>
#include <windows.h>

#include "res/resources.h"

int main(int argc, char** argv) {
  SetModuleResources(&g_zorvResources);
  return PlatformMain(argc, argv, AfxWinMain);
}
