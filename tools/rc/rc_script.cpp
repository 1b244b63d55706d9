// SPDX-License-Identifier: MIT
// Writing a module of resource tables as a resource script.
#include "tools/rc/rc_script.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

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

bool WriteBytes(const BINRESDATA& b, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data), (std::streamsize)b.size);
  return (bool)out;
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
  // Weight and italic as the compiler gives them when left out; the
  // character set decides which variant of the face the system picks.
  std::fprintf(rc, "FONT %u, %s, 0, 0, %u\n", d.pointSize, Quoted(d.fontName).c_str(), d.charSet);
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

bool WriteResourceScript(std::FILE* rc, const RESOURCEMODULE& m, const std::string& dir,
                         const std::map<WORD, std::string>& icons) {
  for (int i = 0; i < m.dialogCount; ++i) {
    WriteDialog(rc, m.dialogs[i]);
  }
  for (int i = 0; i < m.menuCount; ++i) {
    WriteMenu(rc, m.menus[i]);
  }
  if (m.stringCount > 0) {
    std::fprintf(rc, "STRINGTABLE\nBEGIN\n");
    for (int i = 0; i < m.stringCount; ++i) {
      std::fprintf(rc, "  %u, %s\n", m.strings[i].id, Quoted(m.strings[i].text).c_str());
    }
    std::fprintf(rc, "END\n\n");
  }
  // One table per id, its lines in order.
  for (int i = 0; i < m.acceleratorCount; ++i) {
    const ACCELDATA& a = m.accelerators[i];
    if (i == 0 || m.accelerators[i - 1].tableId != a.tableId) {
      std::fprintf(rc, "%u ACCELERATORS\nBEGIN\n", a.tableId);
    }
    std::fprintf(rc, "  %u, %u, VIRTKEY%s%s%s\n", a.key, a.command,
                 (a.fVirt & FSHIFT) ? ", SHIFT" : "", (a.fVirt & FCONTROL) ? ", CONTROL" : "",
                 (a.fVirt & FALT) ? ", ALT" : "");
    if (i + 1 == m.acceleratorCount || m.accelerators[i + 1].tableId != a.tableId) {
      std::fprintf(rc, "END\n\n");
    }
  }
  for (int i = 0; i < m.binaryCount; ++i) {
    const BINRESDATA& b = m.binaries[i];
    const std::string id = std::to_string(b.id);
    if (b.type == RT_BITMAP) {
      std::string path = dir + "bmp_" + id + ".bmp";
      if (!WriteBytes(b, path)) {
        return false;
      }
      std::fprintf(rc, "%u BITMAP %s\n", b.id, Quoted(path.c_str()).c_str());
    } else if (b.type == RT_GROUP_ICON) {
      std::string path = dir + "icon_" + id + ".ico";
      if (auto given = icons.find(b.id); given != icons.end()) {
        path = given->second;
      } else if (!WriteIcon(std::vector<char>(b.data, b.data + b.size), path)) {
        return false;
      }
      std::fprintf(rc, "%u ICON %s\n", b.id, Quoted(path.c_str()).c_str());
    } else if (!IS_INTRESOURCE(b.type)) {
      std::string path = dir + b.type + "_" + id + ".bin";
      if (!WriteBytes(b, path)) {
        return false;
      }
      std::fprintf(rc, "%u %s %s\n", b.id, b.type, Quoted(path.c_str()).c_str());
    }
  }
  return true;
}
