#pragma once
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "program/Form21.h"
#include "support/TempDir.h"
#include "support/Tones.h"
#include "app/posix/IniProfile.h"
#include "core/StationLoop.h"
#include "hostlink/SimulatedStation.h"
#include "core/AudioGraph.h"
#include "transmit/sound/AudioFactories.h"
#include "ui/qt/HeldEnd.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtDesktop.h"
#include "ui/qt/QtEventLoop.h"

namespace tc::test {

// The windowed program on the virtual clock: the simulated station, the
// real desktop adapter and settings file in a folder of its own, and the
// main window over the panel. Time moves only when a test runs the loop.
class Station {
public:
    // settings: lines put into tailchime.ini before start-up ("" for none);
    // on Qt's real clock, where a test waits for what happens, not for a time.
    explicit Station(const std::string& settings = "", bool qtClock = false)
        : qtLoop(qtClock ? std::make_unique<QtEventLoop>(held) : nullptr),
          events(qtLoop ? static_cast<EventLoop&>(*qtLoop) : loop),
          audio(makeVirtualAudio(events, nullptr)),
          profile(file("tailchime.ini")),
          desktop(held, {}),
          form({events, station, *audio, desktop, profile, "", "", {}, [this] { window.refresh(); }}),
          window(form.panel, form, held) {
        if (!settings.empty()) std::ofstream(profile.path()) << "[SETTINGS]\n" << settings;
        desktop.setMainWindow(&window);
        desktop.setHandlerRunner([this](const std::function<void()>& handler) { form.run(handler); });
        form.load();
        window.show();
    }
    ~Station() { window.hide(); }

    // Runs the program for ms of virtual time.
    void run(int ms) { loop.runUntil(loop.nowMs() + ms); }
    std::string configFile() const { return profile.path(); }
    QWidget* widget(const char* name) const { return window.control(name); }
    // Writes a mono WAV tone of the given length and returns its path.
    std::string toneFile(const char* name, double seconds) const {
        writeTone(file(name), seconds);
        return file(name);
    }

    QTemporaryDir folder;
    HeldEnd held;
    StationLoop loop{StationLoop::Pace::Virtual};
    std::unique_ptr<QtEventLoop> qtLoop;
    EventLoop& events;
    SimulatedStation station{events};
    std::unique_ptr<AudioGraphFactory> audio;
    IniProfile profile;
    QtDesktop desktop;
    Form21 form;
    MainWindow window;

private:
    std::string file(const char* name) const { return folder.path().toStdString() + "/" + name; }
};

}  // namespace tc::test
