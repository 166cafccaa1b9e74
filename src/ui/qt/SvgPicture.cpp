#include "ui/qt/SvgPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tc {

namespace {
constexpr int kBorder = 2;  // a picture box's sunken edge
}

SvgPicture::SvgPicture(const QString& resource, QWidget* parent, bool border)
    : QWidget(parent), renderer_(resource), border_(border) {}

QRect SvgPicture::imageRect() const { return border_ ? rect().adjusted(kBorder, kBorder, -kBorder, -kBorder) : rect(); }

void SvgPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect target = imageRect();
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = target.size() * dpr;
    // Rendering the SVG costs more than the antenna's ten frames a second
    // should; the image is drawn again only when size or scaling change.
    if (cache_.size() != pixels || cache_.devicePixelRatio() != dpr) {
        cache_ = QPixmap(pixels);
        cache_.fill(Qt::transparent);
        QPainter cp(&cache_);
        cp.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&cp, QRectF(QPointF(0, 0), QSizeF(pixels)));
        cp.end();
        cache_.setDevicePixelRatio(dpr);
    }
    p.drawPixmap(target.topLeft(), cache_);
    if (border_) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.lineWidth = kBorder;
        frame.midLineWidth = 0;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &p, this);
    }
}

void SvgPicture::mousePressEvent(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    e->accept();
}

void SvgPicture::mouseReleaseEvent(QMouseEvent* e) {
    bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    if (click) emit clicked();
}

}  // namespace tc
