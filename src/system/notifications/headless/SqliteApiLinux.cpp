// SQLite on Linux: the distribution's libsqlite3, linked at build time. The
// table's opaque handles are the library's own pointers under another name.
#include <sqlite3.h>

#include "system/notifications/SqliteApi.h"

namespace orvane {
namespace {

static_assert(kSqliteOk == SQLITE_OK && kSqliteRow == SQLITE_ROW && kSqliteDone == SQLITE_DONE);
static_assert(kSqliteOpenReadOnly == SQLITE_OPEN_READONLY);

sqlite3* Native(SqliteDb* db) { return reinterpret_cast<sqlite3*>(db); }
sqlite3_stmt* Native(SqliteStatement* statement) { return reinterpret_cast<sqlite3_stmt*>(statement); }

int OpenV2(const char* utf8Path, SqliteDb** db, int flags, const char* vfs) {
  sqlite3* native = nullptr;
  const int result = sqlite3_open_v2(utf8Path, &native, flags, vfs);
  *db = reinterpret_cast<SqliteDb*>(native);
  return result;
}

int Close(SqliteDb* db) { return sqlite3_close(Native(db)); }

int PrepareV2(SqliteDb* db, const char* sql, int sqlBytes, SqliteStatement** statement, const char** tail) {
  sqlite3_stmt* native = nullptr;
  const int result = sqlite3_prepare_v2(Native(db), sql, sqlBytes, &native, tail);
  *statement = reinterpret_cast<SqliteStatement*>(native);
  return result;
}

int Step(SqliteStatement* statement) { return sqlite3_step(Native(statement)); }
int Finalize(SqliteStatement* statement) { return sqlite3_finalize(Native(statement)); }
std::int64_t ColumnInt64(SqliteStatement* statement, int column) {
  return sqlite3_column_int64(Native(statement), column);
}
const unsigned char* ColumnText(SqliteStatement* statement, int column) {
  return sqlite3_column_text(Native(statement), column);
}
int ColumnBytes(SqliteStatement* statement, int column) { return sqlite3_column_bytes(Native(statement), column); }
const void* ColumnBlob(SqliteStatement* statement, int column) {
  return sqlite3_column_blob(Native(statement), column);
}

}  // namespace

std::shared_ptr<const SqliteApi> LoadSqliteApi(std::wstring& /*reason*/) {
  static const auto api = std::make_shared<const SqliteApi>(
      SqliteApi{OpenV2, Close, PrepareV2, Step, Finalize, ColumnInt64, ColumnText, ColumnBytes, ColumnBlob});
  return api;
}

}  // namespace orvane
