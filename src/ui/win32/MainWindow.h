#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/MainWindowLayout.h"
#include "ui/win32/Widgets.h"

namespace tc {
class Panel;
class StationCommands;
}  // namespace tc

namespace tc::win32 {

class WinEventLoop;

// The operator's panel, the panel as the operator sees it on Windows: plain
// controls at the places the window design gives in twips, converted at
// the monitor's dots per inch. It hands every click, edit and scroll to the
// program and reads back from the panel after each handler (refresh), so
// it keeps no state of its own.
class MainWindow {
public:
    MainWindow(Panel& panel, StationCommands& station, WinEventLoop& loop);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    // Brings every control in line with the panel.
    void refresh();
    void show();
    // A line of the window's context menu (a right click anywhere on it).
    void addMenuItem(std::string text, std::function<void()> chosen) {
        menu_.emplace_back(std::move(text), std::move(chosen));
    }
    // Words shown in the title after the program's caption.
    void setTitleNote(std::string note) { note_ = std::move(note); }

    static constexpr const char* kClass = "TailchimeMain";
    static constexpr int kFirstMenuItem = 0x7000;

private:
    struct Control {
        HWND hwnd;
        const PlacedControl& placed;
        const Shape* shape;  // whether it is shown (null: always)
        TextField* field;
        std::string shown;  // a field's text as last put into it
    };

    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Makes the control of one entry of the layout in its container.
    HWND make(const PlacedControl& c, HWND parent);
    void turnAntenna();

    void applyDpi(int dpi);
    void place();
    void forward(std::function<void()> action);
    void scrolled(WPARAM wParam);
    Control* find(int id);

    Panel& panel_;
    StationCommands& station_;
    WinEventLoop& loop_;
    HWND window_ = nullptr;
    HWND tips_ = nullptr;
    HWND volume_ = nullptr;
    HWND antenna_ = nullptr;
    int antennaFrame_ = 0;  // the frame in front
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT fonts_[3] = {};
    std::vector<Control> controls_;
    std::vector<Placed> placed_;
    bool refreshing_ = false;
    bool dragging_ = false;  // the volume thumb is held
    std::string caption_;
    std::string note_;
    std::vector<std::pair<std::string, std::function<void()>>> menu_;
    double placedLeft_ = -1;  // the panel's place as last given to the window
    double placedTop_ = -1;
};

}  // namespace tc::win32
