#include <iostream>
#include <memory>
#include <stdexcept>

#include "app/Options.h"
#include "app/ToneFiles.h"
#include "app/posix/ConfigFolder.h"
#include "app/posix/InstanceLock.h"
#include "headless/Runner.h"
#include "report/UsageReport.h"
#include "report/curl/CurlTransport.h"
#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/CwOnTheAir.h"
#ifdef TAILCHIME_WITH_QT
#include "ui/qt/Windowed.h"
#endif

namespace {

// The usage report over the network, made once at the end of start-up.
tc::Form21::ReportSender reportSender(tc::EventLoop& loop, const tc::StatsServer& server,
                                      std::function<void(const std::string&)> told) {
    auto transport = std::make_shared<tc::CurlTransport>(loop);
    auto report = std::make_shared<tc::UsageReport>(*transport, loop, server);
    report->onReport = std::move(told);
    return [transport, report](const std::string& callsign, const std::string& prog, const std::string& ver) {
        report->SaveUserData(callsign, prog, ver);
    };
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    auto options = tc::parseOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!options) {
        std::cerr << "tailchime: " << problem << "\n" << tc::kUsage;
        return 2;
    }
    if (options->help) {
        std::cout << tc::kUsage;
        return 0;
    }
    tc::StatsServer server;
    if (options->statsServer) {
        try {
            server = tc::parseStatsServer(*options->statsServer);
        } catch (const std::invalid_argument& e) {
            std::cerr << "tailchime: --stats-server: " << e.what() << "\n";
            return 2;
        }
    }
    const std::string configDir = options->configDir.value_or(tc::defaultConfigFolder());

    if (!options->headlessScript) {
#ifdef TAILCHIME_WITH_QT
        tc::WindowedPlatform windowed;
        windowed.audio = [](tc::EventLoop& loop) { return tc::makeDeviceAudio(loop, nullptr); };
        windowed.report = [server](tc::EventLoop& loop) { return reportSender(loop, server, {}); };
        windowed.stationSound = [] { return std::make_unique<tc::sound::CwOnTheAir>(); };
        windowed.rfToneDefault = tc::defaultTone("RF.wav");
        windowed.inetToneDefault = tc::defaultTone("IP.wav");
        return tc::runWindowed(*options, configDir, windowed, argc, argv);
#else
        std::cerr << "tailchime: this build has no windows; run a station script with --headless SCRIPT\n";
        return 2;
#endif
    }

    static tc::InstanceLock lock;
    tc::HeadlessPlatform platform;
    platform.audio = [](tc::EventLoop& loop, tc::PlaybackListener& listener, bool virtualTime) {
        return virtualTime ? tc::makeVirtualAudio(loop, &listener) : tc::makeDeviceAudio(loop, &listener);
    };
    platform.previousInstance = [](const std::string& dir) { return !lock.acquire(dir); };
    platform.report = [server](tc::EventLoop& loop, std::function<void(const std::string&)> told) {
        return reportSender(loop, server, std::move(told));
    };
    platform.stationSound = [] { return std::make_unique<tc::sound::CwOnTheAir>(); };
    platform.rfToneDefault = tc::defaultTone("RF.wav");
    platform.inetToneDefault = tc::defaultTone("IP.wav");

    tc::HeadlessOptions headless;
    headless.scriptPath = *options->headlessScript;
    headless.virtualTime = options->virtualTime;
    headless.configDir = configDir;
    headless.callsign = options->callsign;
    headless.trace = options->trace;
    return tc::runHeadless(headless, platform, std::cout, std::cerr);
}
