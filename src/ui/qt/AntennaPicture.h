#pragma once
#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>

class QSvgRenderer;

namespace tc {

// The turning antenna of the status strip: its four frames in one picture
// box. The status clock moves it on ten times a second for as long as the
// station is on, so a change of frame must cost little: each frame is drawn
// from its SVG once at the screen's resolution and kept, and the box paints
// its own background, so that only its own rectangle is painted again and
// the strip behind it is left alone.
class AntennaPicture : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFrames = 4;

    // The frames' SVG resources, back to front.
    AntennaPicture(const std::array<QString, kFrames>& resources, QWidget* parent);
    ~AntennaPicture() override;

    // The frames shown, frame i in bit i; where several are up they are
    // drawn back to front, as pictures stacked in the same place would be.
    void showFrames(unsigned frames);
    unsigned frames() const { return frames_; }

    // How often a frame has been drawn from its SVG so far.
    int svgRenders() const { return svgRenders_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const QPixmap& frame(int i);

    std::array<std::unique_ptr<QSvgRenderer>, kFrames> renderers_;
    std::array<QPixmap, kFrames> cache_;  // each frame at the current size and device pixel ratio
    unsigned frames_ = 0;
    int svgRenders_ = 0;
};

}  // namespace tc
