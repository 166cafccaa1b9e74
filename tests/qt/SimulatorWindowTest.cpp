#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "qt/Station.h"
#include "ui/qt/SimulatorWindow.h"

namespace tc::test {
namespace {

class Simulator : public ::testing::Test {
protected:
    Simulator() : window(s.station, s.held) { window.show(); }

    template <class W>
    W* find(const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }
    QString log() { return find<QPlainTextEdit>("StationLog")->toPlainText(); }
    bool onAir() { return find<QWidget>("OnAir")->findChild<QWidget*>(QStringLiteral("lit"))->isVisible(); }

    Station s;
    SimulatorWindow window;
};

TEST_F(Simulator, TheCarrierKeyIsHeldOrLatched) {
    EXPECT_EQ(find<QLabel>("Callsign")->text().toStdString(), "N0CALL-L");
    auto* key = find<QPushButton>("CarrierKey");
    QTest::mousePress(key, Qt::LeftButton);
    EXPECT_TRUE(s.station.carrier());
    s.run(200);
    EXPECT_EQ(s.form.panel.RFUser.text(), "Receiving  RF");
    QTest::mouseRelease(key, Qt::LeftButton);
    EXPECT_FALSE(s.station.carrier());

    auto* latch = find<QCheckBox>("CarrierLatch");
    latch->setChecked(true);
    EXPECT_TRUE(s.station.carrier());
    QTest::mouseClick(key, Qt::LeftButton);  // a press and release under the latch
    EXPECT_TRUE(s.station.carrier());
    latch->setChecked(false);
    EXPECT_FALSE(s.station.carrier());
}

TEST_F(Simulator, InternetAudioKeysTheStationAndTheCourtesyFollowsItsEnd) {
    s.run(100);
    auto* audio = find<QPushButton>("InternetAudio");
    audio->click();
    EXPECT_TRUE(s.station.internetAudio());
    EXPECT_TRUE(onAir());
    s.run(100);
    EXPECT_EQ(s.form.panel.PTT1.text(), "IP  TX  ON");
    audio->click();
    EXPECT_FALSE(s.station.internetAudio());
    // CW ident after Internet traffic: "I", sent by the host, keying it.
    EXPECT_NE(log().indexOf(QStringLiteral("CW  I")), -1) << log().toStdString();
    EXPECT_TRUE(onAir());
    s.run(1000);
    EXPECT_FALSE(onAir());
}

TEST_F(Simulator, ChatIsSentAndTheVersionQueryAnswered) {
    auto* line = find<QLineEdit>("ChatLine");
    line->setText(QStringLiteral("/ver/"));
    find<QPushButton>("ChatSend")->click();
    EXPECT_TRUE(line->text().isEmpty());
    EXPECT_NE(log().indexOf(QStringLiteral("chat in  /ver/")), -1);
    EXPECT_NE(log().indexOf(QStringLiteral("chat out  Tailchime")), -1) << log().toStdString();

    // An empty line sends nothing.
    int lines = find<QPlainTextEdit>("StationLog")->blockCount();
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(find<QPlainTextEdit>("StationLog")->blockCount(), lines);
}

TEST_F(Simulator, ClosingTheHostEndsTheProgramAfterSaving) {
    find<QPushButton>("CloseHost")->click();
    EXPECT_TRUE(s.form.ended());
    EXPECT_TRUE(s.desktop.ended());
    EXPECT_FALSE(s.window.isVisible());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(s.configFile())));
}

}  // namespace
}  // namespace tc::test
