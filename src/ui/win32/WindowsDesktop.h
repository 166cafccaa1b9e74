#pragma once
#include <functional>
#include <string>

#include "app/win32/InstanceMutex.h"
#include "ui/Desktop.h"

namespace tc::win32 {

// The desktop of the station running beside the host with no window of its
// own: message boxes with MessageBoxA, the open-file dialog of the common
// dialog library, links through the shell, one copy per settings folder by
// a named mutex. Every message and dialog is also told to the watcher (the
// run's transcript), since a console station has no window to show them in.
class WindowsDesktop final : public Desktop {
public:
    struct Watcher {
        std::function<void(const std::string& text, int style, const std::string& title)> message;
        std::function<void(const std::string& filter, const std::string& answer)> dialog;
        std::function<void()> ended;
    };

    WindowsDesktop(std::string settingsFolder, Watcher watcher)
        : settingsFolder_(std::move(settingsFolder)), watcher_(std::move(watcher)) {}

    void MsgBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> ShowOpen(const std::string& filter, const std::string& fileName) override;
    bool PreviousInstance() override { return !instance_.acquire(settingsFolder_); }
    void OpenLink(const std::string& link) override;
    // The about window cannot be opened without the main window.
    void ShowAbout(Form14&) override {}
    void Ended() override;

private:
    std::string settingsFolder_;
    Watcher watcher_;
    InstanceMutex instance_;
};

}  // namespace tc::win32
