// Cell numbering, the trail ring and the checked level progress.
#include <gtest/gtest.h>

#include "rules/game_state.h"
#include "rules/tick.h"

namespace worm {
namespace {

TEST(CellNumber, countsRowMajorFromTheTopLeft)
{
    EXPECT_EQ(cellNumber(1, 1, 50), 1);
    EXPECT_EQ(cellNumber(50, 1, 50), 50);
    EXPECT_EQ(cellNumber(1, 2, 50), 51);
    EXPECT_EQ(cellNumber(25, 25, 50), 1225);
    EXPECT_EQ(cellNumber(1, 50, 50), 2451);
    EXPECT_EQ(cellNumber(50, 50, 50), 2500);
}

TEST(CellNumber, numbersOffTheBoardNameNoCell)
{
    GameState s;
    s.rows = 50;
    s.cols = 50;
    EXPECT_EQ(boardCell(1, s), 1);
    EXPECT_EQ(boardCell(2500, s), 2500);
    EXPECT_EQ(boardCell(0, s), noCell); // the template is not a board cell
    EXPECT_EQ(boardCell(2501, s), noCell);
    EXPECT_EQ(boardCell(-49, s), noCell);
    EXPECT_EQ(boardCell(cellNumber(3, 1'000'000, 50), s), noCell); // no 16-bit wrap back on
    EXPECT_EQ(boardCell(cellNumber(0, 5, 50), s), 200);            // past column 1: row above
}

TEST(Trail, advanceWrapsFrom5000ToOneNeverZero)
{
    EXPECT_EQ(Trail::advance(0), 1);
    EXPECT_EQ(Trail::advance(4999), 5000);
    EXPECT_EQ(Trail::advance(5000), 1);
}

TEST(Trail, positionsOutsideTheRingAreAnError)
{
    Trail t;
    EXPECT_EQ(t.at(0), 0);
    t.set(5000, 1225);
    EXPECT_EQ(t.at(5000), 1225);
    EXPECT_THROW(t.at(5001), RuleError);
    EXPECT_THROW(t.set(-1, 1), RuleError);
}

TEST(Points, overflowIsAnErrorNotAWrap)
{
    EXPECT_EQ(addPoints(4999, 1), 5000);
    EXPECT_EQ(addPoints(INT32_MAX - 100, 100), INT32_MAX);
    EXPECT_THROW(addPoints(INT32_MAX, 1), RuleError);
    EXPECT_THROW(addPoints(INT32_MAX - 99, 100), RuleError);
}

TEST(ScoreLine, putsASignSpaceBeforeEachNumber)
{
    EXPECT_EQ(ScoreLine(12, 340).text(), "Score:  12/ 340");
    EXPECT_EQ(ScoreLine(1, 1).text(), "Score:  1/ 1");
    EXPECT_EQ(ScoreLine(0, 0).text(), "Score:  0/ 0");
    EXPECT_EQ(ScoreLine(INT64_MAX, INT64_MAX).text(), "Score:  9223372036854775807/ 9223372036854775807");
}

} // namespace
} // namespace worm
