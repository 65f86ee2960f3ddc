#pragma once
// The few SQLite 3 entry points the notification database source calls,
// bound at run time on Windows (the system's own "winsqlite3.dll") and from
// the distribution's library elsewhere. The handles are opaque: only the
// library looks inside them.

#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

struct SqliteDb;
struct SqliteStatement;

// Result codes and open flags of the SQLite 3 C interface.
inline constexpr int kSqliteOk = 0;
inline constexpr int kSqliteRow = 100;
inline constexpr int kSqliteDone = 101;
inline constexpr int kSqliteOpenReadOnly = 0x00000001;

// The system's library is built with __stdcall on 32-bit x86; every other
// target has a single calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define ORVANE_SQLITE_CALL __stdcall
#else
#define ORVANE_SQLITE_CALL
#endif

struct SqliteApi {
  int(ORVANE_SQLITE_CALL* open_v2)(const char* utf8Path, SqliteDb** db, int flags, const char* vfs);
  int(ORVANE_SQLITE_CALL* close)(SqliteDb* db);
  int(ORVANE_SQLITE_CALL* prepare_v2)(SqliteDb* db, const char* sql, int sqlBytes, SqliteStatement** statement,
                                      const char** tail);
  int(ORVANE_SQLITE_CALL* step)(SqliteStatement* statement);
  int(ORVANE_SQLITE_CALL* finalize)(SqliteStatement* statement);
  std::int64_t(ORVANE_SQLITE_CALL* column_int64)(SqliteStatement* statement, int column);
  const unsigned char*(ORVANE_SQLITE_CALL* column_text)(SqliteStatement* statement, int column);
  int(ORVANE_SQLITE_CALL* column_bytes)(SqliteStatement* statement, int column);
  const void*(ORVANE_SQLITE_CALL* column_blob)(SqliteStatement* statement, int column);
};

// The library's entry points, bound once per process; nullptr with a short
// English reason (for the log) when the library or one of them is missing.
std::shared_ptr<const SqliteApi> LoadSqliteApi(std::wstring& reason);

}  // namespace orvane
