// SQLite on Windows: the system's own "winsqlite3.dll", bound at run time
// so the program still starts where it is missing (Wine has none).
#include <windows.h>

#include "system/notifications/SqliteApi.h"

namespace orvane {
namespace {

constexpr wchar_t kLibrary[] = L"winsqlite3.dll";

struct Loaded {
  std::shared_ptr<const SqliteApi> api;
  std::wstring reason;
};

template <class Fn>
bool Bind(HMODULE module, const char* name, Fn& slot, std::wstring& reason) {
  // Through void(*)() so the compiler accepts the change of signature.
  slot = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  if (slot != nullptr) return true;
  reason = std::wstring(kLibrary) + L" has no ";
  for (const char* c = name; *c != '\0'; ++c) reason.push_back(static_cast<wchar_t>(*c));
  return false;
}

Loaded Load() {
  // The system folder only: the program's own folder is writable by the
  // user, and a copy some other module loaded from elsewhere is not ours
  // to trust either, so no GetModuleHandleW first.
  HMODULE module = LoadLibraryExW(kLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return {nullptr, L"no SQLite library (winsqlite3.dll)"};
  SqliteApi api{};
  std::wstring reason;
  const bool bound = Bind(module, "sqlite3_open_v2", api.open_v2, reason) &&
                     Bind(module, "sqlite3_close", api.close, reason) &&
                     Bind(module, "sqlite3_prepare_v2", api.prepare_v2, reason) &&
                     Bind(module, "sqlite3_step", api.step, reason) &&
                     Bind(module, "sqlite3_finalize", api.finalize, reason) &&
                     Bind(module, "sqlite3_column_int64", api.column_int64, reason) &&
                     Bind(module, "sqlite3_column_text", api.column_text, reason) &&
                     Bind(module, "sqlite3_column_bytes", api.column_bytes, reason) &&
                     Bind(module, "sqlite3_column_blob", api.column_blob, reason);
  if (!bound) {
    FreeLibrary(module);
    return {nullptr, reason};
  }
  // The library stays loaded for the life of the process.
  return {std::make_shared<const SqliteApi>(api), {}};
}

}  // namespace

std::shared_ptr<const SqliteApi> LoadSqliteApi(std::wstring& reason) {
  static const Loaded loaded = Load();
  if (!loaded.api) reason = loaded.reason;
  return loaded.api;
}

}  // namespace orvane
