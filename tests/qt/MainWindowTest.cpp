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
#include <map>
#include <sstream>

#include "qt/Station.h"
#include "ui/qt/AboutWindow.h"
#include "ui/qt/AntennaPicture.h"
#include "ui/qt/SvgPicture.h"
#include "ui/qt/SystemColours.h"

namespace tc::test {
namespace {

bool shown(const Station& s, const char* name) { return s.widget(name)->isVisible(); }

// The antenna frames shown, by their design names ("Ant2").
std::string antennaFrames(const Station& s) {
    const unsigned up = static_cast<AntennaPicture*>(s.widget("Antenna"))->frames();
    std::string names;
    for (int i = 0; i < AntennaPicture::kFrames; ++i)
        if (up & (1u << i)) names += "Ant" + std::to_string(i);
    return names;
}

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
    // A control where the layout puts it, in its container: twips, 15 to a pixel.
    EXPECT_EQ(s.widget("RFTone")->geometry(), QRect(40, 24, 169, 19));
    EXPECT_EQ(s.widget("RFTone")->parentWidget()->objectName().toStdString(), "Frame5");
}

TEST(MainWindow, LampsAndTransmitImagesFollowTheStation) {
    Station s;
    auto lamps = [&] {
        std::string faces;
        for (QPoint at : {kKerchunker, kRf, kIp, kPtt, kTransmit}) faces += frontAt(s, at) + " ";
        return faces;
    };
    // Before the status clock's first tick every lit face is up.
    EXPECT_EQ(lamps(), "Picture26 Picture27 Picture28 Picture29 Picture3 ");
    s.run(100);
    EXPECT_EQ(lamps(), "Picture21 Picture22 Picture23 Picture24 Picture3 ");
    // A carrier on the input lights the RF lamp; held past the
    // anti-kerchunker time it lights the anti-kerchunker lamp too.
    s.station.raiseCarrier(true);
    s.run(200);
    EXPECT_EQ(lamps(), "Picture21 Picture27 Picture23 Picture24 Picture3 ");
    s.run(2000);
    EXPECT_EQ(frontAt(s, kKerchunker), "Picture26");
    s.station.raiseCarrier(false);
    s.run(3000);
    EXPECT_EQ(frontAt(s, kRf), "Picture22");

    // Internet audio lights the IP lamp while it lasts; its courtesy, an
    // audio ident over the keyed transmitter, the PTT lamp and the images.
    s.form.type("InetTone", s.toneFile("ip.wav", 1.0));
    QTest::mouseClick(s.widget("Picture13"), Qt::LeftButton);
    s.station.raiseRX(true);
    s.run(200);
    EXPECT_EQ(frontAt(s, kIp), "Picture28");
    s.station.raiseRX(false);
    s.run(200);
    EXPECT_EQ(lamps(), "Picture21 Picture22 Picture23 Picture29 Picture4 ");
    EXPECT_TRUE(s.widget("Picture25")->isVisibleTo(s.widget("Frame7")));
    s.run(1500);
    EXPECT_EQ(lamps(), "Picture21 Picture22 Picture23 Picture24 Picture3 ");
}

TEST(MainWindow, PagesFollowTheIdentModeAndTheTimingsCommands) {
    Station s;
    // Until the supervisor's first tick both ident pages stand, Audio in front.
    EXPECT_EQ(frontAt(s, kPage), "Frame5");
    EXPECT_TRUE(shown(s, "Frame2"));
    s.run(100);
    EXPECT_EQ(frontAt(s, kPage), "Frame2");  // the pages made after it are hidden
    QTest::mouseClick(s.widget("Picture13"), Qt::LeftButton);
    EXPECT_TRUE(s.form.panel.Options.Option2);
    s.run(100);
    EXPECT_EQ(frontAt(s, kPage), "Frame5");
    EXPECT_FALSE(shown(s, "Frame2"));
    EXPECT_TRUE(shown(s, "V1"));
    QTest::mouseClick(s.widget("Picture18"), Qt::LeftButton);
    s.run(100);
    EXPECT_EQ(frontAt(s, kPage), "Frame2");

    // The Timings page covers the ident page until Save and exit.
    QTest::mouseClick(s.widget("Command17"), Qt::LeftButton);
    EXPECT_EQ(frontAt(s, kPage), "Frame6");
    EXPECT_TRUE(shown(s, "HangTime"));
    s.run(300);
    EXPECT_EQ(frontAt(s, kPage), "Frame6");
    QTest::mouseClick(s.widget("Command16"), Qt::LeftButton);
    EXPECT_EQ(frontAt(s, kPage), "Frame2");
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

TEST(MainWindow, ADraggedVolumeThumbActsWhenLetGo) {
    Station s;
    auto* v1 = static_cast<QScrollBar*>(s.widget("V1"));
    const int before = s.form.panel.V1.value;
    v1->setSliderDown(true);
    v1->setSliderPosition(-2500);
    v1->setSliderPosition(-1000);
    EXPECT_EQ(s.form.panel.V1.value, before) << "nothing changes while the thumb is held";
    v1->setSliderDown(false);
    EXPECT_EQ(s.form.panel.V1.value, -1000);
    EXPECT_EQ(s.form.panel.VolSet.text, "-1000");
    v1->triggerAction(QAbstractSlider::SliderPageStepSub);  // a page click acts at once
    EXPECT_EQ(s.form.panel.V1.value, -1050);
}

TEST(MainWindow, UseAndStopSwapInFrontOfEachOther) {
    Station s;  // the add-on starts on
    EXPECT_EQ(frontAt(s, kUseStop), "Command14");  // before the first tick both stand
    s.run(100);
    EXPECT_EQ(frontAt(s, kUseStop), "Command15");
    QTest::mouseClick(s.widget("Command15"), Qt::LeftButton);
    EXPECT_EQ(s.form.panel.Check1.value, 0);
    s.run(100);
    EXPECT_EQ(frontAt(s, kUseStop), "Command14");
    EXPECT_FALSE(shown(s, "Command15"));
    QTest::mouseClick(s.widget("Command14"), Qt::LeftButton);
    s.run(100);
    EXPECT_EQ(frontAt(s, kUseStop), "Command15");
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
    std::map<std::string, QString> tips;
    for (int tick = 0; tick < 8; ++tick) {
        s.run(100);
        QCoreApplication::processEvents();
        tips[antennaFrames(s)] = antenna->toolTip();
    }
    EXPECT_EQ(own.paints, 8) << "one paint for each frame shown";
    EXPECT_EQ(others.paints, 0) << "a new frame repaints nothing else of the window";
    EXPECT_EQ(antenna->svgRenders(), 4) << "each frame drawn from its SVG once, then kept";
    EXPECT_EQ(tips, (std::map<std::string, QString>{{"Ant0", ""},
                                                    {"Ant1", "System Active"},
                                                    {"Ant2", "System Active"},
                                                    {"Ant3", "System Active"}}));
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
    static_cast<QScrollBar*>(s.widget("V1"))->setValue(-600);
    EXPECT_EQ(s.form.panel.V1.value, -600);
    EXPECT_EQ(s.form.panel.VolSet.text, "-600");
    // What the program writes shows: into a field, and on the bar.
    s.form.run([&] {
        s.form.panel.RFTone.setText("/tones/rf.wav");
        s.form.panel.V1.setValue(-1200);
    });
    EXPECT_EQ(static_cast<QLineEdit*>(s.widget("RFTone"))->text().toStdString(), "/tones/rf.wav");
    EXPECT_EQ(static_cast<QScrollBar*>(s.widget("V1"))->value(), -1200);
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

TEST(MainWindow, TheAboutWindowOpensOnceAndLoadsAgainAfterClosing) {
    Station s;
    const std::string caption = "Tailchime    N0CALL-L   v2.0.1";
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    AboutWindow* about = s.desktop.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->windowFlags() & Qt::Tool);
    EXPECT_EQ(about->size(), QSize(440, 463));
    EXPECT_EQ(about->windowTitle().toStdString(), caption);
    auto labels = about->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->text() == caption.c_str(); }));
    EXPECT_TRUE(s.window.isEnabled());  // modeless

    // Shown again while open: the same window, its texts as they were.
    s.station.setCallsign("N0NEW-R");
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    EXPECT_EQ(s.desktop.aboutWindow(), about);
    EXPECT_EQ(about->windowTitle().toStdString(), caption);
    // Closed and opened again, it loads afresh.
    about->close();
    QTest::mouseClick(s.widget("Command12"), Qt::LeftButton);
    EXPECT_EQ(s.desktop.aboutWindow(), about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle().toStdString(), "Tailchime    N0NEW-R   v2.0.1");
}

}  // namespace
}  // namespace tc::test
