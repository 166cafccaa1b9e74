#pragma once
#include <deque>
#include <functional>
#include <string>

#include "core/Desktop.h"

namespace tc {

class Transcript;

// The desktop of a headless run: message boxes are answered OK at once,
// file dialogs take the script's queued answers (none queued: cancel), and
// both are written to the transcript.
class HeadlessDesktop : public Desktop {
public:
    HeadlessDesktop(Transcript& transcript, std::function<bool()> previousInstance, std::function<void()> ended)
        : transcript_(transcript), previousInstance_(std::move(previousInstance)), ended_(std::move(ended)) {}

    // The answer for the next dialog that opens; "" cancels it.
    void queueDialogAnswer(const std::string& answer) { answers_.push_back(answer); }

    void MsgBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> ShowOpen(const std::string& filter, const std::string& fileName) override;
    bool PreviousInstance() override { return previousInstance_ && previousInstance_(); }
    void OpenLink(const std::string&) override {}
    void ShowAbout(Form14&) override {}
    void Ended() override;

private:
    Transcript& transcript_;
    std::function<bool()> previousInstance_;
    std::function<void()> ended_;
    std::deque<std::string> answers_;
};

}  // namespace tc
