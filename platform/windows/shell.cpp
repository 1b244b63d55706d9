// SPDX-License-Identifier: MIT
// Test seams of the shell and the registry over the real system: the
// opener and WinExec caught in the import table, HKEY_CLASSES_ROOT mapped
// onto a key of the test's own for the process (RegOverridePredefKey).
#include <windows.h>

#include <shellapi.h>

#include "platform/testing_shell.h"
#include "platform/windows/imports.h"

namespace {

using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using WinExecFn = UINT(WINAPI*)(LPCSTR, UINT);

ShellExecuteFn g_systemShellExecute = nullptr;
WinExecFn g_systemWinExec = nullptr;

std::function<INT_PTR(const std::string&, const std::string&)>& ShellHook() {
  static std::function<INT_PTR(const std::string&, const std::string&)> hook;
  return hook;
}

std::function<UINT(const std::string&)>& WinExecHook() {
  static std::function<UINT(const std::string&)> hook;
  return hook;
}

HINSTANCE WINAPI ReplacedShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR params,
                                      LPCSTR dir, INT show) {
  if (!ShellHook()) {
    return g_systemShellExecute(owner, operation, file, params, dir, show);
  }
  return (HINSTANCE)ShellHook()(operation ? operation : "open", file ? file : "");
}

UINT WINAPI ReplacedWinExec(LPCSTR commandLine, UINT show) {
  if (!WinExecHook()) {
    return g_systemWinExec(commandLine, show);
  }
  return WinExecHook()(commandLine ? commandLine : "");
}

void Install() {
  static bool installed = false;
  if (installed) {
    return;
  }
  installed = true;
  g_systemShellExecute = testing_seams::ReplaceImport<ShellExecuteFn>(
      "shell32.dll", "ShellExecuteA", &ReplacedShellExecute);
  g_systemWinExec =
      testing_seams::ReplaceImport<WinExecFn>("kernel32.dll", "WinExec", &ReplacedWinExec);
  if (!g_systemShellExecute) {
    g_systemShellExecute = &::ShellExecuteA;
  }
  if (!g_systemWinExec) {
    g_systemWinExec = &::WinExec;
  }
}

const bool g_installed = (Install(), true);

// Where a replaced HKEY_CLASSES_ROOT lives while a test runs.
const char kStandInRoot[] = "Software\\Zorv tests\\Classes";
HKEY g_standIn = nullptr;

}  // namespace

namespace testing_seams {

void ReplaceShellExecute(std::function<INT_PTR(const std::string&, const std::string&)> fn) {
  ShellHook() = std::move(fn);
}

void ReplaceWinExec(std::function<UINT(const std::string&)> fn) {
  WinExecHook() = std::move(fn);
}

void ReplaceRegistry(const std::map<std::string, std::string>& classesRoot) {
  RestoreRegistry();
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kStandInRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &g_standIn, nullptr) != ERROR_SUCCESS) {
    g_standIn = nullptr;
    return;
  }
  for (const auto& [path, value] : classesRoot) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(g_standIn, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
      ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       (DWORD)value.size() + 1);
      ::RegCloseKey(key);
    }
  }
  ::RegOverridePredefKey(HKEY_CLASSES_ROOT, g_standIn);
}

void RestoreRegistry() {
  ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  if (g_standIn) {
    ::RegCloseKey(g_standIn);
    g_standIn = nullptr;
  }
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kStandInRoot);
}

void RestoreShell() {
  ShellHook() = nullptr;
  WinExecHook() = nullptr;
  RestoreRegistry();
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  // The platform's own rules, as a started program's start-up code reads
  // its command line.
  std::vector<std::string> args;
  if (commandLine.empty()) {
    return args;
  }
  int wide = ::MultiByteToWideChar(CP_UTF8, 0, commandLine.c_str(), -1, nullptr, 0);
  std::wstring line((size_t)wide, L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, commandLine.c_str(), -1, line.data(), wide);
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &count);
  for (int i = 0; argv && i < count; ++i) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg((size_t)(n > 0 ? n - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(arg);
  }
  ::LocalFree(argv);
  return args;
}

}  // namespace testing_seams
