#pragma once
#include <QWidget>

#include "hostlink/SimulatedStation.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tc {

class HeldEnd;

// The station's side of the link, for a person to play while the simulated
// station is the host: key up the RF carrier, send Internet audio, type in
// the chat, close the host. It shows the station's transmitter, and logs what
// the operator raised and everything the station did.
class SimulatorWindow : public QWidget, private HostListener {
    Q_OBJECT

public:
    SimulatorWindow(SimulatedStation& station, HeldEnd& held);
    ~SimulatorWindow() override;

    // Shows a line of what the station did in the window's log.
    void record(const std::string& line);

    // Places the window beside `neighbour`, on the same screen.
    void placeBeside(const QWidget& neighbour);

private:
    void transmitterChanged(bool keyed) override;

    void act(const std::function<void()>& action);
    void updateCarrier();
    void sendChat();
    void log(const QString& kind, const std::string& text);

    SimulatedStation& station_;
    HeldEnd& held_;
    QPushButton* carrierKey_;
    QCheckBox* carrierLatch_;
    QPushButton* internetAudio_;
    QLineEdit* chatLine_;
    QWidget* carrierLamp_;
    QWidget* onAirLamp_;
    QLabel* onAirText_;
    QPlainTextEdit* log_;
};

}  // namespace tc
