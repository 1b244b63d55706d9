// SPDX-License-Identifier: MIT
// Writes the resource modules of the layer's and the framework's tests as
// one resource script, so that the Windows build of the tests carries them
// as real resources beside the program's (their ids do not meet). It takes
// in the program's script, zorv.rc beside it: compiled as one, the images
// of the icons are numbered once.
//   zorv_test_rc <out.rc>
#include <cstdio>
#include <string>

#include "tests/framework_fixture.h"
#include "tests/platform_fixture.h"
#include "tools/rc/rc_script.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zorv_test_rc <out.rc>\n");
    return 2;
  }
  const std::string outPath = argv[1];
  const std::string outDir = outPath.substr(0, outPath.find_last_of('/') + 1);
  std::FILE* rc = std::fopen(outPath.c_str(), "w");
  if (!rc) {
    return 1;
  }
  std::fprintf(rc, "// Made by zorv_test_rc from the tests' tables. Do not edit.\n");
  std::fprintf(rc, "#include \"zorv.rc\"\n#include <commctrl.h>\n\n");
  bool written = WriteResourceScript(rc, platform_test::TestModule(), outDir) &&
                 WriteResourceScript(rc, *fwtest::TestModule(), outDir);
  return std::fclose(rc) == 0 && written ? 0 : 1;
}
