// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to CDIB::Read, then works on whatever it accepted:
// colour count, image size, copies in and out steered by the input's last
// bytes, a fill, and a save that must read back to the same size.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/dib.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) {
    return 0;
  }
  std::vector<BYTE> bytes(data, data + size);
  CMemFile file(bytes.data(), (UINT)bytes.size(), 0);
  CDIB dib;
  DWORD read = dib.Read(file);
  if (read == 0) {
    Check(!dib.GetInfo() && !dib.GetBits() && !dib.GetPalette());
    return 0;
  }
  Check(read == size && dib.GetInfo() && dib.GetBits());
  Check(dib.NumColors() <= 256);
  DWORD imageSize = dib.ImageSize();

  // Small signed coordinates from the tail, so the fuzzer can steer the
  // copies across every edge of both images.
  LONG p[6] = {};
  for (size_t i = 0; i < 6 && i < size; ++i) {
    p[i] = (int8_t)data[size - 1 - i];
  }
  CDIB blank;
  Check(blank.CreateBlank(37, 20));
  blank.CopyPixels(&dib, p[0], p[1], p[2], p[3], p[4], p[5]);
  dib.CopyPixels(&blank, p[1], p[0], p[3], p[2], p[5], p[4]);
  dib.CopyPixels(&dib, p[5], p[4], p[3] * 4, p[2] * 4, p[1], p[0]);
  blank.CopyPalette(&dib);
  blank.Fill((BYTE)p[0], (BYTE)p[1], (BYTE)p[2]);
  dib.Fill((BYTE)p[3], (BYTE)p[4], (BYTE)p[5]);

  CMemFile saved;
  DWORD written = dib.Save(saved);
  Check(written == saved.GetLength() && written >= imageSize);
  saved.SeekToBegin();
  CDIB again;
  Check(again.Read(saved) == written);
  Check(again.Width() == dib.Width() && again.Height() == dib.Height() &&
        again.NumColors() == dib.NumColors());
  return 0;
}
