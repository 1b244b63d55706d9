// SPDX-License-Identifier: MIT
// Starting programs and opening documents: ShellExecute through the
// desktop's opener, WinExec without a shell, and the library calls, which
// find no modules of the other platform here.
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <cstring>

#include <windows.h>
#include "platform/testing_shell.h"

namespace {

std::function<INT_PTR(const std::string&, const std::string&)>& shellHook() {
  static std::function<INT_PTR(const std::string&, const std::string&)> hook;
  return hook;
}

std::function<UINT(const std::string&)>& winExecHook() {
  static std::function<UINT(const std::string&)> hook;
  return hook;
}

// What the platform gives a caller on success: any value above 32.
const INT_PTR kStarted = 33;

// A web, mail or other URL opens as it is; anything without a scheme is a
// file, which has to exist.
INT_PTR openWithDesktop(const QString& file) {
  QUrl url(file, QUrl::StrictMode);
  bool hasScheme = url.isValid() && url.scheme().size() > 1;
  if (!hasScheme) {
    QFileInfo info(file);
    if (!info.exists()) {
      return info.dir().exists() ? SE_ERR_FNF : SE_ERR_PNF;
    }
    url = QUrl::fromLocalFile(info.absoluteFilePath());
  }
  return QDesktopServices::openUrl(url) ? kStarted : SE_ERR_NOASSOC;
}

}  // namespace

namespace testing_seams {

void ReplaceShellExecute(std::function<INT_PTR(const std::string&, const std::string&)> fn) {
  shellHook() = std::move(fn);
}

void ReplaceWinExec(std::function<UINT(const std::string&)> fn) {
  winExecHook() = std::move(fn);
}

void RestoreShell() {
  shellHook() = nullptr;
  winExecHook() = nullptr;
  RestoreRegistry();
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  // The platform's rules. The program's name comes first, up to the first
  // blank or between quotes, backslashes and all (it may be empty). Then
  // blanks split arguments outside quotes; 2n backslashes before a quote
  // are n and the quote opens or closes, 2n+1 are n and a literal quote;
  // other backslashes are themselves.
  std::vector<std::string> args;
  if (commandLine.empty()) {
    return args;
  }
  size_t start = 0;
  if (commandLine[0] == '"') {
    size_t close = commandLine.find('"', 1);
    args.push_back(commandLine.substr(1, close == std::string::npos ? close : close - 1));
    start = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    start = std::min(commandLine.find_first_of(" \t"), commandLine.size());
    args.push_back(commandLine.substr(0, start));
  }
  std::string current;
  bool inArg = false;
  bool quoted = false;
  for (size_t i = start; i < commandLine.size(); ++i) {
    char ch = commandLine[i];
    if (ch == '\\') {
      size_t end = commandLine.find_first_not_of('\\', i);
      size_t n = (end == std::string::npos ? commandLine.size() : end) - i;
      if (i + n < commandLine.size() && commandLine[i + n] == '"') {
        current.append(n / 2, '\\');
        if (n % 2) {
          current += '"';
        } else {
          quoted = !quoted;
        }
        i += n;
      } else {
        current.append(n, '\\');
        i += n - 1;
      }
      inArg = true;
    } else if (ch == '"') {
      quoted = !quoted;
      inArg = true;
    } else if ((ch == ' ' || ch == '\t') && !quoted) {
      if (inArg) {
        args.push_back(current);
        current.clear();
        inArg = false;
      }
    } else {
      current += ch;
      inArg = true;
    }
  }
  if (inArg) {
    args.push_back(current);
  }
  return args;
}

}  // namespace testing_seams

HINSTANCE ShellExecute(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, INT) {
  std::string verb = operation ? operation : "open";
  std::string target = file ? file : "";
  INT_PTR result;
  if (shellHook()) {
    result = shellHook()(verb, target);
  } else if (verb != "open") {
    result = SE_ERR_NOASSOC;
  } else if (target.empty()) {
    result = SE_ERR_FNF;
  } else {
    result = openWithDesktop(QString::fromUtf8(target.c_str()));
  }
  return (HINSTANCE)result;
}

UINT WinExec(LPCSTR commandLine, UINT) {
  std::string line = commandLine ? commandLine : "";
  if (winExecHook()) {
    return winExecHook()(line);
  }
  // The program and its arguments go straight to the new process: no shell
  // sees the command line, so nothing in a target is ever interpreted.
  std::vector<std::string> args = testing_seams::SplitCommandLine(line);
  if (args.empty()) {
    return ERROR_FILE_NOT_FOUND;
  }
  QString program = QString::fromUtf8(args[0].c_str());
  if (!program.contains(QLatin1Char('/'))) {
    program = QStandardPaths::findExecutable(program);
  }
  QFileInfo info(program);
  if (program.isEmpty() || !info.exists()) {
    return ERROR_FILE_NOT_FOUND;
  }
  if (!info.isFile() || !info.isExecutable()) {
    return ERROR_ACCESS_DENIED;
  }
  QStringList arguments;
  for (size_t i = 1; i < args.size(); ++i) {
    arguments << QString::fromUtf8(args[i].c_str());
  }
  return QProcess::startDetached(program, arguments) ? (UINT)kStarted : ERROR_FILE_NOT_FOUND;
}

HMODULE LoadLibrary(LPCSTR) {
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  return module != nullptr;
}

UINT GetWindowsDirectory(LPSTR buffer, UINT size) {
  // There is no system directory of the other platform here; LoadLibrary
  // finds nothing in this one either.
  static const char kDirectory[] = "/usr/share";
  if (buffer == nullptr || size < sizeof kDirectory) {
    return sizeof kDirectory;  // the size needed, with the terminating NUL
  }
  std::memcpy(buffer, kDirectory, sizeof kDirectory);
  return sizeof kDirectory - 1;
}
