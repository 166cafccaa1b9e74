#pragma once
#include <windows.h>

namespace tc::win32 {

// The panel is laid out in twips (1440 to the inch). A window is placed in
// pixels of its monitor, whose dots per inch the program asks of Windows
// (96 at 100 % scaling, 144 at 150 %, 192 at 200 %).
inline int twipsToPx(double twips, int dpi) {
    const double px = twips * dpi / 1440.0;
    return static_cast<int>(px >= 0 ? px + 0.5 : px - 0.5);
}

inline double pxToTwips(int px, int dpi) { return px * 1440.0 / dpi; }

inline RECT twipsRect(int left, int top, int width, int height, int dpi) {
    const int l = twipsToPx(left, dpi), t = twipsToPx(top, dpi);
    return {l, t, l + twipsToPx(width, dpi), t + twipsToPx(height, dpi)};
}

// The monitor's dots per inch for a window (Windows 10 and later), else the
// desktop's.
int dpiOf(HWND window);

// The height of a font of that many points, as CreateFont takes it.
inline int fontHeight(double points, int dpi) { return -static_cast<int>(points * dpi / 72.0 + 0.5); }

// The outer size of a window whose client area is width x height pixels.
SIZE outerSize(int width, int height, DWORD style, DWORD exStyle, int dpi);

}  // namespace tc::win32
