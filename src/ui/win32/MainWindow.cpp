#include "ui/win32/MainWindow.h"

#include "ui/win32/Widgets.h"

#include <commctrl.h>

#include "ui/Panel.h"
#include "ui/StationCommands.h"
#include "ui/win32/WinEventLoop.h"
#include "ui/win32/AntennaBox.h"
#include "ui/win32/ControlIds.h"
#include "ui/win32/Dpi.h"

namespace tc::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
using Kind = PlacedControl::Kind;

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

MainWindow::MainWindow(Panel& panel, StationCommands& station, WinEventLoop& loop)
    : panel_(panel), station_(station), loop_(loop) {
    widgets::registerWindowClass(kClass, &MainWindow::proc, true);
    dpi_ = dpiOf(nullptr);
    const SIZE outer = outerSize(twipsToPx(kMainWindowWidth, dpi_), twipsToPx(kMainWindowHeight, dpi_), kStyle, 0, dpi_);
    window_ = CreateWindowExA(0, kClass, "Tailchime", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    // The monitor it lands on may not be the primary one.
    if (int dpi = dpiOf(window_); dpi != dpi_) dpi_ = dpi;
    tips_ = widgets::tooltips(window_);

    // Made back to front, so that what the design puts in front is in front.
    for (const PlacedControl& c : mainWindowLayout()) make(c, c.container ? find(controlId(c.container))->hwnd : window_);
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

HWND MainWindow::make(const PlacedControl& c, HWND parent) {
    const int id = controlId(c.name);
    Panel& p = panel_;
    const Shape* shape = c.shape ? &(p.*c.shape) : nullptr;
    TextField* field = c.field ? &(p.*c.field) : nullptr;
    const DWORD shown = !shape || shape->visible ? WS_VISIBLE : 0;
    HWND w = nullptr;
    switch (c.kind) {
        case Kind::Frame: w = widgets::frame(c.picture, parent, id); break;
        case Kind::Picture: w = widgets::child("Static", "", shown | SS_OWNERDRAW | SS_NOTIFY, 0, parent, id); break;
        case Kind::Antenna: w = antenna_ = antenna::make(parent, id, shown, &antennaFrame_); break;
        case Kind::Selector:
            w = widgets::child("Static", "", shown | SS_OWNERDRAW | SS_NOTIFY, WS_EX_CLIENTEDGE, parent, id);
            break;
        case Kind::Button:
            w = widgets::child("Button", "", shown | BS_OWNERDRAW | WS_TABSTOP, 0, parent, id);
            break;
        case Kind::Field:
            w = widgets::child("Edit", field->text.c_str(),
                               shown | WS_TABSTOP | ES_AUTOHSCROLL |
                                   (c.face == PlacedControl::Face::Plain ? ES_LEFT : ES_CENTER),
                               WS_EX_CLIENTEDGE, parent, id);
            break;
        case Kind::Label: w = widgets::child("Static", c.picture, WS_VISIBLE | SS_LEFT, 0, parent, id); break;
        case Kind::ScrollBar: {
            w = volume_ = widgets::child("ScrollBar", "", shown | SBS_HORZ, 0, parent, id);
            SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, p.V1.min, p.V1.max, 0, p.V1.value, 0};
            SetScrollInfo(volume_, SB_CTL, &info, FALSE);
            break;
        }
        case Kind::Option: w = widgets::child("Button", "", WS_VISIBLE | BS_RADIOBUTTON, 0, parent, id); break;
    }
    if (c.kind == Kind::Frame && shape && !shape->visible) ShowWindow(w, SW_HIDE);
    if (c.kind != Kind::Antenna) widgets::addTip(tips_, w, c.tooltip);
    controls_.push_back({w, c, shape, field, field ? field->text : std::string()});
    placed_.push_back({w, {c.left, c.top, c.left + c.width, c.top + c.height}});
    return w;
}

void MainWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    HFONT old[3] = {fonts_[0], fonts_[1], fonts_[2]};
    auto font = [dpi](double points, bool bold, const char* face) {
        return CreateFontA(fontHeight(points, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, face);
    };
    for (int face = 0; face < 3; ++face)
        fonts_[face] = font(kDesignFaces[face].points, kDesignFaces[face].bold, kDesignFaces[face].family);
    for (const Control& c : controls_)
        SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[static_cast<int>(c.placed.face)]), TRUE);
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
    const Panel& p = panel_;
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
        if (c.placed.kind == Kind::Option) {
            const bool on = c.placed.name == std::string_view("Option1") ? p.Options.Option1 : p.Options.Option2;
            if ((SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) != on)
                SendMessageA(c.hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    turnAntenna();
    if (!dragging_ && GetScrollPos(volume_, SB_CTL) != p.V1.value) SetScrollPos(volume_, SB_CTL, p.V1.value, TRUE);
    refreshing_ = false;
    if (p.Caption() != caption_) {
        caption_ = p.Caption();
        SetWindowTextA(window_, (caption_ + note_).c_str());
    }
    if (p.Left != placedLeft_ || p.Top != placedTop_) place();
}

// The antenna is one picture box: a new frame is drawn on that box alone,
// the frame in front of those shown.
void MainWindow::turnAntenna() {
    const Panel& p = panel_;
    int front = 0;
    for (int i = 0; i < static_cast<int>(std::size(kAntennaFrames)); ++i)
        if ((p.*kAntennaFrames[i]).visible) front = i;
    if (front == antennaFrame_) return;
    // Turning, it tells that the system is active.
    if (antennaFrame_ == 0) widgets::addTip(tips_, antenna_, "System Active");
    if (front == 0) widgets::removeTip(tips_, antenna_);
    antennaFrame_ = front;
    antenna::turn(antenna_);
}

void MainWindow::place() {
    Panel& p = panel_;
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
    const ScrollBar& v1 = panel_.V1;
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
    forward([this, value] { station_.slide("V1", value); });
    refresh();
}

LRESULT CALLBACK MainWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatchToObject(window, message, wParam, lParam, &MainWindow::handle);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const size_t item = LOWORD(wParam) - static_cast<size_t>(kFirstMenuItem);
            if (HIWORD(wParam) == 0 && LOWORD(wParam) >= kFirstMenuItem && item < menu_.size()) {
                menu_[item].second();
                return 0;
            }
            Control* c = find(LOWORD(wParam));
            if (!c) break;
            const int code = HIWORD(wParam);
            const Kind kind = c->placed.kind;
            const bool clicked =
                (kind == Kind::Button && code == BN_CLICKED) || (kind == Kind::Selector && code == STN_CLICKED);
            if (clicked) {
                const std::string name(c->placed.name);
                forward([this, name] { station_.click(name); });
            } else if (kind == Kind::Field && code == EN_CHANGE && !refreshing_) {
                c->shown = widgets::textOf(c->hwnd);  // the field already shows it
                forward([this, name = std::string(c->placed.name), text = c->shown] { station_.type(name, text); });
            }
            return 0;
        }
        case WM_CONTEXTMENU: {
            if (menu_.empty()) break;
            HMENU popup = CreatePopupMenu();
            for (size_t i = 0; i < menu_.size(); ++i)
                AppendMenuA(popup, MF_STRING, kFirstMenuItem + i, menu_[i].first.c_str());
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (at.x == -1 && at.y == -1) {  // asked for from the keyboard
                RECT r;
                GetWindowRect(window_, &r);
                at = {r.left + 20, r.top + 20};
            }
            TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
            DestroyMenu(popup);
            return 0;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Control* c = find(static_cast<int>(item.CtlID));
            if (!c) break;
            if (c->placed.kind == Kind::Button)
                widgets::drawButton(item, c->placed.picture);
            else if (c->placed.picture)
                widgets::drawPicture(item, c->placed.picture);
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
        case WM_CTLCOLORBTN: return widgets::onFace(wParam, GetSysColor(COLOR_BTNTEXT));
        case WM_MOVE:
            // The window's place is saved with the settings: the panel follows the operator.
            if (!IsIconic(window_)) {
                RECT r;
                GetWindowRect(window_, &r);
                Panel& p = panel_;
                p.Left = static_cast<float>(pxToTwips(r.left, dpi_));
                p.Top = static_cast<float>(pxToTwips(r.top, dpi_));
                placedLeft_ = p.Left;
                placedTop_ = p.Top;
            }
            return 0;
        case WM_DPICHANGED:
            applyDpi(HIWORD(wParam));
            widgets::takeSuggestedPlace(window_, lParam);
            return 0;
        case WM_CLOSE:
            // The close request ends the program (the desktop then hides
            // and ends everything); the window is not destroyed here.
            forward([this] { station_.closeRequest(Asker::Panel); });
            return 0;
        default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace tc::win32
