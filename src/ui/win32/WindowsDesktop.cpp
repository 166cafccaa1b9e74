#include "ui/win32/WindowsDesktop.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cctype>
#include <vector>

#include "ui/win32/WinEventLoop.h"
#include "ui/win32/AboutWindow.h"

namespace tc::win32 {

namespace {

// "Sound files|*.wav;*.mp3" as the dialog takes it: pairs of texts, each
// ended by a null character, the list by another.
std::string dialogFilter(const std::string& filter) {
    std::string out = filter;
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

}  // namespace

WindowsDesktop::WindowsDesktop(WinEventLoop& loop, std::function<bool()> previousInstance, Watcher watcher)
    : loop_(loop), previousInstance_(std::move(previousInstance)), watcher_(std::move(watcher)) {}

WindowsDesktop::~WindowsDesktop() = default;

HWND WindowsDesktop::owner() const {
    // The start-up messages come before the main window is shown.
    return main_ && IsWindowVisible(main_) ? main_ : nullptr;
}

void WindowsDesktop::MsgBox(const std::string& text, int style, const std::string& title) {
    if (watcher_.message) watcher_.message(text, style, title);
    HWND parent = owner();
    loop_.runModal([&] {
        MessageBoxA(parent, text.c_str(), title.c_str(),
                    static_cast<UINT>(style) | MB_SETFOREGROUND | (parent ? 0u : static_cast<UINT>(MB_TASKMODAL)));
    });
}

std::optional<std::string> WindowsDesktop::ShowOpen(const std::string& filter, const std::string& fileName) {
    std::vector<char> name(MAX_PATH * 4, '\0');
    fileName.copy(name.data(), name.size() - 1);
    const std::string filters = dialogFilter(filter);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner();
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    bool chosen = false;
    loop_.runModal([&] { chosen = GetOpenFileNameA(&dialog) != FALSE; });
    const std::string answer = chosen ? std::string(name.data()) : std::string();
    if (watcher_.dialog) watcher_.dialog(filter, answer);
    if (!chosen) return std::nullopt;
    return answer;
}

std::string WindowsDesktop::shellLink(const std::string& link) {
    // A scheme is letters (then letters, digits, + - .) up to a colon that
    // is not a host's port.
    size_t i = 0;
    while (i < link.size() && (std::isalnum(static_cast<unsigned char>(link[i])) || link[i] == '+' ||
                               link[i] == '-' || link[i] == '.'))
        ++i;
    const bool hasScheme = i > 0 && std::isalpha(static_cast<unsigned char>(link[0])) && i < link.size() &&
                           link[i] == ':' && !(i + 1 < link.size() && std::isdigit(static_cast<unsigned char>(link[i + 1])));
    std::string out = hasScheme ? std::string() : std::string("https://");
    for (char c : link) out += c == ' ' ? std::string("%20") : std::string(1, c);
    return out;
}

void WindowsDesktop::OpenLink(const std::string& link) {
    ShellExecuteA(owner(), "open", shellLink(link).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void WindowsDesktop::ShowAbout(Form14& about) {
    if (!about_)
        about_ = std::make_unique<AboutWindow>([this](const std::function<void()>& handler) {
            if (runHandler_) loop_.runHandler([this, handler] { runHandler_(handler); });
        });
    about_->present(about);
}

void WindowsDesktop::Ended() {
    if (watcher_.ended) watcher_.ended();
    // Every window of the program vanishes at once.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            ShowWindow(window, SW_HIDE);
            return TRUE;
        },
        0);
}

}  // namespace tc::win32
