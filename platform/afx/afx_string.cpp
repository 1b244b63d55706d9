// SPDX-License-Identifier: MIT
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include <afxwin.h>

void CString::Format(LPCTSTR format, ...) {
  if (!format) {
    m_str.clear();
    return;
  }
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int needed = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed < 0) {
    m_str.clear();
  } else {
    std::vector<char> buffer((size_t)needed + 1);
    vsnprintf(buffer.data(), buffer.size(), format, args);
    m_str.assign(buffer.data(), (size_t)needed);
  }
  va_end(args);
}

BOOL CString::LoadString(UINT id) {
  // LoadString truncates silently (and never inside a UTF-8 sequence, so up
  // to 3 bytes short of full): a text that comes that close to the end may
  // have been cut, so try again with more room. The version history is long.
  for (int size = 4096; size <= (1 << 22); size *= 4) {
    std::vector<char> buffer((size_t)size);
    int length = ::LoadString(AfxGetResourceHandle(), id, buffer.data(), size);
    if (length <= 0) {
      m_str.clear();
      return FALSE;
    }
    if (length < size - 4) {
      m_str.assign(buffer.data(), (size_t)length);
      return TRUE;
    }
  }
  m_str.clear();
  return FALSE;
}

int CString::Find(LPCTSTR sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) {
    return -1;
  }
  size_t at = m_str.find(sub, (size_t)start);
  return at == std::string::npos ? -1 : (int)at;
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start > GetLength()) {
    return -1;
  }
  size_t at = m_str.find(ch, (size_t)start);
  return at == std::string::npos ? -1 : (int)at;
}

CString CString::Left(int count) const {
  if (count < 0) {
    count = 0;
  }
  return CString(m_str.substr(0, (size_t)count));
}

CString CString::Mid(int first, int count) const {
  int length = GetLength();
  if (first < 0) {
    first = 0;
  }
  if (first > length) {
    first = length;
  }
  if (count < 0 || count > length - first) {
    count = length - first;
  }
  return CString(m_str.substr((size_t)first, (size_t)count));
}

CString CString::Right(int count) const {
  int length = GetLength();
  if (count < 0) {
    count = 0;
  }
  if (count > length) {
    count = length;
  }
  return CString(m_str.substr((size_t)(length - count)));
}

LPTSTR CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) {
    m_str.resize((size_t)minLength);
  }
  return m_str.data();
}

void CString::ReleaseBuffer(int newLength) {
  size_t length = newLength < 0 ? strlen(m_str.c_str()) : (size_t)newLength;
  if (length < m_str.size()) {
    m_str.resize(length);
  }
}
