#include "program/Launch.h"

#include <iostream>
#include <stdexcept>

#include "core/Identity.h"
#include "program/headless/Runner.h"
#include "report/UsageReport.h"

namespace tc {

namespace {

int usageError(const std::string& problem) {
    std::cerr << "tailchime: " << problem << "\n" << kUsage;
    return 2;
}

}  // namespace

int launch(const std::vector<std::string>& args, const Launcher& launcher) {
    std::string problem;
    auto options = parseOptions(args, problem);
    if (!options) return usageError(problem);
    if (options->help) {
        std::cout << kUsage;
        return 0;
    }
    if (options->version) {
        std::cout << identity::kProduct << " " << identity::versionText() << "\n";
        return 0;
    }
    if (options->listRigs || options->listAudioDevices) {
        if (!launcher.lists) return usageError("this build has no radios or sound devices to list");
        return launcher.lists(*options);
    }
    StatsServer server;
    if (options->statsServer) {
        try {
            server = parseStatsServer(*options->statsServer);
        } catch (const std::invalid_argument& e) {
            return usageError(std::string("--stats-server: ") + e.what());
        }
    }
    const std::string configDir = options->configDir.value_or(launcher.configDirDefault);
    if (options->webPassword) {
        if (!launcher.webPassword) return usageError("this build has no web page");
        return launcher.webPassword(configDir);
    }
    if (options->webMetricsToken) {
        if (!launcher.webMetricsToken) return usageError("this build has no web page");
        return launcher.webMetricsToken(configDir);
    }
    if (options->historyCsv) {
        if (!launcher.historyCsv) return usageError("this build keeps no history");
        return launcher.historyCsv(*options, configDir);
    }
    if ((options->history || options->historyStart) && !(options->virtualTime && options->headlessScript))
        return usageError("--history is for a station script on virtual time (the real clock keeps it anyway)");
    if (options->web && options->virtualTime) return usageError("--web serves a station on the real clock");
    if (options->mqtt && options->virtualTime) return usageError("--mqtt publishes a station on the real clock");

    Platform platform = launcher.platform;
    auto http = launcher.http;
    platform.report = [http, server](EventLoop& loop) {
        auto client = http(loop);
        if (!client) return ReportSender();
        auto report = std::make_shared<UsageReport>(*client, server);
        return ReportSender(
            [client, report](const std::string& callsign, const std::string& prog, const std::string& ver) {
                return report->SaveUserData(callsign, prog, ver);
            });
    };

    if (launcher.chooseRadio && !launcher.chooseRadio(*options, configDir, platform, problem)) {
        std::cerr << "tailchime: " << problem << "\n";
        return 2;
    }
    if (launcher.supervision) {
        problem.clear();
        platform.supervise = launcher.supervision(*options, configDir, problem);
        if (!problem.empty()) return usageError(problem);
    } else if (options->web || options->history || options->mqtt) {
        return usageError("this build has no web page, keeps no history and has no broker bridge");
    }
    // The host, chosen once, unless the command line says otherwise: a
    // radio that the settings file names, else the windows beside the node
    // program where it is installed, else the simulated station.
    std::string preferred = kSimulatedHost;
    std::string notice;
    if (platform.hosts.contains(kRadioHost)) {
        preferred = kRadioHost;
    } else if (launcher.nodeProgramInstalled && !options->headlessScript) {
        if (launcher.nodeProgramInstalled())
            preferred = kNodeProgramHost;
        else if (!options->host)
            notice = kNotInstalledNotice;
    }
    auto host = chooseHost(*options, platform.hosts, preferred, problem);
    if (!host) return usageError(problem);
    const bool radio = *host == kRadioHost;
    if (radio && options->virtualTime)
        return usageError("a radio runs on the real clock: --virtual-time is for scripts");
    if (options->noWindow) {
        if (!radio) return usageError("--no-window runs a station with a radio: give --host rig (or a [RIG] section)");
        if (options->headlessScript) return usageError("--no-window and --headless exclude each other");
        HeadlessOptions unattended;
        unattended.configDir = configDir;
        unattended.host = *host;
        unattended.unattended = true;
        unattended.trace = options->trace;
        return runHeadless(unattended, platform, std::cerr, std::cerr);
    }
    if (options->headlessScript) {
        HeadlessOptions headless;
        headless.scriptPath = *options->headlessScript;
        headless.virtualTime = options->virtualTime;
        headless.configDir = configDir;
        headless.callsign = options->callsign;
        headless.trace = options->trace;
        headless.host = *host;
        return runHeadless(headless, platform, std::cout, std::cerr);
    }
    if (!launcher.windowed) return usageError("this build has no windows; run a station script with --headless SCRIPT");
    Options chosen = *options;
    chosen.host = *host;
    return launcher.windowed(chosen, configDir, platform, notice);
}

}  // namespace tc
