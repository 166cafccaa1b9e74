#include "program/qt/SimulatorWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QVBoxLayout>

#include "ui/qt/DesignFont.h"
#include "ui/qt/FrameStyle.h"
#include "ui/qt/HeldEnd.h"
#include "ui/qt/Images.h"
#include "ui/qt/ScreenPlacement.h"
#include "ui/qt/SvgPicture.h"

namespace tc {

namespace {

// A lamp of the simulator: the lit face over the dark one, like the panel's.
QWidget* lamp(const char* colour, const QString& tooltip, QWidget* parent) {
    auto* holder = new QWidget(parent);
    holder->setFixedSize(25, 25);
    holder->setToolTip(tooltip);
    new SvgPicture(QStringLiteral(":/images/lamp_%1_dark.svg").arg(QLatin1String(colour)), holder);
    auto* lit = new SvgPicture(QStringLiteral(":/images/lamp_%1_lit.svg").arg(QLatin1String(colour)), holder);
    for (QObject* child : holder->children()) static_cast<QWidget*>(child)->setGeometry(0, 0, 25, 25);
    lit->setObjectName(QStringLiteral("lit"));
    lit->hide();
    return holder;
}

void light(QWidget* lamp, bool on) { lamp->findChild<QWidget*>(QStringLiteral("lit"))->setVisible(on); }

}  // namespace

SimulatorWindow::SimulatorWindow(SimulatedStation& station, HeldEnd& held)
    : QWidget(nullptr), station_(station), held_(held) {
    registerImages();
    setObjectName(QStringLiteral("StationSimulator"));
    setWindowTitle(QStringLiteral("Station simulator"));
    setWindowIcon(QIcon(QStringLiteral(":/images/tailchime.svg")));
    setStyleSheet(QString::fromLatin1(kFrameStyle));

    auto* call = new QLabel(QString::fromStdString(station.callsign()), this);
    call->setObjectName(QStringLiteral("Callsign"));
    call->setFont(designFont("Tahoma", 14, true));
    call->setToolTip(QStringLiteral("The call sign the station reports"));

    onAirLamp_ = lamp("ptt", QStringLiteral("Transmitter"), this);
    onAirLamp_->setObjectName(QStringLiteral("OnAir"));
    onAirText_ = new QLabel(QStringLiteral("ON AIR"), this);
    onAirText_->setFont(designFont("Tahoma", 10, true));

    auto* top = new QHBoxLayout;
    top->addWidget(call);
    top->addStretch();
    top->addWidget(onAirLamp_);
    top->addWidget(onAirText_);

    // The RF side: a carrier keyed while the key is held, or latched.
    auto* rf = new QGroupBox(QStringLiteral("RF receiver"), this);
    carrierLamp_ = lamp("rf", QStringLiteral("Carrier on the input"), rf);
    carrierKey_ = new QPushButton(QStringLiteral("Key carrier"), rf);
    carrierKey_->setObjectName(QStringLiteral("CarrierKey"));
    carrierKey_->setToolTip(QStringLiteral("Hold to key up a station on the input"));
    carrierLatch_ = new QCheckBox(QStringLiteral("Latch"), rf);
    carrierLatch_->setObjectName(QStringLiteral("CarrierLatch"));
    carrierLatch_->setToolTip(QStringLiteral("Keep the carrier up"));
    auto* rfRow = new QHBoxLayout(rf);
    rfRow->addWidget(carrierLamp_);
    rfRow->addWidget(carrierKey_, 1);
    rfRow->addWidget(carrierLatch_);
    connect(carrierKey_, &QPushButton::pressed, this, [this] { updateCarrier(); });
    connect(carrierKey_, &QPushButton::released, this, [this] { updateCarrier(); });
    connect(carrierLatch_, &QCheckBox::toggled, this, [this] { updateCarrier(); });

    // The Internet side.
    auto* net = new QGroupBox(QStringLiteral("Internet"), this);
    internetAudio_ = new QPushButton(QStringLiteral("Internet audio"), net);
    internetAudio_->setObjectName(QStringLiteral("InternetAudio"));
    internetAudio_->setCheckable(true);
    internetAudio_->setToolTip(QStringLiteral("A connected station talks: its audio goes out over the air"));
    chatLine_ = new QLineEdit(net);
    chatLine_->setObjectName(QStringLiteral("ChatLine"));
    chatLine_->setPlaceholderText(QStringLiteral("Chat, e.g. /ver/"));
    auto* send = new QPushButton(QStringLiteral("Send"), net);
    send->setObjectName(QStringLiteral("ChatSend"));
    auto* netGrid = new QGridLayout(net);
    netGrid->addWidget(internetAudio_, 0, 0, 1, 2);
    netGrid->addWidget(chatLine_, 1, 0);
    netGrid->addWidget(send, 1, 1);
    connect(internetAudio_, &QPushButton::toggled, this,
            [this](bool on) {
                log(QStringLiteral("Internet audio"), on ? "on" : "off");
                act([this, on] { station_.raiseRX(on); });
            });
    connect(send, &QPushButton::clicked, this, [this] { sendChat(); });
    connect(chatLine_, &QLineEdit::returnPressed, this, [this] { sendChat(); });

    auto* closeHost = new QPushButton(QStringLiteral("Close host"), this);
    closeHost->setObjectName(QStringLiteral("CloseHost"));
    closeHost->setToolTip(QStringLiteral("The host program closes, as when its operator quits it"));
    connect(closeHost, &QPushButton::clicked, this, [this] { act([this] { station_.raiseClosing(); }); });

    log_ = new QPlainTextEdit(this);
    log_->setObjectName(QStringLiteral("StationLog"));
    log_->setReadOnly(true);
    log_->setMaximumBlockCount(500);
    log_->setPlaceholderText(QStringLiteral("What the station does"));

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(rf);
    column->addWidget(net);
    column->addWidget(closeHost);
    column->addWidget(log_, 1);
    resize(300, 360);

    station_.addListener(this);
    transmitterChanged(station_.keyed());
    light(carrierLamp_, station_.carrier());
}

SimulatorWindow::~SimulatorWindow() { station_.removeListener(this); }

void SimulatorWindow::placeBeside(const QWidget& neighbour) {
    QRect next = neighbour.frameGeometry();
    QPoint wanted(next.right() + 9, next.top());
    QList<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    move(placeOnScreen(wanted, size(), screens));
}

void SimulatorWindow::act(const std::function<void()>& action) { held_.run(action); }

void SimulatorWindow::updateCarrier() {
    bool present = carrierKey_->isDown() || carrierLatch_->isChecked();
    if (present == station_.carrier()) return;
    light(carrierLamp_, present);
    log(QStringLiteral("carrier"), present ? "up" : "down");
    act([this, present] { station_.raiseCarrier(present); });
}

void SimulatorWindow::sendChat() {
    std::string text = chatLine_->text().toStdString();
    if (text.empty()) return;
    chatLine_->clear();
    log(QStringLiteral("chat in"), text);
    act([this, text] { station_.raiseChat(text); });
}

void SimulatorWindow::transmitterChanged(bool keyed) {
    light(onAirLamp_, keyed);
    onAirText_->setEnabled(keyed);
}

// The window is narrow: a line stamped with the date shows only its time.
void SimulatorWindow::record(const std::string& line) {
    const bool dated = line.size() > 11 && line[4] == '-' && line[7] == '-' && line[10] == ' ';
    log_->appendPlainText(QString::fromStdString(dated ? line.substr(11) : line));
}

void SimulatorWindow::log(const QString& kind, const std::string& text) {
    log_->appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') + kind +
                          QStringLiteral("  ") + QString::fromStdString(text));
}

}  // namespace tc
