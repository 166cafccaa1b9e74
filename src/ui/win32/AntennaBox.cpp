#include "ui/win32/AntennaBox.h"

#include <algorithm>
#include <cstring>

#include "ui/MainWindowLayout.h"
#include "ui/win32/Images.h"
#include "ui/win32/Widgets.h"

namespace tc::win32::antenna {

namespace {

const char* frontName(HWND box) {
    const auto* front = reinterpret_cast<const int*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    return kAntennaImages[front ? *front : 0];
}

void draw(HWND box, HDC dc) {
    RECT r;
    GetClientRect(box, &r);
    drawImageOn(dc, frontName(box), r, GetSysColor(COLOR_BTNFACE));
}

LRESULT CALLBACK proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(box, &ps);
            draw(box, dc);
            EndPaint(box, &ps);
            return 0;
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(std::strlen(frontName(box)));
        case WM_GETTEXT: {
            if (wParam == 0) return 0;
            const char* name = frontName(box);
            const std::size_t n = std::min<std::size_t>(std::strlen(name), wParam - 1);
            std::memcpy(reinterpret_cast<char*>(lParam), name, n);
            reinterpret_cast<char*>(lParam)[n] = '\0';
            return static_cast<LRESULT>(n);
        }
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
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(front));
    return box;
}

void turn(HWND box) {
    HDC dc = GetDC(box);
    draw(box, dc);
    ReleaseDC(box, dc);
}

}  // namespace tc::win32::antenna
