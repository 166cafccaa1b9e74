#pragma once
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace tc {

// The desktop's colour of title-bar text, behind the panel's edit fields.
// Qt names no role for it; the text on the highlight colour is the same
// thing on the desktops Qt models (title bars are drawn in that colour).
inline QColor titleBarText() { return QGuiApplication::palette().color(QPalette::Active, QPalette::HighlightedText); }

// Black or white, whichever reads on the given background.
inline QColor readableOn(const QColor& back) { return back.lightness() >= 128 ? Qt::black : Qt::white; }

}  // namespace tc
