#pragma once
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/Form21.h"
#include "app/IniProfile.h"
#include "app/StationLoop.h"
#include "hostlink/SimulatedStation.h"
#include "transmit/AudioGraph.h"
#include "ui/qt/HeldEnd.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtDesktop.h"

namespace tc::test {

// The windowed program on the virtual clock: the simulated station, the
// real desktop adapter and settings file in a folder of its own, and the
// main window over the panel. Time moves only when a test runs the loop.
class Station {
public:
    // settings: lines put into tailchime.ini before start-up ("" for none).
    explicit Station(const std::string& settings = "");
    ~Station();

    // Runs the program for ms of virtual time.
    void run(int ms) { loop.runUntil(loop.nowMs() + ms); }
    std::string configFile() const;
    // Writes a short mono WAV file of the given length and returns its path.
    std::string toneFile(const char* name, double seconds) const;
    QWidget* widget(const char* name) const;

    QTemporaryDir folder;
    HeldEnd held;
    StationLoop loop{StationLoop::Pace::Virtual};
    SimulatedStation station{loop};
    std::unique_ptr<AudioGraphFactory> audio;
    IniProfile profile;
    QtDesktop desktop;
    Form21 form;
    MainWindow window;
};

}  // namespace tc::test
