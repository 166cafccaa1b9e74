// The Windows program: beside the real host (--host echolink), on the
// simulated station with a station script (--headless), and, when built
// with Qt's kit, in the windows.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/Launch.h"
#include "app/win32/ComApartment.h"
#include "app/win32/Folders.h"
#include "app/win32/HostOption.h"
#include "app/win32/HostRun.h"
#include "app/win32/InstanceMutex.h"
#include "app/win32/WindowsProfile.h"
#include "hostlink/win32/AutomationHost.h"
#include "report/win32/WinInetTransport.h"
#include "transmit/sound/AudioFactories.h"
#ifdef TAILCHIME_WITH_QT
#include "ui/qt/Windowed.h"
#endif

int main(int argc, char** argv) {
    tc::win32::ComApartment com;
    if (!com.ok()) {
        std::cerr << "tailchime: COM cannot be started on this thread\n";
        return 1;
    }
    static tc::win32::InstanceMutex instance;  // held until the program ends
    tc::Launcher launcher;
    tc::Platform& p = launcher.platform;
    p.audio = tc::makeAudio;
    p.previousInstance = [](const std::string& dir) { return !instance.acquire(dir); };
    p.profile = [](const std::string& dir) {
        return std::make_unique<tc::win32::WindowsProfile>(dir + "\\" + tc::win32::WindowsProfile::kBareName);
    };
    p.hostProgram = [](tc::EventLoop& loop) { return std::make_unique<tc::win32::AutomationHosts>(loop); };
    const std::string tones = tc::win32::programFolder() + "\\";
    p.rfToneDefault = tones + "RF.wav";
    p.inetToneDefault = tones + "IP.wav";
    launcher.http = [](tc::EventLoop&) { return std::make_shared<tc::win32::WinInetTransport>(); };
    launcher.configDirDefault = tc::win32::settingsFolder();
    launcher.host = [](const tc::Options& options, const std::string&, const tc::Platform& platform) {
        std::string problem;
        if (!tc::win32::hostOptionsFit(options, problem)) {
            std::cerr << "tailchime: " << problem << "\n" << tc::kUsage;
            return 2;
        }
        return tc::win32::runWithHost(options, platform, std::cout);
    };
#ifdef TAILCHIME_WITH_QT
    launcher.windowed = tc::windowedFrontEnd(argc, argv);
#endif
    return tc::launch(std::vector<std::string>(argv + 1, argv + argc), launcher);
}
