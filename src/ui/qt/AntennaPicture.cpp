#include "ui/qt/AntennaPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tc {

AntennaPicture::AntennaPicture(const std::array<QString, kFrames>& resources, QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kFrames; ++i) renderers_[i] = std::make_unique<QSvgRenderer>(resources[i]);
    // Every pixel is painted here: Qt need not paint the strip behind first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

AntennaPicture::~AntennaPicture() = default;

void AntennaPicture::showFrames(unsigned frames) {
    frames &= (1u << kFrames) - 1;
    if (frames == frames_) return;
    frames_ = frames;
    // The frontmost frame shown says what the antenna means.
    int front = -1;
    for (int i = 0; i < kFrames; ++i)
        if (frames & (1u << i)) front = i;
    setToolTip(front > 0 ? QStringLiteral("System Active") : QString());
    update();
}

const QPixmap& AntennaPicture::frame(int i) {
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    QPixmap& cached = cache_[i];
    if (cached.size() != pixels || cached.devicePixelRatio() != dpr) {
        cached = QPixmap(pixels);
        cached.fill(Qt::transparent);
        QPainter cp(&cached);
        cp.setRenderHint(QPainter::Antialiasing);
        renderers_[i]->render(&cp, QRectF(QPointF(0, 0), QSizeF(pixels)));
        cp.end();
        cached.setDevicePixelRatio(dpr);
        ++svgRenders_;
    }
    return cached;
}

void AntennaPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The strip's own colour, as the strip would have painted it here.
    const QWidget* behind = parentWidget() ? parentWidget() : this;
    p.fillRect(rect(), behind->palette().window());
    for (int i = 0; i < kFrames; ++i)
        if (frames_ & (1u << i)) p.drawPixmap(0, 0, frame(i));
}

}  // namespace tc
