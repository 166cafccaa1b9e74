#include "ui/qt/MainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <array>
#include <iterator>

#include "ui/Panel.h"
#include "ui/StationCommands.h"
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

MainWindow::MainWindow(Panel& panel, StationCommands& station, HeldEnd& held)
    : QWidget(nullptr), panel_(panel), station_(station), held_(held) {
    registerImages();
    setObjectName(QStringLiteral("Form21"));
    // Fixed single border: a minimise button, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips::toPx(kMainWindowWidth), twips::toPx(kMainWindowHeight));
    setWindowIcon(QIcon(image("tailchime")));
    setFont(font(PlacedControl::Face::Plain));
    setStyleSheet(QString::fromLatin1(kFrameStyle));

    // Made back to front, so that what the design puts in front is in front.
    for (const PlacedControl& c : mainWindowLayout()) {
        QWidget* parent = c.container ? control(c.container) : this;
        QWidget* w = make(c, parent);
        if (!w) continue;
        w->setObjectName(QLatin1String(c.name));
        w->setGeometry(twips::rect(c.left, c.top, c.width, c.height));
        if (c.tooltip && c.kind != PlacedControl::Kind::Antenna) w->setToolTip(QString::fromLatin1(c.tooltip));
        if (c.shape) shapes_.push_back({w, &(panel_.*c.shape)});
    }
    refresh();
}

QFont MainWindow::font(PlacedControl::Face face) {
    const DesignFace& f = designFace(face);
    return designFont(f.family, f.points, f.bold);
}

QWidget* MainWindow::make(const PlacedControl& c, QWidget* parent) {
    using K = PlacedControl::Kind;
    const char* name = c.name;
    switch (c.kind) {
        case K::Frame: return new OpaqueFrame(QString::fromLatin1(c.picture), parent);
        case K::Picture: return new SvgPicture(image(c.picture), parent, false);
        case K::Selector: {
            auto* selector = new SvgPicture(image(c.picture), parent, true);
            connect(selector, &SvgPicture::clicked, this, [this, name] { forward([this, name] { station_.click(name); }); });
            return selector;
        }
        case K::Button: {
            auto* b = new PictureButton(image(c.picture), twips::rect(c.left, c.top, c.width, c.height), parent);
            connect(b, &QPushButton::clicked, this, [this, name] { forward([this, name] { station_.click(name); }); });
            return b;
        }
        case K::Field: return field(c, parent);
        case K::Label: return new QLabel(QString::fromLatin1(c.picture), parent);
        case K::ScrollBar: return volume(parent);
        case K::Antenna: {
            std::array<QString, AntennaPicture::kFrames> frames;
            for (int i = 0; i < AntennaPicture::kFrames; ++i) frames[i] = image(kAntennaImages[i]);
            return antenna_ = new AntennaPicture(frames, parent);
        }
        case K::Option: return nullptr;  // the selectors stand in front of them
    }
    return nullptr;
}

QWidget* MainWindow::field(const PlacedControl& c, QWidget* parent) {
    const char* name = c.name;
    TextField& text = panel_.*c.field;
    auto* edit = new QLineEdit(parent);
    edit->setFont(font(c.face));
    edit->setFrame(true);
    if (c.face != PlacedControl::Face::Plain) edit->setAlignment(Qt::AlignCenter);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, titleBarText());
    pal.setColor(QPalette::Text, readableOn(titleBarText()));
    edit->setPalette(pal);
    connect(edit, &QLineEdit::textEdited, this, [this, name, &text](const QString& typed) {
        std::string t = typed.toStdString();
        for (ShownField& f : fields_)
            if (f.field == &text) f.shown = t;  // the edit already shows it
        forward([this, name, &t] { station_.type(name, t); });
    });
    fields_.push_back({edit, &text, {}});
    return edit;
}

QWidget* MainWindow::volume(QWidget* parent) {
    const ScrollBar& v1 = panel_.V1;
    volume_ = new QScrollBar(Qt::Horizontal, parent);
    volume_->setRange(v1.min, v1.max);
    volume_->setSingleStep(1);
    volume_->setPageStep(50);  // half a decibel
    // A drag changes the volume when the thumb is let go, as a scroll bar's
    // change does; arrows and page clicks change it at once.
    volume_->setTracking(false);
    connect(volume_, &QScrollBar::valueChanged, this, [this](int v) { forward([this, v] { station_.slide("V1", v); }); });
    return volume_;
}

void MainWindow::forward(const std::function<void()>& action) { held_.run(action); }

void MainWindow::refresh() {
    const Panel& p = panel_;
    for (const ShownShape& s : shapes_)
        if (s.widget->isHidden() == s.shape->visible) s.widget->setVisible(s.shape->visible);
    unsigned antenna = 0;
    for (unsigned i = 0; i < std::size(kAntennaFrames); ++i)
        if ((p.*kAntennaFrames[i]).visible) antenna |= 1u << i;
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
    Panel& p = panel_;
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
    Panel& p = panel_;
    p.Left = static_cast<float>(twips::fromPx(x()));
    p.Top = static_cast<float>(twips::fromPx(y()));
    placedLeft_ = p.Left;
    placedTop_ = p.Top;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    forward([this] { station_.closeRequest(Asker::Panel); });
    // The close request ends the program; only an end held for a waiting
    // handler leaves it to that handler to finish.
    e->setAccepted(station_.ended() || held_.held());
}

QWidget* MainWindow::control(std::string_view name) const {
    return findChild<QWidget*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace tc
