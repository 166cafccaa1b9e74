#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/win32/Widgets.h"

namespace tc {
class Form14;
}

namespace tc::win32 {

// The about window on Windows: a fixed tool window, not in the task bar,
// showing what Form14 has loaded, with the maker's two link buttons.
class AboutWindow {
public:
    using HandlerRunner = std::function<void(const std::function<void()>&)>;
    explicit AboutWindow(HandlerRunner run);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Shows the window with the texts of form, centred when it was not shown.
    void present(Form14& form);
    HWND handle() const { return window_; }

    static constexpr const char* kClass = "TailchimeAbout";

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND label(HWND parent, const char* text, RECT twips, int font, bool wrap = false);
    void applyDpi(int dpi);

    HandlerRunner run_;
    Form14* form_ = nullptr;
    HWND window_ = nullptr;
    HWND tips_ = nullptr;
    HWND label6_ = nullptr;
    HWND web_ = nullptr;
    HWND mail_ = nullptr;
    HWND photo_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<Placed> placed_;
    std::vector<std::pair<HWND, int>> fonted_;  // control and its font
    std::vector<HFONT> fonts_;
};

}  // namespace tc::win32
