#include "program/win32/SimulatorWindow.h"

#include "ui/win32/Widgets.h"

#include <algorithm>
#include <ctime>

#include "ui/win32/WinEventLoop.h"
#include "ui/win32/Dpi.h"

namespace tc::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
enum : int { kKey = 301, kLatch, kInternet, kChat, kSend, kClose, kLog, kCarrierLamp, kOnAirLamp };

// A rectangle given in pixels at 100 % scaling, as twips.
constexpr RECT px(int left, int top, int width, int height) {
    return {left * 15, top * 15, (left + width) * 15, (top + height) * 15};
}

}  // namespace

SimulatorWindow::SimulatorWindow(SimulatedStation& station, WinEventLoop& loop) : station_(station), loop_(loop) {
    widgets::registerWindowClass(kClass, &SimulatorWindow::proc, true);
    dpi_ = dpiOf(nullptr);
    const SIZE outer = outerSize(twipsToPx(300 * 15, dpi_), twipsToPx(360 * 15, dpi_), kStyle, 0, dpi_);
    window_ = CreateWindowExA(0, kClass, "Station simulator", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx,
                              outer.cy, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    tips_ = widgets::tooltips(window_);

    call_ = add("Static", station.callsign().c_str(), SS_LEFT | SS_NOPREFIX, 0, window_, 0, px(10, 8, 170, 28));
    widgets::addTip(tips_, call_, "The call sign the station reports");
    onAirLamp_ = add("Static", "", SS_OWNERDRAW | SS_NOTIFY, 0, window_, kOnAirLamp, px(200, 10, 25, 25));
    widgets::addTip(tips_, onAirLamp_, "Transmitter");
    onAirText_ = add("Static", "ON AIR", SS_LEFT, 0, window_, 0, px(230, 14, 60, 20));

    HWND rf = widgets::frame("RF receiver", window_, 0);
    placed_.push_back({rf, px(10, 42, 280, 58)});
    carrierLamp_ = add("Static", "", SS_OWNERDRAW | SS_NOTIFY, 0, rf, kCarrierLamp, px(10, 22, 25, 25));
    widgets::addTip(tips_, carrierLamp_, "Carrier on the input");
    key_ = add("Button", "Key carrier", BS_PUSHBUTTON | WS_TABSTOP, 0, rf, kKey, px(42, 22, 150, 26));
    widgets::addTip(tips_, key_, "Hold to key up a station on the input");
    latch_ = add("Button", "Latch", BS_AUTOCHECKBOX | WS_TABSTOP, 0, rf, kLatch, px(204, 24, 66, 22));
    widgets::addTip(tips_, latch_, "Keep the carrier up");
    // The key acts while it is held: its presses are watched.
    SetWindowLongPtrA(key_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    keyDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(key_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SimulatorWindow::keyProc)));

    HWND net = widgets::frame("Internet", window_, 0);
    placed_.push_back({net, px(10, 106, 280, 90)});
    internet_ = add("Button", "Internet audio", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 0, net, kInternet,
                    px(10, 22, 260, 26));
    widgets::addTip(tips_, internet_, "A connected station talks: its audio goes out over the air");
    chat_ = add("Edit", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, net, kChat, px(10, 56, 190, 24));
    add("Button", "Send", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, net, kSend, px(205, 56, 65, 24));

    HWND close = add("Button", "Close host", BS_PUSHBUTTON | WS_TABSTOP, 0, window_, kClose, px(10, 204, 280, 28));
    widgets::addTip(tips_, close, "The host program closes, as when its operator quits it");
    log_ = add("Edit", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE, window_, kLog,
               px(10, 240, 280, 110));
    applyDpi(dpiOf(window_));
    station_.addListener(this);
}

SimulatorWindow::~SimulatorWindow() {
    station_.removeListener(this);
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (font_) DeleteObject(font_);
    if (big_) DeleteObject(big_);
}

HWND SimulatorWindow::add(const char* cls, const char* text, DWORD style, DWORD exStyle, HWND parent, int id,
                          RECT where) {
    HWND w = widgets::child(cls, text, style | WS_VISIBLE, exStyle, parent, id);
    placed_.push_back({w, where});
    return w;
}

void SimulatorWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    HFONT oldFont = font_, oldBig = big_;
    font_ = CreateFontA(fontHeight(8.25, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
    big_ = CreateFontA(fontHeight(14, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
    for (const Placed& p : placed_) SendMessageA(p.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageA(call_, WM_SETFONT, reinterpret_cast<WPARAM>(big_), TRUE);
    layOut(placed_, dpi);
    if (oldFont) DeleteObject(oldFont);
    if (oldBig) DeleteObject(oldBig);
}

void SimulatorWindow::showBeside(HWND neighbour) {
    RECT next, mine;
    GetWindowRect(neighbour, &next);
    GetWindowRect(window_, &mine);
    int x = next.right + MulDiv(9, dpi_, USER_DEFAULT_SCREEN_DPI), y = next.top;
    RECT wanted{x, y, x + mine.right - mine.left, y + mine.bottom - mine.top};
    MONITORINFO info{sizeof info, {}, {}, 0};
    GetMonitorInfoA(MonitorFromRect(&next, MONITOR_DEFAULTTONEAREST), &info);
    if (wanted.right > info.rcWork.right) x = std::max(info.rcWork.left, info.rcWork.right - (mine.right - mine.left));
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void SimulatorWindow::updateCarrier() {
    const bool present = keyHeld_ || SendMessageA(latch_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (present == station_.carrier()) return;
    InvalidateRect(carrierLamp_, nullptr, FALSE);
    loop_.runHandler([this, present] { station_.raiseCarrier(present); });
    InvalidateRect(carrierLamp_, nullptr, FALSE);
}

void SimulatorWindow::sendChat() {
    const std::string text = widgets::textOf(chat_);
    if (text.empty()) return;
    SetWindowTextA(chat_, "");
    log("chat in", text);
    loop_.runHandler([this, text] { station_.raiseChat(text); });
}

void SimulatorWindow::transmitterChanged(bool) {
    InvalidateRect(onAirLamp_, nullptr, FALSE);
    InvalidateRect(onAirText_, nullptr, FALSE);
}

void SimulatorWindow::log(const char* kind, const std::string& text) {
    char clock[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(clock, sizeof clock, "%H:%M:%S", std::localtime(&now));
    const std::string line = std::string(GetWindowTextLengthA(log_) ? "\r\n" : "") + clock + " " + kind + "  " + text;
    const int end = GetWindowTextLengthA(log_);
    SendMessageA(log_, EM_SETSEL, end, end);
    SendMessageA(log_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
}

LRESULT CALLBACK SimulatorWindow::keyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SimulatorWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const LRESULT result = CallWindowProcA(self->keyDefault_, window, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_CAPTURECHANGED ||
        message == WM_KEYDOWN || message == WM_KEYUP) {
        const bool held = (SendMessageA(window, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        if (held != self->keyHeld_) {
            self->keyHeld_ = held;
            self->updateCarrier();
        }
    }
    return result;
}

LRESULT CALLBACK SimulatorWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatchToObject(window, message, wParam, lParam, &SimulatorWindow::handle);
}

LRESULT SimulatorWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return 0;
            switch (LOWORD(wParam)) {
                case kLatch: updateCarrier(); break;
                case kInternet: {
                    const bool on = SendMessageA(internet_, BM_GETCHECK, 0, 0) == BST_CHECKED;
                    loop_.runHandler([this, on] { station_.raiseRX(on); });
                    break;
                }
                case kSend: sendChat(); break;
                case kClose: loop_.runHandler([this] { station_.raiseClosing(); }); break;
                default: break;
            }
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.hwndItem == onAirLamp_)
                widgets::drawPicture(item, station_.keyed() ? "lamp_ptt_lit" : "lamp_ptt_dark");
            if (item.hwndItem == carrierLamp_)
                widgets::drawPicture(item, station_.carrier() ? "lamp_rf_lit" : "lamp_rf_dark");
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            const bool dimmed = reinterpret_cast<HWND>(lParam) == onAirText_ && !station_.keyed();
            return widgets::onFace(wParam, GetSysColor(dimmed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        }
        case WM_DPICHANGED:
            applyDpi(HIWORD(wParam));
            widgets::takeSuggestedPlace(window_, lParam);
            return 0;
        case WM_CLOSE: ShowWindow(window_, SW_MINIMIZE); return 0;  // the station stays; the program ends from its panel
        default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace tc::win32
