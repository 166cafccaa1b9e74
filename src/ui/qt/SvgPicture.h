#pragma once
#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>

namespace tc {

// A picture of the panel drawn from its SVG at the screen's own resolution,
// so it stays sharp at every display scaling. It can carry the sunken
// border of a picture box, and a click on it is reported.
class SvgPicture : public QWidget {
    Q_OBJECT

public:
    SvgPicture(const QString& resource, QWidget* parent, bool border = false);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QRect imageRect() const;

    QSvgRenderer renderer_;
    bool border_;
    bool pressed_ = false;
    QPixmap cache_;  // the image at the current size and device pixel ratio
};

}  // namespace tc
