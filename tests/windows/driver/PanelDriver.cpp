// Drives Tailchime's windows from outside, as an operator would, for the
// tests under Wine:
//
//   panel-driver STEP...
//
// Each step waits for what it needs (a window, a control's state, a box)
// rather than for a time; a step that sees nothing of it within a minute
// fails. Steps:
//   window=TITLE        the main window with that title; prints its client size
//   layout              every control of the main window where the design puts it
//   click=NAME          presses a button or selector picture
//   type=NAME=TEXT      puts TEXT into an edit field as typing does
//   drag=NAME=POS       drags the scroll bar's thumb to POS (not let go)
//   release=NAME=POS    lets the thumb go at POS
//   shown=NAME, hidden=NAME   waits for the control to be shown or hidden
//   text=NAME=TEXT      waits for the control to say TEXT (the antenna: its frame in front)
//   covers=NAME         the page NAME covers its whole rectangle (hit test)
//   box=TEXT            waits for a message box that says TEXT
//   ok                  presses OK on the message box
//   close               asks the main window to close (its close box)
//   clientsize=TITLE=WxH     a top-level window of that title and client size
//   says=TITLE=TEXT     a top-level window of that title has a control whose text holds TEXT
//   dpi=N               the layout is checked at N dots per inch (96 unless told)
//   at=X,Y              the main window's outer top-left corner is at X,Y
//   menu=, fill=, press=     the context menu and the windows it opens (MenuSteps.h)
// Prints "ok STEP" for each step done, or "FAIL STEP: why" and exits 1.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "MenuSteps.h"
#include "WindowSearch.h"
#include "ui/win32/ControlIds.h"

namespace {

using namespace driver;
using tc::win32::controlId;

HWND mainWindow = nullptr;

// The class each kind of control is made of.
const char* kindClass(tc::PlacedControl::Kind kind) {
    using K = tc::PlacedControl::Kind;
    switch (kind) {
        case K::Frame: return "TailchimeFrame";
        case K::Button:
        case K::Option: return "Button";
        case K::Field: return "Edit";
        case K::ScrollBar: return "ScrollBar";
        case K::Antenna: return "TailchimeAntenna";
        default: return "Static";
    }
}

// The text a control of that kind shows, where it shows one of its own.
const char* designText(const tc::PlacedControl& c) {
    using K = tc::PlacedControl::Kind;
    if (c.kind == K::Frame || c.kind == K::Label) return c.picture;
    if (c.kind == K::Button || c.kind == K::Option) return "";
    return nullptr;
}

int dpi = 96;
int px(int twips) { return (twips * dpi + 720) / 1440; }

HWND control(const std::string& name) {
    const int id = controlId(name);
    return id ? find(mainWindow, [id](HWND w) { return GetDlgCtrlID(w) == id; }) : nullptr;
}

bool visible(HWND w) { return (GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) != 0; }

// The open message box of the program (before the main window is found, a
// box of start-up: any program's).
HWND messageBox() {
    DWORD ours = 0;
    if (mainWindow) GetWindowThreadProcessId(mainWindow, &ours);
    return find(nullptr, [ours](HWND w) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        return (!ours || process == ours) && classOf(w) == "#32770" && IsWindowVisible(w);
    });
}

std::string boxText(HWND box) {
    std::string text;
    find(box, [&text](HWND w) {
        if (classOf(w) == "Static") text += textOf(w);
        return false;
    });
    return text;
}

std::string clientSize(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return std::to_string(r.right) + "x" + std::to_string(r.bottom);
}

// The design name of the control with that identifier.
std::string nameOf(int id) {
    const auto layout = tc::mainWindowLayout();
    const int index = id - tc::win32::kFirstControlId;
    return index >= 0 && index < static_cast<int>(layout.size()) ? layout[index].name : "";
}

std::string placeText(long left, long top, long width, long height) {
    return std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width) + "x" +
           std::to_string(height);
}

