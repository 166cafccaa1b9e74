#include <gtest/gtest.h>

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "qt/Station.h"
#include "ui/qt/AboutWindow.h"

namespace tc::test {
namespace {

bool shown(const Station& s, const char* name) { return s.widget(name)->isVisible(); }

TEST(MainWindow, IsTheDesignedFixedPanelWithTheHostsCaption) {
    Station s;
    EXPECT_EQ(s.window.windowTitle().toStdString(), "Tailchime    N0CALL-L   v2.0.1");
    EXPECT_EQ(s.window.size(), QSize(336, 280));
    EXPECT_EQ(s.window.minimumSize(), s.window.maximumSize());
    Qt::WindowFlags flags = s.window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

    // Places in twips, 15 to a pixel, relative to each control's container.
    struct Place {
        const char* name;
        QRect px;
    };
    const Place places[] = {
        {"Frame7", {8, 8, 321, 73}},       {"Picture26", {72, 16, 25, 25}},   {"Picture24", {216, 16, 25, 25}},
        {"Picture20", {216, 40, 25, 25}},  {"Ant2", {264, 16, 49, 49}},       {"Picture4", {16, 24, 49, 49}},
        {"Frame6", {8, 80, 321, 145}},     {"CourtesyID", {152, 40, 31, 22}}, {"IPCourtesy", {152, 80, 31, 21}},
        {"RFTone", {40, 24, 169, 19}},     {"Frame11", {88, 80, 225, 57}},    {"V1", {56, 32, 153, 9}},
        {"HangTime", {136, 40, 47, 19}},   {"Command16", {232, 104, 33, 25}}, {"Picture18", {8, 240, 89, 25}},
        {"Picture13", {104, 232, 41, 41}}, {"Command14", {160, 240, 33, 25}}, {"Command18", {280, 240, 41, 25}},
    };
    for (const Place& p : places) EXPECT_EQ(s.widget(p.name)->geometry(), p.px) << p.name;

    EXPECT_EQ(static_cast<QGroupBox*>(s.widget("Frame5"))->title().toStdString(), "Audio ID  -- wav - mp3");
    EXPECT_EQ(static_cast<QGroupBox*>(s.widget("Frame2"))->title().toStdString(), "CW ID");
}

TEST(MainWindow, CarriesTheDesignTooltipsToTheLetter) {
    Station s;
    const std::pair<const char*, const char*> tips[] = {{"Picture26", "Kerchunker Set"},
                                                        {"Picture21", "Kerchunker Set"},
                                                        {"Picture27", "RF User"},
                                                        {"Picture28", "IP User"},
                                                        {"Picture29", "PTT"},
                                                        {"Picture14", "Anti-Kerchunker"},
                                                        {"Ant1", "System Active"},
                                                        {"Ant0", ""},
                                                        {"Picture4", "Transmitting"},
                                                        {"Picture3", ""},
                                                        {"CourtesyID", "RF CW Ident Letter"},
                                                        {"IPCourtesy", "Internet CW Ident Letter"},
                                                        {"Picture8", "Internet Audio ID"},
                                                        {"InetTone", "IP Audio ID"},
                                                        {"Command1", "File"},
                                                        {"Command7", "Test"},
                                                        {"Picture6", "Volume"},
                                                        {"Picture1", "HangTime Before ID "},
                                                        {"HangTime", "Hang Time Before ID in xx Milliseconds"},
                                                        {"KerchunkWait", "Anti-Kerchunker time in Milliseconds"},
                                                        {"Command16", "Save and exit"},
                                                        {"Picture18", "CW Ident"},
                                                        {"Picture13", "Audio Ident"},
                                                        {"Command14", "Use Tailchime"},
                                                        {"Command15", "Stop Tailchime"},
                                                        {"Command12", "About"},
                                                        {"Command17", "Timing Tools"},
                                                        {"Command18", "Save"}};
    for (auto [name, tip] : tips) EXPECT_EQ(s.widget(name)->toolTip().toStdString(), tip) << name;
}

// What the operator sees at a point of the window: the frontmost control there.
std::string frontAt(const Station& s, QPoint px) {
    QWidget* w = s.window.childAt(px);
    return w ? w->objectName().toStdString() : "";
}

TEST(MainWindow, OverlappingControlsStackAsDesigned) {
    Station s;
    // Before the first tick everything that overlaps is up at once.
    EXPECT_EQ(frontAt(s, {92, 36}), "Picture26");  // each lit face over its dark face
    EXPECT_EQ(frontAt(s, {236, 36}), "Picture29");
    EXPECT_EQ(frontAt(s, {40, 48}), "Picture3");     // the idle image over Picture25
    EXPECT_EQ(frontAt(s, {176, 252}), "Command14");  // Use over Stop
    EXPECT_EQ(frontAt(s, {300, 90}), "Frame5");      // the Audio ID page over the CW ID page
    s.run(100);
    EXPECT_EQ(frontAt(s, {92, 36}), "Picture21");
    EXPECT_EQ(frontAt(s, {176, 252}), "Command15");
    QTest::mouseClick(s.widget("Command17"), Qt::LeftButton);
    EXPECT_EQ(frontAt(s, {300, 90}), "Frame6");  // the Timings page over both
    // While transmitting, the transmit image stands in front of the idle one.
    s.form.run([&] { s.form.panel.PTT.set(colour::Red, "PTT ON"); });
    s.run(100);
    EXPECT_EQ(frontAt(s, {40, 48}), "Picture4");
}

TEST(MainWindow, LampsAndTransmitImagesFollowTheStation) {
    Station s;
    // Before the status clock's first tick every lit face is up.
    for (const char* lit : {"Picture26", "Picture27", "Picture28", "Picture29"}) EXPECT_TRUE(shown(s, lit)) << lit;
    s.run(100);
    for (const char* lit : {"Picture26", "Picture27", "Picture28", "Picture29", "Picture4"})
        EXPECT_FALSE(shown(s, lit)) << lit;
    EXPECT_TRUE(shown(s, "Picture3"));

    // A carrier on the input lights the RF lamp; held past the
    // anti-kerchunker time it lights the anti-kerchunker lamp too.
    s.station.raiseCarrier(true);
    s.run(200);
    EXPECT_TRUE(shown(s, "Picture27"));
    EXPECT_FALSE(shown(s, "Picture26"));
    s.run(2000);
    EXPECT_TRUE(shown(s, "Picture26"));
    s.station.raiseCarrier(false);
    s.run(200);
    EXPECT_FALSE(shown(s, "Picture27"));

    // Internet audio lights the IP lamp while it lasts.
    s.station.raiseRX(true);
    s.run(200);
    EXPECT_TRUE(shown(s, "Picture28"));
    s.station.raiseRX(false);
    s.run(200);
    EXPECT_FALSE(shown(s, "Picture28"));
}

TEST(MainWindow, TransmitLampAndImagesShowWhileAnAudioIdentPlays) {
    Station s;
    s.run(100);
    std::string tone = s.toneFile("ip.wav", 1.0);
    s.form.type("InetTone", tone);
    QTest::mouseClick(s.widget("Picture13"), Qt::LeftButton);
    s.run(100);

    s.station.raiseRX(true);
    s.run(100);
    s.station.raiseRX(false);  // the Internet courtesy: the tone over the keyed transmitter
    s.run(200);
    EXPECT_TRUE(shown(s, "Picture29"));
    EXPECT_TRUE(shown(s, "Picture4"));
    EXPECT_TRUE(s.widget("Picture25")->isVisibleTo(s.widget("Frame7")));
    s.run(1500);
    EXPECT_FALSE(shown(s, "Picture29"));
    EXPECT_FALSE(shown(s, "Picture4"));
    EXPECT_TRUE(shown(s, "Picture3"));
}

TEST(MainWindow, PagesFollowTheIdentModeAndTheTimingsCommands) {
    Station s;
    // Until the supervisor's first tick both ident pages stand.
    EXPECT_TRUE(shown(s, "Frame2"));
    EXPECT_TRUE(shown(s, "Frame5"));
    EXPECT_FALSE(shown(s, "Frame6"));
    s.run(100);
    EXPECT_TRUE(shown(s, "Frame2"));
    EXPECT_FALSE(shown(s, "Frame5"));

    QTest::mouseClick(s.widget("Picture13"), Qt::LeftButton);
    EXPECT_TRUE(s.form.panel.Options.Option2);
    s.run(100);
    EXPECT_FALSE(shown(s, "Frame2"));
    EXPECT_TRUE(shown(s, "Frame5"));
    EXPECT_TRUE(shown(s, "V1"));

    QTest::mouseClick(s.widget("Picture18"), Qt::LeftButton);
    s.run(100);
    EXPECT_TRUE(shown(s, "Frame2"));
    EXPECT_FALSE(shown(s, "Frame5"));

    // The Timings page covers the ident page until Save and exit.
    QTest::mouseClick(s.widget("Command17"), Qt::LeftButton);
    EXPECT_TRUE(shown(s, "Frame6"));
    EXPECT_TRUE(shown(s, "HangTime"));
    s.run(300);
    EXPECT_TRUE(shown(s, "Frame6"));
    QTest::mouseClick(s.widget("Command16"), Qt::LeftButton);
    EXPECT_FALSE(shown(s, "Frame6"));
    std::stringstream saved;
    saved << std::ifstream(s.configFile()).rdbuf();
    EXPECT_NE(saved.str().find("OPTION2=False"), std::string::npos) << saved.str();
}

TEST(MainWindow, UseAndStopSwapAndTheAntennaRunsOnlyWhileOn) {
    Station s;  // the add-on starts on
    s.run(100);
    EXPECT_TRUE(shown(s, "Command15"));
    EXPECT_FALSE(shown(s, "Command14"));

    // While on, the antenna passes through its four frames, one shown at a time.
    const char* frames[] = {"Ant0", "Ant1", "Ant2", "Ant3"};
    int seen[4] = {};
    for (int tick = 0; tick < 8; ++tick) {
        int up = 0;
        for (int f = 0; f < 4; ++f)
            if (shown(s, frames[f])) ++seen[f], ++up;
        EXPECT_EQ(up, 1);
        s.run(100);
    }
    for (int f = 0; f < 4; ++f) EXPECT_EQ(seen[f], 2) << frames[f];

    QTest::mouseClick(s.widget("Command15"), Qt::LeftButton);
    EXPECT_EQ(s.form.panel.Check1.value, 0);
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_TRUE(shown(s, "Ant0"));
        EXPECT_FALSE(shown(s, "Ant1") || shown(s, "Ant2") || shown(s, "Ant3"));
        s.run(100);
    }
    EXPECT_TRUE(shown(s, "Command14"));
    EXPECT_FALSE(shown(s, "Command15"));

