// SPDX-License-Identifier: MIT
// What the image's memory work and its file work share: the block sizes, the
// limits on what is accepted and the row arithmetic.
#pragma once

#include <cstdint>
#include <new>

#include <windows.h>

namespace dib_detail {

inline constexpr DWORD kInfoSize = sizeof(BITMAPINFOHEADER);
inline constexpr DWORD kColorTableBytes = 256 * sizeof(RGBQUAD);

// Limits on what Read and CreateBlank accept. Real images of the program are
// a few hundred pixels at most; these only keep arithmetic and allocations of
// hostile files in bounds.
inline constexpr LONG kMaxDimension = 16384;
inline constexpr uint64_t kMaxPixelBytes = 64u << 20;

inline uint64_t RowBytes(LONG width, WORD bitCount) {
  return ((uint64_t)width * bitCount + 31) / 32 * 4;
}

inline BYTE* AllocZeroed(uint64_t size) {
  // A zero-byte image still gets a block of its own, so "both set or both
  // NULL" holds for every image.
  return new (std::nothrow) BYTE[size ? size : 1]();
}

}  // namespace dib_detail
