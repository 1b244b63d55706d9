// SPDX-License-Identifier: MIT
// Tests put their own function in place of a system call the executable
// imports: its slot in the import table is pointed elsewhere, so every call
// the program (and the framework linked into it) makes goes there.
#pragma once

#include <windows.h>

namespace testing_seams {

// Points the executable's import of function from dll at replacement and
// gives back the system's own function, or NULL when it is not imported.
void* ReplaceImportAddress(const char* dll, const char* function, void* replacement);

template <class Fn>
Fn ReplaceImport(const char* dll, const char* function, Fn replacement) {
  return reinterpret_cast<Fn>(
      ReplaceImportAddress(dll, function, reinterpret_cast<void*>(replacement)));
}

}  // namespace testing_seams
