// SPDX-License-Identifier: MIT
#include "res/resources.h"

#include "res/tables.h"

// The counts live in other translation units, so this is initialised before
// main() but not at compile time; nothing reads it during static start-up.
const RESOURCEMODULE g_zorvResources = {
    "Zorv.exe",
    g_zorvBinaries,
    g_zorvBinaryCount,
    g_zorvDialogs,
    g_zorvDialogCount,
    g_zorvMenus,
    g_zorvMenuCount,
    g_zorvStrings,
    g_zorvStringCount,
    g_zorvAccelerators,
    g_zorvAcceleratorCount,
    g_zorvScaledImages,
    g_zorvScaledImageCount,
};
