#include "MenuSteps.h"

#include <cstdlib>
#include <functional>

namespace {

template <class Fn>
bool waitFor(Fn condition) {
    for (int i = 0; i < 1200; ++i) {
        if (condition()) return true;
        Sleep(50);
    }
    return false;
}

std::string textOf(HWND w) {
    char buf[512] = {};
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
    return buf;
}

// The first window, top-level (parent null) or a child of it, that the test accepts.
HWND findWindow(HWND parent, const std::function<bool(HWND)>& test) {
    struct Search {
        const std::function<bool(HWND)>* test;
        HWND found;
    } search{&test, nullptr};
    auto each = [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (!(*s->test)(w)) return TRUE;
        s->found = w;
        return FALSE;
    };
    if (parent)
        EnumChildWindows(parent, each, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(each, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND titled(const std::string& title) {
    return findWindow(nullptr, [&](HWND w) { return IsWindowVisible(w) && textOf(w) == title; });
}

}  // namespace

bool isMenuStep(const std::string& verb) { return verb == "menu" || verb == "fill" || verb == "press"; }

std::string menuStep(const std::string& verb, const std::string& arg, HWND mainWindow) {
    if (verb == "menu") {
        PostMessageA(mainWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(mainWindow), MAKELPARAM(0xFFFF, 0xFFFF));
        HWND popup = nullptr;
        auto isPopup = [](HWND w) {
            char cls[16] = {};
            GetClassNameA(w, cls, sizeof cls);
            return IsWindowVisible(w) && std::string(cls) == "#32768";
        };
        if (!waitFor([&] { return (popup = findWindow(nullptr, isPopup)) != nullptr; })) return "no menu opens";
        // The menu lives in the program's process: it is worked as the keyboard works it.
        const int item = std::atoi(arg.c_str());
        if (item < 1) return "no such item";
        for (int down = 0; down < item; ++down) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        return waitFor([&] { return !IsWindowVisible(popup); }) ? "" : "the menu stays";
    }
    const size_t eq = arg.find('=');
    const std::string title = arg.substr(0, eq), rest = eq == std::string::npos ? "" : arg.substr(eq + 1);
    HWND top = nullptr;
    if (!waitFor([&] { return (top = titled(title)) != nullptr; })) return "no such window";
    if (verb == "fill") {
        const size_t eq2 = rest.find('=');
        HWND field = GetDlgItem(top, std::atoi(rest.substr(0, eq2).c_str()));
        if (!field || eq2 == std::string::npos) return "no such field";
        const std::string text = rest.substr(eq2 + 1);
        SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 60000, nullptr);
        return "";
    }
    HWND button = findWindow(top, [&](HWND w) { return textOf(w) == rest; });
    if (!button) return "no such button";
    PostMessageA(button, BM_CLICK, 0, 0);
    return "";
}
