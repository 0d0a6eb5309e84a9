#pragma once
// A small RAII layer over the SQLite C API: a database handle and prepared
// statements whose bound texts stay alive as long as the statement, so the
// engine never has to copy them.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace device {

/// Step result that means "a row is ready" (SQLITE_ROW).
constexpr int kSqliteRow = 100;
/// Step result that means "no more rows" (SQLITE_DONE).
constexpr int kSqliteDone = 101;

/// One open database file; closed by the destructor.
class SqliteDb {
 public:
  SqliteDb() = default;
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  /// Opens an existing file read-only (never creates one). An empty path
  /// fails at once: SQLite would otherwise open a temporary database.
  bool Open(const std::string& path);
  /// Opens or creates a file read-write (for the tools that write databases).
  bool Create(const std::string& path);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  sqlite3* Handle() const { return db_; }
  /// Runs SQL without results; false on any error.
  bool Execute(const std::string& sql);

 private:
  bool OpenWith(const std::string& path, int flags);
  sqlite3* db_ = nullptr;
};

/// One prepared statement; finalised by the destructor or Finalize().
class SqliteStatement {
 public:
  SqliteStatement() = default;
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  /// Prepares `sql` on an open database; false when it cannot be prepared.
  bool Prepare(const SqliteDb& db, const std::string& sql);
  /// Binds parameter `index` (1-based) to a copy of `text` owned by the
  /// statement, with its byte length.
  bool BindText(int index, const std::string& text);
  /// Binds parameter `index` to a copy of `bytes` owned by the statement.
  bool BindBlob(int index, const std::vector<std::uint8_t>& bytes);
  bool BindInt(int index, std::int64_t value);
  /// One step: kSqliteRow, kSqliteDone or an error code.
  int Step();
  /// Column `index` of the current row as UTF-8 text (empty for NULL).
  std::string ColumnText(int index) const;
  /// Column `index` of the current row as bytes, with their byte length.
  std::vector<std::uint8_t> ColumnBlob(int index) const;
  void Finalize();

 private:
  sqlite3_stmt* statement_ = nullptr;
  std::list<std::string> texts_;
  std::list<std::vector<std::uint8_t>> blobs_;
};

}  // namespace device
