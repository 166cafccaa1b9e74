#include "program/supervision/Supervision.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>

#include "core/Profile.h"
#include "history/Csv.h"
#include "history/UtcTime.h"
#include "program/Launch.h"
#include "program/Options.h"
#include "program/supervision/SupervisionParts.h"

namespace tc {

namespace {

std::string historyPath(const std::string& configDir) { return configDir + "/" + history::HistoryFile::kFileName; }

// How often work from the other threads (a control from the page, the
// broker's commands, the history's troubles) reaches the station: as often
// as the station's own timers tick, so that an idle station wakes no more.
constexpr int kMailMs = 100;

}  // namespace

Supervision::Supervision(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

Supervision::~Supervision() {
    Parts& p = *parts_;
    p.bridge.reset();
    p.server.reset();
    p.alertsOnPage.cancel();
    p.viewFollows.cancel();
    p.alertsTold.cancel();
    p.metrics.reset();
    p.webhook.reset();
    p.alerts.reset();
    p.recorder.reset();
    p.file.reset();
    p.mailbox.reset();
}

std::unique_ptr<Supervision> Supervision::start(Form21& form, EventLoop& loop, Transcript& log, bool virtualTime,
                                                const SupervisionOptions& options) {
    auto parts = std::make_unique<Parts>(form, loop, log);
    if (!virtualTime) parts->mailbox = std::make_unique<Mailbox>(loop, kMailMs);
    if (!virtualTime || options.virtualHistory) {
        history::Recorder::Clock clock = wallMs;
        if (virtualTime) clock = [&loop, start = options.virtualStartMs] { return start + loop.nowMs(); };
        try {
            std::error_code ignored;  // a folder that cannot be made is told by the file's opening
            std::filesystem::create_directories(options.configDir, ignored);
            parts->file = std::make_unique<history::HistoryFile>(
                historyPath(options.configDir), [p = parts.get()](const std::string& why) {
                    if (p->mailbox) p->mailbox->send([p, why] {
                        if (p->alerts) p->alerts->historyNotWritten(why);
                    });
                });
            parts->recorder = std::make_unique<history::Recorder>(*parts->file, clock, form.events);
        } catch (const std::exception& e) {
            log.line("history " + Transcript::quoted(std::string("not kept: ") + e.what()));
            parts->file.reset();
        }
    }
    if (!virtualTime) {
        startAlerts(*parts);
        startWeb(*parts, options);
        startBridge(*parts, options);
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
    if (options.mqtt && !Supervision::kHasBridge) {
        problem = "--mqtt: this build has no broker bridge";
        return {};
    }
    s.mqtt = options.mqtt;
    if (options.web) {
        s.web = parseListenAt(*options.web, WebSettings::kDefaultAddress);
        if (!s.web) {
            problem = "--web: '" + *options.web + "' is not [ADDRESS:]PORT";
            return {};
        }
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

void superviseWith(Launcher& launcher, AskQuietly ask) {
    launcher.supervision = supervisionFor;
    Platform& platform = launcher.platform;
    launcher.webPassword = [&platform, ask = std::move(ask)](const std::string& dir) {
        return setWebPassword(*platform.profile(dir), std::cin, std::cerr, ask);
    };
    launcher.webMetricsToken = [&platform](const std::string& dir) {
        return makeMetricsToken(*platform.profile(dir), std::cout, std::cerr);
    };
    launcher.historyCsv = [](const Options& options, const std::string& dir) {
        return exportHistoryCsv(dir, *options.historyCsv);
    };
}

}  // namespace tc
