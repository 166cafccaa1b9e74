#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "history/Record.h"
#include "history/sqlite/Database.h"

namespace tc::history {

// The station's history in "history.sqlite": records handed to add() are
// written by a thread of its own, in one transaction a batch, at least
// every kBatchMs; the caller never waits for the disk. Records older than
// kKeepDays before the newest one written are pruned as it goes. Reading
// goes through a connection of its own, one reader at a time.
class HistoryFile : public Store, public Reader {
public:
    static constexpr int kBatchMs = 250;
    static constexpr std::int64_t kKeepDays = 400;
    static constexpr const char* kFileName = "history.sqlite";

    // `refused` is told, from the writing thread, of a batch the disk refused.
    explicit HistoryFile(const std::string& path,
                         std::function<void(const std::string& why)> refused = {});  // throws std::runtime_error
    ~HistoryFile() override;  // writes what is waiting, then closes

    void add(Record record) override;
    void each(std::int64_t from, std::int64_t to, const std::function<void(const Record&)>& take) override;
    // Waits until everything added so far is in the file.
    void flush();

private:
    void writeLoop();
    void write(const std::vector<Record>& batch);

    std::function<void(const std::string&)> refused_;
    Database writer_, reader_;
    std::mutex readMutex_;
    std::mutex mutex_;
    std::condition_variable wake_, written_;
    std::vector<Record> waiting_;
    std::uint64_t added_ = 0, done_ = 0;
    bool stopping_ = false;
    std::int64_t newest_ = 0, prunedAt_ = 0;
    std::thread thread_;
};

}  // namespace tc::history
