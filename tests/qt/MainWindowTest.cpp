#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <functional>
#include <map>

#include "qt/Station.h"
#include "ui/qt/AboutWindow.h"
#include "ui/qt/AntennaPicture.h"
#include "ui/qt/SvgPicture.h"
#include "ui/qt/SystemColours.h"

namespace tc::test {
namespace {

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;
    void watch(QWidget* w) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// What the operator sees at a point of the window: the frontmost control there.
std::string frontAt(const Station& s, QPoint px) {
    QWidget* w = s.window.childAt(px);
    return w ? w->objectName().toStdString() : "";
}

// Where the overlapping controls stand: each lamp's lit face over its dark
// face, the transmit images, the three pages, and Use over Stop.
const QPoint kKerchunker{92, 36}, kRf{140, 36}, kIp{188, 36}, kPtt{236, 36}, kTransmit{40, 48}, kPage{300, 90},
    kUseStop{176, 252};

std::string saved(const Station& s) { return readFile(s.configFile()); }

TEST(MainWindow, IsTheDesignedFixedPanelWithTheHostsCaption) {
    Station s;
    EXPECT_EQ(s.window.windowTitle().toStdString(), "Tailchime    N0CALL-L   v2.0.1");
    EXPECT_EQ(s.window.size(), QSize(336, 280));
    EXPECT_EQ(s.window.minimumSize(), s.window.maximumSize());
    EXPECT_TRUE(s.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(s.window.windowFlags() & Qt::WindowMaximizeButtonHint);
}

// What stands in front at each place (the lamps, the transmit image, the
// ident page, Use or Stop) after each step of the station or the operator.
TEST(MainWindow, LampsPagesAndButtonsInFrontFollowTheStation) {
    Station s;
    s.form.type("InetTone", s.toneFile("ip.wav", 1.0));
    auto click = [&](const char* name) { return [&s, name] { QTest::mouseClick(s.widget(name), Qt::LeftButton); }; };
    auto nothing = [] {};
    struct Step {
        std::function<void()> act;
        int ms;
        const char* front;
    };
    const Step steps[] = {
        // Before the status clock's first tick every lit face is up, the Audio page and Use in front.
        {nothing, 0, "Picture26 Picture27 Picture28 Picture29 Picture3 Frame5 Command14"},
        {nothing, 100, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame2 Command15"},
        // A carrier lights the RF lamp; held past the anti-kerchunker time, that lamp too.
        {[&] { s.station.raiseCarrier(true); }, 200,
         "Picture21 Picture27 Picture23 Picture24 Picture3 Frame2 Command15"},
        {nothing, 2000, "Picture26 Picture27 Picture23 Picture24 Picture3 Frame2 Command15"},
        {[&] { s.station.raiseCarrier(false); }, 3000,
         "Picture21 Picture22 Picture23 Picture24 Picture3 Frame2 Command15"},
        // Internet audio lights the IP lamp; the keyed transmitter the PTT lamp and the on-air images.
        {click("Picture13"), 100, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame5 Command15"},
        {[&] { s.station.raiseRX(true); }, 200,
         "Picture21 Picture22 Picture28 Picture29 Picture4 Frame5 Command15 +onair"},
        {[&] { s.station.raiseRX(false); }, 200,
         "Picture21 Picture22 Picture23 Picture29 Picture4 Frame5 Command15 +onair"},
        {nothing, 1500, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame5 Command15"},
        {click("Picture18"), 100, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame2 Command15"},
        // The Timings page covers the ident page until Save and exit.
        {click("Command17"), 0, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame6 Command15"},
        {nothing, 300, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame6 Command15"},
        {click("Command16"), 0, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame2 Command15"},
        // Stop and Use swap in front of each other.
        {click("Command15"), 100, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame2 Command14"},
        {click("Command14"), 100, "Picture21 Picture22 Picture23 Picture24 Picture3 Frame2 Command15"},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        steps[i].act();
        s.run(steps[i].ms);
        std::string front;
        for (QPoint at : {kKerchunker, kRf, kIp, kPtt, kTransmit, kPage, kUseStop})
            front += (front.empty() ? "" : " ") + frontAt(s, at);
        if (s.widget("Picture25")->isVisibleTo(s.widget("Frame7"))) front += " +onair";
        EXPECT_EQ(front, steps[i].front);
    }
}

TEST(MainWindow, TheTimingsPageHidesAllOfTheIdentPageBehindIt) {
    for (const char* ident : {"Picture18", "Picture13"}) {  // over the CW page, then over the audio page
        Station s;
        QTest::mouseClick(s.widget(ident), Qt::LeftButton);
        s.run(100);
        QTest::mouseClick(s.widget("Command17"), Qt::LeftButton);
        const QRect page = s.widget("Frame6")->geometry();
        const QImage over = s.window.grab(page).toImage();
        // The same page with nothing behind it: not a pixel may differ, caption strip included.
        s.widget("Frame2")->hide();
        s.widget("Frame5")->hide();
        const QImage alone = s.window.grab(page).toImage();
        EXPECT_TRUE(over == alone) << ident;
    }
}

TEST(MainWindow, FieldsStandOnTheTitleBarTextColour) {
    QPalette palette = QApplication::palette();
    const QPalette saved = palette;
    palette.setColor(QPalette::HighlightedText, QColor(10, 20, 200));
    QApplication::setPalette(palette);
    {
        Station s;
        for (const char* name : {"CourtesyID", "IPCourtesy", "HangTime", "KerchunkWait", "RFTone", "InetTone"}) {
            const QPalette field = s.widget(name)->palette();
            EXPECT_EQ(field.color(QPalette::Base), QColor(10, 20, 200)) << name;
            EXPECT_EQ(field.color(QPalette::Text), QColor(Qt::white)) << name << ": readable on the dark colour";
        }
    }
    QApplication::setPalette(saved);
}

TEST(MainWindow, TheTurningAntennaRepaintsItsOwnBoxAloneFromFramesDrawnOnce) {
    Station s;
    auto* antenna = static_cast<AntennaPicture*>(s.widget("Antenna"));
    ASSERT_NE(antenna, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.window));
    s.run(100);  // the status clock's first tick sets the lamps and buttons
    QCoreApplication::processEvents();

    // Every other widget of the window counts its paints while the antenna turns.
    PaintCounter others;
    others.watch(&s.window);
    for (QWidget* w : s.window.findChildren<QWidget*>())
        if (w != antenna) others.watch(w);
    PaintCounter own;
    own.watch(antenna);
    std::map<unsigned, QString> tips;  // by the frames shown
    for (int tick = 0; tick < 8; ++tick) {
        s.run(100);
        QCoreApplication::processEvents();
        tips[antenna->frames()] = antenna->toolTip();
    }
    EXPECT_EQ(own.paints, 8) << "one paint for each frame shown";
    EXPECT_EQ(others.paints, 0) << "a new frame repaints nothing else of the window";
    EXPECT_EQ(antenna->svgRenders(), 4) << "each frame drawn from its SVG once, then kept";
    EXPECT_EQ(tips,
              (std::map<unsigned, QString>{{1, ""}, {2, "System Active"}, {4, "System Active"}, {8, "System Active"}}));
}

TEST(MainWindow, EachAntennaFrameLooksAsItsPictureAloneOnTheStrip) {
    Station s;
    auto* antenna = static_cast<AntennaPicture*>(s.widget("Antenna"));
    QWidget* strip = s.widget("Frame7");
    for (int i = 0; i < AntennaPicture::kFrames; ++i) {
        antenna->showFrames(1u << i);
        const QImage shown = strip->grab(antenna->geometry()).toImage();
        // The same image as any other picture of the panel draws it, over the strip.
        antenna->hide();
        SvgPicture alone(QStringLiteral(":/images/antenna%1.svg").arg(i), strip);
        alone.setGeometry(antenna->geometry());
        alone.show();
        const QImage reference = strip->grab(antenna->geometry()).toImage();
        EXPECT_TRUE(shown == reference) << "frame " << i;
        alone.hide();
        antenna->show();
    }
}

TEST(MainWindow, EditsAndTheVolumeBarReachThePanelAndBack) {
    Station s;
    QTest::mouseClick(s.widget("Command17"), Qt::LeftButton);
    auto* hang = static_cast<QLineEdit*>(s.widget("HangTime"));
    hang->selectAll();
    QTest::keyClicks(hang, "750");
    EXPECT_EQ(s.form.panel.HangTime.text, "750");
    // A dragged thumb acts when let go; a page click at once.
    auto* v1 = static_cast<QScrollBar*>(s.widget("V1"));
    v1->setSliderDown(true);
    v1->setSliderPosition(-2500);
    v1->setSliderPosition(-1000);
    EXPECT_EQ(s.form.panel.V1.value, -1540) << "nothing changes while the thumb is held";
    v1->setSliderDown(false);
    EXPECT_EQ(s.form.panel.V1.value, -1000);
    EXPECT_EQ(s.form.panel.VolSet.text, "-1000");
    v1->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(s.form.panel.V1.value, -1050);
    // What the program writes shows: into a field, and on the bar.
    s.form.run([&] {
        s.form.panel.RFTone.setText("/tones/rf.wav");
        s.form.panel.V1.setValue(-1200);
    });
    EXPECT_EQ(static_cast<QLineEdit*>(s.widget("RFTone"))->text().toStdString(), "/tones/rf.wav");
    EXPECT_EQ(v1->value(), -1200);
}

TEST(MainWindow, StandsWhereTheSettingsPutItComesBackOnScreenAndSavesWhereMoved) {
    EXPECT_EQ(Station("LEFT=1500\nTOP=750\n").window.pos(), QPoint(100, 50));
    Station s("LEFT=900000\nTOP=-45000\n");
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(QRect(s.window.pos(), s.window.size()))) << s.window.pos().x();
    // Where the operator puts it is what the next save writes.
    s.window.move(40, 60);
    QTest::mouseClick(s.widget("Command18"), Qt::LeftButton);
    EXPECT_NE(saved(s).find("LEFT=600"), std::string::npos) << saved(s);
    EXPECT_NE(saved(s).find("TOP=900"), std::string::npos) << saved(s);
}

TEST(MainWindow, ACloseRequestEndsTheProgramWithoutSaving) {
    Station s;
    EXPECT_TRUE(s.window.close());
    EXPECT_TRUE(s.desktop.ended());
    EXPECT_TRUE(s.form.ended());
    // Nothing of the program runs any more, nor does the window move it.
    QTest::mouseClick(s.widget("Command18"), Qt::LeftButton);
    EXPECT_FALSE(std::ifstream(s.configFile()).good());
}

// A modeless tool window; closed, it loads afresh when shown again.
TEST(MainWindow, TheAboutWindowIsModelessAndLoadsAgainAfterClosing) {
    Station s;
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    AboutWindow* about = s.desktop.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->windowFlags() & Qt::Tool);
    EXPECT_EQ(about->windowTitle().toStdString(), "Tailchime    N0CALL-L   v2.0.1");
    auto labels = about->findChildren<QLabel*>();
    EXPECT_TRUE(
        std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->text() == about->windowTitle(); }));
    EXPECT_TRUE(s.window.isEnabled());
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    EXPECT_EQ(s.desktop.aboutWindow(), about) << "one window while it is open";
    s.station.setCallsign("N0NEW-R");
    about->close();
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle().toStdString(), "Tailchime    N0NEW-R   v2.0.1");
}

// A test button's ident is one the panel asked for.
TEST(MainWindow, ATestButtonsIdentIsAskedByThePanel) {
    Station s;
    std::vector<std::string> askers;
    auto following = s.form.events.subscribe([&askers](const StationEvent& e, std::int64_t) {
        if (auto* i = std::get_if<event::IdentStarted>(&e)) askers.push_back(askerName(i->ident.asker));
    });
    QTest::mouseClick(s.widget("Command10"), Qt::LeftButton);
    EXPECT_EQ(askers, std::vector<std::string>{"panel"});
}

}  // namespace
}  // namespace tc::test
