// SPDX-License-Identifier: MIT
// Kernel, shell and registry calls: the module and its resources, libraries,
// starting programs, opening documents and the read-only registry view.
#pragma once

#include "windef.h"

#define MAX_PATH 260

// a * b / c in 64 bits, rounded to the nearest integer (halves away from
// zero); -1 when c is 0 or the result does not fit in an int.
int MulDiv(int number, int numerator, int denominator);

// Modules and resources. The module's resources are the data of res/,
// handed to the layer once at start-up (see resdata.h).
HMODULE GetModuleHandle(LPCSTR moduleName);
DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size);
HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL data);

DWORD GetCurrentThreadId();

// Libraries: no other module of the platform exists here, so these fail
// the way the platform does when a library is not found.
HMODULE LoadLibrary(LPCSTR fileName);
BOOL FreeLibrary(HMODULE module);
UINT GetWindowsDirectory(LPSTR buffer, UINT size);

// Starting programs. The result is above 31 on success.
UINT WinExec(LPCSTR commandLine, UINT show);
HINSTANCE ShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                       LPCSTR directory, INT show);

// Text in the platform's wide strings. This build's code page is UTF-8,
// so the active code page and CP_UTF8 read alike. Without room (wide 0)
// the answer is the room needed; -1 as the length takes the terminator too.
#define CP_ACP 0
#define CP_UTF8 65001
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide, int room);

// Error codes.
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_BAD_FORMAT 11L
#define ERROR_MORE_DATA 234L
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_DLLNOTFOUND 32
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31

// Registry, read only.
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define KEY_QUERY_VALUE 0x0001
#define KEY_READ 0x20019

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegQueryValue(HKEY key, LPCSTR subKey, LPSTR value, PLONG valueSize);
LONG RegCloseKey(HKEY key);
