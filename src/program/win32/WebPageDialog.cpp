#include "program/win32/WebPageDialog.h"

#include <shellapi.h>

#include <memory>

#include "ui/win32/Dpi.h"
#include "web/WebSettings.h"
#include "web/secure/Secrets.h"

namespace tc::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
constexpr UINT kHashed = WM_APP + 1;  // lParam: the hash made, owned by the message
constexpr int kLabel = 1700, kEdit = 2500, kRow = 420;

constexpr RECT tw(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }
constexpr RECT row(int n, int left, int width) { return tw(left, 240 + n * kRow, width, 300); }

}  // namespace

WebPageDialog::WebPageDialog(Profile& settings) : settings_(settings) {
    widgets::registerWindowClass(kClass, &WebPageDialog::proc, true);
    const int dpi = dpiOf(nullptr);
    const SIZE outer = outerSize(twipsToPx(4500, dpi), twipsToPx(3700, dpi), kStyle, kExStyle, dpi);
    window_ = CreateWindowExA(kExStyle, kClass, kTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    add("Static", "", SS_LEFT | SS_NOPREFIX, row(0, 120, 4260), kWhere);
    const struct {
        const char* label;
        int id;
        DWORD style;
    } fields[] = {{"Address:", kAddress, 0},
                  {"Port:", kPort, ES_NUMBER},
                  {"New password:", kPassword, ES_PASSWORD},
                  {"The same again:", kAgain, ES_PASSWORD}};
    int n = 1;
    for (const auto& f : fields) {
        add("Static", f.label, SS_LEFT, row(n, 120, kLabel - 180));
        add("Edit", "", WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER | f.style, row(n, kLabel, kEdit), f.id);
        ++n;
    }
    add("Static", "", SS_LEFT | SS_NOPREFIX, tw(120, 240 + n * kRow, 4260, 560), kNote);
    add("Button", "Save", WS_TABSTOP | BS_DEFPUSHBUTTON, tw(120, 3200, 1300, 360), kSave);
    add("Button", "Open the page", WS_TABSTOP, tw(1560, 3200, 1500, 360), kOpen);
    add("Button", "Close", WS_TABSTOP, tw(3200, 3200, 1180, 360), IDCANCEL);
    font_ = CreateFontA(fontHeight(8.25, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                        "MS Sans Serif");
    for (const Placed& p : placed_) SendMessageA(p.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    layOut(placed_, dpi);
}

WebPageDialog::~WebPageDialog() {
    if (hashing_.joinable()) hashing_.join();
    if (window_) {
        MSG left;  // a hash that came after all
        while (PeekMessageA(&left, window_, kHashed, kHashed, PM_REMOVE))
            delete reinterpret_cast<std::optional<std::string>*>(left.lParam);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (font_) DeleteObject(font_);
}

HWND WebPageDialog::add(const char* cls, const char* text, DWORD style, RECT twips, int id) {
    HWND w = widgets::child(cls, text, WS_VISIBLE | style, 0, window_, id);
    placed_.push_back({w, twips});
    return w;
}

std::string WebPageDialog::field(int id) const { return widgets::textOf(GetDlgItem(window_, id)); }

void WebPageDialog::load() {
    const WebSettings web = WebSettings::read(settings_);
    const std::string where = pageAddress(web);
    SetDlgItemTextA(window_, kWhere, where.empty() ? "No page is served: give it a port." : ("The page: " + where).c_str());
    EnableWindow(GetDlgItem(window_, kOpen), !where.empty());
    SetDlgItemTextA(window_, kAddress, web.address.c_str());
    SetDlgItemTextA(window_, kPort, web.port ? std::to_string(web.port).c_str() : "");
    SetDlgItemTextA(window_, kPassword, "");
    SetDlgItemTextA(window_, kAgain, "");
}

void WebPageDialog::present(HWND owner) {
    if (!IsWindowVisible(window_)) {
        load();
        tell(WebSettings::read(settings_).passwordHash.empty() ? "No password is set: no one can log in."
                                                               : "Leave the password blank to keep it.");
        RECT r;
        GetWindowRect(owner, &r);
        SetWindowPos(window_, nullptr, r.left + 40, r.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

void WebPageDialog::tell(const std::string& note) { SetDlgItemTextA(window_, kNote, note.c_str()); }

void WebPageDialog::save() {
    if (hashing_.joinable()) return;  // still saving
    saving_ = {field(kAddress), field(kPort), field(kPassword), field(kAgain)};
    if (auto problem = problemWith(saving_)) return tell(*problem);
    if (saving_.password.empty()) return saved(std::string());
    EnableWindow(GetDlgItem(window_, kSave), FALSE);
    tell("Saving...");
    hashing_ = std::thread([window = window_, password = saving_.password] {
        auto hash = std::make_unique<std::optional<std::string>>(secrets::hashPassword(password));
        if (PostMessageA(window, kHashed, 0, reinterpret_cast<LPARAM>(hash.get()))) hash.release();
    });
}

void WebPageDialog::saved(std::optional<std::string> hash) {
    if (hashing_.joinable()) hashing_.join();
    EnableWindow(GetDlgItem(window_, kSave), TRUE);
    if (!hash) return tell("The password could not be hashed (out of memory?). Nothing was saved.");
    if (auto problem = storeWebPageChoice(settings_, saving_, *hash)) return tell(*problem + " Nothing was saved.");
    load();
    tell("Saved. Tailchime serves the page there from its next start.");
}

LRESULT CALLBACK WebPageDialog::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatchToObject(window, message, wParam, lParam, &WebPageDialog::handle);
}

LRESULT WebPageDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == kSave) save();
            if (LOWORD(wParam) == kOpen) {
                const std::string where = pageAddress(WebSettings::read(settings_));
                if (!where.empty()) ShellExecuteA(window_, "open", where.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            }
            if (LOWORD(wParam) == IDCANCEL) ShowWindow(window_, SW_HIDE);
            return 0;
        case kHashed: {
            std::unique_ptr<std::optional<std::string>> hash(reinterpret_cast<std::optional<std::string>*>(lParam));
            saved(std::move(*hash));
            return 0;
        }
        case WM_CTLCOLORSTATIC: return widgets::onFace(wParam, GetSysColor(COLOR_WINDOWTEXT));
        case WM_CLOSE: ShowWindow(window_, SW_HIDE); return 0;
        default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace tc::win32
