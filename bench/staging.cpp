// Staging: a loop the worm follows round the board, and a saved mid-game to start from.
#include "bench/staging.h"

#include <stdexcept>

#include "window/handlers.h"

namespace worm::bench {
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

SeededRandom* makeRandom()
{
    return new SeededRandom([] { return fixedSeed; });
}

} // namespace

int steer(GameSession& session)
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
    : random_(makeRandom()), session_(std::unique_ptr<RandomSource>(random_)),
      savedRandom_([] { return fixedSeed; })
{
    session_.load();
    for (int n = 0; n < ticksToPlay || !session_.state().foodshown; ++n) {
        steer(session_);
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

bool StagedGame::putFoodAhead()
{
    GameState& s = session_.state();
    FormModel& form = session_.form();
    steer(session_);
    auto x = s.headx;
    auto y = s.heady;
    if (s.direction == "up")
        --y;
    if (s.direction == "down")
        ++y;
    if (s.direction == "left")
        --x;
    if (s.direction == "right")
        ++x;
    const int next = static_cast<int>(cellNumber(x, y, s.cols));
    if (!form.exists(next) || form.visible(next)) {
        return false;
    }
    if (s.foodshown) {
        form.setVisible(s.foodcell, false);
    }
    form.setFillColour(next, colours::food);
    form.setVisible(next, true);
    s.foodcell = next;
    s.foodshown = true;
    form.damage().clear();
    return true;
}

void StagedGame::stageLevelChange()
{
    if (!putFoodAhead()) {
        throw std::logic_error("the cell ahead of the staged head is not free");
    }
    session_.state().points = 4950;
}

// Cells the worm covers: the trail from just past the tail up to the head.
int StagedGame::wormLength() const
{
    const GameState& s = session_.state();
    const int span = s.headpos - s.tailpos;
    return span >= 0 ? span : span + Trail::lastPosition;
}

} // namespace worm::bench
