#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace tc::history {

// One connection to the history file, with the tables made when missing,
// in WAL mode: a writer and readers on connections of their own never
// wait for one another, and a crash loses at most the last transactions.
class Database {
public:
    explicit Database(const std::string& path);  // throws std::runtime_error
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const char* sql);
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(const std::string& what) const;

private:
    sqlite3* db_ = nullptr;
};

// A prepared statement, reset for each use.
class Statement {
public:
    Statement(Database& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, const std::string& text);
    bool step();  // true while a row is there
    void reset();
    std::int64_t integer(int column) const;
    std::string text(int column) const;

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace tc::history
