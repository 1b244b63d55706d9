// SPDX-License-Identifier: MIT
// Message crackers: the signed coordinates packed into a mouse message.
#pragma once

#include "windef.h"

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
