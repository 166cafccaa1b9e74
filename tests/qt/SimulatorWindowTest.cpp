#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <sstream>

#include "core/Transcript.h"
#include "program/headless/TranscriptWriter.h"
#include "qt/Station.h"
#include "program/qt/SimulatorWindow.h"

namespace tc::test {
namespace {

class Simulator : public ::testing::Test {
protected:
    // The window's log is fed what the station does, as the windowed program feeds it.
    Simulator() : window(s.station, s.held) {
        following = transcript.follow([this](const std::string& line) { window.record(line); });
        s.station.addListener(&doings);
        doings.attach(s.form.panel, s.form.events);
        window.show();
    }
    ~Simulator() override { s.station.removeListener(&doings); }

    template <class W = QPushButton>
    W* find(const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }
    std::string log() { return find<QPlainTextEdit>("StationLog")->toPlainText().toStdString(); }
    bool onAir() { return find<QWidget>("OnAir")->findChild<QWidget*>(QStringLiteral("lit"))->isVisible(); }

    Station s;
    SimulatorWindow window;
    std::ostringstream out;
    Transcript transcript{out, [] { return std::string("12:00:00"); }};
    TranscriptWriter doings{transcript, false};
    Transcript::Subscription following;
};

TEST_F(Simulator, TheCarrierKeyIsHeldOrLatched) {
    EXPECT_EQ(find<QLabel>("Callsign")->text().toStdString(), "N0CALL-L");
    QTest::mousePress(find("CarrierKey"), Qt::LeftButton);
    EXPECT_TRUE(s.station.carrier());
    EXPECT_NE(log().find("carrier  up"), std::string::npos) << log();
    QTest::mouseRelease(find("CarrierKey"), Qt::LeftButton);
    EXPECT_FALSE(s.station.carrier());

    find<QCheckBox>("CarrierLatch")->setChecked(true);
    EXPECT_TRUE(s.station.carrier());
    QTest::mouseClick(find("CarrierKey"), Qt::LeftButton);  // a press and release under the latch
    EXPECT_TRUE(s.station.carrier());
    find<QCheckBox>("CarrierLatch")->setChecked(false);
    EXPECT_FALSE(s.station.carrier());
}

TEST_F(Simulator, InternetAudioKeysTheStationAndTheCourtesyFollowsItsEnd) {
    s.run(100);
    find("InternetAudio")->click();
    EXPECT_TRUE(s.station.internetAudio());
    EXPECT_TRUE(onAir());
    EXPECT_NE(log().find("Internet audio  on"), std::string::npos) << log();
    s.run(100);
    find("InternetAudio")->click();
    EXPECT_FALSE(s.station.internetAudio());
    // The courtesy ident after Internet traffic keys the transmitter.
    EXPECT_TRUE(onAir());
    s.run(1000);
    EXPECT_FALSE(onAir());
}

TEST_F(Simulator, ChatIsSentAndTheVersionQueryAnswered) {
    auto* line = find<QLineEdit>("ChatLine");
    line->setText(QStringLiteral("/ver/"));
    find("ChatSend")->click();
    EXPECT_TRUE(line->text().isEmpty());
    EXPECT_NE(log().find("chat in  /ver/"), std::string::npos) << log();
    EXPECT_NE(log().find("chat \"Tailchime  v2.0.1\""), std::string::npos) << log();
    // An empty line sends nothing.
    std::string before = log();
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(log(), before);
}

TEST_F(Simulator, ClosingTheHostEndsTheProgram) {
    find("CloseHost")->click();
    EXPECT_TRUE(s.form.ended());
    EXPECT_TRUE(s.desktop.ended());
    EXPECT_FALSE(s.window.isVisible());
}

}  // namespace
}  // namespace tc::test
