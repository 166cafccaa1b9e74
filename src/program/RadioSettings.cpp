#include "program/RadioSettings.h"

#include <charconv>

#include "program/Hosts.h"
#include "core/Profile.h"

namespace tc {

namespace {

// One choice: the command line's value if given, else the section's.
struct Source {
    const std::optional<std::string>& option;
    const char* flag;
    const char* key;
};

class Reader {
public:
    Reader(Profile& profile, std::string& problem) : profile_(profile), problem_(problem) {}

    std::string text(const Source& s) {
        if (s.option) return *s.option;
        return profile_.GetString(kRigSection, s.key, "");
    }

    // A whole number from min up; "" leaves the fallback.
    bool number(const Source& s, int min, int& into) {
        std::string t = text(s);
        if (t.empty()) return true;
        int v = 0;
        auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec == std::errc{} && ptr == t.data() + t.size() && v >= min) {
            into = v;
            return true;
        }
        std::string where = s.option ? std::string(s.flag) : std::string("[") + kRigSection + "] " + s.key;
        problem_ = where + ": '" + t + "' is not a whole number of " + std::to_string(min) + " or more";
        return false;
    }

private:
    Profile& profile_;
    std::string& problem_;
};

bool radioChosen(const Options& options, Profile& profile) {
    if (options.host) return *options.host == kRadioHost;
    if (options.headlessScript) return false;
    return !profile.GetString(kRigSection, "MODEL", "").empty();
}

std::optional<RigConfig> readRigConfig(const Options& options, Profile& profile, std::string& problem) {
    const RigOptions& o = options.rig;
    Reader r(profile, problem);
    RigConfig c;
    c.file = r.text({o.file, "--rig-file", "FILE"});
    c.pttType = r.text({o.pttType, "--ptt-type", "PTTTYPE"});
    c.pttFile = r.text({o.pttFile, "--ptt-file", "PTTFILE"});
    c.dcdType = r.text({o.dcdType, "--dcd-type", "DCDTYPE"});
    c.dcdFile = r.text({o.dcdFile, "--dcd-file", "DCDFILE"});
    c.callsign = r.text({options.callsign, "--callsign", "CALLSIGN"});
    bool ok = r.number({o.model, "--rig-model", "MODEL"}, 1, c.model) &&
              r.number({o.serialSpeed, "--serial-speed", "SERIALSPEED"}, 1, c.serialSpeed) &&
              r.number({o.txTimeout, "--tx-timeout", "TXTIMEOUT"}, 0, c.txTimeoutS) &&
              r.number({o.cwSpeed, "--cw-speed", "CWSPEED"}, 5, c.cwWpm);
    if (!ok) return std::nullopt;
    if (c.model == 0) {
        problem = std::string("no radio model: give --rig-model N or MODEL in the [") + kRigSection +
                  "] section (2 talks to a running rigctld; --list-rigs lists them)";
        return std::nullopt;
    }
    if (c.cwWpm > 60) {
        problem = "the CW speed is at most 60 words per minute";
        return std::nullopt;
    }
    return c;
}

}  // namespace

std::optional<RadioSettings> readRadioSettings(const Options& options, Profile& profile, std::string& problem) {
    RadioSettings settings;
    settings.chosen = radioChosen(options, profile);
    settings.audioDevice =
        options.audioDevice.value_or(settings.chosen ? profile.GetString(kRigSection, "AUDIODEVICE", "") : "");
    if (!settings.chosen) return settings;
    auto rig = readRigConfig(options, profile, problem);
    if (!rig) return std::nullopt;
    settings.rig = *rig;
    return settings;
}

}  // namespace tc
