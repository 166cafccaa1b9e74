#pragma once
#include <QFont>
#include <QStringList>

namespace tc {

// A font the window design names. The Windows faces it names are seldom
// installed elsewhere; the faces that follow them have the same widths
// (Arial's and Times's metrics), so texts fit the places the design gives
// them, which the wider default faces of a Linux desktop would overrun.
inline QFont designFont(const char* family, double points, bool bold = false,
                        QFont::StyleHint hint = QFont::SansSerif) {
    QFont f;
    QStringList faces{QString::fromLatin1(family)};
    if (hint == QFont::Serif)
        faces << QStringLiteral("Liberation Serif") << QStringLiteral("Times New Roman")
              << QStringLiteral("Nimbus Roman");
    else
        faces << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << QStringLiteral("Nimbus Sans");
    f.setFamilies(faces);
    f.setStyleHint(hint);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace tc
