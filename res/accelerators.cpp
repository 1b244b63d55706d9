// SPDX-License-Identifier: MIT
// The table window never loads this table, so F2 stays inert unless a later
// version chooses to load it.
#include <windows.h>
#include "res/resource.h"
#include "res/tables.h"

const ACCELDATA g_zorvAccelerators[] = {
    {IDR_ACCELERATOR, FVIRTKEY, VK_F2, ID_GAME_NEW},
};
const int g_zorvAcceleratorCount = sizeof g_zorvAccelerators / sizeof g_zorvAccelerators[0];
