#include "ui/qt/MainWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <iterator>

#include "app/Form21.h"
#include "ui/qt/AntennaPicture.h"
#include "ui/qt/DesignFont.h"
#include "ui/qt/FrameStyle.h"
#include "ui/qt/HeldEnd.h"
#include "ui/qt/Images.h"
#include "ui/qt/PictureButton.h"
#include "ui/qt/OpaqueFrame.h"
#include "ui/qt/ScreenPlacement.h"
#include "ui/qt/SvgPicture.h"
#include "ui/qt/SystemColours.h"
#include "ui/qt/Twips.h"

namespace tc {

namespace {

QString image(const char* name) { return QStringLiteral(":/images/") + QLatin1String(name) + QStringLiteral(".svg"); }

}  // namespace

MainWindow::MainWindow(Form21& form, HeldEnd& held) : QWidget(nullptr), form_(form), held_(held) {
    registerImages();
    setObjectName(QStringLiteral("Form21"));
    // Fixed single border: a minimise button, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips::toPx(5040), twips::toPx(4200));
    setWindowIcon(QIcon(image("tailchime")));
    setFont(designFont("MS Sans Serif", 8.25));
    setStyleSheet(QString::fromLatin1(kFrameStyle));

    // Made back to front, so that what the design puts in front is in front.
    buildStatusStrip();
    picture(this, "Picture3", "transmit_idle", twips::rect(240, 360, 735, 735), nullptr, form.panel.Picture3);
    picture(this, "Picture4", "transmit_mic", twips::rect(240, 360, 735, 735), "Transmitting", form.panel.Picture4);
    buildCwPage();
    buildAudioPage();
    buildTimingsPage();
    buildBottomRow();
    refresh();
}

QGroupBox* MainWindow::frame(QWidget* parent, const char* name, const QString& caption, const QRect& where,
                             const Shape* shape) {
    auto* box = new OpaqueFrame(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(where);
    if (shape) shapes_.push_back({box, shape});
    return box;
}

SvgPicture* MainWindow::picture(QWidget* parent, const char* name, const char* file, const QRect& where,
                                const char* tooltip, const Shape& shape, bool border) {
    auto* pic = new SvgPicture(image(file), parent, border);
    pic->setObjectName(QLatin1String(name));
    pic->setGeometry(where);
    if (tooltip) pic->setToolTip(QString::fromLatin1(tooltip));
    shapes_.push_back({pic, &shape});
    return pic;
}

void MainWindow::button(QWidget* parent, const char* name, const char* file, const QRect& where, const char* tooltip,
                        const Shape& shape) {
    auto* b = new PictureButton(image(file), where, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QString::fromLatin1(tooltip));
    connect(b, &QPushButton::clicked, this, [this, name] { forward([this, name] { form_.click(name); }); });
    shapes_.push_back({b, &shape});
}

QLineEdit* MainWindow::field(QWidget* parent, const char* name, const QRect& where, const char* tooltip,
                             TextField& text, const QFont& font, bool centred) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(where);
    edit->setToolTip(QString::fromLatin1(tooltip));
    edit->setFont(font);
    edit->setFrame(true);
    if (centred) edit->setAlignment(Qt::AlignCenter);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, titleBarText());
    pal.setColor(QPalette::Text, readableOn(titleBarText()));
    edit->setPalette(pal);
    connect(edit, &QLineEdit::textEdited, this, [this, name, &text](const QString& typed) {
        std::string t = typed.toStdString();
        for (ShownField& f : fields_)
            if (f.field == &text) f.shown = t;  // the edit already shows it
        forward([this, name, &t] { form_.type(name, t); });
    });
    fields_.push_back({edit, &text, {}});
    return edit;
}

void MainWindow::label(QWidget* parent, const char* text, int left, int top) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->move(twips::toPx(left), twips::toPx(top));
    l->adjustSize();
}

