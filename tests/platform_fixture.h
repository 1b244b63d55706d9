// SPDX-License-Identifier: MIT
// A small module of resources for the layer's own tests (one dialog, one
// menu, a few bitmaps made here), swapped in for the program's while a
// test runs, and a dialog procedure that records what reaches it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>
#include "platform/testing.h"
#include "res/resources.h"

namespace platform_test {

enum : WORD {
  kDialog = 500,
  kDialogWithDefault = 501,
  kMenu = 510,
  kCard = 520,   // 8-bit, 69 x 94
  kSmall = 521,  // 24-bit, 3 x 2
  kCustom = 522,
  kIcon = 523,
  kTruncated = 524,
  kCmdNew = 40001,
  kPicture = 600,
  kCentred = 601,
  kNotify = 602,
  kOwnerDraw = 603,
  kList = 604,
  kText = 605,
  kHidden = 606,
  kPlain = 607,
};

// A whole BMP file of width x height at the given depth; pixel (x, y) from
// the top gets colour index / value f(x, y).
inline std::vector<BYTE> MakeBmp(int width, int height, int bpp, int colors,
                                 unsigned (*f)(int x, int y)) {
  const size_t stride = (((size_t)width * bpp + 31) / 32) * 4;
  const DWORD offBits = 14 + 40 + 4 * (DWORD)colors;
  std::vector<BYTE> out(offBits + stride * (size_t)height, 0);
  BITMAPFILEHEADER fh{0x4D42, (DWORD)out.size(), 0, 0, offBits};
  BITMAPINFOHEADER ih{40, width, height, 1, (WORD)bpp, BI_RGB, 0, 0, 0, (DWORD)colors, 0};
  std::memcpy(out.data(), &fh, sizeof fh);
  std::memcpy(out.data() + 14, &ih, sizeof ih);
  for (int i = 0; i < colors; ++i) {  // entry i: red i, green 255 - i, blue 7
    BYTE* q = out.data() + 54 + 4 * i;
    q[0] = 7, q[1] = (BYTE)(255 - i), q[2] = (BYTE)i;
  }
  for (int y = 0; y < height; ++y) {
    BYTE* row = out.data() + offBits + stride * (size_t)(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      unsigned v = f(x, y);
      if (bpp == 8) {
        row[x] = (BYTE)v;
      } else {
        int bytes = bpp / 8;
        row[bytes * x] = (BYTE)v, row[bytes * x + 1] = (BYTE)(v >> 8),
                    row[bytes * x + 2] = (BYTE)(v >> 16);
        if (bytes == 4)
          row[4 * x + 3] = 255;
      }
    }
  }
  return out;
}

inline const std::vector<BYTE>& CardBmp() {
  static const std::vector<BYTE> bmp =
      MakeBmp(69, 94, 8, 256, [](int x, int y) { return (unsigned)((x + y) % 256); });
  return bmp;
}
inline const std::vector<BYTE>& SmallBmp() {
  // RGB as 0xRRGGBB: red top-left, green top-right...
  static const std::vector<BYTE> bmp = MakeBmp(3, 2, 24, 0, [](int x, int y) {
    const unsigned c[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0x101010, 0x808080, 0xFFFFFF}};
    return c[y][x];
  });
  return bmp;
}
inline const std::vector<BYTE>& IconBmp() {
  static const std::vector<BYTE> bmp =
      MakeBmp(32, 32, 32, 0, [](int x, int) { return x < 16 ? 0xFF0000u : 0x0000FFu; });
  return bmp;
}

