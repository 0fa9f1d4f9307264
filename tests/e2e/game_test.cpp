// GameTest: the server outlives the cases of one binary; each case's game dies with the case.
#include "tests/e2e/game_test.h"

#include <sys/wait.h>

#include <algorithm>
#include <iterator>

namespace worm::e2e {

std::unique_ptr<XServer> GameTest::server_;
std::unique_ptr<XClient> GameTest::x_;
std::string GameTest::setupError_;

void GameTest::SetUpTestSuite()
{
    try {
        server_ = std::make_unique<XServer>();
        x_ = std::make_unique<XClient>(*server_);
    } catch (const std::exception& e) {
        setupError_ = e.what();
        x_.reset();
        server_.reset();
    }
}

void GameTest::TearDownTestSuite()
{
    x_.reset();
    server_.reset();
}

void GameTest::SetUp()
{
    ASSERT_TRUE(x_) << setupError_;
    game_ = std::make_unique<RunningGame>(*server_, *x_, program_, environment_);
    const auto b = game_->steadyBoard();
    ASSERT_TRUE(b) << "no board on the screen";
    first_ = *b;
    const auto s = game_->score();
    ASSERT_TRUE(s) << "title: " << game_->title().value_or("<none>");
    firstScore_ = *s;
}

void GameTest::TearDown() { game_.reset(); }

int GameTest::pauseOnlyCovered(const Board& b)
{
    const PixelBox pause = game().pauseButton(), gameover = game().gameoverButton();
    int n = 0;
    for (const Pos p : b.where(Cell::other)) {
        const int x = b.centreX(p), y = b.centreY(p);
        n += pause.contains(x, y) && !gameover.contains(x, y) ? 1 : 0;
    }
    return n;
}

Heading crashHeading(const Board& b)
{
    const auto rank = [&](Heading h) {
        const Pos end = step(centre, h, clearRun(b, h) + 1);
        return b.at(end) == Cell::food ? -1 : (onWall(end) ? boardCells : 0) + clearRun(b, h);
    };
    return *std::max_element(std::begin(headings), std::end(headings),
                             [&](Heading l, Heading r) { return rank(l) < rank(r); });
}

::testing::AssertionResult isFreshBoard(const Board& b)
{
    auto failure = [&](const std::string& what) {
        return ::testing::AssertionFailure() << what << "\n" << b.picture();
    };
    for (int y = 1; y <= boardCells; ++y) {
        for (int x = 1; x <= boardCells; ++x) {
            if ((b.at({x, y}) == Cell::red) != onWall({x, y})) {
                return failure("wall wrong at " + std::to_string(x) + "," + std::to_string(y));
            }
        }
    }
    if (b.count(Cell::red) != 196) {
        return failure("red cells: " + std::to_string(b.count(Cell::red)));
    }
    if (b.count(Cell::obstacle) != 50) {
        return failure("obstacles: " + std::to_string(b.count(Cell::obstacle)));
    }
    if (b.count(Cell::head) != 1 || b.at(centre) != Cell::head) {
        return failure("the head is not alone at the centre");
    }
    if (b.count(Cell::food) + b.count(Cell::mealObstacle) != 1) {
        return failure("want one food or one blue obstacle");
    }
    if (b.count(Cell::body) != 0 || b.count(Cell::other) != 0) {
        return failure("body or a foreign colour on a new board");
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult endsWithStatusZero(ChildProcess& game, std::chrono::milliseconds timeout)
{
    const auto status = game.waitExit(timeout);
    if (!status) {
        return ::testing::AssertionFailure() << "still running " << timeout.count() << " ms later";
    }
    if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
        return ::testing::AssertionFailure() << "ended with wait status " << *status;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult isFirstTickScore(const Board& b, const Score& s)
{
    const long long want = b.count(Cell::food) == 1 ? 1 : 101;
    if (s.score != want) {
        return ::testing::AssertionFailure() << "score " << s.score << ", want " << want;
    }
    return ::testing::AssertionSuccess();
}

} // namespace worm::e2e
