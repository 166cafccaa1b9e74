#include "qt/Station.h"

#include <QFile>
#include <cstdint>
#include <fstream>
#include <vector>

#include "transmit/sound/AudioFactories.h"

namespace tc::test {

namespace {

std::string writeSettings(const QTemporaryDir& folder, const std::string& settings) {
    std::string path = folder.path().toStdString() + "/tailchime.ini";
    if (!settings.empty()) std::ofstream(path) << "[SETTINGS]\n" << settings;
    return path;
}

}  // namespace

Station::Station(const std::string& settings)
    : audio(makeVirtualAudio(loop, nullptr)),
      profile(writeSettings(folder, settings)),
      desktop(held, folder.path().toStdString()),
      form({loop, station, *audio, desktop, profile, "", "", {}, [this] { window.refresh(); }}),
      window(form, held) {
    desktop.setMainWindow(&window);
    desktop.setHandlerRunner([this](const std::function<void()>& handler) { form.run(handler); });
    form.load();
    window.show();
}

Station::~Station() { window.hide(); }

std::string Station::configFile() const { return profile.path(); }

std::string Station::toneFile(const char* name, double seconds) const {
    const std::uint32_t rate = 8000;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> samples(frames, 1000);
    std::string path = folder.path().toStdString() + "/" + name;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    u32(36 + frames * 2);
    out << "WAVEfmt ";
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out << "data";
    u32(frames * 2);
    out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(frames * 2));
    return path;
}

QWidget* Station::widget(const char* name) const { return window.control(name); }

}  // namespace tc::test
