// The Windows program: beside the real host (--host echolink) or on the
// simulated station with a station script (--headless).
#include <iostream>
#include <memory>
#include <stdexcept>

#include "app/Options.h"
#include "app/win32/ComApartment.h"
#include "app/win32/Folders.h"
#include "app/win32/HostOption.h"
#include "app/win32/HostRun.h"
#include "app/win32/InstanceMutex.h"
#include "headless/Runner.h"
#include "report/UsageReport.h"
#include "report/win32/WinInetTransport.h"
#include "transmit/sound/AudioFactories.h"

namespace {

tc::Form21::ReportSender reportSender(tc::EventLoop& loop, const tc::StatsServer& server,
                                      std::function<void(const std::string&)> told) {
    auto transport = std::make_shared<tc::win32::WinInetTransport>();
    auto report = std::make_shared<tc::UsageReport>(*transport, loop, server);
    report->onReport = std::move(told);
    return [transport, report](const std::string& callsign, const std::string& prog, const std::string& ver) {
        report->SaveUserData(callsign, prog, ver);
    };
}

int usageError(const std::string& problem) {
    std::cerr << "tailchime: " << problem << "\n" << tc::kUsage << tc::win32::kHostUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string problem;
    const auto host = tc::win32::takeHostOption(args, problem);
    if (!problem.empty()) return usageError(problem);
    auto options = tc::parseOptions(args, problem);
    if (!options) return usageError(problem);
    if (options->help) {
        std::cout << tc::kUsage << tc::win32::kHostUsage;
        return 0;
    }
    if (host && !tc::win32::hostOptionsFit(*options, problem)) return usageError(problem);
    tc::StatsServer server;
    if (options->statsServer) {
        try {
            server = tc::parseStatsServer(*options->statsServer);
        } catch (const std::invalid_argument& e) {
            std::cerr << "tailchime: --stats-server: " << e.what() << "\n";
            return 2;
        }
    }

    tc::win32::ComApartment com;
    if (!com.ok()) {
        std::cerr << "tailchime: COM cannot be started on this thread\n";
        return 1;
    }
    if (host) return tc::win32::runWithHost(*options, server, std::cout);
    if (!options->headlessScript)
        return usageError("this build has no windows; run beside the host with --host echolink, or a station "
                          "script with --headless SCRIPT");

    static tc::win32::InstanceMutex instance;
    tc::HeadlessPlatform platform;
    platform.audio = [](tc::EventLoop& loop, tc::PlaybackListener& listener, bool virtualTime) {
        return virtualTime ? tc::makeVirtualAudio(loop, &listener) : tc::makeDeviceAudio(loop, &listener);
    };
    platform.previousInstance = [](const std::string& dir) { return !instance.acquire(dir); };
    platform.report = [server](tc::EventLoop& loop, std::function<void(const std::string&)> told) {
        return reportSender(loop, server, std::move(told));
    };
    const std::string tones = tc::win32::programFolder() + "\\";
    platform.rfToneDefault = tones + "RF.wav";
    platform.inetToneDefault = tones + "IP.wav";

    tc::HeadlessOptions headless;
    headless.scriptPath = *options->headlessScript;
    headless.virtualTime = options->virtualTime;
    headless.configDir = options->configDir.value_or(tc::win32::windowsFolder());
    headless.callsign = options->callsign;
    headless.trace = options->trace;
    return tc::runHeadless(headless, platform, std::cout, std::cerr);
}
