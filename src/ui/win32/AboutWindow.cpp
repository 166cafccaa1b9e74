#include "ui/win32/AboutWindow.h"

#include "ui/win32/Widgets.h"

#include "ui/About.h"
#include "ui/Maker.h"
#include "ui/win32/Dpi.h"

namespace tc::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr int kWeb = 201, kMail = 202, kPhoto = 203;
constexpr COLORREF kLabelColour = RGB(0, 0, 128);

constexpr RECT tw(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// The window's faces: the body, the maker's call sign, name, address and
// site, and the title line.
struct FontSpec {
    double points;
    bool bold;
    const char* face;
};
constexpr FontSpec kFonts[] = {{9.75, false, "MS Sans Serif"}, {24, true, "MS Serif"},
                               {18, false, "MS Serif"},       {12, false, "MS Sans Serif"},
                               {13.5, false, "MS Sans Serif"}};

}  // namespace

AboutWindow::AboutWindow(HandlerRunner run) : run_(std::move(run)) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &AboutWindow::proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClass;
        RegisterClassA(&wc);
        registered = true;
    }
    dpi_ = dpiOf(nullptr);
    const SIZE outer = outerSize(twipsToPx(6600, dpi_), twipsToPx(6945, dpi_), kStyle, kExStyle, dpi_);
    window_ = CreateWindowExA(kExStyle, kClass, "About", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    tips_ = widgets::tooltips(window_);

    // Frame1 holds everything; in it the first listed lies in front, so the
    // controls are made from the back forward.
    HWND frame1 = widgets::frame("", window_, 0);
    placed_.push_back({frame1, tw(120, 0, 6375, 6855)});
    label6_ = label(frame1, "Program Here", tw(120, 4200, 6135, 375), 4);
    photo_ = widgets::child("Static", "", WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0, frame1, kPhoto);
    placed_.push_back({photo_, tw(120, 240, 6135, 3975)});
    widgets::addTip(tips_, photo_, "A hilltop repeater site at dusk");
    HWND frame2 = widgets::frame("", frame1, 0);
    placed_.push_back({frame2, tw(120, 4560, 6135, 2175)});
    label(frame2, maker::kCallsign, tw(120, 240, 5895, 495), 1);
    label(frame2, maker::kName, tw(120, 720, 5895, 375), 2);
    label(frame2, maker::kAddress, tw(1200, 1200, 3615, 615), 3, true);
    label(frame2, maker::kWebSite, tw(120, 1800, 5895, 255), 3);
    web_ = widgets::child("Button", "", WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, frame1, kWeb);
    placed_.push_back({web_, tw(4440, 4800, 1575, 975)});
    widgets::addTip(tips_, web_, "For more information on this program visit the Nodeworks web site");
    mail_ = widgets::child("Button", "", WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, frame1, kMail);
    placed_.push_back({mail_, tw(360, 4800, 1575, 975)});
    widgets::addTip(tips_, mail_, "Send me an email");
    applyDpi(dpiOf(window_));
}

AboutWindow::~AboutWindow() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (HFONT f : fonts_) DeleteObject(f);
}

HWND AboutWindow::label(HWND parent, const char* text, RECT twips, int font, bool wrap) {
    HWND l = widgets::child("Static", text, WS_VISIBLE | SS_CENTER | SS_NOPREFIX | (wrap ? 0 : SS_ENDELLIPSIS), 0,
                            parent, 0);
    placed_.push_back({l, twips});
    fonted_.push_back({l, font});
    return l;
}

void AboutWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    std::vector<HFONT> old;
    old.swap(fonts_);
    for (const FontSpec& f : kFonts)
        fonts_.push_back(CreateFontA(fontHeight(f.points, dpi), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                     FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH, f.face));
    for (const Placed& p : placed_)
        SendMessageA(p.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[0]), FALSE);
    for (const auto& [control, font] : fonted_)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[static_cast<size_t>(font)]), TRUE);
    layOut(placed_, dpi);
    for (HFONT f : old) DeleteObject(f);
}

void AboutWindow::present(Form14& form) {
    form_ = &form;
    SetWindowTextA(window_, form.Caption().c_str());
    SetWindowTextA(label6_, form.Label6().c_str());
    if (!IsWindowVisible(window_)) {
        RECT r, work;
        GetWindowRect(window_, &r);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const int w = r.right - r.left, h = r.bottom - r.top;
        SetWindowPos(window_, nullptr, work.left + (work.right - work.left - w) / 2,
                     work.top + (work.bottom - work.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

LRESULT CALLBACK AboutWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatchToObject(window, message, wParam, lParam, &AboutWindow::handle);
}

LRESULT AboutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && form_) {
                Form14* form = form_;
                if (LOWORD(wParam) == kWeb) run_([form] { form->Command2_Click(); });
                if (LOWORD(wParam) == kMail) run_([form] { form->Command3_Click(); });
            }
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.hwndItem == photo_) widgets::drawPicture(item, "about_site");
            if (item.hwndItem == web_) widgets::drawButton(item, "about_web");
            if (item.hwndItem == mail_) widgets::drawButton(item, "about_mail");
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: return widgets::onFace(wParam, kLabelColour);
        case WM_DPICHANGED:
            applyDpi(HIWORD(wParam));
            widgets::takeSuggestedPlace(window_, lParam);
            return 0;
        case WM_CLOSE:
            // Closed, the window is unloaded: the next showing loads it afresh.
            ShowWindow(window_, SW_HIDE);
            if (form_) form_->Unload();
            return 0;
        default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace tc::win32
