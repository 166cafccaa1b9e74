#pragma once
#include <QGroupBox>
#include <QPainter>

namespace tc {

// A frame of the panel. Opaque over its whole rectangle, the strip of its
// caption included, so that a page shown covers the pages behind it; the
// frame style's border would switch autoFillBackground off.
class OpaqueFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter(this).fillRect(rect(), palette().window());
        QGroupBox::paintEvent(e);
    }
};

}  // namespace tc
