// Stands in for one system function that this test program imports, for the program's own calls
// only, while the patch lives: to make a call fail that the system would not fail on cue, or to see
// in which order the program makes its calls.
#pragma once

#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace k32::testing {

class ImportPatch {
 public:
  ImportPatch(const char* library, const char* function, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
      auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
      auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
      for (; name->u1.AddressOfData; ++name, ++slot) {
        if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
        const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
          slots_.push_back(reinterpret_cast<void**>(&slot->u1.Function));
      }
    }
    if (slots_.empty()) throw std::runtime_error(std::string("not imported: ") + function);
    original_ = *slots_.front();
    for (void** slot : slots_) Write(slot, replacement);
  }
  ~ImportPatch() {
    for (void** slot : slots_) Write(slot, original_);
  }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // The system's function, for a stand-in that passes calls on.
  template <typename Function>
  [[nodiscard]] Function Original() const {
    return reinterpret_cast<Function>(original_);
  }

 private:
  static void Write(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
  }

  std::vector<void**> slots_;
  void* original_ = nullptr;
};

}  // namespace k32::testing
