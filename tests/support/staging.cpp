// Staging: food, obstacles and level changes put in place, and the fixed-seed mid-game.
#include "tests/support/staging.h"

#include "window/handlers.h"

namespace worm::testing {
namespace {

constexpr int loopLow = 5;
constexpr int loopHigh = 45;

// The heading that keeps the head on the square loop, clockwise; off the loop, head for it.
std::int16_t loopKey(const GameState& s)
{
    const auto x = s.headx;
    const auto y = s.heady;
    if (y == loopLow && x < loopHigh) {
        return keys::right;
    }
    if (x == loopHigh && y < loopHigh) {
        return keys::down;
    }
    if (y == loopHigh && x > loopLow) {
        return keys::left;
    }
    if (x == loopLow && y > loopLow) {
        return keys::up;
    }
    return keys::up;
}

const char* headingOf(std::int16_t key)
{
    switch (key) {
    case keys::right:
        return "right";
    case keys::down:
        return "down";
    case keys::left:
        return "left";
    default:
        return "up";
    }
}

} // namespace

void stageFood(GameSession& session, int cell)
{
    GameState& s = session.state();
    FormModel& form = session.form();
    if (s.foodshown && s.foodcell != cell) {
        form.setVisible(s.foodcell, false);
    }
    form.setFillColour(cell, colours::food);
    form.setVisible(cell, true);
    s.foodshown = true;
    s.foodcell = cell;
}

void stageObstacle(GameSession& session, int cell, Colour colour)
{
    session.form().setFillColour(cell, colour);
    session.form().setVisible(cell, true);
}

int cellAhead(const GameState& s)
{
    auto x = s.headx;
    auto y = s.heady;
    if (s.direction == "down") {
        ++y;
    } else if (s.direction == "left") {
        --x;
    } else if (s.direction == "right") {
        ++x;
    } else {
        --y;
    }
    return static_cast<int>(cellNumber(x, y, s.cols));
}

bool putFoodAhead(GameSession& session)
{
    const int next = cellAhead(session.state());
    if (!session.form().exists(next) || next == 0 || session.form().visible(next)) {
        return false;
    }
    stageFood(session, next);
    return true;
}

void stageLevelChange(GameSession& session)
{
    stageFood(session, cellAhead(session.state()));
    session.state().points = 5000;
}

int steerRound(GameSession& session)
{
    const std::int16_t key = loopKey(session.state());
    int pressed = 0;
    if (session.state().direction != headingOf(key)) {
        session.keyDown(key);
        ++pressed;
    }
    if (!session.ticking()) {
        session.keyDown(key); // a collision stopped the ticks: any key resumes them
        ++pressed;
    }
    return pressed;
}

StagedGame::StagedGame(int ticksToPlay)
    : random_(new SeededRandom([] { return seed; })), session_(std::unique_ptr<RandomSource>(random_)),
      savedRandom_([] { return seed; })
{
    session_.load();
    for (int n = 0; n < ticksToPlay || !session_.state().foodshown; ++n) {
        steerRound(session_);
        session_.tick();
    }
    session_.form().damage().clear();
    save();
}

void StagedGame::save()
{
    savedForm_ = session_.form();
    savedState_ = session_.state();
    savedRandom_ = *random_;
}

void StagedGame::restore()
{
    session_.form() = savedForm_;
    session_.state() = savedState_;
    *random_ = savedRandom_;
}

int StagedGame::wormLength() const
{
    const GameState& s = session_.state();
    const int span = s.headpos - s.tailpos;
    return span >= 0 ? span : span + Trail::lastPosition;
}

} // namespace worm::testing
