#include "program/supervision/Supervision.h"

#include <chrono>
#include <fstream>
#include <future>
#include <iostream>
#include <limits>

#include "program/Form21.h"
#include "core/Mailbox.h"
#include "core/StationEvents.h"
#include "program/Options.h"
#include "app/posix/IniProfile.h"
#include "core/Transcript.h"
#include "history/Csv.h"
#include "history/Recorder.h"
#include "history/UtcTime.h"
#include "history/sqlite/HistoryFile.h"
#include "web/http/WebServer.h"

namespace tc {

namespace {

std::int64_t wallMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string historyPath(const std::string& configDir) { return configDir + "/" + history::HistoryFile::kFileName; }

// How often work from the server's threads reaches the station.
constexpr int kMailMs = 20;
// How long a control's request waits for the station to carry it out.
constexpr auto kControlWait = std::chrono::seconds(2);

}  // namespace

// Declared in the order they start; they stop the other way round.
struct Supervision::Parts {
    Parts(Form21& f, EventLoop& l, Transcript& t) : form(f), loop(l), log(t) {}

    Form21& form;
    EventLoop& loop;
    Transcript& log;
    std::unique_ptr<history::HistoryFile> file;
    std::unique_ptr<history::Recorder> recorder;
    std::unique_ptr<Mailbox> mailbox;
    EventHub hub;
    StationEvents::Subscription viewFollows;
    Transcript::Subscription logFollows;
    std::unique_ptr<WebServer> server;

    history::Tally tally(std::int64_t widthMs) {
        auto bucket = buckets(widthMs, 1);
        return bucket.empty() ? history::Tally{} : bucket.front().tally;
    }
    std::vector<history::Bucket> buckets(std::int64_t widthMs, int count) {
        auto result = history::lastBuckets(wallMs(), widthMs, count);
        if (file && !result.empty())
            file->each(result.front().start, result.back().end,
                       [&result](const history::Record& r) { history::tallyInto(result, r); });
        return result;
    }
};

Supervision::Supervision(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

Supervision::~Supervision() {
    Parts& p = *parts_;
    p.server.reset();
    p.logFollows.cancel();
    p.viewFollows.cancel();
    p.mailbox.reset();
    p.recorder.reset();
    p.file.reset();
}

std::unique_ptr<Supervision> Supervision::start(Form21& form, EventLoop& loop, Transcript& log, bool virtualTime,
                                                const SupervisionOptions& options) {
    auto parts = std::make_unique<Parts>(form, loop, log);
    if (!virtualTime || options.virtualHistory) {
        history::Recorder::Clock clock = wallMs;
        if (virtualTime) clock = [&loop, start = options.virtualStartMs] { return start + loop.nowMs(); };
        try {
            parts->file = std::make_unique<history::HistoryFile>(historyPath(options.configDir));
            parts->recorder = std::make_unique<history::Recorder>(*parts->file, clock, form.events);
        } catch (const std::exception& e) {
            log.line("history " + Transcript::quoted(std::string("not kept: ") + e.what()));
            parts->file.reset();
        }
    }
    if (!virtualTime) startWeb(*parts, options);
    return std::unique_ptr<Supervision>(new Supervision(std::move(parts)));
}

void Supervision::startWeb(Parts& p, const SupervisionOptions& options) {
    IniProfile profile(options.configDir + "/tailchime.ini");
    WebSettings settings = WebSettings::read(profile);
    ListenAt at = options.web.value_or(ListenAt{settings.address, settings.port});
    if (at.port == 0) return;
    auto tell = [&p](const std::string& text) { p.log.line("web " + Transcript::quoted(text)); };

    p.mailbox = std::make_unique<Mailbox>(p.loop, kMailMs);
    // The page's view is what the station last told of its panel; its log
    // is the station's.
    p.hub.publish(p.form.status());
    p.viewFollows = p.form.events.subscribe([&p](const StationEvent& e, std::int64_t) {
        if (auto* status = std::get_if<event::Status>(&e)) p.hub.publish(*status);
    });
    p.logFollows = p.log.follow([&p](const std::string& line) { p.hub.publishLine(line); });

    Served served{p.hub,
                  [&p] { return p.tally(history::kDayMs); },
                  [&p](std::int64_t widthMs, int count) { return p.buckets(widthMs, count); },
                  [&p](const Control& control) {
                      auto done = std::make_shared<std::promise<void>>();
                      auto ready = done->get_future();
                      p.mailbox->send([&p, control, done] {
                          carryOut(control, p.form);
                          done->set_value();
                      });
                      return ready.wait_for(kControlWait) == std::future_status::ready;
                  },
                  [&p](const std::string& text) {
                      p.mailbox->send([&p, text] { p.log.line("web " + Transcript::quoted(text)); });
                  }};
    auto server = std::make_unique<WebServer>(settings, at, std::move(served));
    std::string problem;
    if (!server->start(problem)) {
        tell("not served: " + problem);
        return;
    }
    p.server = std::move(server);
    const std::string host = at.address.find(':') != std::string::npos ? "[" + at.address + "]" : at.address;
    tell(std::string("serving ") + (p.server->tls() ? "https" : "http") + "://" + host + ":" + std::to_string(at.port) +
         "/");
    if (settings.passwordHash.empty())
        tell("no password is set, so the controls are refused: set one with tailchime --web-password");
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

}  // namespace tc
