#pragma once
#include <windows.h>

#include <functional>
#include <string>

// What the panel driver's steps find windows with, in another process.
namespace driver {

inline std::string textOf(HWND w) {
    char buf[512] = {};
    // WM_GETTEXT works across processes for every class (GetWindowText does not for controls).
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
    return buf;
}

inline std::string classOf(HWND w) {
    char buf[64] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

// Waits for a condition: the steps depend on what happens, not on how soon.
template <class Fn>
bool waitFor(Fn condition) {
    for (int i = 0; i < 1200; ++i) {
        if (condition()) return true;
        Sleep(50);
    }
    return false;
}

// The window's descendants, or with none the top-level windows; the first
// that matches.
using Match = std::function<bool(HWND)>;
inline HWND find(HWND parent, const Match& match) {
    struct Search {
        const Match* match;
        HWND found;
    } search{&match, nullptr};
    WNDENUMPROC each = [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (!(*s->match)(w)) return TRUE;
        s->found = w;
        return FALSE;
    };
    if (parent)
        EnumChildWindows(parent, each, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(each, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The shown top-level window of that title.
inline HWND topLevel(const std::string& title) {
    return find(nullptr, [&title](HWND w) { return IsWindowVisible(w) && textOf(w) == title; });
}

}  // namespace driver
