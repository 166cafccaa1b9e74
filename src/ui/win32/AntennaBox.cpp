#include "ui/win32/AntennaBox.h"

#include <algorithm>
#include <cstring>

#include "ui/MainWindowLayout.h"
#include "ui/win32/Images.h"
#include "ui/win32/Widgets.h"

namespace tc::win32::antenna {

namespace {

// What a box keeps so that a turn asks the system for nothing: the display
// context its class gives it for good, a memory context holding the frame,
// and its size and background as its last repaint found them.
struct Box {
    const int* front;
    HDC dc = nullptr;
    HDC memory = nullptr;
    int w = 0, h = 0;
    COLORREF back = 0;
};

Box* boxOf(HWND box) { return reinterpret_cast<Box*>(GetWindowLongPtrA(box, GWLP_USERDATA)); }

const char* frontName(const Box* b) { return kAntennaImages[b && b->front ? *b->front : 0]; }

void copyFront(Box& b, HDC to) {
    if (b.w <= 0 || b.h <= 0) return;
    HGDIOBJ old = SelectObject(b.memory, composedImage(to, frontName(&b), b.w, b.h, b.back));
    BitBlt(to, 0, 0, b.w, b.h, b.memory, 0, 0, SRCCOPY);
    SelectObject(b.memory, old);
}

LRESULT CALLBACK proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    Box* b = boxOf(box);
    switch (message) {
        case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(box, &ps);
            if (b) {
                RECT r;
                GetClientRect(box, &r);
                b->w = r.right;
                b->h = r.bottom;
                b->back = GetSysColor(COLOR_BTNFACE);
                copyFront(*b, dc);
            }
            EndPaint(box, &ps);
            return 0;
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(std::strlen(frontName(b)));
        case WM_GETTEXT: {
            if (wParam == 0) return 0;
            const char* name = frontName(b);
            const std::size_t n = std::min<std::size_t>(std::strlen(name), wParam - 1);
            std::memcpy(reinterpret_cast<char*>(lParam), name, n);
            reinterpret_cast<char*>(lParam)[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_NCDESTROY:
            if (b) {
                DeleteDC(b->memory);
                delete b;
                SetWindowLongPtrA(box, GWLP_USERDATA, 0);
            }
            return DefWindowProcA(box, message, wParam, lParam);
        default: return DefWindowProcA(box, message, wParam, lParam);
    }
}

void registerClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;  // its own display context; repainted whole when resized
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    registered = true;
}

}  // namespace

HWND make(HWND parent, int id, DWORD style, const int* front) {
    registerClass();
    HWND box = widgets::child(kClass, "", style, 0, parent, id);
    auto* b = new Box{front};
    b->dc = GetDC(box);  // its own for as long as it lives
    b->memory = CreateCompatibleDC(b->dc);
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
    return box;
}

void turn(HWND box) {
    if (Box* b = boxOf(box)) copyFront(*b, b->dc);
}

}  // namespace tc::win32::antenna
