// SPDX-License-Identifier: MIT
// The types of the resource tables, for the Windows build of the tests:
// they read the tables of res/ and of their own modules, while the
// resources the system loads are the executable's own.
#pragma once

#include "platform/win32/resdata.h"
