#pragma once
#include <QRect>

namespace tc::twips {

// The panel is laid out in twips. Qt places widgets in device-independent
// pixels, which are 96 to the logical inch, so 15 twips make one of them at
// every display scaling and the layout scales with the desktop.
inline constexpr int kPerPixel = 15;

constexpr int toPx(double twips) {
    return static_cast<int>(twips >= 0 ? (twips + kPerPixel / 2.0) / kPerPixel : (twips - kPerPixel / 2.0) / kPerPixel);
}

constexpr double fromPx(int px) { return static_cast<double>(px) * kPerPixel; }

inline QRect rect(int left, int top, int width, int height) {
    return {toPx(left), toPx(top), toPx(width), toPx(height)};
}

}  // namespace tc::twips
