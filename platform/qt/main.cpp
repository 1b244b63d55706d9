// SPDX-License-Identifier: MIT
// Process start: the Qt application, then the program's entry point.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <windows.h>

namespace {

bool isSet(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

// Qt aborts when its desktop platform finds no display; say so plainly
// instead. A platform named in QT_QPA_PLATFORM other than the desktop's
// own (offscreen, vnc, ...) needs none.
bool haveDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  bool desktop = !platform || !*platform || std::strncmp(platform, "xcb", 3) == 0 ||
                 std::strncmp(platform, "wayland", 7) == 0;
  return !desktop || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

}  // namespace

int PlatformMain(int argc, char** argv, PLATFORMENTRY entry) {
  static int s_argc;
  s_argc = argc;
  std::unique_ptr<QApplication> app;
  if (!QCoreApplication::instance()) {
    if (!haveDisplay()) {
      std::fputs(
          "Зорву нужен графический дисплей, а его нет (не заданы DISPLAY и WAYLAND_DISPLAY). "
          "Запустите игру на рабочем столе или под виртуальным дисплеем: xvfb-run zorv\n",
          stderr);
      return 1;
    }
    app = std::make_unique<QApplication>(s_argc, argv);
  }
  std::string cmdLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1)
      cmdLine += ' ';
    cmdLine += argv[i];
  }
  return entry ? entry(GetModuleHandle(nullptr), nullptr, cmdLine.data(), SW_SHOWNORMAL) : 0;
}
