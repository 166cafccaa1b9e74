#include <gtest/gtest.h>

#include "ui/qt/ScreenPlacement.h"

namespace tc {
namespace {

TEST(ScreenPlacement, AWindowStaysWhereItCanBeGrabbedOrComesBackWholeOnTheNearestScreen) {
    const QSize frame(344, 310);
    const QList<QRect> two{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}, one{QRect(0, 0, 1920, 1080)};
    struct Case {
        QPoint was;
        QList<QRect> screens;
        QPoint placed;
    };
    for (const Case& c : {
             Case{{20, 20}, two, {20, 20}}, Case{{2500, 300}, two, {2500, 300}},
             Case{{-200, 900}, two, {-200, 900}}, Case{{3100, 10}, two, {3100, 10}},  // title bar still in reach
             Case{{5000, 400}, two, {3200 - 344, 400}},                               // a monitor that is gone
             Case{{100, -900}, two, {100, 0}}, Case{{-60000, 60000}, two, {0, 1080 - 310}},
             Case{{1900, 1075}, one, {1920 - 344, 1080 - 310}},  // a sliver of title bar is not enough
             Case{{900, 900}, {QRect(0, 0, 320, 240)}, {0, 0}},  // a tiny screen keeps the title bar
             Case{{900, 900}, {}, {900, 900}},
         })
        EXPECT_EQ(placeOnScreen(c.was, frame, c.screens), c.placed) << c.was.x() << "," << c.was.y();
}

}  // namespace
}  // namespace tc
