#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "hostlink/SimulatedStation.h"
#include "ui/win32/Widgets.h"

namespace tc::win32 {

class WinEventLoop;

// The station's side of the link on Windows, for a person to play while the
// simulated station is the host: key up the RF carrier (held, or latched),
// send Internet audio, type in the chat, close the host. It shows the
// station's transmitter and logs the CW and chat lines that Tailchime has
// the station send.
class SimulatorWindow : private HostListener {
public:
    SimulatorWindow(SimulatedStation& station, WinEventLoop& loop);
    ~SimulatorWindow() override;
    SimulatorWindow(const SimulatorWindow&) = delete;
    SimulatorWindow& operator=(const SimulatorWindow&) = delete;

    // Shows the window to the right of neighbour.
    void showBeside(HWND neighbour);
    HWND handle() const { return window_; }
    // A line of the program's own in the log.
    void note(const std::string& text) { log("note", text); }

    static constexpr const char* kClass = "TailchimeSimulator";

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK keyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND add(const char* cls, const char* text, DWORD style, DWORD exStyle, HWND parent, int id, RECT px);
    void applyDpi(int dpi);
    void updateCarrier();
    void sendChat();
    void log(const char* kind, const std::string& text);

    void transmitterChanged(bool keyed) override;
    void cwSent(const std::string& text) override { log("CW", text); }
    void chatSent(const std::string& text) override { log("chat out", text); }

    SimulatedStation& station_;
    WinEventLoop& loop_;
    HWND window_ = nullptr;
    HWND tips_ = nullptr;
    HWND key_ = nullptr, latch_ = nullptr, internet_ = nullptr, chat_ = nullptr, log_ = nullptr;
    HWND carrierLamp_ = nullptr, onAirLamp_ = nullptr, onAirText_ = nullptr, call_ = nullptr;
    WNDPROC keyDefault_ = nullptr;
    bool keyHeld_ = false;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<Placed> placed_;  // in pixels at 96 dpi, kept as twips
    HFONT font_ = nullptr, big_ = nullptr;
};

}  // namespace tc::win32
