// SPDX-License-Identifier: MIT
#include "app/zorv_app.h"
#include "platform/windows.h"
#include "res/resources.h"

int main(int argc, char** argv) {
  // theApp lives in the core library; naming it here links it in.
  CWinApp* app = &theApp;
  (void)app;
  SetModuleResources(&g_zorvResources);
  return PlatformMain(argc, argv, AfxWinMain);
}
