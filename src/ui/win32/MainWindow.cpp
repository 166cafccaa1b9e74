#include "ui/win32/MainWindow.h"

#include "ui/win32/Widgets.h"

#include <commctrl.h>

#include "app/Form21.h"
#include "app/win32/WinEventLoop.h"
#include "ui/win32/ControlIds.h"
#include "ui/win32/Dpi.h"

namespace tc::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 5040;  // twips
constexpr int kClientHeight = 4200;

constexpr RECT tw(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

void registerClass(WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, "TAILCHIME");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = MainWindow::kClass;
    RegisterClassA(&wc);
    registered = true;
}

// Whether a window placed at r can be dragged: enough of its title bar on a monitor.
bool titleBarVisible(const RECT& r) {
    const RECT grip{r.left, r.top, r.left + std::min<LONG>(48, r.right - r.left), r.top + 16};
    HMONITOR m = MonitorFromRect(&grip, MONITOR_DEFAULTTONULL);
    if (!m) return false;
    MONITORINFO info{sizeof info, {}, {}, 0};
    GetMonitorInfoA(m, &info);
    RECT seen;
    return IntersectRect(&seen, &grip, &info.rcWork) && seen.right - seen.left >= grip.right - grip.left &&
           seen.bottom - seen.top >= grip.bottom - grip.top;
}

}  // namespace

MainWindow::MainWindow(Form21& form, WinEventLoop& loop) : form_(form), loop_(loop) {
    registerClass(&MainWindow::proc);
    dpi_ = dpiOf(nullptr);
    const SIZE outer = outerSize(twipsToPx(kClientWidth, dpi_), twipsToPx(kClientHeight, dpi_), kStyle, 0, dpi_);
    window_ = CreateWindowExA(0, kClass, "Tailchime", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    // The monitor it lands on may not be the primary one.
    if (int dpi = dpiOf(window_); dpi != dpi_) dpi_ = dpi;
    tips_ = widgets::tooltips(window_);

    // Made back to front, so that what the design puts in front is in front.
    buildStatusStrip();
    picture("Picture3", window_, tw(240, 360, 735, 735), "transmit_idle", nullptr, form_.panel.Picture3);
    picture("Picture4", window_, tw(240, 360, 735, 735), "transmit_mic", "Transmitting", form_.panel.Picture4);
    buildCwPage();
    buildAudioPage();
    buildTimingsPage();
    buildBottomRow();
    applyDpi(dpi_);
    refresh();
}

MainWindow::~MainWindow() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (HFONT f : fonts_)
        if (f) DeleteObject(f);
}

HWND MainWindow::add(Kind kind, std::string_view name, HWND parent, RECT twips, const char* text,
                     const char* tooltip, const Shape* shape, TextField* field, Face face) {
    const int id = controlId(name);
    HWND w = nullptr;
    const DWORD shown = !shape || shape->visible ? WS_VISIBLE : 0;
    switch (kind) {
        case Kind::Frame: w = widgets::frame(text, parent, id); break;
        case Kind::Picture: w = widgets::child("Static", "", shown | SS_OWNERDRAW | SS_NOTIFY, 0, parent, id); break;
        case Kind::Selector:
            w = widgets::child("Static", "", shown | SS_OWNERDRAW | SS_NOTIFY, WS_EX_CLIENTEDGE, parent, id);
            break;
        case Kind::Button:
            w = widgets::child("Button", "", shown | BS_OWNERDRAW | WS_TABSTOP, 0, parent, id);
            break;
        case Kind::Field:
            w = widgets::child("Edit", field->text.c_str(),
                               shown | WS_TABSTOP | ES_AUTOHSCROLL | (face == Face::Plain ? ES_LEFT : ES_CENTER),
                               WS_EX_CLIENTEDGE, parent, id);
            break;
        case Kind::Label: w = widgets::child("Static", text, WS_VISIBLE | SS_LEFT, 0, parent, id); break;
        case Kind::ScrollBar: w = widgets::child("ScrollBar", "", shown | SBS_HORZ, 0, parent, id); break;
        case Kind::Option: w = widgets::child("Button", "", WS_VISIBLE | BS_RADIOBUTTON, 0, parent, id); break;
    }
    if (kind == Kind::Frame && shape && !shape->visible) ShowWindow(w, SW_HIDE);
    widgets::addTip(tips_, w, tooltip);
    controls_.push_back({w, name, kind, kind == Kind::Frame || kind == Kind::Label ? nullptr : text, shape, field,
                         face, field ? field->text : std::string()});
    placed_.push_back({w, twips});
    return w;
}