inline const RESOURCEMODULE& TestModule() {
  static const DLGITEMDATA items[] = {
      {kPicture, "STATIC", SS_BITMAP | SS_SUNKEN | WS_VISIBLE, WS_EX_CLIENTEDGE, 10, 10, 50, 62,
       nullptr, kCard},
      {kCentred, "STATIC", SS_BITMAP | SS_CENTERIMAGE | WS_VISIBLE, 0, 20, 20, 67, 46, nullptr,
       kCard},
      {kNotify, "STATIC", SS_LEFT | SS_NOTIFY | WS_VISIBLE, 0, 100, 10, 40, 8, "щёлк", 0},
      {kOwnerDraw, "BUTTON", BS_OWNERDRAW | BS_FLAT | WS_VISIBLE, 0, 150, 10, 20, 10, "Button1", 0},
      {kList, "SysListView32", LVS_ICON | LVS_SINGLESEL | WS_BORDER | WS_VISIBLE, 0, 10, 80, 200,
       70, nullptr, 0},
      {kText, "STATIC", SS_CENTER | WS_VISIBLE, 0, 100, 30, 60, 20, "подсказки...", 0},
      {kHidden, "STATIC", SS_BITMAP | SS_SUNKEN, 0, 180, 30, 47, 59, nullptr, kCard},
      {kPlain, "BUTTON", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 0, 150, 30, 38, 14, "Бито", 0},
  };
  static const DLGITEMDATA defItems[] = {
      {IDOK, "BUTTON", BS_PUSHBUTTON | WS_VISIBLE, 0, 10, 10, 50, 14, "Угу", 0},
      {77, "BUTTON", BS_DEFPUSHBUTTON | WS_VISIBLE, 0, 70, 10, 50, 14, "Другая", 0},
  };
  static const DLGTEMPLATEDATA dialogs[] = {
      {kDialog, "Проверка", "MS Sans Serif", 8,
       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME, 0, 0, 0, 240, 160,
       kMenu, items, (int)(sizeof items / sizeof items[0])},
      {kDialogWithDefault, "Кнопки", "MS Sans Serif", 8,
       WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 130, 30, 0, defItems, 2},
  };
  static const MENUITEMDATA menuItems[] = {{0, "Игра", 0},  {1, "Новая игра", kCmdNew},
                                           {1, nullptr, 0}, {1, "Выход", IDCANCEL},
                                           {0, "?", 0},     {1, "О программе", kCmdNew + 1}};
  static const MENUDATA menus[] = {{kMenu, menuItems, 6}};
  static const STRINGDATA strings[] = {{7, "строка"}};
  static const ACCELDATA accels[] = {{9, FVIRTKEY, VK_F2, kCmdNew}};
  static const BINRESDATA binaries[] = {
      {RT_BITMAP, kCard, CardBmp().data(), (DWORD)CardBmp().size()},
      {RT_BITMAP, kSmall, SmallBmp().data(), (DWORD)SmallBmp().size()},
      {"MY_BITMAP", kCustom, SmallBmp().data(), (DWORD)SmallBmp().size()},
      {RT_GROUP_ICON, kIcon, IconBmp().data(), (DWORD)IconBmp().size()},
      {RT_BITMAP, kTruncated, CardBmp().data(), (DWORD)CardBmp().size() - 100},
  };
  static const RESOURCEMODULE module = {"Test.exe", binaries, 5, dialogs, 2, menus,
                                        1,          strings,  1, accels,  1};
  return module;
}

// What a dialog procedure saw.
struct Seen {
  std::vector<UINT> messages;
  std::vector<WPARAM> commands;
  std::vector<NMITEMACTIVATE> clicks;
  std::vector<DRAWITEMSTRUCT> draws;
  LPARAM initParam = 0;
  bool endOnCommand = true;
  std::function<void(const DRAWITEMSTRUCT&)> onDraw;
};
inline Seen g_seen;

inline INT_PTR CALLBACK RecordingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  g_seen.messages.push_back(msg);
  switch (msg) {
    case WM_INITDIALOG:
      g_seen.initParam = lp;
      return TRUE;
    case WM_COMMAND:
      g_seen.commands.push_back(wp);
      if (g_seen.endOnCommand && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(h, LOWORD(wp));
      }
      return TRUE;
    case WM_NOTIFY: {
      // The clicks of the user; a list view tells its parent much more.
      const NMHDR* hdr = reinterpret_cast<NMHDR*>(lp);
      if (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK || hdr->code == LVN_BEGINDRAG)
        g_seen.clicks.push_back(*reinterpret_cast<NMITEMACTIVATE*>(lp));
      return TRUE;
    }
    case WM_DRAWITEM:
      g_seen.draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      if (g_seen.onDraw)
        g_seen.onDraw(g_seen.draws.back());
      return TRUE;
  }
  return FALSE;
}

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetModuleResources(&TestModule());
    g_seen = Seen{};
  }
  void TearDown() override {
    for (HWND h : windows)
      DestroyWindow(h);
    testing_seams::ProcessEvents();
    SetModuleResources(&g_zorvResources);
  }
  HWND Open(WORD id = kDialog, LPARAM param = 0) {
    HWND h = CreateDialogParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(id), nullptr,
                               RecordingProc, param);
    if (h) {
      ShowWindow(h, SW_SHOW);
      windows.push_back(h);
    }
    return h;
  }
  static RECT Rect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(h), &p);
    return RECT{p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)};
  }
  std::vector<HWND> windows;
};

}  // namespace platform_test
