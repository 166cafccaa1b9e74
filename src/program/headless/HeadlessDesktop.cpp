#include "program/headless/HeadlessDesktop.h"

#include "core/Transcript.h"

namespace tc {

void HeadlessDesktop::MsgBox(const std::string& text, int style, const std::string& title) {
    transcript_.line("message " + std::to_string(style) + " " + Transcript::quoted(title) + " " +
                     Transcript::quoted(text));
}

std::optional<std::string> HeadlessDesktop::ShowOpen(const std::string& filter, const std::string&) {
    std::string answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    transcript_.line("dialog " + Transcript::quoted(filter) + " " + Transcript::quoted(answer));
    if (answer.empty()) return std::nullopt;
    return answer;
}

void HeadlessDesktop::Ended() {
    transcript_.line("exit");
    if (ended_) ended_();
}

}  // namespace tc
