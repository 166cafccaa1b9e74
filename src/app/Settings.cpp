#include "app/Settings.h"

#include <string>

#include "core/NumberText.h"
#include "core/Profile.h"
#include "core/RuntimeError.h"
#include "core/StationEvents.h"
#include "ui/Panel.h"

namespace tc {

namespace {

// Converts a stored text, falling back on the key's default when the text
// does not convert or the control refuses it.
template <class Apply>
void readInto(Profile& profile, const char* key, const char* defaultText, Apply apply) {
    std::string text = profile.GetString(Settings::kSection, key, defaultText);
    try {
        apply(text);
    } catch (const RuntimeError&) {
        apply(defaultText);
    }
}

float position(const std::string& text) {
    double v = numberValue(text);
    if (!(v > -3.4e38 && v < 3.4e38)) throw err::overflow();
    return static_cast<float>(v);
}

}  // namespace

void Settings::ReadAll() {
    Panel& p = panel_;
    auto text = [&](const char* key, const char* def) { return profile_.GetString(kSection, key, def); };
    p.CourtesyID.setText(text("COURTESYID", "K"));
    p.IPCourtesy.setText(text("IPCOURTESY", "I"));
    p.HangTime.setText(text("HANGTIME", "500"));
    p.KerchunkWait.setText(text("KERCHUNKWAIT", "2000"));
    p.RFTone.setText(text("RFTONE", rfToneDefault_));
    p.InetTone.setText(text("INETTONE", inetToneDefault_));
    p.VolSet.setText(text("VOLSET", "-1540"));
    p.SpeedSet.setText(text("SPEEDSET", "100"));
    readInto(profile_, "OPTION1", "1", [&](const std::string& t) { p.Options.setOption1(booleanValue(t)); });
    readInto(profile_, "OPTION2", "0", [&](const std::string& t) { p.Options.setOption2(booleanValue(t)); });
    readInto(profile_, "Check1", "1", [&](const std::string& t) { p.Check1.setValue(wholeNumber(t)); });
    readInto(profile_, "LEFT", kDefaultLeftTop, [&](const std::string& t) { p.Left = position(t); });
    readInto(profile_, "TOP", kDefaultLeftTop, [&](const std::string& t) { p.Top = position(t); });
}

void Settings::SaveData() {
    Panel& p = panel_;
    auto write = [&](const char* key, const std::string& value) { profile_.WriteString(kSection, key, value); };
    write("COURTESYID", p.CourtesyID.text);
    write("IPCOURTESY", p.IPCourtesy.text);
    write("HANGTIME", p.HangTime.text);
    write("KERCHUNKWAIT", p.KerchunkWait.text);
    write("RFTONE", p.RFTone.text);
    write("INETTONE", p.InetTone.text);
    write("VOLSET", p.VolSet.text);
    write("SPEEDSET", p.SpeedSet.text);
    write("OPTION1", p.Options.Option1 ? "True" : "False");
    write("OPTION2", p.Options.Option2 ? "True" : "False");
    write("CHECK1", std::to_string(p.Check1.value));
    write("LEFT", singleText(p.Left));
    write("TOP", singleText(p.Top));
    const bool wasFailing = failing_;
    failing_ = !profile_.Flush();
    events_.raise(event::SettingsSaved{!failing_, profile_.Location()});
    if (failing_ && !wasFailing && failed_) failed_(profile_.Location());
}

}  // namespace tc
