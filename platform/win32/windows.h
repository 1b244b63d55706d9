// SPDX-License-Identifier: MIT
// The system-call subset the framework and the program use.
#pragma once

#include "winbase.h"
#include "windef.h"
#include "wingdi.h"
#include "winuser.h"

// Process start: sets up the window system from the command line, then runs
// the program's entry point and returns its exit code.
typedef int (*PLATFORMENTRY)(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show);
int PlatformMain(int argc, char** argv, PLATFORMENTRY entry);
