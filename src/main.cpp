// The Linux program: the windows on the simulated station, or a station
// script headless (--headless).
#include <memory>
#include <string>
#include <vector>

#include "app/posix/IniProfile.h"
#include "app/Launch.h"
#include "app/ToneFiles.h"
#include "app/posix/ConfigFolder.h"
#include "app/posix/DataFolder.h"
#include "app/posix/InstanceLock.h"
#include "report/curl/CurlTransport.h"
#include "transmit/sound/AudioFactories.h"
#include "transmit/sound/CwOnTheAir.h"
#ifdef TAILCHIME_WITH_QT
#include "ui/qt/Windowed.h"
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
#ifdef TAILCHIME_WITH_QT
    launcher.windowed = tc::windowedFrontEnd(argc, argv);
#endif
    return tc::launch(std::vector<std::string>(argv + 1, argv + argc), launcher);
}
