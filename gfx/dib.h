// SPDX-License-Identifier: MIT
// CDIB: one 8-bit palettised device-independent image with its palette.
#pragma once

#include <afxwin.h>

class CDIB : public CObject {
  DECLARE_DYNAMIC(CDIB)
 public:
  CDIB();
  ~CDIB() override;

  void Free();
  BOOL LoadFromResource(UINT id);
  // Reads a whole BMP file; returns the bytes read (the file's length), 0 on failure.
  DWORD Read(CFile& file);
  // Writes a whole BMP file; returns the bytes written, 0 when there is no image.
  DWORD Save(CFile& file);
  void Serialize(CArchive& ar) override;
  BOOL CreateBlank(LONG width, LONG height);
  WORD NumColors() const;
  DWORD ImageSize();
  BOOL BuildPalette();
  BOOL SetPalette(CPalette* palette);
  BOOL CopyPalette(CDIB* source);
  BOOL LoadPalette(UINT id);
  void Fill(BYTE red, BYTE green, BYTE blue);
  BOOL CopyPixels(CDIB* source, LONG sx, LONG sy, LONG width, LONG height, LONG dx, LONG dy);
  int Paint(CDC* dc, LPCRECT destRect = nullptr, LPCRECT srcRect = nullptr);

  LONG Width() const { return m_pInfo ? m_pInfo->biWidth : 0; }
  LONG Height() const { return m_pInfo ? m_pInfo->biHeight : 0; }
  const BYTE* GetBits() const { return m_pBits; }
  BYTE* GetBits() { return m_pBits; }
  const BITMAPINFOHEADER* GetInfo() const { return m_pInfo; }
  CPalette* GetPalette() const { return m_pPalette; }

 protected:
  BYTE* m_pBits = nullptr;
  BITMAPINFOHEADER* m_pInfo = nullptr;  // followed by a 256-entry colour table
  CPalette* m_pPalette = nullptr;
  DWORD m_dwBitsSize = 0;  // bytes held at m_pBits: no operation writes or reads past them

 private:
  void DestroyPalette();
  BOOL AttachNewPalette(const LOGPALETTE* lp);
  bool IsPlain8Bit() const;
  RGBQUAD* ColorTable() const;
};
