// SPDX-License-Identifier: MIT
// Test seams of the shell and the registry: tests put their own answers in
// place of the desktop's opener, of starting programs and of the MIME
// associations, so that no test starts a real browser.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <windows.h>

namespace testing_seams {

// While set, ShellExecute calls fn(operation, file) and returns its result
// as its own (above 32: opened). An empty function gives the desktop back.
void ReplaceShellExecute(std::function<INT_PTR(const std::string&, const std::string&)> fn);

// While set, WinExec calls fn(commandLine) instead of starting a program.
void ReplaceWinExec(std::function<UINT(const std::string&)> fn);

// While set, the registry holds exactly these keys of HKEY_CLASSES_ROOT
// (paths with backslashes, such as "htmlfile\\shell\\open\\command") with
// their default values; their parent keys exist too, with empty values.
void ReplaceRegistry(const std::map<std::string, std::string>& classesRoot);
void RestoreRegistry();

// All three back to the desktop.
void RestoreShell();

// How WinExec splits a command line into a program and its arguments:
// blanks separate, double quotes group, \" and \\ stand for " and \.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace testing_seams