HWND MainWindow::frame(std::string_view name, HWND parent, RECT twips, const char* caption, const Shape* shape) {
    return add(Kind::Frame, name, parent, twips, caption, nullptr, shape);
}

void MainWindow::picture(std::string_view name, HWND parent, RECT twips, const char* image, const char* tooltip,
                         const Shape& shape) {
    add(Kind::Picture, name, parent, twips, image, tooltip, &shape);
}

void MainWindow::button(std::string_view name, HWND parent, RECT twips, const char* image, const char* tooltip,
                        const Shape& shape) {
    add(Kind::Button, name, parent, twips, image, tooltip, &shape);
}

void MainWindow::buildStatusStrip() {
    Panel& p = form_.panel;
    HWND strip = frame("Frame7", window_, tw(120, 120, 4815, 1095), "", nullptr);
    struct Lamp {
        const char *lit, *dark, *litImage, *darkImage, *tooltip;
        Shape &litShape, &darkShape;
        int left;
    };
    const Lamp lamps[] = {
        {"Picture26", "Picture21", "lamp_kerchunker_lit", "lamp_kerchunker_dark", "Kerchunker Set", p.Picture26,
         p.Picture21, 1080},
        {"Picture27", "Picture22", "lamp_rf_lit", "lamp_rf_dark", "RF User", p.Picture27, p.Picture22, 1800},
        {"Picture28", "Picture23", "lamp_ip_lit", "lamp_ip_dark", "IP User", p.Picture28, p.Picture23, 2520},
        {"Picture29", "Picture24", "lamp_ptt_lit", "lamp_ptt_dark", "PTT", p.Picture29, p.Picture24, 3240},
    };
    for (const Lamp& lamp : lamps) {
        // Hiding the lit face shows the dark one beneath it.
        picture(lamp.dark, strip, tw(lamp.left, 240, 375, 375), lamp.darkImage, lamp.tooltip, lamp.darkShape);
        picture(lamp.lit, strip, tw(lamp.left, 240, 375, 375), lamp.litImage, lamp.tooltip, lamp.litShape);
    }
    picture("Picture14", strip, tw(1080, 600, 375, 375), "legend_kerchunker", "Anti-Kerchunker", p.Picture14);
    picture("Picture16", strip, tw(1800, 600, 375, 375), "legend_rf", "RF User", p.Picture16);
    picture("Picture19", strip, tw(2520, 600, 375, 375), "legend_ip", "IP User", p.Picture19);
    picture("Picture20", strip, tw(3240, 600, 375, 375), "legend_ptt", "PTT", p.Picture20);
    picture("Picture25", strip, tw(120, 240, 735, 735), "transmit_onair", nullptr, p.Picture25);
    picture("Ant0", strip, tw(3960, 240, 735, 735), "antenna0", nullptr, p.Ant0);
    picture("Ant1", strip, tw(3960, 240, 735, 735), "antenna1", "System Active", p.Ant1);
    picture("Ant2", strip, tw(3960, 240, 735, 735), "antenna2", "System Active", p.Ant2);
    picture("Ant3", strip, tw(3960, 240, 735, 735), "antenna3", "System Active", p.Ant3);
}

