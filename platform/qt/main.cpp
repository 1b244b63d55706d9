// SPDX-License-Identifier: MIT
// Process start: the Qt application, then the program's entry point.
#include <QApplication>
#include <memory>
#include <string>

#include "platform/windows.h"

int PlatformMain(int argc, char** argv, PLATFORMENTRY entry) {
  static int s_argc;
  s_argc = argc;
  std::unique_ptr<QApplication> app;
  if (!QCoreApplication::instance())
    app = std::make_unique<QApplication>(s_argc, argv);
  std::string cmdLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1)
      cmdLine += ' ';
    cmdLine += argv[i];
  }
  return entry ? entry(GetModuleHandle(nullptr), nullptr, cmdLine.data(), SW_SHOWNORMAL) : 0;
}
