// The Linux program: the windows on the simulated station or on a radio
// (--host rig), a station script headless (--headless), or a station with a
// radio and no windows (--no-window).
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "program/Launch.h"
#include "program/RadioSettings.h"
#include "app/posix/IniProfile.h"
#include "program/ToneFiles.h"
#include "platform/posix/ConfigFolder.h"
#include "platform/posix/DataFolder.h"
#include "platform/posix/InstanceLock.h"
#include "platform/posix/Module.h"
#include "platform/posix/RealTime.h"
#include "program/hamlib/RadioChoice.h"
#include "hostlink/hamlib/RigDevice.h"
#include "report/curl/CurlPost.h"
#include "program/supervision/Supervision.h"
#include "web/posix/QuietTerminal.h"
#include "web/secure/PasswordCommand.h"
#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/SoundOutput.h"
#ifdef TAILCHIME_WITH_WINDOWS
#include "program/qt/WindowsModule.h"
#endif

namespace {

// The sound output, loaded by the first mode that sounds; null, with the
// problem told once, where it does not load.
const tc::sound::SoundOutput* soundOutput() {
    static const tc::sound::SoundOutput* output = [] {
        std::string problem;
        auto* entry = tc::moduleFunction<tc::sound::SoundOutputEntry>(tc::sound::kSoundModule,
                                                                      tc::sound::kSoundModuleEntry, problem);
        if (entry) return entry();
        std::cerr << "tailchime: no sound output: " << problem << "\n";
        return static_cast<const tc::sound::SoundOutput*>(nullptr);
    }();
    return output;
}

// On the real clock the sound output is loaded once something is to sound:
// audio idents chosen (the tones prepared at start) or a tone played.
std::unique_ptr<tc::AudioGraphFactory> audio(tc::EventLoop& loop, tc::PlaybackListener* listener, bool virtualTime) {
    if (virtualTime) return tc::makeVirtualAudio(loop, listener);
    return tc::makeAudioOnFirstUse([&loop, listener] {
        if (auto* output = soundOutput()) return output->deviceAudio(loop, listener);
        return tc::makeNoOutputAudio("no sound output");
    });
}

// The usage report's client from its module, which goes again with the
// client once the report is posted: the station never keeps libcurl mapped.
std::shared_ptr<tc::ReportPost> reportClient(tc::EventLoop& loop) {
    std::string problem;
    void* module = tc::openModule(tc::kReportModule, problem);
    auto* make = reinterpret_cast<tc::ReportPostEntry*>(
        tc::moduleEntry(module, tc::kReportModule, tc::kReportModuleEntry, problem));
    if (!make) {
        tc::closeModule(module);
        std::cerr << "tailchime: no usage report: " << problem << "\n";
        return nullptr;
    }
    return std::shared_ptr<tc::ReportPost>(make(loop), [module](tc::ReportPost* client) {
        delete client;
        tc::closeModule(module);
    });
}

}  // namespace

int main(int argc, char** argv) {
    static tc::InstanceLock lock;  // held until the program ends
    tc::Launcher launcher;
    tc::Platform& p = launcher.platform;
    p.audio = audio;
    p.previousInstance = [](const std::string& dir) { return !lock.acquire(dir); };
    p.profile = [](const std::string& dir) { return std::make_unique<tc::IniProfile>(dir + "/tailchime.ini"); };
    p.stationSound = [] {
        auto* output = soundOutput();
        return output ? output->stationSound() : nullptr;
    };
    p.rfToneDefault = tc::defaultTone("RF.wav", tc::installedDataFolder());
    p.inetToneDefault = tc::defaultTone("IP.wav", tc::installedDataFolder());
    launcher.http = reportClient;
    launcher.configDirDefault = tc::defaultConfigFolder();
    p.realTime = tc::raiseToRealTime;
    launcher.chooseRadio = [](const tc::Options& options, const std::string& dir, tc::Platform& platform,
                              std::string& problem) {
        auto settings = tc::readRadioSettings(options, *platform.profile(dir), problem);
        if (!settings) return false;
        if (!settings->audioDevice.empty())
            if (auto* output = soundOutput()) output->useOutputDevice(settings->audioDevice);
        if (!settings->chosen) return true;
        // A radio's Morse tone is the sound output's.
        auto radio = tc::radioHost(settings->rig, [] {
            auto* output = soundOutput();
            return output ? output->cwVoice() : tc::RigStation::CwVoice();
        }, problem);
        if (!radio) return false;
        platform.hosts[tc::kRadioHost] = *radio;
        return true;
    };
    launcher.lists = [](const tc::Options& options) {
        if (options.listRigs) std::cout << tc::listRigs();
        if (options.listAudioDevices) {
            auto* output = soundOutput();
            if (!output) return 1;
            try {
                for (const auto& name : output->outputDeviceNames()) std::cout << name << "\n";
            } catch (const std::exception& e) {
                std::cerr << "tailchime: " << e.what() << "\n";
                return 1;
            }
        }
        return 0;
    };
    tc::superviseWith(launcher, tc::askAtTerminal);
#ifdef TAILCHIME_WITH_WINDOWS
    // The windows come from their module, loaded here and only here: every
    // other mode runs without Qt in the process.
    launcher.windowed = [argc, argv](const tc::Options& options, const std::string& configDir,
                                     const tc::Platform& platform, const std::string& /*notice: none here*/) {
        std::string problem;
        auto* run = tc::moduleFunction<tc::WindowsModuleRun>(tc::kWindowsModule, tc::kWindowsModuleEntry, problem);
        if (!run) {
            std::cerr << "tailchime: cannot show the windows: " << problem << "\n";
            return 1;
        }
        return run(options, configDir, platform, argc, argv);
    };
#endif
    return tc::launch(std::vector<std::string>(argv + 1, argv + argc), launcher);
}