void MainWindow::buildStatusStrip() {
    Panel& p = form_.panel;
    QGroupBox* strip = frame(this, "Frame7", {}, twips::rect(120, 120, 4815, 1095));
    struct Lamp {
        const char *lit, *dark, *litImage, *darkImage, *tooltip;
        Shape &litShape, &darkShape;
        int left;
    };
    const Lamp lamps[] = {
        {"Picture26", "Picture21", "lamp_kerchunker_lit", "lamp_kerchunker_dark", "Kerchunker Set", p.Picture26,
         p.Picture21, 1080},
        {"Picture27", "Picture22", "lamp_rf_lit", "lamp_rf_dark", "RF User", p.Picture27, p.Picture22, 1800},
        {"Picture28", "Picture23", "lamp_ip_lit", "lamp_ip_dark", "IP User", p.Picture28, p.Picture23, 2520},
        {"Picture29", "Picture24", "lamp_ptt_lit", "lamp_ptt_dark", "PTT", p.Picture29, p.Picture24, 3240},
    };
    for (const Lamp& lamp : lamps) {
        // Hiding the lit face shows the dark one beneath it.
        picture(strip, lamp.dark, lamp.darkImage, twips::rect(lamp.left, 240, 375, 375), lamp.tooltip, lamp.darkShape);
        picture(strip, lamp.lit, lamp.litImage, twips::rect(lamp.left, 240, 375, 375), lamp.tooltip, lamp.litShape);
    }
    picture(strip, "Picture14", "legend_kerchunker", twips::rect(1080, 600, 375, 375), "Anti-Kerchunker", p.Picture14);
    picture(strip, "Picture16", "legend_rf", twips::rect(1800, 600, 375, 375), "RF User", p.Picture16);
    picture(strip, "Picture19", "legend_ip", twips::rect(2520, 600, 375, 375), "IP User", p.Picture19);
    picture(strip, "Picture20", "legend_ptt", twips::rect(3240, 600, 375, 375), "PTT", p.Picture20);
    picture(strip, "Picture25", "transmit_onair", twips::rect(120, 240, 735, 735), nullptr, p.Picture25);
    // The antenna's four frames (Ant0 to Ant3) share one picture box.
    antenna_ = new AntennaPicture({image("antenna0"), image("antenna1"), image("antenna2"), image("antenna3")}, strip);
    antenna_->setObjectName(QStringLiteral("Antenna"));
    antenna_->setGeometry(twips::rect(3960, 240, 735, 735));
}

void MainWindow::buildCwPage() {
    Panel& p = form_.panel;
    QGroupBox* page = frame(this, "Frame2", QStringLiteral("CW ID"), twips::rect(120, 1200, 4815, 2175), &p.Frame2);
    const QFont letter = designFont("Tahoma", 9.75, true);
    picture(page, "Picture12", "id_rf", twips::rect(1800, 600, 375, 375), "RF Audio ID", p.Picture12);
    field(page, "CourtesyID", twips::rect(2280, 600, 465, 330), "RF CW Ident Letter", p.CourtesyID, letter, true);
    button(page, "Command10", "button_test", twips::rect(3000, 600, 615, 375), "Test", p.Command10);
    picture(page, "Picture8", "legend_ip", twips::rect(1800, 1200, 375, 375), "Internet Audio ID", p.Picture8);
    field(page, "IPCourtesy", twips::rect(2280, 1200, 465, 315), "Internet CW Ident Letter", p.IPCourtesy, letter,
          true);
    button(page, "Command11", "button_test", twips::rect(3000, 1200, 615, 375), "Test", p.Command11);
    picture(page, "Picture17", "deco_cw", twips::rect(240, 1320, 1335, 495), nullptr, p.Picture17);
}

void MainWindow::buildAudioPage() {
    Panel& p = form_.panel;
    QGroupBox* page =
        frame(this, "Frame5", QStringLiteral("Audio ID  -- wav - mp3"), twips::rect(120, 1200, 4815, 2175), &p.Frame5);
    const QFont plain = font();
    picture(page, "Picture11", "id_rf", twips::rect(240, 360, 375, 375), "RF Audio ID", p.Picture11);
    field(page, "RFTone", twips::rect(600, 360, 2535, 285), "RF Audio ID", p.RFTone, plain, false);
    button(page, "Command1", "button_file", twips::rect(3360, 360, 615, 375), "File", p.Command1);
    button(page, "Command7", "button_test", twips::rect(4080, 360, 615, 375), "Test", p.Command7);
    picture(page, "Picture9", "legend_ip", twips::rect(240, 840, 375, 375), "Internet Audio ID", p.Picture9);
    field(page, "InetTone", twips::rect(600, 840, 2535, 285), "IP Audio ID", p.InetTone, plain, false);
    button(page, "Command6", "button_file", twips::rect(3360, 840, 615, 375), "File", p.Command6);
    button(page, "Command8", "button_test", twips::rect(4080, 840, 615, 375), "Test", p.Command8);
    picture(page, "Picture15", "deco_audio", twips::rect(360, 1320, 615, 615), nullptr, p.Picture15);

    QGroupBox* volume = frame(page, "Frame11", {}, twips::rect(1320, 1200, 3375, 855), &p.Frame11);
    picture(volume, "Picture6", "volume", twips::rect(120, 240, 495, 495), "Volume", p.Picture6);
    label(volume, "0%", 840, 240);
    label(volume, "50%", 1800, 240);
    label(volume, "100%", 2640, 240);
    volume_ = new QScrollBar(Qt::Horizontal, volume);
    volume_->setObjectName(QStringLiteral("V1"));
    volume_->setGeometry(twips::rect(840, 480, 2295, 135));
    volume_->setRange(p.V1.min, p.V1.max);
    volume_->setSingleStep(1);
    volume_->setPageStep(50);  // half a decibel
    // A drag changes the volume when the thumb is let go, as a scroll bar's
    // change does; arrows and page clicks change it at once.
    volume_->setTracking(false);
    connect(volume_, &QScrollBar::valueChanged, this, [this](int v) { forward([this, v] { form_.slide("V1", v); }); });
}