std::string layoutProblems() {
    std::string problems;
    for (const tc::PlacedControl& e : tc::mainWindowLayout()) {
        const std::string name = e.name;
        HWND w = control(name);
        if (!w) {
            problems += name + ": missing\n";
            continue;
        }
        if (GetParent(w) != (e.container ? control(e.container) : mainWindow))
            problems += name + ": in another container\n";
        if (classOf(w) != kindClass(e.kind))
            problems += name + ": class " + classOf(w) + ", not " + kindClass(e.kind) + "\n";
        RECT r;  // in its parent's client area
        GetWindowRect(w, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        const std::string at = placeText(r.left, r.top, r.right - r.left, r.bottom - r.top),
                          designed = placeText(px(e.left), px(e.top), px(e.width), px(e.height));
        if (at != designed) problems += name + ": at " + at + ", not " + designed + "\n";
        const char* text = designText(e);
        if (text && textOf(w) != text) problems += name + ": text \"" + textOf(w) + "\", not \"" + text + "\"\n";
    }
    return problems;
}

// Every point of the page's rectangle, on a grid, hits the page or a control on it.
std::string coverProblems(HWND page) {
    RECT r;
    GetWindowRect(page, &r);
    std::string problems;
    for (int y = r.top + 1; y < r.bottom && problems.size() <= 400; y += 4) {
        for (int x = r.left + 1; x < r.right && problems.size() <= 400; x += 4) {
            HWND hit = mainWindow;
            // Down the tree to the deepest shown child under the point, as the mouse finds it.
            for (HWND next;; hit = next) {
                POINT local{x, y};
                ScreenToClient(hit, &local);
                next = ChildWindowFromPointEx(hit, local, CWP_SKIPINVISIBLE);
                if (!next || next == hit) break;
            }
            if (hit != page && !IsChild(page, hit))
                problems += "at screen " + std::to_string(x) + "," + std::to_string(y) + " the pointer finds " +
                            classOf(hit) + " " + nameOf(GetDlgCtrlID(hit)) + "\n";
        }
    }
    return problems;
}

bool fail(const std::string& step, const std::string& why) {
    std::printf("FAIL %s: %s\n", step.c_str(), why.c_str());
    std::fflush(stdout);
    return false;
}

bool runStep(const std::string& step) {
    const size_t eq = step.find('=');
    const std::string verb = step.substr(0, eq);
    const std::string arg = eq == std::string::npos ? std::string() : step.substr(eq + 1);
    const size_t eq2 = arg.find('=');
    const std::string name = arg.substr(0, eq2), value = eq2 == std::string::npos ? std::string() : arg.substr(eq2 + 1);

    if (verb == "window") {
        if (!waitFor([&] { return (mainWindow = topLevel(arg)) != nullptr; }))
            return fail(step, "no such window");
        std::printf("window \"%s\" %s\n", textOf(mainWindow).c_str(), clientSize(mainWindow).c_str());
    } else if (verb == "clientsize") {
        HWND w = nullptr;
        if (!waitFor([&] { return (w = topLevel(name)) != nullptr; })) return fail(step, "no such window");
        if (clientSize(w) != value) return fail(step, "client " + clientSize(w));
    } else if (verb == "says") {
        HWND w = nullptr;
        auto holds = [&](HWND c) { return textOf(c).find(value) != std::string::npos; };
        if (!waitFor([&] { return (w = topLevel(name)) != nullptr && find(w, holds); }))
            return fail(step, w ? "no control says so" : "no such window");
    } else if (verb == "dpi") {
        dpi = std::atoi(arg.c_str());
    } else if (verb == "box") {
        HWND box = nullptr;
        if (!waitFor([&] { return (box = messageBox()) != nullptr && boxText(box).find(arg) != std::string::npos; }))
            return fail(step, box ? "the box says \"" + boxText(box) + "\"" : "no box");
    } else if (verb == "ok") {
        HWND box = messageBox();
        if (!box) return fail(step, "no box");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (!waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); })) return fail(step, "the box stays");
    } else if (!mainWindow) {
        return fail(step, "no window found yet");
    } else if (verb == "layout") {
        const std::string problems = layoutProblems();
        if (!problems.empty()) return fail(step, "\n" + problems);
    } else if (verb == "at") {
        RECT r;
        GetWindowRect(mainWindow, &r);
        const std::string at = std::to_string(r.left) + "," + std::to_string(r.top);
        if (at != arg) return fail(step, "at " + at);
    } else if (verb == "close") {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    } else if (isMenuStep(verb)) {
        const std::string why = menuStep(verb, arg, mainWindow);
        if (!why.empty()) return fail(step, why);
    } else if (HWND w = control(name); !w) {  // the other steps work a control of the main window
        return fail(step, "no such step, or no such control");
    } else if (verb == "click") {
        if (classOf(w) == "Button") {
            PostMessageA(w, BM_CLICK, 0, 0);
        } else {
            PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
    } else if (verb == "type") {
        SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()), SMTO_NORMAL, 60000, nullptr);
    } else if (verb == "drag" || verb == "release") {
        const int pos = std::atoi(value.c_str());
        const WORD code = verb == "drag" ? SB_THUMBTRACK : SB_THUMBPOSITION;
        PostMessageA(GetParent(w), WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(static_cast<short>(pos))),
                     reinterpret_cast<LPARAM>(w));
        if (verb == "release") PostMessageA(GetParent(w), WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(w));
    } else if (verb == "text") {
        if (!waitFor([&] { return textOf(w) == value; })) return fail(step, "it says \"" + textOf(w) + "\"");
    } else if (verb == "shown" || verb == "hidden") {
        if (!waitFor([&] { return visible(w) == (verb == "shown"); })) return fail(step, "it stays as it was");
    } else if (verb == "covers") {
        if (!visible(w)) return fail(step, "the page is not shown");
        const std::string problems = coverProblems(w);
        if (!problems.empty()) return fail(step, "\n" + problems);
    } else {
        return fail(step, "unknown step");
    }
    std::printf("ok %s\n", step.c_str());
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (!runStep(argv[i])) return 1;
    return 0;
}
