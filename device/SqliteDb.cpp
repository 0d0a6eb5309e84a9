#include "device/SqliteDb.h"

#include <sqlite3.h>

namespace device {

SqliteDb::~SqliteDb() { Close(); }

bool SqliteDb::OpenWith(const std::string& path, int flags) {
  Close();
  if (path.empty()) return false;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    Close();  // a failed open still hands out a handle to release
    return false;
  }
  return true;
}

bool SqliteDb::Open(const std::string& path) { return OpenWith(path, SQLITE_OPEN_READONLY); }

bool SqliteDb::Create(const std::string& path) {
  return OpenWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void SqliteDb::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool SqliteDb::Execute(const std::string& sql) {
  return db_ && sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteStatement::~SqliteStatement() { Finalize(); }

bool SqliteStatement::Prepare(const SqliteDb& db, const std::string& sql) {
  Finalize();
  if (!db.IsOpen()) return false;
  if (sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
    Finalize();
    return false;
  }
  return statement_ != nullptr;
}

bool SqliteStatement::BindText(int index, const std::string& text) {
  if (!statement_) return false;
  const std::string& kept = texts_.emplace_back(text);
  return sqlite3_bind_text(statement_, index, kept.data(), static_cast<int>(kept.size()), SQLITE_STATIC) ==
         SQLITE_OK;
}

bool SqliteStatement::BindBlob(int index, const std::vector<std::uint8_t>& bytes) {
  if (!statement_) return false;
  const auto& kept = blobs_.emplace_back(bytes);
  return sqlite3_bind_blob(statement_, index, kept.data(), static_cast<int>(kept.size()), SQLITE_STATIC) ==
         SQLITE_OK;
}

bool SqliteStatement::BindInt(int index, std::int64_t value) {
  return statement_ && sqlite3_bind_int64(statement_, index, value) == SQLITE_OK;
}

int SqliteStatement::Step() { return statement_ ? sqlite3_step(statement_) : SQLITE_MISUSE; }

std::string SqliteStatement::ColumnText(int index) const {
  const unsigned char* text = sqlite3_column_text(statement_, index);
  if (!text) return {};
  return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_column_bytes(statement_, index)));
}

std::vector<std::uint8_t> SqliteStatement::ColumnBlob(int index) const {
  const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, index));
  int length = sqlite3_column_bytes(statement_, index);
  if (!data || length <= 0) return {};
  return std::vector<std::uint8_t>(data, data + length);
}

void SqliteStatement::Finalize() {
  if (statement_) sqlite3_finalize(statement_);
  statement_ = nullptr;
  texts_.clear();
  blobs_.clear();
}

}  // namespace device