void MainWindow::buildCwPage() {
    Panel& p = form_.panel;
    HWND page = frame("Frame2", window_, tw(120, 1200, 4815, 2175), "CW ID", &p.Frame2);
    picture("Picture12", page, tw(1800, 600, 375, 375), "id_rf", "RF Audio ID", p.Picture12);
    add(Kind::Field, "CourtesyID", page, tw(2280, 600, 465, 330), nullptr, "RF CW Ident Letter", nullptr,
        &p.CourtesyID, Face::Letter);
    button("Command10", page, tw(3000, 600, 615, 375), "button_test", "Test", p.Command10);
    picture("Picture8", page, tw(1800, 1200, 375, 375), "legend_ip", "Internet Audio ID", p.Picture8);
    add(Kind::Field, "IPCourtesy", page, tw(2280, 1200, 465, 315), nullptr, "Internet CW Ident Letter", nullptr,
        &p.IPCourtesy, Face::Letter);
    button("Command11", page, tw(3000, 1200, 615, 375), "button_test", "Test", p.Command11);
    picture("Picture17", page, tw(240, 1320, 1335, 495), "deco_cw", nullptr, p.Picture17);
}

void MainWindow::buildAudioPage() {
    Panel& p = form_.panel;
    HWND page = frame("Frame5", window_, tw(120, 1200, 4815, 2175), "Audio ID  -- wav - mp3", &p.Frame5);
    picture("Picture11", page, tw(240, 360, 375, 375), "id_rf", "RF Audio ID", p.Picture11);
    add(Kind::Field, "RFTone", page, tw(600, 360, 2535, 285), nullptr, "RF Audio ID", nullptr, &p.RFTone);
    button("Command1", page, tw(3360, 360, 615, 375), "button_file", "File", p.Command1);
    button("Command7", page, tw(4080, 360, 615, 375), "button_test", "Test", p.Command7);
    picture("Picture9", page, tw(240, 840, 375, 375), "legend_ip", "Internet Audio ID", p.Picture9);
    add(Kind::Field, "InetTone", page, tw(600, 840, 2535, 285), nullptr, "IP Audio ID", nullptr, &p.InetTone);
    button("Command6", page, tw(3360, 840, 615, 375), "button_file", "File", p.Command6);
    button("Command8", page, tw(4080, 840, 615, 375), "button_test", "Test", p.Command8);
    picture("Picture15", page, tw(360, 1320, 615, 615), "deco_audio", nullptr, p.Picture15);

    HWND volume = frame("Frame11", page, tw(1320, 1200, 3375, 855), "", &p.Frame11);
    picture("Picture6", volume, tw(120, 240, 495, 495), "volume", "Volume", p.Picture6);
    add(Kind::Label, "Label14", volume, tw(840, 240, 480, 210), "0%", nullptr, nullptr);
    add(Kind::Label, "Label15", volume, tw(1800, 240, 480, 210), "50%", nullptr, nullptr);
    add(Kind::Label, "Label4", volume, tw(2640, 240, 540, 210), "100%", nullptr, nullptr);
    volume_ = add(Kind::ScrollBar, "V1", volume, tw(840, 480, 2295, 135), nullptr, nullptr, nullptr);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, p.V1.min, p.V1.max, 0, p.V1.value, 0};
    SetScrollInfo(volume_, SB_CTL, &info, FALSE);
}

void MainWindow::buildTimingsPage() {
    Panel& p = form_.panel;
    HWND page = frame("Frame6", window_, tw(120, 1200, 4815, 2175), "Timings", &p.Frame6);
    picture("Picture1", page, tw(1560, 600, 375, 375), "hangtime", "HangTime Before ID ", p.Picture1);
    add(Kind::Field, "HangTime", page, tw(2040, 600, 705, 285), nullptr, "Hang Time Before ID in xx Milliseconds",
        nullptr, &p.HangTime, Face::Timing);
    add(Kind::Label, "Label21", page, tw(2880, 600, 255, 255), "ms", nullptr, nullptr);
    picture("Picture2", page, tw(1560, 1200, 375, 375), "legend_kerchunker", "Anti-Kerchunker", p.Picture2);
    add(Kind::Field, "KerchunkWait", page, tw(2040, 1200, 705, 285), nullptr, "Anti-Kerchunker time in Milliseconds",
        nullptr, &p.KerchunkWait, Face::Timing);
    add(Kind::Label, "Label20", page, tw(2880, 1200, 255, 255), "ms", nullptr, nullptr);
    picture("Picture7", page, tw(360, 1320, 735, 735), "deco_timing", nullptr, p.Picture7);
    button("Command16", page, tw(3480, 1560, 495, 375), "button_save_exit", "Save and exit", p.Command16);
}

