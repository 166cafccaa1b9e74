#pragma once
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "core/Desktop.h"

class QWidget;

namespace tc {

class AboutWindow;
class HeldEnd;

// The desktop as the windowed program meets it: Qt's message boxes and file
// dialog, the desktop's own handlers for links, the about window, one copy
// per station (as the platform tells), and quitting Qt's event loop at the end.
class QtDesktop final : public Desktop {
public:
    // Runs a handler of the program under its dispatcher.
    using HandlerRunner = std::function<void(const std::function<void()>&)>;

    // previousInstance: whether another copy runs for this station (may be empty: none does).
    QtDesktop(HeldEnd& held, std::function<bool()> previousInstance);
    ~QtDesktop() override;

    // The main window, which the message boxes and the file dialog belong to.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    // How the about window's buttons run their handlers.
    void setHandlerRunner(HandlerRunner run) { runHandler_ = std::move(run); }

    void MsgBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> ShowOpen(const std::string& filter, const std::string& fileName) override;
    bool PreviousInstance() override;
    void OpenLink(const std::string& link) override;
    void ShowAbout(Form14& about) override;
    void Ended() override;

    bool ended() const { return ended_; }
    AboutWindow* aboutWindow() const { return about_.get(); }

private:
    QWidget* owner() const;

    HeldEnd& held_;
    std::function<bool()> previousInstance_;
    QPointer<QWidget> mainWindow_;
    HandlerRunner runHandler_;
    std::unique_ptr<AboutWindow> about_;
    bool ended_ = false;
};

}  // namespace tc
