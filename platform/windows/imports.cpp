// SPDX-License-Identifier: MIT
// Replacing a system call in the executable's import table.
#include "platform/windows/imports.h"

namespace testing_seams {

void* ReplaceImportAddress(const char* dll, const char* function, void* replacement) {
  HMODULE system = ::GetModuleHandleA(dll);
  void* original = system ? reinterpret_cast<void*>(::GetProcAddress(system, function)) : nullptr;
  if (!original) {
    return nullptr;
  }
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0) {
    return nullptr;
  }
  bool found = false;
  auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
  for (; desc->Name; ++desc) {
    if (::lstrcmpiA(reinterpret_cast<const char*>(base + desc->Name), dll) != 0) {
      continue;
    }
    // The loader filled each slot with the function's address: the slot
    // that holds this one is the one to point elsewhere.
    for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
         slot->u1.Function; ++slot) {
      if (slot->u1.Function != reinterpret_cast<ULONG_PTR>(original)) {
        continue;
      }
      DWORD protection = 0;
      ::VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      ::VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      found = true;
    }
  }
  return found ? original : nullptr;
}

}  // namespace testing_seams
