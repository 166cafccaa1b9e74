#pragma once
#include <functional>
#include <string>

namespace tc {

class Panel;
class Profile;
class StationEvents;

// The operator's settings: thirteen keys of section "SETTINGS" in
// "tailchime.ini", read into the panel's controls at start-up and written
// back from them by SaveData. Between the two the controls are the settings.
//
// A stored value that does not convert, or that its control would refuse,
// is replaced by that key's default (see README, "Settings"): the station
// starts as if the key were missing, and the file keeps the stored text
// until the next save writes the value in use.
class Settings {
public:
    static constexpr const char* kSection = "SETTINGS";
    static constexpr const char* kDefaultLeftTop = "300";

    Settings(Panel& panel, Profile& profile, StationEvents& events, const char* rfToneDefault,
             const char* inetToneDefault)
        : panel_(panel),
          profile_(profile),
          events_(events),
          rfToneDefault_(rfToneDefault),
          inetToneDefault_(inetToneDefault) {}
    // After a save that did not, with where the file is: once, until a save
    // gets through again (the station runs on with the settings it has).
    void onSaveFailed(std::function<void(const std::string& where)> l) { failed_ = std::move(l); }

    void ReadAll();
    void SaveData();

private:
    Panel& panel_;
    Profile& profile_;
    StationEvents& events_;
    const char* rfToneDefault_;
    const char* inetToneDefault_;
    std::function<void(const std::string&)> failed_;
    bool failing_ = false;
};

}  // namespace tc
