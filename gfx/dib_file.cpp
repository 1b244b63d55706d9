// SPDX-License-Identifier: MIT
// CDIB's files: reading and writing whole BMP files, and loading them from
// the program's resources.
#include <cstdio>
#include <cstring>

#include "gfx/dib.h"
#include "gfx/dib_internal.h"

using namespace dib_detail;

namespace {

const WORD kBitmapType = 0x4D42;  // "BM"
const DWORD kFileHeaderSize = sizeof(BITMAPFILEHEADER);
const uint64_t kMaxFileBytes = kMaxPixelBytes + (1u << 20);

// The geometry and format the class can hold without any of its operations
// reaching past its blocks: an uncompressed image of a published depth, or an
// RLE image whose stored size is checked against its data by the caller.
bool IsSupportedHeader(const BITMAPINFOHEADER& bi) {
  if (bi.biSize != kInfoSize) {
    return false;
  }
  if (bi.biWidth <= 0 || bi.biWidth > kMaxDimension || bi.biHeight <= 0 ||
      bi.biHeight > kMaxDimension) {
    return false;
  }
  switch (bi.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  bool compressionFits = bi.biCompression == BI_RGB ||
                         (bi.biCompression == BI_RLE8 && bi.biBitCount == 8) ||
                         (bi.biCompression == BI_RLE4 && bi.biBitCount == 4);
  if (!compressionFits) {
    return false;
  }
  if (bi.biClrUsed > 256) {
    return false;
  }
  return RowBytes(bi.biWidth, bi.biBitCount) * (uint64_t)bi.biHeight <= kMaxPixelBytes;
}

}  // namespace

BOOL CDIB::LoadFromResource(UINT id) {
  // Loading replaces the image: a failure leaves it empty, not as it was.
  Free();
  char name[16];
  std::snprintf(name, sizeof name, "#%d", (int)id);
  HMODULE module = GetModuleHandle(nullptr);
  HRSRC resource = FindResource(module, name, "MY_BITMAP");
  if (!resource) {
    return FALSE;
  }
  HGLOBAL data = LoadResource(module, resource);
  if (!data) {
    return FALSE;
  }
  void* bytes = LockResource(data);
  if (!bytes) {
    return FALSE;
  }
  DWORD size = SizeofResource(module, resource);
  // Read only reads, so the resource's bytes are never written through here.
  CMemFile file(static_cast<BYTE*>(bytes), size, 0);
  return Read(file) == size;
}

DWORD CDIB::Read(CFile& file) {
  Free();

  BITMAPFILEHEADER bfh;
  if (file.Read(&bfh, kFileHeaderSize) != kFileHeaderSize || bfh.bfType != kBitmapType) {
    return 0;
  }
  // The length counts from the start of the whole file; the image's bytes are
  // those after the position it starts at.
  DWORD length = file.GetLength();
  DWORD start = file.GetPosition() - kFileHeaderSize;
  DWORD available = length > start ? length - start : 0;
  if (available > kMaxFileBytes || bfh.bfOffBits < kFileHeaderSize + kInfoSize ||
      bfh.bfOffBits > available) {
    return 0;
  }

  // Room for what lies between the file header and the pixels, plus a full
  // colour table whatever the file carries.
  DWORD headerBytes = bfh.bfOffBits - kFileHeaderSize;
  BYTE* info = AllocZeroed((uint64_t)headerBytes + kColorTableBytes);
  if (!info) {
    return 0;
  }
  if (file.Read(info, headerBytes) != headerBytes) {
    delete[] info;
    return 0;
  }
  BITMAPINFOHEADER bi;
  std::memcpy(&bi, info, sizeof bi);
  if (!IsSupportedHeader(bi)) {
    delete[] info;
    return 0;
  }

  DWORD pixelBytes = available - bfh.bfOffBits;
  uint64_t needed = bi.biCompression == BI_RGB
                        ? RowBytes(bi.biWidth, bi.biBitCount) * (uint64_t)bi.biHeight
                        : bi.biSizeImage;
  BYTE* bits = needed <= pixelBytes ? AllocZeroed(pixelBytes) : nullptr;
  if (!bits) {
    delete[] info;
    return 0;
  }
  if (file.Read(bits, pixelBytes) != pixelBytes) {
    delete[] bits;
    delete[] info;
    return 0;
  }

  m_pInfo = reinterpret_cast<BITMAPINFOHEADER*>(info);
  m_pBits = bits;
  m_dwBitsSize = pixelBytes;
  BuildPalette();
  return bfh.bfOffBits + pixelBytes;
}

DWORD CDIB::Save(CFile& file) {
  if (!m_pInfo) {
    return 0;
  }
  // ImageSize is the row formula for uncompressed images and the stored size
  // for RLE ones, whose data is shorter than their rows would be.
  DWORD tableBytes = 4u * NumColors();
  DWORD imageBytes = ImageSize();
  BITMAPFILEHEADER bfh = {};
  bfh.bfType = kBitmapType;
  bfh.bfOffBits = kFileHeaderSize + m_pInfo->biSize + tableBytes;
  bfh.bfSize = bfh.bfOffBits + imageBytes;
  file.Write(&bfh, kFileHeaderSize);
  file.Write(m_pInfo, kInfoSize + tableBytes);
  file.Write(m_pBits, imageBytes);
  return kFileHeaderSize + kInfoSize + tableBytes + imageBytes;
}

void CDIB::Serialize(CArchive& ar) {
  CFile* file = ar.GetFile();
  if (!file) {
    return;
  }
  if (ar.IsLoading()) {
    Read(*file);
  } else {
    Save(*file);
  }
}
