#include "history/sqlite/Database.h"

#include <sqlite3.h>

namespace tc::history {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS overs(started INTEGER NOT NULL, ended INTEGER NOT NULL,"
    " source TEXT NOT NULL, counted INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS idents(started INTEGER NOT NULL, ended INTEGER NOT NULL,"
    " kind TEXT NOT NULL, what TEXT NOT NULL, rendered INTEGER NOT NULL, courtesy INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS keyings(started INTEGER NOT NULL, ended INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS overs_ended ON overs(ended);"
    "CREATE INDEX IF NOT EXISTS idents_ended ON idents(ended);"
    "CREATE INDEX IF NOT EXISTS keyings_ended ON keyings(ended);";

}  // namespace

Database::Database(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw std::runtime_error(path + ": " + why);
    }
    sqlite3_busy_timeout(db_, 5000);
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=NORMAL");
    exec(kSchema);
}

Database::~Database() { sqlite3_close(db_); }

void Database::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string why = message ? message : "failed";
        sqlite3_free(message);
        throw std::runtime_error(std::string("history: ") + why);
    }
}

void Database::fail(const std::string& what) const {
    throw std::runtime_error("history: " + what + ": " + sqlite3_errmsg(db_));
}

Statement::Statement(Database& db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK) db.fail(sql);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, const std::string& text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) db_.fail("step");
    return false;
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::text(int column) const {
    const unsigned char* t = sqlite3_column_text(stmt_, column);
    return t ? std::string(reinterpret_cast<const char*>(t), sqlite3_column_bytes(stmt_, column)) : std::string();
}

}  // namespace tc::history
