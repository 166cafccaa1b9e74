// The Linux program: the windows on the simulated station or on a radio
// (--host rig), a station script headless (--headless), or a station with a
// radio and no windows (--no-window).
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/posix/IniProfile.h"
#include "app/Launch.h"
#include "app/ToneFiles.h"
#include "app/posix/ConfigFolder.h"
#include "app/posix/DataFolder.h"
#include "app/posix/InstanceLock.h"
#include "app/posix/Module.h"
#include "app/posix/RealTime.h"
#include "hostlink/hamlib/RadioChoice.h"
#include "hostlink/hamlib/RigDevice.h"
#include "report/curl/CurlTransport.h"
#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/CwOnTheAir.h"
#include "transmit/sound/CwSounder.h"
#include "transmit/sound/SoundDevice.h"
#ifdef TAILCHIME_WITH_WINDOWS
#include "ui/qt/WindowsModule.h"
#endif

int main(int argc, char** argv) {
    static tc::InstanceLock lock;  // held until the program ends
    tc::Launcher launcher;
    tc::Platform& p = launcher.platform;
    p.audio = tc::makeAudio;
    p.previousInstance = [](const std::string& dir) { return !lock.acquire(dir); };
    p.profile = [](const std::string& dir) { return std::make_unique<tc::IniProfile>(dir + "/tailchime.ini"); };
    p.stationSound = [] { return std::make_unique<tc::sound::CwOnTheAir>(); };
    p.rfToneDefault = tc::defaultTone("RF.wav", tc::installedDataFolder());
    p.inetToneDefault = tc::defaultTone("IP.wav", tc::installedDataFolder());
    launcher.http = [](tc::EventLoop& loop) { return std::make_shared<tc::CurlTransport>(loop); };
    launcher.configDirDefault = tc::defaultConfigFolder();
    p.realTime = tc::raiseToRealTime;
    launcher.chooseRadio = [](const tc::Options& options, const std::string& dir, tc::Platform& platform,
                              std::string& problem) {
        auto sounder = std::make_shared<tc::sound::CwSounder>();
        tc::RadioParts parts{[sounder](const std::string& text, int wpm) { return sounder->send(text, wpm); },
                             tc::sound::useOutputDevice};
        return tc::chooseRadio(options, dir, platform, problem, parts);
    };
    launcher.lists = [](const tc::Options& options) {
        if (options.listRigs) std::cout << tc::listRigs();
        if (options.listAudioDevices) {
            try {
                for (const auto& name : tc::sound::outputDeviceNames()) std::cout << name << "\n";
            } catch (const std::exception& e) {
                std::cerr << "tailchime: " << e.what() << "\n";
                return 1;
            }
        }
        return 0;
    };
#ifdef TAILCHIME_WITH_WINDOWS
    // The windows come from their module, loaded here and only here: every
    // other mode runs without Qt in the process.
    launcher.windowed = [argc, argv](const tc::Options& options, const std::string& configDir,
                                     const tc::Platform& platform) {
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
