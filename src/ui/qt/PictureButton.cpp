#include "ui/qt/PictureButton.h"

#include <QIcon>

namespace tc {

PictureButton::PictureButton(const QString& resource, const QRect& geometry, QWidget* parent, int iconSide)
    : QPushButton(parent) {
    setGeometry(geometry);
    setIcon(QIcon(resource));
    setIconSize(QSize(iconSide, iconSide));
    setFocusPolicy(Qt::TabFocus);
}

}  // namespace tc
