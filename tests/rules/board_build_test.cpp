// init and Form_Load: the board a fresh window shows, and what survives a rebuild.
#include <gtest/gtest.h>

#include <cmath>

#include "rules/init.h"
#include "tests/support/session.h"

namespace worm::testing {
namespace {

TEST(BoardBuild, initShowsExactlyTheWallAndHidesTheCentre)
{
    ScriptedSession t;
    Game& game = t.session.game();
    init(game);
    ASSERT_EQ(t.form().cellCount(), 2501);
    EXPECT_FALSE(t.form().visible(0));
    for (int k = 1; k <= 2500; ++k) {
        EXPECT_EQ(t.form().visible(k), isWall(k)) << "cell " << k;
    }
    EXPECT_EQ(visibleCells(t.form()), 196);
    EXPECT_EQ(cellsOfColour(t.form(), colours::wall), 196);
    EXPECT_FALSE(t.form().visible(1225));
    EXPECT_EQ(t.state().headx, 25);
    EXPECT_EQ(t.state().heady, 25);
    EXPECT_EQ(t.random->reseeds, 1);
}

TEST(BoardBuild, cellsTileTheBoardAtTheRoundedSize)
{
    ScriptedSession t; // 15 twips a pixel: 140.4 twips round to 9 pixels, 135 twips
    init(t.session.game());
    const FormModel& f = t.form();
    EXPECT_EQ(f.width(0), 135);
    EXPECT_EQ(f.height(0), 135);
    for (int i = 1; i <= 50; ++i) {
        for (int j = 1; j <= 50; ++j) {
            const CellRecord& c = f.cell(j + 50 * (i - 1));
            ASSERT_EQ(c.left, (j - 1) * 135.0);
            ASSERT_EQ(c.top, (i - 1) * 135.0);
            ASSERT_EQ(c.width, 135);
            ASSERT_EQ(c.height, 135);
        }
    }
    // The inner area is the board, 50 cells square.
    EXPECT_EQ(f.innerWidth(), 50 * 135.0);
    EXPECT_EQ(f.innerHeight(), 50 * 135.0);
}

TEST(BoardBuild, withoutPixelRoundingTheCellIs140point4Twips)
{
    ScriptedRandom random;
    FormModel form(1e-5); // pixels so fine that rounding changes nothing measurable
    Game game{form, random};
    init(game);
    EXPECT_NEAR(form.width(0), 140.4, 1e-6);
    EXPECT_NEAR(form.innerWidth() + 100, 7120, 1e-6);
    EXPECT_NEAR(form.innerHeight() + 400, 7420, 1e-6);
}

TEST(BoardBuild, aPlaceBeyondTwoBillionPixelsIsHeldAtTheEdge)
{
    ScriptedSession t;
    FormModel& f = t.form();
    f.setLeft(0, 1e300);
    f.setTop(0, -1e300);
    f.setWidth(0, std::nan(""));
    EXPECT_EQ(f.cell(0).left, 2147483647 * 15.0);
    EXPECT_EQ(f.cell(0).top, -2147483647 * 15.0);
    EXPECT_EQ(f.width(0), 15); // never rounded away to nothing
}

TEST(BoardBuild, gameOverButtonIsCentredAndBothButtonsHidden)
{
    ScriptedSession t;
    t.session.load();
    const ButtonRecord& g = t.form().button(Button::gameover);
    const ButtonRecord& p = t.form().button(Button::pause);
    EXPECT_DOUBLE_EQ(g.left, 6750 / 2.0 - 1095 / 2.0);
    EXPECT_DOUBLE_EQ(g.top, 6750 / 2.0 - 735 / 2.0);
    EXPECT_FALSE(g.visible);
    EXPECT_FALSE(p.visible);
    EXPECT_EQ(p.left, 3600);
    EXPECT_EQ(p.top, 3240);
    EXPECT_FALSE(t.session.ticking());
}

TEST(BoardBuild, scoreAndPointsCarryOverUnlessRestartingAndBestAlwaysDoes)
{
    ScriptedSession t;
    t.session.load();
    GameState& s = t.state();
    s.score = 700;
    s.best = 900;
    s.points = 650;
    s.direction = "left";
    t.random->queueFreshBoard(10, 10);
    t.form().unload();
    t.form().show(); // a level change's rebuild
    EXPECT_TRUE(t.random->scriptUsed());
    EXPECT_EQ(s.score, 701);
    EXPECT_EQ(s.points, 651);
    EXPECT_EQ(s.best, 900);
    EXPECT_EQ(s.direction, "");
    s.restarting = true;
    t.random->queueFreshBoard(25, 25); // the first food lands on the head and is eaten at once
    t.form().unload();
    t.form().show(); // a new game
    EXPECT_TRUE(t.random->scriptUsed());
    EXPECT_FALSE(s.restarting);
    EXPECT_EQ(s.score, 101);
    EXPECT_EQ(s.points, 101);
    EXPECT_EQ(s.best, 900);
    EXPECT_EQ(cellsOfColour(t.form(), colours::mealObstacle), 1);
}

TEST(BoardBuild, initLeavesTheTrailAlone)
{
    ScriptedSession t;
    t.state().trail.set(4000, 77);
    init(t.session.game());
    EXPECT_EQ(t.state().trail.at(4000), 77);
}

} // namespace
} // namespace worm::testing