    QTest::mouseClick(s.widget("Command14"), Qt::LeftButton);
    s.run(100);
    EXPECT_TRUE(shown(s, "Command15"));
    EXPECT_FALSE(shown(s, "Ant0"));
}

TEST(MainWindow, EditsAndTheVolumeBarReachThePanelAndBack) {
    Station s;
    QTest::mouseClick(s.widget("Command17"), Qt::LeftButton);
    auto* hang = static_cast<QLineEdit*>(s.widget("HangTime"));
    hang->selectAll();
    QTest::keyClicks(hang, "750");
    EXPECT_EQ(s.form.panel.HangTime.text, "750");
    EXPECT_EQ(s.form.panel.KickBackCheck->interval(), 750);

    // A CW Test button sends what the field holds now.
    std::string sent;
    struct Cw : StationListener {
        std::string& out;
        explicit Cw(std::string& o) : out(o) {}
        void cwSent(const std::string& t) override { out = t; }
    } listener(sent);
    s.station.addListener(&listener);
    s.run(100);
    QTest::mouseClick(s.widget("Command16"), Qt::LeftButton);
    auto* letter = static_cast<QLineEdit*>(s.widget("CourtesyID"));
    letter->selectAll();
    QTest::keyClicks(letter, "KX");
    QTest::mouseClick(s.widget("Command10"), Qt::LeftButton);
    EXPECT_EQ(sent, "KX");
    s.station.removeListener(&listener);

    auto* volume = static_cast<QScrollBar*>(s.widget("V1"));
    volume->setValue(-600);
    EXPECT_EQ(s.form.panel.V1.value, -600);
    EXPECT_EQ(s.form.panel.VolSet.text, "-600");

    // What the program writes into a field shows in it.
    s.form.run([&] { s.form.panel.RFTone.setText("/tones/rf.wav"); });
    EXPECT_EQ(static_cast<QLineEdit*>(s.widget("RFTone"))->text().toStdString(), "/tones/rf.wav");
}

TEST(MainWindow, StandsWhereTheSettingsPutItComesBackOnScreenAndSavesWhereMoved) {
    {
        Station s("LEFT=1500\nTOP=750\n");
        EXPECT_EQ(s.window.pos(), QPoint(100, 50));
    }
    {
        Station s("LEFT=900000\nTOP=-45000\n");
        QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.contains(QRect(s.window.pos(), s.window.size()))) << s.window.pos().x();
        // Where the operator puts it is what the next save writes.
        s.window.move(40, 60);
        QTest::mouseClick(s.widget("Command18"), Qt::LeftButton);
        std::stringstream saved;
        saved << std::ifstream(s.configFile()).rdbuf();
        EXPECT_NE(saved.str().find("LEFT=600"), std::string::npos) << saved.str();
        EXPECT_NE(saved.str().find("TOP=900"), std::string::npos) << saved.str();
    }
}

