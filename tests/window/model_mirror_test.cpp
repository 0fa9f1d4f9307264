// ModelMirror: a front end hears of each change once, and of the rules' first error once.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/loaded_board.h"
#include "window/model_mirror.h"

namespace worm::testing {
namespace {

using MirrorTest = LoadedBoard;

TEST_F(MirrorTest, titleAndIntervalAreHandedOverOnlyWhenTheyChange)
{
    ModelMirror mirror;
    const std::string* title = mirror.newTitle(t.form());
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(*title, "Score:  1/ 1");
    EXPECT_EQ(mirror.newTitle(t.form()), nullptr);
    EXPECT_FALSE(mirror.newInterval(t.form())); // the design value, 0, is what a timer starts at
    t.session.keyDown(38);
    EXPECT_EQ(mirror.newInterval(t.form()), 75);
    t.session.keyDown(37); // sets 75 again
    EXPECT_FALSE(mirror.newInterval(t.form()));
    EXPECT_EQ(mirror.interval(), 75);
}

TEST_F(MirrorTest, aButtonIsDueWhenItsRecordOrTheLayoutChanges)
{
    ModelMirror mirror;
    EXPECT_TRUE(mirror.buttonDue(t.form(), Button::pause)); // never placed
    EXPECT_FALSE(mirror.buttonDue(t.form(), Button::pause));
    t.session.keyDown(80); // P shows it
    EXPECT_TRUE(mirror.buttonDue(t.form(), Button::pause));
    EXPECT_FALSE(mirror.buttonDue(t.form(), Button::pause));
    mirror.layoutChanged();
    EXPECT_TRUE(mirror.buttonDue(t.form(), Button::pause));
    EXPECT_TRUE(mirror.buttonDue(t.form(), Button::gameover));
}

TEST(Mirror, theFirstErrorIsReportedOnceAndEndsEveryLaterEvent)
{
    ModelMirror mirror;
    int reports = 0, handled = 0;
    const auto report = [&](const char* what) {
        ++reports;
        EXPECT_STREQ(what, "points overflowed");
    };
    EXPECT_TRUE(mirror.run([&] { ++handled; }, report));
    EXPECT_FALSE(mirror.run([] { throw std::overflow_error("points overflowed"); }, report));
    EXPECT_FALSE(mirror.run([&] { ++handled; }, report));
    EXPECT_TRUE(mirror.failed());
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(handled, 1);
}

} // namespace
} // namespace worm::testing
