// SPDX-License-Identifier: MIT
// Writes the program's resources as a resource script for a Windows build:
// the dialog templates, menu, strings and accelerators of res/, every
// bitmap of res/bitmaps, the icon (as an .ico file beside the script), the
// version and the manifest. The tables in res/ stay the one source; this
// only says them in the resource compiler's words.
//   zorv_rc <res/bitmaps> <out.rc>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

#include "res/resources.h"

namespace {

// A text as a resource script's string: quotes doubled, control characters
// escaped; the script is UTF-8 (#pragma code_page(65001)).
std::string Quoted(const char* text) {
  std::string out = "\"";
  for (const char* p = text ? text : ""; *p; ++p) {
    switch (*p) {
      case '"':
        out += "\"\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += *p;
    }
  }
  return out + "\"";
}

std::string Hex(unsigned long v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", v);
  return buffer;
}

std::vector<char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An .ico with the one 32-bit image of a whole BMP file: the BMP's header
// with the height doubled (colour rows, then the mask), its rows, and an
// all-clear mask, since the alpha channel already says what shows.
bool WriteIcon(const std::vector<char>& bmp, const std::string& path) {
  if (bmp.size() < 54) {
    return false;
  }
  uint32_t offBits, width;
  int32_t height;
  std::memcpy(&offBits, bmp.data() + 10, 4);
  std::memcpy(&width, bmp.data() + 18, 4);
  std::memcpy(&height, bmp.data() + 22, 4);
  if (height <= 0 || width == 0 || width > 256 || offBits > bmp.size()) {
    return false;
  }
  std::vector<char> info(bmp.begin() + 14, bmp.begin() + 54);
  int32_t doubled = 2 * height;
  std::memcpy(info.data() + 8, &doubled, 4);
  std::vector<char> pixels(bmp.begin() + offBits, bmp.end());
  const size_t maskRow = ((width + 31) / 32) * 4;
  std::vector<char> mask(maskRow * (size_t)height, 0);
  const uint32_t bytes = (uint32_t)(info.size() + pixels.size() + mask.size());
  std::ofstream out(path, std::ios::binary);
  const uint16_t header[3] = {0, 1, 1};
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  const uint8_t dims[4] = {(uint8_t)(width & 0xFF), (uint8_t)(height & 0xFF), 0, 0};
  out.write(reinterpret_cast<const char*>(dims), 4);
  const uint16_t planesBits[2] = {1, 32};
  out.write(reinterpret_cast<const char*>(planesBits), 4);
  const uint32_t sizeOffset[2] = {bytes, 22};
  out.write(reinterpret_cast<const char*>(sizeOffset), 8);
  out.write(info.data(), (std::streamsize)info.size());
  out.write(pixels.data(), (std::streamsize)pixels.size());
  out.write(mask.data(), (std::streamsize)mask.size());
  return (bool)out;
}

void WriteDialog(std::FILE* rc, const DLGTEMPLATEDATA& d) {
  std::fprintf(rc, "%u DIALOGEX %d, %d, %d, %d\n", d.id, d.x, d.y, d.cx, d.cy);
  std::fprintf(rc, "STYLE %s\nEXSTYLE %s\n", Hex(d.style).c_str(), Hex(d.exStyle).c_str());
  std::fprintf(rc, "CAPTION %s\n", Quoted(d.caption).c_str());
  std::fprintf(rc, "FONT %u, %s\n", d.pointSize, Quoted(d.fontName).c_str());
  if (d.menuId) {
    std::fprintf(rc, "MENU %u\n", d.menuId);
  }
  std::fprintf(rc, "BEGIN\n");
  for (int i = 0; i < d.itemCount; ++i) {
    const DLGITEMDATA& c = d.items[i];
    // A picture static names its image by id where the text would stand.
    std::string text = c.imageId ? std::to_string(c.imageId) : Quoted(c.text);
    // The compiler makes every control visible unless told otherwise.
    std::string style = Hex(c.style | WS_CHILD);
    if (!(c.style & WS_VISIBLE)) {
      style += " | NOT WS_VISIBLE";
    }
    std::fprintf(rc, "  CONTROL %s, %d, %s, %s, %d, %d, %d, %d, %s\n", text.c_str(), (short)c.id,
                 Quoted(c.className).c_str(), style.c_str(), c.x, c.y, c.cx, c.cy,
                 Hex(c.exStyle).c_str());
  }
  std::fprintf(rc, "END\n\n");
}

void WriteMenu(std::FILE* rc, const MENUDATA& m) {
  std::fprintf(rc, "%u MENU\nBEGIN\n", m.id);
  bool open = false;
  for (int i = 0; i < m.itemCount; ++i) {
    const MENUITEMDATA& item = m.items[i];
    if (item.level == 0) {
      if (open) {
        std::fprintf(rc, "  END\n");
      }
      std::fprintf(rc, "  POPUP %s\n  BEGIN\n", Quoted(item.text).c_str());
      open = true;
    } else if (!item.text) {
      std::fprintf(rc, "    MENUITEM SEPARATOR\n");
    } else {
      std::fprintf(rc, "    MENUITEM %s, %u\n", Quoted(item.text).c_str(), item.commandId);
    }
  }
  if (open) {
    std::fprintf(rc, "  END\n");
  }
  std::fprintf(rc, "END\n\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zorv_rc <res/bitmaps> <out.rc>\n");
    return 2;
  }
  const std::string bitmaps = argv[1], outPath = argv[2];
  const std::string outDir = outPath.substr(0, outPath.find_last_of('/') + 1);
  std::FILE* rc = std::fopen(outPath.c_str(), "w");
  if (!rc) {
    return 1;
  }
  const RESOURCEMODULE& m = g_zorvResources;
  std::fprintf(rc, "// Made by zorv_rc from the tables of res/. Do not edit.\n");
  std::fprintf(rc, "#pragma code_page(65001)\n#include <windows.h>\n\n");
  for (int i = 0; i < m.dialogCount; ++i) {
    WriteDialog(rc, m.dialogs[i]);
  }
  for (int i = 0; i < m.menuCount; ++i) {
    WriteMenu(rc, m.menus[i]);
  }
  std::fprintf(rc, "STRINGTABLE\nBEGIN\n");
  for (int i = 0; i < m.stringCount; ++i) {
    std::fprintf(rc, "  %u, %s\n", m.strings[i].id, Quoted(m.strings[i].text).c_str());
  }
  std::fprintf(rc, "END\n\n");
  if (m.acceleratorCount > 0) {
    std::fprintf(rc, "%u ACCELERATORS\nBEGIN\n", m.accelerators[0].tableId);
    for (int i = 0; i < m.acceleratorCount; ++i) {
      const ACCELDATA& a = m.accelerators[i];
      std::fprintf(rc, "  %u, %u, VIRTKEY%s%s%s\n", a.key, a.command,
                   (a.fVirt & FSHIFT) ? ", SHIFT" : "", (a.fVirt & FCONTROL) ? ", CONTROL" : "",
                   (a.fVirt & FALT) ? ", ALT" : "");
    }
    std::fprintf(rc, "END\n\n");
  }
  for (int i = 0; i < m.binaryCount; ++i) {
    const BINRESDATA& b = m.binaries[i];
    if (b.type == RT_BITMAP) {
      std::fprintf(rc, "%u BITMAP \"%s/bmp_%u.bmp\"\n", b.id, bitmaps.c_str(), b.id);
    } else if (b.type == RT_GROUP_ICON) {
      std::string ico = outDir + "icon_" + std::to_string(b.id) + ".ico";
      if (!WriteIcon(ReadFile(bitmaps + "/icon_" + std::to_string(b.id) + ".bmp"), ico)) {
        return 1;
      }
      std::fprintf(rc, "%u ICON \"%s\"\n", b.id, ico.c_str());
    } else if (!IS_INTRESOURCE(b.type)) {
      std::fprintf(rc, "%u %s \"%s/my_%u.bmp\"\n", b.id, b.type, bitmaps.c_str(), b.id);
    }
  }
  std::fprintf(rc, "\n1 24 \"%s/../zorv.manifest\"\n", bitmaps.c_str());
  std::fprintf(rc,
               "\n1 VERSIONINFO\nFILEVERSION 0,4,0,0\nPRODUCTVERSION 0,4,0,0\nFILEOS 0x4\n"
               "FILETYPE 0x1\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK "
               "\"041904B0\"\n    BEGIN\n      VALUE \"FileDescription\", \"Зорв\"\n"
               "      VALUE \"FileVersion\", \"0.4\"\n      VALUE \"ProductName\", \"Зорв\"\n"
               "      VALUE \"ProductVersion\", \"0.4\"\n      VALUE \"OriginalFilename\", "
               "\"Zorv.exe\"\n    END\n  END\n  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE "
               "\"Translation\", 0x419, 1200\n  END\nEND\n");
  return std::fclose(rc) == 0 ? 0 : 1;
}
