#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tc::win32 {

// The plain Windows controls the program's windows are made of, and the
// frame that holds a page or a group of them.
//
// Every child is made with WS_CLIPSIBLINGS and put in front of the ones
// made before it, so a window is made from the back forward and what the
// design puts in front paints in front. A frame is opaque: shown, it
// covers whatever lies behind it. Frames hand their children's
// notifications (clicks, edits, scrolling, colours, drawing) on to the
// top-level window, which handles them all.
namespace widgets {

inline constexpr const char* kFrameClass = "TailchimeFrame";

// A child window of the given class, in front of its siblings.
HWND child(const char* cls, const char* text, DWORD style, DWORD exStyle, HWND parent, int id);
// A frame with its caption (none when empty).
HWND frame(const char* caption, HWND parent, int id);
// Paints an owner-drawn picture: the face behind it, then the image.
void drawPicture(const DRAWITEMSTRUCT& item, const char* image);
// Paints an owner-drawn picture button: raised, or sunk while pressed,
// the image centred on it with a margin.
void drawButton(const DRAWITEMSTRUCT& item, const char* image);
// The tooltip window of a top-level window, and one tip per control.
HWND tooltips(HWND owner);
void addTip(HWND tips, HWND control, const char* text);
void removeTip(HWND tips, HWND control);
std::string textOf(HWND window);
// The colours of a static text or button on the window's face: the brush
// to give back to WM_CTLCOLORSTATIC or WM_CTLCOLORBTN.
LRESULT onFace(WPARAM dc, COLORREF text);
// The window moved to a monitor of other dots per inch: it takes the place
// and size that WM_DPICHANGED suggests.
void takeSuggestedPlace(HWND window, LPARAM suggested);

}  // namespace widgets

// A control placed in twips inside its parent, for laying out again when
// the window moves to a monitor of other dots per inch.
struct Placed {
    HWND window;
    RECT twips;  // left, top, right, bottom
};

void layOut(const std::vector<Placed>& controls, int dpi);

// The window procedure shared by our windows: the object passed at creation
// is kept in the window's user data, and once its window is made every
// message goes to the object's handler.
template <class Window>
LRESULT dispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT (Window::*handler)(UINT, WPARAM, LPARAM)) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->handle()) return DefWindowProcA(window, message, wParam, lParam);
    return (self->*handler)(message, wParam, lParam);
}

}  // namespace tc::win32
