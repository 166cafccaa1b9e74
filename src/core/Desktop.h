#pragma once
#include <optional>
#include <string>

namespace tc {

class Form14;

// Message-box styles the program uses.
namespace mb {
inline constexpr int OkOnly = 0;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
}  // namespace mb

// What the program asks of the desktop it runs on.
class Desktop {
public:
    virtual ~Desktop() = default;
    // A modal message box; returns when the operator has dismissed it.
    virtual void MsgBox(const std::string& text, int style, const std::string& title) = 0;
    // A modal open-file dialog preset with fileName; nullopt when cancelled.
    virtual std::optional<std::string> ShowOpen(const std::string& filter,
                                                const std::string& fileName) = 0;
    // True when another copy of the program runs for the same station.
    virtual bool PreviousInstance() = 0;
    // Opens a web address or mailto link with the desktop's own handler.
    virtual void OpenLink(const std::string& link) = 0;
    // Shows the about window, modeless.
    virtual void ShowAbout(Form14& about) = 0;
    // The program has ended: close every window and stop the process's work.
    virtual void Ended() = 0;
};

}  // namespace tc
