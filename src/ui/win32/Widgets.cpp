#include "ui/win32/Widgets.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/Dpi.h"
#include "ui/win32/Images.h"

namespace tc::win32 {

namespace widgets {

namespace {

// The frame: an etched border around the client area, from half-way down
// its caption, and the caption on the face colour.
void paintFrame(HWND window, HDC dc) {
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const std::string caption = textOf(window);
    RECT border = r;
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        const int indent = MulDiv(8, dpiOf(window), USER_DEFAULT_SCREEN_DPI);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SIZE size;
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        RECT text{indent, 0, indent + size.cx + 4, metrics.tmHeight};
        ExtTextOutA(dc, indent + 2, 0, ETO_OPAQUE, &text, caption.c_str(), static_cast<UINT>(caption.size()), nullptr);
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            paintFrame(window, dc);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        case WM_SETFONT:
            SetWindowLongPtrA(window, 0, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam)) InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_GETFONT: return GetWindowLongPtrA(window, 0);
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_HSCROLL:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_NOTIFY:
            return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void registerFrameClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = frameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    wc.cbWndExtra = sizeof(LONG_PTR);  // the font
    RegisterClassA(&wc);
    registered = true;
}

}  // namespace

HWND child(const char* cls, const char* text, DWORD style, DWORD exStyle, HWND parent, int id) {
    HWND w = CreateWindowExA(exStyle, cls, text, style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return w;
}

HWND frame(const char* caption, HWND parent, int id) {
    registerFrameClass();
    return child(kFrameClass, caption, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, id);
}

void drawPicture(const DRAWITEMSTRUCT& item, const char* image) {
    drawImageOn(item.hDC, image, item.rcItem, GetSysColor(COLOR_BTNFACE));
}

void drawButton(const DRAWITEMSTRUCT& item, const char* image) {
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int margin = MulDiv(3, dpiOf(item.hwndItem), USER_DEFAULT_SCREEN_DPI);
    // The image keeps its shape: a square in the middle of the face.
    const int side = std::min(r.right - r.left, r.bottom - r.top) - 2 * margin;
    const int shift = pressed ? 1 : 0;
    RECT face{(r.left + r.right - side) / 2 + shift, (r.top + r.bottom - side) / 2 + shift, 0, 0};
    face.right = face.left + side;
    face.bottom = face.top + side;
    drawImage(item.hDC, image, face);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -margin + 1, -margin + 1);
        DrawFocusRect(item.hDC, &r);
    }
}

HWND tooltips(HWND owner) {
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    return tips;
}

void addTip(HWND tips, HWND control, const char* text) {
    if (!tips || !text) return;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void removeTip(HWND tips, HWND control) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT onFace(WPARAM dc, COLORREF text) {
    SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_BTNFACE));
    SetTextColor(reinterpret_cast<HDC>(dc), text);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void takeSuggestedPlace(HWND window, LPARAM suggested) {
    const RECT& r = *reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string textOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

}  // namespace widgets

void layOut(const std::vector<Placed>& controls, int dpi) {
    for (const Placed& c : controls) {
        const int l = twipsToPx(c.twips.left, dpi), t = twipsToPx(c.twips.top, dpi);
        MoveWindow(c.window, l, t, twipsToPx(c.twips.right - c.twips.left, dpi),
                   twipsToPx(c.twips.bottom - c.twips.top, dpi), TRUE);
    }
}

}  // namespace tc::win32
