// SPDX-License-Identifier: MIT
// The resource tables that res/resources.cpp gathers into g_zorvResources.
#pragma once

#include <resdata.h>

extern const DLGTEMPLATEDATA g_zorvDialogs[];
extern const int g_zorvDialogCount;
extern const MENUDATA g_zorvMenus[];
extern const int g_zorvMenuCount;
extern const STRINGDATA g_zorvStrings[];
extern const int g_zorvStringCount;
extern const ACCELDATA g_zorvAccelerators[];
extern const int g_zorvAcceleratorCount;

// Made by CMake from res/bitmaps/*.bmp (res/embed.cmake).
extern const BINRESDATA g_zorvBinaries[];
extern const int g_zorvBinaryCount;

// The same pictures drawn at two and three times their size, made by the
// art generator while the program is built (zorv_artgen --scaled).
extern const SCALEDRESDATA g_zorvScaledImages[];
extern const int g_zorvScaledImageCount;
