// SPDX-License-Identifier: MIT
// Writes the program's resources as a resource script for a Windows build:
// the dialog templates, menu, strings, accelerators and images of res/ (the
// images as files beside the script), the version and the manifest. The
// tables in res/ stay the one source; this only says them in the resource
// compiler's words. Every resource is Russian, as its texts are. Given an
// .ico of every size (zorv_artgen --ico), the program's icon is that file.
//   zorv_rc <res> <out.rc> [<icon.ico>]
#include <cstdio>
#include <string>

#include "res/resource.h"
#include "tools/rc/rc_script.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: zorv_rc <res> <out.rc> [<icon.ico>]\n");
    return 2;
  }
  const std::string res = argv[1], outPath = argv[2];
  const std::string outDir = outPath.substr(0, outPath.find_last_of('/') + 1);
  std::FILE* rc = std::fopen(outPath.c_str(), "w");
  if (!rc) {
    return 1;
  }
  std::fprintf(rc, "// Made by zorv_rc from the tables of res/. Do not edit.\n");
  std::fprintf(rc, "#pragma code_page(65001)\n#include <windows.h>\n\n");
  std::fprintf(rc, "LANGUAGE LANG_RUSSIAN, SUBLANG_DEFAULT\n\n");
  std::map<WORD, std::string> icons;
  if (argc == 4) {
    icons[IDR_MAINFRAME] = argv[3];
  }
  if (!WriteResourceScript(rc, g_zorvResources, outDir, icons)) {
    std::fclose(rc);
    return 1;
  }
  std::fprintf(rc, "\n1 24 \"%s/zorv.manifest\"\n", res.c_str());
  std::fprintf(rc,
               "\n1 VERSIONINFO\nFILEVERSION 0,4,0,0\nPRODUCTVERSION 0,4,0,0\nFILEOS 0x4\n"
               "FILETYPE 0x1\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK "
               "\"041904B0\"\n    BEGIN\n      VALUE \"FileDescription\", \"Зорв\"\n"
               "      VALUE \"FileVersion\", \"0.4\"\n      VALUE \"ProductName\", \"Зорв\"\n"
               "      VALUE \"ProductVersion\", \"0.4\"\n      VALUE \"OriginalFilename\", "
               "\"Zorv.exe\"\n      VALUE \"LegalCopyright\", \"Copyright (c) 2026 The Zorv "
               "developers\"\n    END\n  END\n  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE "
               "\"Translation\", 0x419, 1200\n  END\nEND\n");
  return std::fclose(rc) == 0 ? 0 : 1;
}
