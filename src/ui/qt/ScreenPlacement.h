#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace tc {

// Where a window goes that the settings place at `wanted`: there, as long
// as enough of it lies on one of the screens for the operator to grab its
// title bar; otherwise moved onto the screen nearest to it, whole. The
// settings may come from another desktop with other monitors.
QPoint placeOnScreen(QPoint wanted, QSize frame, const QList<QRect>& screens);

}  // namespace tc
