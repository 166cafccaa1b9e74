#include "supervision/Supervision.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <limits>

#include "app/Form21.h"
#include "app/Options.h"
#include "headless/Transcript.h"
#include "history/Csv.h"
#include "history/StationRecorder.h"
#include "history/StationWatch.h"
#include "history/Tally.h"
#include "history/UtcTime.h"
#include "history/sqlite/HistoryFile.h"

namespace tc {

namespace {

std::int64_t wallMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string historyPath(const std::string& configDir) { return configDir + "/" + history::HistoryFile::kFileName; }

}  // namespace

// Declared in the order they start; they stop the other way round.
struct Supervision::Parts {
    std::unique_ptr<history::HistoryFile> file;
    std::unique_ptr<history::StationRecorder> recorder;
    std::unique_ptr<history::StationWatch> watch;
};

Supervision::Supervision(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

Supervision::~Supervision() {
    parts_->watch.reset();
    parts_->recorder.reset();
    parts_->file.reset();
}

std::unique_ptr<Supervision> Supervision::start(Form21& form, EventLoop& loop, Transcript& log, bool virtualTime,
                                                const SupervisionOptions& options) {
    auto parts = std::make_unique<Parts>();
    if (!virtualTime || options.virtualHistory) {
        history::StationRecorder::Clock clock = wallMs;
        if (virtualTime) clock = [&loop, start = options.virtualStartMs] { return start + loop.nowMs(); };
        try {
            parts->file = std::make_unique<history::HistoryFile>(historyPath(options.configDir));
            parts->recorder = std::make_unique<history::StationRecorder>(*parts->file, clock);
            parts->watch = std::make_unique<history::StationWatch>(form, *parts->recorder);
        } catch (const std::exception& e) {
            log.line("history " + Transcript::quoted(std::string("not kept: ") + e.what()));
            parts->file.reset();
        }
    }
    return std::unique_ptr<Supervision>(new Supervision(std::move(parts)));
}

Platform::Supervise supervisionFor(const Options& options, const std::string& configDir, std::string& problem) {
    SupervisionOptions s;
    s.configDir = configDir;
    s.virtualHistory = options.history;
    s.virtualStartMs = (wallMs() / history::kDayMs - 30) * history::kDayMs;
    if (options.historyStart) {
        auto start = history::utcMidnight(*options.historyStart);
        if (!start) {
            problem = "--history-start: '" + *options.historyStart + "' is not a date YYYY-MM-DD";
            return {};
        }
        s.virtualStartMs = *start;
    }
    return [s](Form21& form, EventLoop& loop, Transcript& log, bool virtualTime) -> std::unique_ptr<Watch> {
        return Supervision::start(form, loop, log, virtualTime, s);
    };
}

int exportHistoryCsv(const std::string& configDir, const std::string& file) {
    try {
        history::HistoryFile history(historyPath(configDir));
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error(file + ": cannot write");
        history::writeCsv(out, history.between(std::numeric_limits<std::int64_t>::min(),
                                               std::numeric_limits<std::int64_t>::max()));
        out.close();
        if (!out) throw std::runtime_error(file + ": cannot write");
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tailchime: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace tc
