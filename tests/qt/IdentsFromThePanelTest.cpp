// The test buttons of both ident pages, clicked in the window, are idents
// the station tells its followers (the history, the page) of.
#include <QTest>
#include <gtest/gtest.h>

#include "qt/Station.h"

namespace tc::test {
namespace {

TEST(IdentsFromThePanel, EachTestButtonIsAnIdentAskedByThePanel) {
    Station s;
    s.form.type("RFTone", s.toneFile("rf.wav", 0.3));
    std::vector<std::string> idents;
    auto following = s.form.events.subscribe([&idents](const StationEvent& e, std::int64_t) {
        if (auto* i = std::get_if<event::IdentStarted>(&e))
            idents.push_back(std::string(i->ident.audio ? "audio " : "cw ") + i->ident.what.substr(
                                 i->ident.what.rfind('/') + 1) + " by " + askerName(i->ident.asker));
    });
    QTest::mouseClick(s.widget("Picture13"), Qt::LeftButton);
    QTest::mouseClick(s.widget("Command7"), Qt::LeftButton);
    s.run(1000);
    QTest::mouseClick(s.widget("Picture18"), Qt::LeftButton);
    QTest::mouseClick(s.widget("Command10"), Qt::LeftButton);
    s.run(1000);
    QTest::mouseClick(s.widget("Command11"), Qt::LeftButton);
    EXPECT_EQ(idents, std::vector<std::string>({"audio rf.wav by panel", "cw K by panel", "cw I by panel"}));
}

}  // namespace
}  // namespace tc::test
