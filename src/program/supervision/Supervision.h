#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/EventLoop.h"
#include "program/Platform.h"
#include "web/secure/PasswordCommand.h"
#include "web/WebSettings.h"

namespace tc {

struct Launcher;
struct Options;

// What follows a running station: its history in history.sqlite beside
// tailchime.ini and, on the real clock, its alerts ([ALERTS]), its web page
// when --web or [WEB] PORT asks for it, and its bridge to a club's broker
// when --mqtt or [MQTT] HOST does. On the real clock the history is always kept; a
// station script on virtual time keeps it with --history, its time 0 at
// midnight (UTC) of --history-start (default: 30 days before today), so
// that a month of traffic runs in moments.
struct SupervisionOptions {
    std::string configDir;
    bool virtualHistory = false;
    std::int64_t virtualStartMs = 0;
    std::optional<ListenAt> web;       // --web
    std::optional<std::string> mqtt;  // --mqtt
};

class Supervision : public Watch {
public:
    // Whatever fails to start is told on the log, and the station runs on
    // without it.
    static std::unique_ptr<Supervision> start(Form21& form, EventLoop& loop, Transcript& log, bool virtualTime,
                                              const SupervisionOptions& options);
    ~Supervision() override;

    struct Parts;
    // Whether this build has a bridge to a club's broker.
    static const bool kHasBridge;

private:
    explicit Supervision(std::unique_ptr<Parts> parts);
    static void startAlerts(Parts& parts);
    static void startWeb(Parts& parts, const SupervisionOptions& options);
    static void startBridge(Parts& parts, const SupervisionOptions& options);
    std::unique_ptr<Parts> parts_;
};

// The station's supervision as the options ask for it; a problem with
// them (a bad date or address) is set, and nothing comes back.
Platform::Supervise supervisionFor(const Options& options, const std::string& configDir, std::string& problem);

// --history-csv FILE: the whole history; 0 when written, 1 otherwise.
int exportHistoryCsv(const std::string& configDir, const std::string& file);

// Gives the launcher the station's supervision and its commands that end at
// once (--web-password, asking with `ask` where a password is typed,
// --web-metrics-token, --history-csv).
void superviseWith(Launcher& launcher, AskQuietly ask);

}  // namespace tc
