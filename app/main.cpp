// SPDX-License-Identifier: MIT
// The program's entry point and its one application object.
#include <windows.h>
#include "app/zorv_app.h"
#include "res/resources.h"

// The one application object. It lives here, beside main, so that the
// program always links it while tests can make their own.
CZorvApp theApp;

int main(int argc, char** argv) {
  SetModuleResources(&g_zorvResources);
  return PlatformMain(argc, argv, AfxWinMain);
}
