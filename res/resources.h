// SPDX-License-Identifier: MIT
// The program's resource tables, handed to the layer at start-up.
#pragma once

#include <resdata.h>

extern const RESOURCEMODULE g_zorvResources;
