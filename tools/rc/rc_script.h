// SPDX-License-Identifier: MIT
// A module of resource tables said in a resource compiler's words: dialog
// templates, menus, strings, accelerators, and every binary resource as a
// file beside the script.
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include <windows.h>

#include "res/resources.h"

// Writes m's resources to rc; the binaries go to files named after their
// type and id in dir (ending in '/'). An icon named in icons is that .ico
// file, all its sizes, instead of the module's one image. False when a file
// could not be made.
bool WriteResourceScript(std::FILE* rc, const RESOURCEMODULE& m, const std::string& dir,
                         const std::map<WORD, std::string>& icons = {});
