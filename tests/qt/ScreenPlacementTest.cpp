#include <gtest/gtest.h>

#include "ui/qt/ScreenPlacement.h"

namespace tc {
namespace {

const QSize kFrame(344, 310);
const QList<QRect> kTwoScreens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};

TEST(ScreenPlacement, AWindowThatCanBeGrabbedStaysWhereItWas) {
    EXPECT_EQ(placeOnScreen({20, 20}, kFrame, kTwoScreens), QPoint(20, 20));
    EXPECT_EQ(placeOnScreen({2500, 300}, kFrame, kTwoScreens), QPoint(2500, 300));
    // Partly off the edge, its title bar still in reach.
    EXPECT_EQ(placeOnScreen({-200, 900}, kFrame, kTwoScreens), QPoint(-200, 900));
    EXPECT_EQ(placeOnScreen({3100, 10}, kFrame, kTwoScreens), QPoint(3100, 10));
}

TEST(ScreenPlacement, AWindowOffEveryScreenComesBackWholeOnTheNearest) {
    // A monitor that is gone: right of the second screen.
    EXPECT_EQ(placeOnScreen({5000, 400}, kFrame, kTwoScreens), QPoint(3200 - 344, 400));
    // Above the first screen, and far to the left.
    EXPECT_EQ(placeOnScreen({100, -900}, kFrame, kTwoScreens), QPoint(100, 0));
    EXPECT_EQ(placeOnScreen({-60000, 60000}, kFrame, kTwoScreens), QPoint(0, 1080 - 310));
    // Only a sliver of the title bar showing is not enough.
    EXPECT_EQ(placeOnScreen({1900, 1075}, kFrame, {QRect(0, 0, 1920, 1080)}), QPoint(1920 - 344, 1080 - 310));
}

TEST(ScreenPlacement, ATinyScreenKeepsTheTitleBar) {
    EXPECT_EQ(placeOnScreen({900, 900}, kFrame, {QRect(0, 0, 320, 240)}), QPoint(0, 0));
    EXPECT_EQ(placeOnScreen({900, 900}, kFrame, {}), QPoint(900, 900));
}

}  // namespace
}  // namespace tc
