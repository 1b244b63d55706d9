// SPDX-License-Identifier: MIT
// The module's resources as typed data. A resource compiler would turn a
// resource script into these tables; here res/ writes them directly and the
// program hands them to the layer once, before anything is loaded.
#pragma once

#include <windows.h>

// A control of a dialog template. Rectangles are in dialog units.
struct DLGITEMDATA {
  WORD id;           // 0xFFFF (IDC_STATIC) for controls without an id
  LPCSTR className;  // "STATIC", "BUTTON", "EDIT", "SysListView32"
  DWORD style;       // WS_CHILD is implied
  DWORD exStyle;
  short x, y, cx, cy;
  LPCSTR text;   // initial text, or nullptr
  WORD imageId;  // SS_BITMAP: bitmap resource; SS_ICON: icon resource; else 0
};

struct DLGTEMPLATEDATA {
  WORD id;
  LPCSTR caption;
  LPCSTR fontName;
  WORD pointSize;
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  WORD menuId;  // 0 when the dialog has no menu
  const DLGITEMDATA* items;
  int itemCount;
  // The character set the font is asked for: the system picks the variant
  // of the face that has these letters.
  BYTE charSet = DEFAULT_CHARSET;
};

// One line of a menu: a top-level popup (level 0) or an item of the popup
// above it (level 1). An item with a null text is a separator.
struct MENUITEMDATA {
  int level;
  LPCSTR text;
  WORD commandId;
};

struct MENUDATA {
  WORD id;
  const MENUITEMDATA* items;
  int itemCount;
};

struct STRINGDATA {
  WORD id;
  LPCSTR text;
};

struct ACCELDATA {
  WORD tableId;
  BYTE fVirt;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
  WORD key;    // virtual key
  WORD command;
};

// Binary resources addressed by type and id: RT_BITMAP (a whole BMP file),
// RT_GROUP_ICON (a whole BMP file of 32 bits per pixel with alpha), and
// custom types by name ("MY_BITMAP").
struct BINRESDATA {
  LPCSTR type;  // MAKEINTRESOURCE(n) or a type name
  WORD id;
  const BYTE* data;
  DWORD size;
};

// A sharper copy of a bitmap or icon of the module: the same picture drawn
// at scale times its size, as a PNG file, for screens of more than one
// device pixel per pixel.
struct SCALEDRESDATA {
  LPCSTR type;  // RT_BITMAP or RT_GROUP_ICON
  WORD id;
  int scale;
  const BYTE* data;
  DWORD size;
};

struct RESOURCEMODULE {
  LPCSTR fileName;  // the module's file name ("Zorv.exe"): the default application name
  const BINRESDATA* binaries;
  int binaryCount;
  const DLGTEMPLATEDATA* dialogs;
  int dialogCount;
  const MENUDATA* menus;
  int menuCount;
  const STRINGDATA* strings;
  int stringCount;
  const ACCELDATA* accelerators;
  int acceleratorCount;
  // Sharper copies of the pictures, when the module has them.
  const SCALEDRESDATA* scaled = nullptr;
  int scaledCount = 0;
};

#define IDC_STATIC 0xFFFF

// Makes the tables the resources of the program's module (GetModuleHandle(NULL)).
void SetModuleResources(const RESOURCEMODULE* module);
const RESOURCEMODULE* GetModuleResources();
