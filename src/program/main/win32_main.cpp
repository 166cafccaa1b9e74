// The Windows program, a GUI-subsystem tailchime.exe: the windows beside the
// node program (--host echolink, and by default where it is installed) or on
// the simulated station, and station scripts headless (--headless).
//
// Its transcript lines (and the headless runner's) go to the standard
// output: to a file or pipe when redirected (tailchime.exe > run.txt), else
// to the console it was started from, if any. Started from a shortcut it
// has none and writes nothing.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "program/Launch.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/Folders.h"
#include "program/win32/WindowOptions.h"
#include "platform/win32/InstanceMutex.h"
#include "app/win32/WindowsProfile.h"
#include "hostlink/win32/AutomationHost.h"
#include "hostlink/win32/HostInstalled.h"
#include "report/win32/WinInetPost.h"
#include "transmit/sound/AudioFactories.h"
#include "program/win32/Windowed.h"
#include "program/supervision/Supervision.h"
#include "web/win32/QuietConsole.h"

namespace {

// A GUI program gets no console: with nothing redirected, it writes to the
// console of the program that started it (a command prompt), when there is one.
void useParentConsole() {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (std::freopen("CONOUT$", "w", stdout)) std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::freopen("CONOUT$", "w", stderr);
    std::cout.clear();
    std::cerr.clear();
}

}  // namespace

int main(int argc, char** argv) {
    useParentConsole();
    tc::win32::ComApartment com;
    if (!com.ok()) {
        std::cerr << "tailchime: COM cannot be started on this thread\n";
        return 1;
    }
    tc::win32::markProgramRunning();
    static tc::win32::InstanceMutex instance;  // held until the program ends
    tc::Launcher launcher;
    tc::Platform& p = launcher.platform;
    p.audio = tc::makeAudio;
    p.previousInstance = [](const std::string& dir) { return !instance.acquire(dir); };
    p.profile = [](const std::string& dir) {
        return std::make_unique<tc::win32::WindowsProfile>(dir + "\\" + tc::win32::WindowsProfile::kBareName);
    };
    p.hosts[tc::kNodeProgramHost] = [](const tc::HostParts& parts) {
        return std::make_unique<tc::win32::AutomationHosts>(parts.loop);
    };
    const std::string tones = tc::win32::programFolder() + "\\";
    p.rfToneDefault = tones + "RF.wav";
    p.inetToneDefault = tones + "IP.wav";
    launcher.http = [](tc::EventLoop& loop) { return std::make_shared<tc::win32::WinInetPost>(loop); };
    launcher.configDirDefault = tc::win32::settingsFolder();
    launcher.nodeProgramInstalled = [] { return tc::win32::hostProgramInstalled(); };
    tc::superviseWith(launcher, tc::win32::askAtConsole);
    launcher.windowed = [](const tc::Options& options, const std::string& configDir, const tc::Platform& platform,
                           const std::string& notice) {
        std::string problem;
        if (!tc::win32::windowOptionsFit(options, problem)) {
            std::cerr << "tailchime: " << problem << "\n" << tc::kUsage;
            return 2;
        }
        return tc::win32::runWindowed(options, configDir, platform, std::cout, notice);
    };
    return tc::launch(std::vector<std::string>(argv + 1, argv + argc), launcher);
}
