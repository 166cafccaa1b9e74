#include "ui/qt/ScreenPlacement.h"

#include <algorithm>
#include <limits>

namespace tc {

namespace {

// The part of the title bar that must be on a screen to drag the window.
constexpr int kGripWidth = 48;
constexpr int kGripHeight = 16;

long long distanceSquared(const QRect& screen, QPoint p) {
    long long dx = std::max({screen.left() - p.x(), 0, p.x() - screen.right()});
    long long dy = std::max({screen.top() - p.y(), 0, p.y() - screen.bottom()});
    return dx * dx + dy * dy;
}

}  // namespace

QPoint placeOnScreen(QPoint wanted, QSize frame, const QList<QRect>& screens) {
    if (screens.isEmpty()) return wanted;
    const QRect titleBar(wanted, QSize(frame.width(), kGripHeight));
    for (const QRect& screen : screens) {
        QRect seen = screen.intersected(titleBar);
        if (seen.width() >= std::min(kGripWidth, frame.width()) && seen.height() >= kGripHeight) return wanted;
    }
    const QPoint centre = QRect(wanted, frame).center();
    const QRect* nearest = &screens.front();
    long long best = std::numeric_limits<long long>::max();
    for (const QRect& screen : screens) {
        long long d = distanceSquared(screen, centre);
        if (d < best) {
            best = d;
            nearest = &screen;
        }
    }
    // Whole on that screen; a window larger than the screen keeps its title bar on it.
    int x = std::clamp(wanted.x(), nearest->left(), std::max(nearest->left(), nearest->right() + 1 - frame.width()));
    int y = std::clamp(wanted.y(), nearest->top(), std::max(nearest->top(), nearest->bottom() + 1 - frame.height()));
    return {x, y};
}

}  // namespace tc
