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

std::string s_program = "zorv";

void sayNoDisplay(const std::string& why) {
  std::fprintf(stderr,
               "Зорву нужен графический дисплей, а %s. Запустите игру на рабочем столе или под "
               "виртуальным дисплеем: xvfb-run %s\n",
               why.c_str(), s_program.c_str());
  std::fflush(stderr);
}

// While the application starts: a display that is named but cannot be
// opened makes Qt say so in several lines and abort. One line and status 1
// instead, as for no display at all; Qt's own lines about it are left out.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString&) {
  if (type != QtFatalMsg)
    return;
  std::string named;
  for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"}) {
    if (isSet(name))
      named = std::string(name) + "=" + std::getenv(name);
  }
  sayNoDisplay("дисплей " + named + " открыть не удалось");
  std::_Exit(1);
}

}  // namespace

int PlatformMain(int argc, char** argv, PLATFORMENTRY entry) {
  static int s_argc;
  s_argc = argc;
  std::unique_ptr<QApplication> app;
  if (!QCoreApplication::instance()) {
    if (argc > 0 && argv[0] && *argv[0])
      s_program = argv[0];
    if (!haveDisplay()) {
      sayNoDisplay("его нет (не заданы DISPLAY и WAYLAND_DISPLAY)");
      return 1;
    }
    QtMessageHandler previous = qInstallMessageHandler(startupMessages);
    app = std::make_unique<QApplication>(s_argc, argv);
    qInstallMessageHandler(previous);
  }
  std::string cmdLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1)
      cmdLine += ' ';
    cmdLine += argv[i];
  }
  return entry ? entry(GetModuleHandle(nullptr), nullptr, cmdLine.data(), SW_SHOWNORMAL) : 0;
}
