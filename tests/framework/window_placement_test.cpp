// Where dialogs and message boxes open among several monitors.
#include <gtest/gtest.h>

#include <vector>

#include "core/window_placement.h"

namespace {
// A monitor with a 40-pixel task bar along its bottom.
DisplayMonitor monitorAt(int left, int top, int width, int height) {
    return {{left, top, left + width, top + height}, {left, top, left + width, top + height - 40}};
}

ScreenPoint place(int width, int height, const ScreenRect& owner,
                  const std::vector<DisplayMonitor>& monitors) {
    return placeCentred(width, height, &owner, monitors.data(), monitors.size());
}

void expectAt(ScreenPoint at, int x, int y) {
    EXPECT_EQ(at.x, x);
    EXPECT_EQ(at.y, y);
}
} // namespace

TEST(WindowPlacement, TheMonitorOfAWindowIsTheOneItOverlapsMostElseTheNearest) {
    // Primary 1920x1080; a 1280x1024 monitor to its left; a third above the primary.
    std::vector<DisplayMonitor> monitors = {monitorAt(0, 0, 1920, 1080),
                                            monitorAt(-1280, 0, 1280, 1024),
                                            monitorAt(0, -1080, 1920, 1080)};
    EXPECT_EQ(monitorOf({-900, 100, -500, 400}, monitors.data(), 3), 1u);
    EXPECT_EQ(monitorOf({-300, 100, 100, 400}, monitors.data(), 3), 1u); // mostly left
    EXPECT_EQ(monitorOf({-100, 100, 300, 400}, monitors.data(), 3), 0u); // mostly primary
    EXPECT_EQ(monitorOf({100, -300, 400, 100}, monitors.data(), 3), 2u); // mostly above
    // Off every monitor (a window dragged away): the nearest one.
    EXPECT_EQ(monitorOf({-3000, 200, -2800, 300}, monitors.data(), 3), 1u);
    EXPECT_EQ(monitorOf({300, -3000, 500, -2900}, monitors.data(), 3), 2u);
    EXPECT_EQ(monitorOf({2500, 500, 2600, 600}, monitors.data(), 3), 0u);
}

TEST(WindowPlacement, ABoxIsCentredOnItsOwnerOnTheOwnersMonitor) {
    std::vector<DisplayMonitor> sideBySide = {monitorAt(0, 0, 1920, 1080),
                                              monitorAt(1920, 0, 2560, 1440)};
    // The owner in the middle of the second monitor: the box over it, not on the primary.
    expectAt(place(300, 100, {2900, 500, 3400, 800}, sideBySide), 3000, 600);

    std::vector<DisplayMonitor> leftAndAbove = {monitorAt(0, 0, 1920, 1080),
                                                monitorAt(-1920, -200, 1920, 1080),
                                                monitorAt(0, -1080, 1920, 1080)};
    expectAt(place(300, 100, {-1500, 100, -1000, 400}, leftAndAbove), -1400, 200);
    expectAt(place(300, 100, {500, -700, 1000, -400}, leftAndAbove), 600, -600);
}

TEST(WindowPlacement, ABoxStaysInsideTheWorkAreaOfItsOwnersMonitor) {
    std::vector<DisplayMonitor> monitors = {monitorAt(0, 0, 1920, 1080),
                                            monitorAt(-1280, -100, 1280, 1024),
                                            monitorAt(1920, 0, 1920, 1080)};
    // An owner at the left edge of the left monitor: the box is pushed right, onto that monitor,
    // not across onto its neighbour.
    expectAt(place(400, 200, {-1290, 300, -1090, 400}, monitors), -1280, 250);
    // An owner at the inner edge: the box stays on the owner's monitor.
    expectAt(place(400, 200, {-150, 300, 10, 400}, monitors), -400, 250);
    // An owner low on the right monitor: above its task bar.
    expectAt(place(400, 200, {2500, 950, 2700, 1080}, monitors), 2400, 840);
    // Too large for the work area: the caption stays visible.
    expectAt(place(2000, 1200, {2500, 400, 2700, 600}, monitors), 1920, 0);
}

TEST(WindowPlacement, ABoxWithoutAnOwnerOpensOnThePrimaryMonitor) {
    std::vector<DisplayMonitor> monitors = {monitorAt(0, 0, 1920, 1080),
                                            monitorAt(-2560, 0, 2560, 1440)};
    ScreenPoint at = placeCentred(400, 200, nullptr, monitors.data(), monitors.size());
    expectAt(at, 760, 420);
}