TEST(MainWindow, ACloseRequestEndsTheProgramWithoutSaving) {
    Station s;
    EXPECT_TRUE(s.window.close());
    EXPECT_TRUE(s.desktop.ended());
    EXPECT_TRUE(s.form.ended());
    EXPECT_FALSE(std::ifstream(s.configFile()).good());
    // Nothing of the program runs any more, nor does the window move it.
    QTest::mouseClick(s.widget("Command18"), Qt::LeftButton);
    EXPECT_FALSE(std::ifstream(s.configFile()).good());
}

TEST(MainWindow, TheAboutWindowOpensOnceAndLoadsAgainAfterClosing) {
    Station s;
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    AboutWindow* about = s.desktop.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->windowFlags() & Qt::Tool);
    EXPECT_EQ(about->size(), QSize(440, 463));
    EXPECT_EQ(about->windowTitle().toStdString(), "Tailchime    N0CALL-L   v2.0.1");
    auto label6 = about->findChildren<QLabel*>();
    bool titled = std::any_of(label6.begin(), label6.end(),
                              [](QLabel* l) { return l->text() == QStringLiteral("Tailchime    N0CALL-L   v2.0.1"); });
    EXPECT_TRUE(titled);
    EXPECT_TRUE(s.window.isEnabled());  // modeless

    // Shown again while open: the same window, its texts as they were.
    s.station.setCallsign("N0NEW-R");
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    EXPECT_EQ(s.desktop.aboutWindow(), about);
    EXPECT_EQ(about->windowTitle().toStdString(), "Tailchime    N0CALL-L   v2.0.1");

    // Closed and opened again, it loads afresh.
    about->close();
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    EXPECT_EQ(s.desktop.aboutWindow(), about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle().toStdString(), "Tailchime    N0NEW-R   v2.0.1");
}

}  // namespace
}  // namespace tc::test