void MainWindow::buildTimingsPage() {
    Panel& p = form_.panel;
    QGroupBox* page = frame(this, "Frame6", QStringLiteral("Timings"), twips::rect(120, 1200, 4815, 2175), &p.Frame6);
    const QFont timing = designFont("Tahoma", 8.25);
    picture(page, "Picture1", "hangtime", twips::rect(1560, 600, 375, 375), "HangTime Before ID ", p.Picture1);
    field(page, "HangTime", twips::rect(2040, 600, 705, 285), "Hang Time Before ID in xx Milliseconds", p.HangTime,
          timing, true);
    label(page, "ms", 2880, 600);
    picture(page, "Picture2", "legend_kerchunker", twips::rect(1560, 1200, 375, 375), "Anti-Kerchunker", p.Picture2);
    field(page, "KerchunkWait", twips::rect(2040, 1200, 705, 285), "Anti-Kerchunker time in Milliseconds",
          p.KerchunkWait, timing, true);
    label(page, "ms", 2880, 1200);
    picture(page, "Picture7", "deco_timing", twips::rect(360, 1320, 735, 735), nullptr, p.Picture7);
    button(page, "Command16", "button_save_exit", twips::rect(3480, 1560, 495, 375), "Save and exit", p.Command16);
}

void MainWindow::buildBottomRow() {
    Panel& p = form_.panel;
    // The two selector pictures stand in front of the option buttons they
    // choose, which the operator therefore never sees.
    auto* cw =
        picture(this, "Picture18", "select_cw", twips::rect(120, 3600, 1335, 375), "CW Ident", p.Picture18, true);
    auto* audio =
        picture(this, "Picture13", "select_audio", twips::rect(1560, 3480, 615, 615), "Audio Ident", p.Picture13, true);
    connect(cw, &SvgPicture::clicked, this, [this] { forward([this] { form_.click("Picture18"); }); });
    connect(audio, &SvgPicture::clicked, this, [this] { forward([this] { form_.click("Picture13"); }); });
    // Use and Stop share a place, Use in front.
    button(this, "Command15", "button_stop", twips::rect(2400, 3600, 495, 375), "Stop Tailchime", p.Command15);
    button(this, "Command14", "button_use", twips::rect(2400, 3600, 495, 375), "Use Tailchime", p.Command14);
    button(this, "Command12", "button_about", twips::rect(3000, 3600, 495, 375), "About", p.Command12);
    button(this, "Command17", "button_timing", twips::rect(3600, 3600, 495, 375), "Timing Tools", p.Command17);
    button(this, "Command18", "button_save", twips::rect(4200, 3600, 615, 375), "Save", p.Command18);
}

void MainWindow::forward(const std::function<void()>& action) { held_.run(action); }

void MainWindow::refresh() {
    const Panel& p = form_.panel;
    for (const ShownShape& s : shapes_)
        if (s.widget->isHidden() == s.shape->visible) s.widget->setVisible(s.shape->visible);
    unsigned antenna = 0;
    const Shape* frames[] = {&p.Ant0, &p.Ant1, &p.Ant2, &p.Ant3};
    for (unsigned i = 0; i < std::size(frames); ++i)
        if (frames[i]->visible) antenna |= 1u << i;
    antenna_->showFrames(antenna);
    for (ShownField& f : fields_) {
        if (f.field->text == f.shown) continue;
        f.shown = f.field->text;
        f.edit->setText(QString::fromStdString(f.shown));
    }
    if (volume_->value() != p.V1.value) {
        QSignalBlocker quiet(volume_);
        volume_->setValue(p.V1.value);
    }
    if (p.Caption() != caption_) {
        caption_ = p.Caption();
        setWindowTitle(QString::fromStdString(caption_));
    }
    if (p.Left != placedLeft_ || p.Top != placedTop_) place();
}

void MainWindow::place() {
    Panel& p = form_.panel;
    placedLeft_ = p.Left;
    placedTop_ = p.Top;
    QList<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    QSize frameSize = frameGeometry().size().expandedTo(size());
    move(placeOnScreen({twips::toPx(p.Left), twips::toPx(p.Top)}, frameSize, screens));
}

void MainWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    // The window's place is saved with the settings: the panel follows the operator.
    Panel& p = form_.panel;
    p.Left = static_cast<float>(twips::fromPx(x()));
    p.Top = static_cast<float>(twips::fromPx(y()));
    placedLeft_ = p.Left;
    placedTop_ = p.Top;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    forward([this] { form_.closeRequest(); });
    // The close request ends the program; only an end held for a waiting
    // handler leaves it to that handler to finish.
    e->setAccepted(form_.ended() || held_.held());
}

QWidget* MainWindow::control(std::string_view name) const {
    return findChild<QWidget*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace tc
