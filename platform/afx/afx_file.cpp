// SPDX-License-Identifier: MIT
// Objects with run-time class information, disk files and memory files.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <afxwin.h>

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const {
  return &classCObject;
}

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const {
  return GetRuntimeClass()->IsDerivedFrom(cls);
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
    if (cls == base) {
      return TRUE;
    }
  }
  return FALSE;
}

// ---------------------------------------------------------------------------

static FILE* Stream(void* stream) {
  return static_cast<FILE*>(stream);
}

CFile::~CFile() {
  CFile::Close();
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags) {
  Close();
  if (!fileName) {
    return FALSE;
  }
  const char* mode = "rb";
  bool create = (openFlags & modeCreate) != 0;
  if (openFlags & modeReadWrite) {
    mode = create ? "w+b" : "r+b";
  } else if (openFlags & modeWrite) {
    mode = create ? "wb" : "r+b";
  }
  m_pStream = fopen(fileName, mode);
  return m_pStream != nullptr;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (!m_pStream || !buffer) {
    return 0;
  }
  return (UINT)fread(buffer, 1, count, Stream(m_pStream));
}

void CFile::Write(const void* buffer, UINT count) {
  if (m_pStream && buffer) {
    fwrite(buffer, 1, count, Stream(m_pStream));
  }
}

DWORD CFile::GetLength() const {
  if (!m_pStream) {
    return 0;
  }
  FILE* f = Stream(m_pStream);
  long here = ftell(f);
  fseek(f, 0, SEEK_END);
  long length = ftell(f);
  fseek(f, here, SEEK_SET);
  return length < 0 ? 0 : (DWORD)length;
}

DWORD CFile::GetPosition() const {
  if (!m_pStream) {
    return 0;
  }
  long here = ftell(Stream(m_pStream));
  return here < 0 ? 0 : (DWORD)here;
}

LONG CFile::Seek(LONG offset, UINT from) {
  if (!m_pStream) {
    return 0;
  }
  int64_t base = from == begin ? 0 : from == current ? GetPosition() : GetLength();
  int64_t target = base + offset;
  int64_t length = GetLength();
  if (target < 0) {
    target = 0;
  }
  if (target > length) {
    target = length;
  }
  fseek(Stream(m_pStream), (long)target, SEEK_SET);
  return (LONG)target;
}

void CFile::Close() {
  if (m_pStream) {
    fclose(Stream(m_pStream));
    m_pStream = nullptr;
  }
}

// ---------------------------------------------------------------------------

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes), m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) {
  Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile() {
  CMemFile::Close();
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes) {
  Close();
  m_lpBuffer = buffer;
  m_nBufferSize = buffer ? size : 0;
  // A fixed buffer holds a file of its whole size; a growing one starts empty.
  m_nFileSize = growBytes == 0 ? m_nBufferSize : 0;
  m_nPosition = 0;
  m_nGrowBytes = growBytes;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* buffer = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = FALSE;
  return buffer;
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (!buffer || !m_lpBuffer || m_nPosition >= m_nFileSize) {
    return 0;
  }
  DWORD available = m_nFileSize - m_nPosition;
  UINT n = count < available ? count : (UINT)available;
  memcpy(buffer, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return n;
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (!buffer || count == 0) {
    return;
  }
  uint64_t end = (uint64_t)m_nPosition + count;
  if (end > m_nBufferSize && (end > UINT32_MAX || !Grow((DWORD)end))) {
    // No room to grow: write what fits and drop the rest.
    count = m_nPosition < m_nBufferSize ? (UINT)(m_nBufferSize - m_nPosition) : 0;
    if (count == 0) {
      return;
    }
  }
  memcpy(m_lpBuffer + m_nPosition, buffer, count);
  m_nPosition += count;
  if (m_nPosition > m_nFileSize) {
    m_nFileSize = m_nPosition;
  }
}

LONG CMemFile::Seek(LONG offset, UINT from) {
  if (from != begin && from != current && from != end) {
    return (LONG)m_nPosition;
  }
  int64_t base = from == begin ? 0 : from == current ? (int64_t)m_nPosition : (int64_t)m_nFileSize;
  int64_t target = base + offset;
  if (target < 0) {
    target = 0;
  }
  if (target > (int64_t)m_nFileSize) {
    target = m_nFileSize;
  }
  m_nPosition = (DWORD)target;
  return (LONG)m_nPosition;
}

void CMemFile::Close() {
  if (m_bAutoDelete) {
    free(m_lpBuffer);
  }
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

BOOL CMemFile::Grow(DWORD newSize) {
  if (m_nGrowBytes == 0) {
    return FALSE;
  }
  uint64_t size = ((uint64_t)newSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
  if (size > UINT32_MAX) {
    return FALSE;
  }
  BYTE* grown = nullptr;
  if (m_bAutoDelete) {
    grown = static_cast<BYTE*>(realloc(m_lpBuffer, (size_t)size));
  } else {
    // Never reallocate a caller's buffer: move to a buffer of our own.
    grown = static_cast<BYTE*>(malloc((size_t)size));
    if (grown && m_lpBuffer) {
      memcpy(grown, m_lpBuffer, m_nFileSize);
    }
  }
  if (!grown) {
    return FALSE;
  }
  m_lpBuffer = grown;
  m_nBufferSize = (DWORD)size;
  m_bAutoDelete = TRUE;
  return TRUE;
}
