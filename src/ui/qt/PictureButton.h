#pragma once
#include <QPushButton>

namespace tc {

// A picture button: a push button that shows only its image, drawn from
// the SVG at the screen's resolution.
class PictureButton : public QPushButton {
    Q_OBJECT

public:
    PictureButton(const QString& resource, const QRect& geometry, QWidget* parent, int iconSide = 17);
};

}  // namespace tc
