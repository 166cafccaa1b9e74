#include "history/sqlite/HistoryFile.h"

#include <chrono>

#include "history/Tally.h"

namespace tc::history {

HistoryFile::HistoryFile(const std::string& path, std::function<void(const std::string&)> refused)
    : refused_(std::move(refused)), writer_(path), reader_(path), thread_([this] { writeLoop(); }) {}

HistoryFile::~HistoryFile() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void HistoryFile::add(Record record) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.push_back(std::move(record));
    ++added_;
}

void HistoryFile::flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t target = added_;
    wake_.notify_one();
    written_.wait(lock, [&] { return done_ >= target; });
}

void HistoryFile::writeLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait_for(lock, std::chrono::milliseconds(kBatchMs));
        std::vector<Record> batch;
        batch.swap(waiting_);
        const bool last = stopping_;
        lock.unlock();
        if (!batch.empty()) {
            try {
                write(batch);
            } catch (const std::exception& e) {
                // The disk refused this batch (full, gone): the station goes
                // on; the records of this batch are lost, not the file.
                if (refused_) refused_(e.what());
                try {
                    writer_.exec("ROLLBACK");
                } catch (const std::exception&) {
                }
            }
        }
        lock.lock();
        done_ += batch.size();
        written_.notify_all();
        if (last && waiting_.empty()) return;
    }
}

void HistoryFile::write(const std::vector<Record>& batch) {
    Statement over(writer_, "INSERT INTO overs VALUES(?,?,?,?)");
    Statement ident(writer_, "INSERT INTO idents VALUES(?,?,?,?,?,?)");
    Statement keying(writer_, "INSERT INTO keyings VALUES(?,?)");
    writer_.exec("BEGIN");
    for (const Record& r : batch) {
        if (const auto* o = std::get_if<Over>(&r)) {
            over.bind(1, o->start).bind(2, o->end).bind(3, std::string(o->internet ? "internet" : "rf"));
            over.bind(4, std::int64_t{o->counted}).step();
            over.reset();
        } else if (const auto* i = std::get_if<Ident>(&r)) {
            ident.bind(1, i->start).bind(2, i->end).bind(3, std::string(i->audio ? "audio" : "cw")).bind(4, i->what);
            ident.bind(5, std::int64_t{i->rendered}).bind(6, std::int64_t{i->courtesy}).step();
            ident.reset();
        } else if (const auto* k = std::get_if<Keying>(&r)) {
            keying.bind(1, k->start).bind(2, k->end).step();
            keying.reset();
        }
        newest_ = std::max(newest_, endOf(r));
    }
    if (newest_ - prunedAt_ >= kHourMs) {
        const std::int64_t before = newest_ - kKeepDays * kDayMs;
        for (const char* table : {"overs", "idents", "keyings"}) {
            Statement prune(writer_, (std::string("DELETE FROM ") + table + " WHERE ended < ?").c_str());
            prune.bind(1, before).step();
        }
        prunedAt_ = newest_;
    }
    writer_.exec("COMMIT");
}

void HistoryFile::each(std::int64_t from, std::int64_t to, const std::function<void(const Record&)>& take) {
    std::lock_guard<std::mutex> lock(readMutex_);
    reader_.exec("BEGIN");  // one snapshot for the three tables
    try {
        Statement overs(reader_, "SELECT started, ended, source, counted FROM overs WHERE ended >= ? AND started < ?");
        for (overs.bind(1, from).bind(2, to); overs.step();)
            take(Over{overs.integer(0), overs.integer(1), overs.text(2) == "internet", overs.integer(3) != 0});
        Statement idents(reader_, "SELECT started, ended, kind, what, rendered, courtesy FROM idents"
                                  " WHERE ended >= ? AND started < ?");
        for (idents.bind(1, from).bind(2, to); idents.step();)
            take(Ident{idents.integer(0), idents.integer(1), idents.text(2) == "audio", idents.text(3),
                       idents.integer(4) != 0, idents.integer(5) != 0});
        Statement keyings(reader_, "SELECT started, ended FROM keyings WHERE ended >= ? AND started < ?");
        for (keyings.bind(1, from).bind(2, to); keyings.step();) take(Keying{keyings.integer(0), keyings.integer(1)});
    } catch (...) {
        reader_.exec("COMMIT");
        throw;
    }
    reader_.exec("COMMIT");
}

}  // namespace tc::history
