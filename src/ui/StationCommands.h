#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/StationEvents.h"

namespace tc {

// What an operator can ask of the station, from the windows, a station
// script, the web page: each is the panel's own click or change, carried
// out through the handler behind that control.
enum class Verb {
    SwitchOn,            // Command14, Use
    SwitchOff,           // Command15, Stop
    Save,                // Command18
    ShowTimings,         // Command17, Timing Tools
    SaveTimings,         // Command16, the Timings page's save and close
    CwIdent,             // Picture18
    AudioIdent,          // Picture13
    ChooseRfTone,        // Command1
    ChooseInternetTone,  // Command6
    SendRfCw,            // Command10, the CW page's RF test
    SendInternetCw,      // Command11, the CW page's Internet test
    About,               // Command12
    SaveAndQuit,         // Command9
    StopPlayer,          // Command2
    ResumePlayer,        // Command5
    TestRfTone,          // Command7, the audio page's RF test
    TestInternetTone,    // Command8, the audio page's Internet test
    PlayAgain,           // Command3
    LoadAgain,           // Command4
};

// The edit fields an operator types into, and the scroll bars.
enum class Field { CourtesyID, IPCourtesy, HangTime, KerchunkWait, RFTone, InetTone };
enum class Slider { Volume, Speed, Position };  // V1, V2, H1

// The panel's names of them: a station script's vocabulary and the windows' controls.
std::optional<Verb> verbOf(std::string_view control);
const char* controlOf(Verb verb);
std::optional<Field> fieldOf(std::string_view name);
std::optional<Slider> sliderOf(std::string_view name);

class StationCommands {
public:
    virtual ~StationCommands() = default;

    virtual void perform(Verb verb, Asker asker) = 0;
    virtual void type(Field field, const std::string& text, Asker asker) = 0;
    virtual void slide(Slider slider, long long value, Asker asker) = 0;
    // The main window's close box.
    virtual void closeRequest(Asker asker) = 0;
    // Whether the program has ended: from then on no command runs.
    virtual bool ended() const = 0;

    // The test button of the ident page in use (CW or audio), RF or Internet.
    virtual void testIdent(bool internet, Asker asker) = 0;
    // Both timings typed into the Timings page.
    void setTimings(long long hangMs, long long kerchunkMs, Asker asker) {
        type(Field::HangTime, std::to_string(hangMs), asker);
        type(Field::KerchunkWait, std::to_string(kerchunkMs), asker);
    }

    // By the panel's names; false when no such control takes that action.
    bool click(std::string_view control, Asker asker = Asker::Panel) {
        auto verb = verbOf(control);
        if (verb) perform(*verb, asker);
        return verb.has_value();
    }
    bool type(std::string_view name, const std::string& text, Asker asker = Asker::Panel) {
        auto field = fieldOf(name);
        if (field) type(*field, text, asker);
        return field.has_value();
    }
    bool slide(std::string_view name, long long value, Asker asker = Asker::Panel) {
        auto slider = sliderOf(name);
        if (slider) slide(*slider, value, asker);
        return slider.has_value();
    }
};

}  // namespace tc
