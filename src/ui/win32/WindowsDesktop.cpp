#include "ui/win32/WindowsDesktop.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

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

void WindowsDesktop::MsgBox(const std::string& text, int style, const std::string& title) {
    if (watcher_.message) watcher_.message(text, style, title);
    MessageBoxA(nullptr, text.c_str(), title.c_str(), static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::optional<std::string> WindowsDesktop::ShowOpen(const std::string& filter, const std::string& fileName) {
    std::vector<char> name(MAX_PATH * 4, '\0');
    fileName.copy(name.data(), name.size() - 1);
    const std::string filters = dialogFilter(filter);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    const bool chosen = GetOpenFileNameA(&dialog) != FALSE;
    const std::string answer = chosen ? std::string(name.data()) : std::string();
    if (watcher_.dialog) watcher_.dialog(filter, answer);
    if (!chosen) return std::nullopt;
    return answer;
}

void WindowsDesktop::OpenLink(const std::string& link) {
    ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, 0);
}

void WindowsDesktop::Ended() {
    if (watcher_.ended) watcher_.ended();
}

}  // namespace tc::win32