void MainWindow::buildBottomRow() {
    Panel& p = form_.panel;
    // The selector pictures stand in front of the option buttons they
    // choose, which the operator therefore never sees.
    add(Kind::Option, "Option1", window_, tw(480, 3600, 615, 255), nullptr, "CW Ident", nullptr);
    add(Kind::Option, "Option2", window_, tw(1680, 3480, 495, 255), nullptr, "Audio Ident", nullptr);
    add(Kind::Selector, "Picture18", window_, tw(120, 3600, 1335, 375), "select_cw", "CW Ident", &p.Picture18);
    add(Kind::Selector, "Picture13", window_, tw(1560, 3480, 615, 615), "select_audio", "Audio Ident", &p.Picture13);
    // Use and Stop share a place, Use in front.
    button("Command15", window_, tw(2400, 3600, 495, 375), "button_stop", "Stop Tailchime", p.Command15);
    button("Command14", window_, tw(2400, 3600, 495, 375), "button_use", "Use Tailchime", p.Command14);
    button("Command12", window_, tw(3000, 3600, 495, 375), "button_about", "About", p.Command12);
    button("Command17", window_, tw(3600, 3600, 495, 375), "button_timing", "Timing Tools", p.Command17);
    button("Command18", window_, tw(4200, 3600, 615, 375), "button_save", "Save", p.Command18);
}

void MainWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    HFONT old[3] = {fonts_[0], fonts_[1], fonts_[2]};
    auto font = [dpi](double points, bool bold, const char* face) {
        return CreateFontA(fontHeight(points, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, face);
    };
    fonts_[static_cast<int>(Face::Plain)] = font(8.25, false, "MS Sans Serif");
    fonts_[static_cast<int>(Face::Letter)] = font(9.75, true, "Tahoma");
    fonts_[static_cast<int>(Face::Timing)] = font(8.25, false, "Tahoma");
    for (const Control& c : controls_)
        SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[static_cast<int>(c.face)]), TRUE);
    SendMessageA(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[0]), TRUE);
    layOut(placed_, dpi);
    for (HFONT f : old)
        if (f) DeleteObject(f);
}

void MainWindow::show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

void MainWindow::forward(std::function<void()> action) { loop_.runHandler(std::move(action)); }

MainWindow::Control* MainWindow::find(int id) {
    for (Control& c : controls_)
        if (GetDlgCtrlID(c.hwnd) == id) return &c;
    return nullptr;
}

