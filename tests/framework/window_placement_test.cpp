// Where dialogs and message boxes open among several monitors.
#include <gtest/gtest.h>

#include "core/window_placement.h"

namespace {
// A monitor with a 40-pixel task bar along its bottom.
DisplayMonitor monitorAt(int left, int top, int width, int height) {
    return {{left, top, left + width, top + height}, {left, top, left + width, top + height - 40}};
}
// The primary; a smaller one to its left and a little higher; a third above the primary.
const DisplayMonitor kMonitors[] = {monitorAt(0, 0, 1920, 1080), monitorAt(-1280, -100, 1280, 1024),
                                    monitorAt(0, -1440, 2560, 1440)};
} // namespace

TEST(WindowPlacement, ABoxIsCentredOnItsOwnerInsideTheWorkAreaOfTheOwnersMonitor) {
    struct Case {
        int width, height;
        PixelRect owner;
        int x, y;
    } cases[] = {
        {300, 100, {-1000, 100, -500, 400}, -900, 200},   // on the left monitor, not the primary
        {300, 100, {500, -700, 1000, -400}, 600, -600},   // on the one above
        {400, 200, {-1290, 300, -1090, 400}, -1280, 250}, // pushed right, onto the owner's monitor
        {400, 200, {-150, 300, 10, 400}, -400, 250},      // pushed left, not across the edge
        {400, 200, {1500, 950, 1700, 1080}, 1400, 840},   // above the task bar
        {2000, 1200, {500, 400, 700, 600}, 0, 0},         // too large: the caption stays visible
        {300, 100, {-3000, 200, -2800, 300}, -1280, 200}, // off every monitor: the nearest one's
        {300, 100, {2700, 900, 2800, 1000}, 1620, 900},
    };
    for (const Case& c : cases) {
        ScreenPoint at = placeCentred(c.width, c.height, &c.owner, kMonitors, 3);
        EXPECT_EQ(at.x, c.x) << c.owner.left << "," << c.owner.top;
        EXPECT_EQ(at.y, c.y) << c.owner.left << "," << c.owner.top;
    }
    ScreenPoint unowned = placeCentred(400, 200, nullptr, kMonitors, 3); // the primary's centre
    EXPECT_EQ(unowned.x, 760);
    EXPECT_EQ(unowned.y, 420);
}
