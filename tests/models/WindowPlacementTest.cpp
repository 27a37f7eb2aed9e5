#include "models/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

const QRect Screen(0, 0, 1600, 1000);
const QRect MainWindow(0, 0, 252, 331);
const QRect MainList(1, 50, 250, 260);
constexpr int RackWidth = 604;
constexpr int Head = 140;

QRect rackAt(QPoint p, int height = 700)
{
    return QRect(p, QSize(RackWidth, height));
}

QRect headOf(const QRect& rack)
{
    return QRect(rack.topLeft(), QSize(rack.width(), Head));
}

} // namespace

// Rack windows open one after another: beside the main window, beside each
// other, then below where a whole window still fits; on a smaller screen a
// rack may cover another's lower panels but never its caption and first
// panel; where nothing fits they cascade within the screen.
TEST(WindowPlacement, RackWindowsKeepTheListAndEveryCaptionInView)
{
    struct Case
    {
        const char* what;
        QRect screen;
        QList<QRect> racks;
        QPoint expected;
    };
    const QRect first = rackAt({252, 0});
    const QRect second = rackAt({856, 0});
    const Case cases[] = {
        {"the first, beside the main window", Screen, {}, {252, 0}},
        {"the second, beside the first", Screen, {first}, {856, 0}},
        {"the third, below the first, covering nothing", Screen, {first, second}, {0, 700}},
        {"a narrow screen: over the first's lower panels", QRect(0, 0, 1280, 800),
         {rackAt({252, 0}, 800)}, {251, Head}},
        {"a screen too small for any: cascaded within it", QRect(0, 0, 500, 300),
         {rackAt({0, 0}, 300), rackAt({30, 30}, 300)}, {0, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QList<QRect> whole{MainWindow}, heads{MainList};
        for (const QRect& r : c.racks) {
            whole << r;
            heads << headOf(r);
        }
        const QPoint p = PlaceRackWindow(c.screen, whole, heads, RackWidth, Head,
                                         int(c.racks.size()));
        EXPECT_EQ(p, c.expected);
        const QRect placed(p, QSize(RackWidth, Head));
        EXPECT_TRUE(c.screen.contains(placed.topLeft()));
        if (c.screen.width() >= RackWidth && c.screen.height() >= Head) {
            EXPECT_TRUE(c.screen.contains(placed));
        }
        if (c.screen == Screen || c.screen.width() == 1280) {
            for (const QRect& h : heads)
                EXPECT_FALSE(QRect(p, QPoint(p.x() + RackWidth - 1, c.screen.bottom())).intersects(h));
        }
    }
}

// A window with no place of its own opens beside its rack window, on the
// side where it fits, each further one a step down and right, and never
// beyond the screen.
TEST(WindowPlacement, ChildWindowsOpenBesideTheirRackWithinTheScreen)
{
    struct Case
    {
        const char* what;
        QRect rack;
        QSize size;
        int nth;
        QPoint expected;
    };
    const Case cases[] = {
        {"to the right", QRect(252, 0, 604, 700), {400, 300}, 0, {856, 0}},
        {"the next a step down", QRect(252, 0, 604, 700), {400, 300}, 2, {856, 60}},
        {"to the left", QRect(900, 100, 604, 700), {400, 300}, 0, {500, 100}},
        {"over it, no room either side", QRect(300, 0, 1000, 500), {500, 300}, 0, {330, 30}},
        {"held above the screen's foot", QRect(0, 800, 604, 200), {400, 300}, 0, {604, 700}},
        {"larger than the screen: its corner in view", QRect(0, 0, 604, 700), {2000, 1200}, 0,
         {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QPoint p = PlaceNearRack(Screen, c.rack, c.size, c.nth);
        EXPECT_EQ(p, c.expected);
        EXPECT_TRUE(Screen.contains(p));
        if (c.size.width() <= Screen.width() && c.size.height() <= Screen.height()) {
            EXPECT_TRUE(Screen.contains(QRect(p, c.size)));
        }
    }
}
