#include "platform/win32/SystemProc.h"

namespace orvane {

HMODULE SystemModule(const wchar_t* dll) {
  if (dll == nullptr || dll[0] == L'\0') return nullptr;
  // A module loaded already (kernel32, ntdll, user32, shell32) is the one in
  // use; anything else is searched for in the system folder alone.
  if (HMODULE loaded = GetModuleHandleW(dll)) return loaded;
  return LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC FindSystemProc(const wchar_t* dll, ProcName name) {
  if (!name.Valid()) return nullptr;
  HMODULE module = SystemModule(dll);
  if (module == nullptr) return nullptr;
  return name.IsOrdinal() ? GetProcAddress(module, MAKEINTRESOURCEA(name.ordinal())) : GetProcAddress(module, name.name());
}

}  // namespace orvane
