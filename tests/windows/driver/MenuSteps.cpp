#include "MenuSteps.h"

#include "WindowSearch.h"

#include <cstdlib>

bool isMenuStep(const std::string& verb) { return verb == "menu" || verb == "fill" || verb == "press"; }

std::string menuStep(const std::string& verb, const std::string& arg, HWND mainWindow) {
    if (verb == "menu") {
        PostMessageA(mainWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(mainWindow), MAKELPARAM(0xFFFF, 0xFFFF));
        HWND popup = nullptr;
        auto isPopup = [](HWND w) { return IsWindowVisible(w) && driver::classOf(w) == "#32768"; };
        if (!driver::waitFor([&] { return (popup = driver::find(nullptr, isPopup)) != nullptr; })) return "no menu opens";
        // The menu lives in the program's process: it is worked as the keyboard works it.
        const int item = std::atoi(arg.c_str());
        if (item < 1) return "no such item";
        for (int down = 0; down < item; ++down) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        return driver::waitFor([&] { return !IsWindowVisible(popup); }) ? "" : "the menu stays";
    }
    const size_t eq = arg.find('=');
    const std::string title = arg.substr(0, eq), rest = eq == std::string::npos ? "" : arg.substr(eq + 1);
    HWND top = nullptr;
    if (!driver::waitFor([&] { return (top = driver::topLevel(title)) != nullptr; })) return "no such window";
    if (verb == "fill") {
        const size_t eq2 = rest.find('=');
        HWND field = GetDlgItem(top, std::atoi(rest.substr(0, eq2).c_str()));
        if (!field || eq2 == std::string::npos) return "no such field";
        const std::string text = rest.substr(eq2 + 1);
        SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 60000, nullptr);
        return "";
    }
    HWND button = driver::find(top, [&](HWND w) { return driver::textOf(w) == rest; });
    if (!button) return "no such button";
    PostMessageA(button, BM_CLICK, 0, 0);
    return "";
}