void MainWindow::refresh() {
    const Panel& p = form_.panel;
    refreshing_ = true;
    // What comes up is shown before what goes down is hidden: a frame of
    // the antenna or a lamp's face then covers the one it replaces, and
    // nothing behind them has to be drawn again.
    for (bool showing : {true, false}) {
        for (Control& c : controls_) {
            if (!c.shape || c.shape->visible != showing) continue;
            const bool shown = (GetWindowLongA(c.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
            if (shown != showing) ShowWindow(c.hwnd, showing ? SW_SHOWNA : SW_HIDE);
        }
    }
    for (Control& c : controls_) {
        if (c.field && c.field->text != c.shown) {
            c.shown = c.field->text;
            SetWindowTextA(c.hwnd, c.shown.c_str());
        }
        if (c.kind == Kind::Option) {
            const bool on = c.name == "Option1" ? p.Options.Option1 : p.Options.Option2;
            if ((SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) != on)
                SendMessageA(c.hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    if (!dragging_ && GetScrollPos(volume_, SB_CTL) != p.V1.value) SetScrollPos(volume_, SB_CTL, p.V1.value, TRUE);
    refreshing_ = false;
    if (p.Caption() != caption_) {
        caption_ = p.Caption();
        SetWindowTextA(window_, (caption_ + note_).c_str());
    }
    if (p.Left != placedLeft_ || p.Top != placedTop_) place();
}

void MainWindow::place() {
    Panel& p = form_.panel;
    placedLeft_ = p.Left;
    placedTop_ = p.Top;
    RECT r;
    GetWindowRect(window_, &r);
    OffsetRect(&r, twipsToPx(p.Left, dpi_) - r.left, twipsToPx(p.Top, dpi_) - r.top);
    if (!titleBarVisible(r)) {
        // A place saved on a monitor that is gone: whole on the nearest one.
        MONITORINFO info{sizeof info, {}, {}, 0};
        GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info);
        const RECT& work = info.rcWork;
        const LONG x = std::max(work.left, std::min(r.left, work.right - (r.right - r.left)));
        const LONG y = std::max(work.top, std::min(r.top, work.bottom - (r.bottom - r.top)));
        OffsetRect(&r, x - r.left, y - r.top);
    }
    SetWindowPos(window_, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::scrolled(WPARAM wParam) {
    const ScrollBar& v1 = form_.panel.V1;
    // The thumb's place comes with the message; the volume's range fits its 16 bits.
    const int thumb = static_cast<short>(HIWORD(wParam));
    long long value = v1.value;
    switch (LOWORD(wParam)) {
        case SB_LINELEFT: value -= 1; break;
        case SB_LINERIGHT: value += 1; break;
        case SB_PAGELEFT: value -= 50; break;  // half a decibel
        case SB_PAGERIGHT: value += 50; break;
        case SB_LEFT: value = v1.min; break;
        case SB_RIGHT: value = v1.max; break;
        case SB_THUMBTRACK:
            // While the thumb is dragged only the thumb moves; the volume
            // changes when it is let go, as a scroll bar's change does.
            dragging_ = true;
            SetScrollPos(volume_, SB_CTL, thumb, TRUE);
            return;
        case SB_THUMBPOSITION:
            dragging_ = false;
            value = thumb;
            break;
        default: dragging_ = false; return;
    }
    forward([this, value] { form_.slide("V1", value); });
    refresh();
}

LRESULT CALLBACK MainWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatchToObject(window, message, wParam, lParam, &MainWindow::handle);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            Control* c = find(LOWORD(wParam));
            if (!c) break;
            const int code = HIWORD(wParam);
            const bool clicked = (c->kind == Kind::Button && code == BN_CLICKED) ||
                                 (c->kind == Kind::Selector && code == STN_CLICKED);
            if (clicked) {
                const std::string name(c->name);
                forward([this, name] { form_.click(name); });
            } else if (c->kind == Kind::Field && code == EN_CHANGE && !refreshing_) {
                c->shown = widgets::textOf(c->hwnd);  // the field already shows it
                forward([this, name = std::string(c->name), text = c->shown] { form_.type(name, text); });
            }
            return 0;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Control* c = find(static_cast<int>(item.CtlID));
            if (!c || !c->image) break;
            if (c->kind == Kind::Button)
                widgets::drawButton(item, c->image);
            else
                widgets::drawPicture(item, c->image);
            return TRUE;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == volume_) scrolled(wParam);
            return 0;
        case WM_CTLCOLOREDIT: {
            // The edit fields stand on the system colour of caption text,
            // their letters in black or white, whichever shows on it.
            HDC dc = reinterpret_cast<HDC>(wParam);
            const COLORREF back = GetSysColor(COLOR_CAPTIONTEXT);
            const int light = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
            SetBkColor(dc, back);
            SetTextColor(dc, light >= 128 ? RGB(0, 0, 0) : RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_CAPTIONTEXT));
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_MOVE:
            // The window's place is saved with the settings: the panel follows the operator.
            if (!IsIconic(window_)) {
                RECT r;
                GetWindowRect(window_, &r);
                Panel& p = form_.panel;
                p.Left = static_cast<float>(pxToTwips(r.left, dpi_));
                p.Top = static_cast<float>(pxToTwips(r.top, dpi_));
                placedLeft_ = p.Left;
                placedTop_ = p.Top;
            }
            return 0;
        case WM_DPICHANGED: {
            applyDpi(HIWORD(wParam));
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            // The close request ends the program (the desktop then hides
            // and ends everything); the window is not destroyed here.
            forward([this] { form_.closeRequest(); });
            return 0;
        default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace tc::win32
