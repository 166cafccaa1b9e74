#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/Desktop.h"

namespace tc::win32 {

class AboutWindow;
class WinEventLoop;

// The Windows desktop: message boxes with MessageBoxA, the open-file dialog
// of the common dialog library, links through the shell, the about window.
// While a box or the dialog waits for the operator, the loop's timers and
// the host's events go on being handled (WinEventLoop::runModal), so no
// box holds the transmitter. Every message and dialog is also told to the
// watcher (the run's transcript).
class WindowsDesktop final : public Desktop {
public:
    struct Watcher {
        std::function<void(const std::string& text, int style, const std::string& title)> message;
        std::function<void(const std::string& filter, const std::string& answer)> dialog;
        std::function<void()> ended;
    };

    WindowsDesktop(WinEventLoop& loop, std::function<bool()> previousInstance, Watcher watcher);
    ~WindowsDesktop() override;

    // The main window owns the boxes once it is shown.
    void setMainWindow(HWND window) { main_ = window; }
    // How the about window's buttons run their handlers.
    void setHandlerRunner(std::function<void(const std::function<void()>&)> run) { runHandler_ = std::move(run); }

    void MsgBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> ShowOpen(const std::string& filter, const std::string& fileName) override;
    bool PreviousInstance() override { return previousInstance_ && previousInstance_(); }
    void OpenLink(const std::string& link) override;
    void ShowAbout(Form14& about) override;
    void Ended() override;

    // What the shell is given for a link: a web address with its scheme
    // (https:// when it has none), blanks written out so none is lost.
    static std::string shellLink(const std::string& link);

private:
    HWND owner() const;

    WinEventLoop& loop_;
    std::function<bool()> previousInstance_;
    Watcher watcher_;
    HWND main_ = nullptr;
    std::function<void(const std::function<void()>&)> runHandler_;
    std::unique_ptr<AboutWindow> about_;
};

}  // namespace tc::win32
