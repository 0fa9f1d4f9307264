// SwipeReader: a finger's path becomes arrows as it goes, once per new direction, and a tap the
// space bar's code.
#include <gtest/gtest.h>

#include <optional>

#include "window/handlers.h"
#include "window/input/swipe_reader.h"

namespace worm::testing {
namespace {

using Key = std::optional<std::int16_t>;

TEST(SwipeReader, turnsAsSoonAsTheFingerHasTravelledAndOncePerNewDirection)
{
    SwipeReader r(16);
    r.press({100, 100, 0});
    EXPECT_EQ(r.move({110, 103, 10}), Key()) << "not far enough yet";
    EXPECT_EQ(r.move({117, 105, 20}), Key(keys::right)) << "sent before the lift";
    EXPECT_EQ(r.move({140, 106, 30}), Key()) << "still right: nothing more";
    EXPECT_EQ(r.move({142, 130, 40}), Key(keys::down)) << "a finger that keeps moving turns again";
    EXPECT_EQ(r.move({118, 131, 50}), Key(keys::left));
    EXPECT_EQ(r.move({117, 105, 60}), Key(keys::up));
    EXPECT_EQ(r.lift({117, 104, 70}), Key()) << "a swipe's lift is no tap";
    r.press({0, 0, 100});
    EXPECT_EQ(r.move({-20, 30, 110}), Key(keys::down)) << "the main axis names the arrow";
    EXPECT_EQ(r.move({-20, 60, 120}), Key());
    r.press({0, 0, 200});
    EXPECT_EQ(r.move({0, 40, 210}), Key(keys::down)) << "a new press starts afresh, even the same way";
}

TEST(SwipeReader, aQuickFlickTurnsAtTheLift)
{
    SwipeReader r(16);
    r.press({50, 50, 0});
    EXPECT_EQ(r.lift({10, 52, 40}), Key(keys::left));
}

TEST(SwipeReader, onlyAStillShortPressIsATap)
{
    SwipeReader r(16, 400);
    r.press({50, 50, 0});
    EXPECT_EQ(r.lift({55, 47, 120}), Key(keys::space));
    EXPECT_NE(keys::space, keys::p);
    r.press({50, 50, 0});
    EXPECT_EQ(r.lift({50, 50, 900}), Key()) << "a finger resting on the board";
    r.press({50, 50, 0});
    r.cancel();
    EXPECT_EQ(r.lift({50, 50, 10}), Key()) << "a cancelled touch";
    EXPECT_EQ(r.move({90, 50, 20}), Key()) << "no finger down";
}

} // namespace
} // namespace worm::testing
