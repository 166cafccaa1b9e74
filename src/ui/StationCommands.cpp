#include "ui/StationCommands.h"

#include <iterator>

namespace tc {

namespace {

struct Named {
    Verb verb;
    const char* control;
};

constexpr Named kVerbs[] = {
    {Verb::SwitchOn, "Command14"},       {Verb::SwitchOff, "Command15"},      {Verb::Save, "Command18"},
    {Verb::ShowTimings, "Command17"},    {Verb::SaveTimings, "Command16"},    {Verb::CwIdent, "Picture18"},
    {Verb::AudioIdent, "Picture13"},     {Verb::ChooseRfTone, "Command1"},    {Verb::ChooseInternetTone, "Command6"},
    {Verb::SendRfCw, "Command10"},       {Verb::SendInternetCw, "Command11"}, {Verb::About, "Command12"},
    {Verb::SaveAndQuit, "Command9"},     {Verb::StopPlayer, "Command2"},      {Verb::ResumePlayer, "Command5"},
    {Verb::TestRfTone, "Command7"},      {Verb::TestInternetTone, "Command8"}, {Verb::PlayAgain, "Command3"},
    {Verb::LoadAgain, "Command4"},
};

constexpr const char* kFields[] = {"CourtesyID", "IPCourtesy", "HangTime", "KerchunkWait", "RFTone", "InetTone"};
constexpr const char* kSliders[] = {"V1", "V2", "H1"};

template <class E, std::size_t N>
std::optional<E> indexIn(const char* const (&names)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i]) return static_cast<E>(i);
    return std::nullopt;
}

}  // namespace

std::optional<Verb> verbOf(std::string_view control) {
    for (const Named& n : kVerbs)
        if (control == n.control) return n.verb;
    return std::nullopt;
}

const char* controlOf(Verb verb) {
    for (const Named& n : kVerbs)
        if (n.verb == verb) return n.control;
    return "";
}

std::optional<Field> fieldOf(std::string_view name) { return indexIn<Field>(kFields, name); }

std::optional<Slider> sliderOf(std::string_view name) { return indexIn<Slider>(kSliders, name); }

}  // namespace tc
