// BoardInvariants: the invariants of a running game, in terms of the state and the cells.
#include "tests/support/board_invariants.h"

#include <cstdio>

#include "rules/colour.h"
#include "window/handlers.h"

namespace worm::testing {
namespace {

constexpr int centre = 1225;

// The message is built only when something is wrong: checks run after every event.
template <typename Message> void require(bool ok, Message&& what)
{
    if (!ok) {
        throw InvariantBroken(what());
    }
}

} // namespace

bool isWall(int k)
{
    const int x = (k - 1) % 50 + 1;
    const int y = (k - 1) / 50 + 1;
    return x == 1 || x == 50 || y == 1 || y == 50;
}

BoardInvariants::BoardInvariants(GameSession& session, int fullCheckEvery)
    : session_(session), fullCheckEvery_(fullCheckEvery < 1 ? 1 : fullCheckEvery)
{
}

void BoardInvariants::attach()
{
    session_.form().setLoadHandler([this] {
        Form_Load(session_.game());
        boardLoaded();
    });
}

void BoardInvariants::boardLoaded()
{
    ++loads_;
    entered_.reset();
    obstacles_.reset();
    collided_ = false;
    const FormModel& f = session_.form();
    int count = 0;
    for (int k = 1; k < f.cellCount(); ++k) {
        if (f.cell(k).visible && f.cell(k).colour == colours::obstacle) {
            require(!isWall(k) && k != centre,
                    [&] { return std::string("an obstacle was built on the wall or the head's start"); });
            obstacles_.set(static_cast<std::size_t>(k));
            ++count;
        }
    }
    require(count == 50, [&] {
        return std::string("the board build placed " + std::to_string(count) + " obstacles, not 50");
    });
}

void BoardInvariants::afterEvent(Event e)
{
    const FormModel& f = session_.form();
    const GameState& s = session_.state();
    require(f.loaded() && f.cellCount() == cells,
            [&] { return std::string("the board is not loaded with its 2500 cells"); });
    checkCounters();
    checkTitle();
    if (e == Event::tick || loads_ != loadsChecked_) {
        checkScoreStep(e);
    }
    const bool rebuilt = loads_ != loadsChecked_;
    if (rebuilt) {
        checkFreshBoard(e);
        loadsChecked_ = loads_;
    }
    if (s.headcell != noCell) {
        entered_.set(static_cast<std::size_t>(s.headcell));
    }
    collided_ = collided_ || (e == Event::tick && session_.form().interval() == 0);
    wormKnown_ = false;
    Damage& damage = session_.form().damage();
    if (rebuilt || damage.everything() || ++events_ % static_cast<std::uint64_t>(fullCheckEvery_) == 0) {
        checkEveryCell();
    } else {
        for (const auto k : damage.cells()) {
            checkCell(k);
        }
    }
    damage.clear();
    score_ = s.score;
    best_ = s.best;
}

void BoardInvariants::finalCheck()
{
    checkEveryCell();
    checkTrail();
}

void BoardInvariants::checkCounters() const
{
    const GameState& s = session_.state();
    require(s.headpos >= 1 && s.headpos <= 5000,
            [&] { return std::string("headpos " + std::to_string(s.headpos) + " left 1 to 5000"); });
    require(s.tailpos >= 0 && s.tailpos <= 5000,
            [&] { return std::string("tailpos " + std::to_string(s.tailpos) + " left 0 to 5000"); });
    require(s.growcount >= 0 && s.growcount <= 249,
            [&] { return std::string("growcount " + std::to_string(s.growcount) + " left 0 to 249"); });
    require(s.score >= 0 && s.best >= s.score, [&] { return std::string("score and best out of order"); });
    require(s.best >= best_, [&] { return std::string("best went down"); });
    require(s.headcell == noCell || (s.headcell >= 1 && s.headcell <= 2500),
            [&] { return std::string("the head names no board cell"); });
    require(s.trail.at(s.headpos) == s.headcell,
            [&] { return std::string("the newest trail entry is not the head"); });
    require(!s.foodshown || (s.foodcell >= 1 && s.foodcell <= 2500),
            [&] { return std::string("shown food names no board cell"); });
    const std::int32_t interval = session_.form().interval();
    require(interval == 0 || interval == 75,
            [&] { return std::string("the timer runs at " + std::to_string(interval) + " ms"); });
    require(s.direction.empty() || s.direction == "up" || s.direction == "down" || s.direction == "left" ||
                s.direction == "right",
            [&] { return std::string("an unknown heading"); });
}

void BoardInvariants::checkTitle() const
{
    const GameState& s = session_.state();
    char expected[64];
    std::snprintf(expected, sizeof expected, "Score:  %lld/ %lld", static_cast<long long>(s.score),
                  static_cast<long long>(s.best));
    require(session_.form().title() == expected,
            [&] { return "title '" + session_.form().title() + "' is not '" + expected + "'"; });
}

// A tick adds 1, a meal 100 more, a level change's nested first tick 1 (and its own meal).
void BoardInvariants::checkScoreStep(Event e)
{
    const std::int64_t step = session_.state().score - score_;
    if (e == Event::gameoverClick || e == Event::load) {
        const std::int64_t score = session_.state().score;
        require(score == 1 || score == 101, [&] { return std::string("a new game did not start from 1"); });
        meals_ = score == 101 ? 1 : 0;
    } else if (loads_ != loadsChecked_) {
        require(step == 102 || step == 202,
                [&] { return std::string("a level change scored " + std::to_string(step)); });
        meals_ = step == 202 ? 1 : 0;
    } else {
        require(step == 1 || step == 101,
                [&] { return std::string("a tick scored " + std::to_string(step)); });
        meals_ += step == 101 ? 1 : 0;
    }
}

// Only Game Over and a meal's level change rebuild the board, once, and the handler that asked
// goes on against the new board without touching what it held of the old one.
void BoardInvariants::checkFreshBoard(Event e) const
{
    const FormModel& f = session_.form();
    const GameState& s = session_.state();
    require(loads_ == loadsChecked_ + 1,
            [&] { return std::string("one event loaded the window more than once"); });
    require(e == Event::load || e == Event::gameoverClick || e == Event::tick,
            [&] { return std::string("a key or Pause rebuilt the board"); });
    require(f.interval() == 0 && !f.button(Button::pause).visible && !f.button(Button::gameover).visible,
            [&] { return std::string("a fresh board is not waiting with its buttons hidden"); });
    require(s.direction.empty() && s.tailpos == 0,
            [&] { return std::string("a fresh board has a heading or a moved tail"); });
    if (e == Event::tick) {
        require(s.headpos == 2 && s.trail.at(1) == centre && s.trail.at(2) == centre,
                [&] { return std::string("the tick that changed level did not finish on the new board"); });
        const CellRecord& c = f.cell(centre);
        require(c.visible && c.colour == colours::body && c.shape == Shape::rectangle,
                [&] { return std::string("after a level change the centre is not the worm's green body"); });
    } else {
        require(s.headpos == 1 && s.trail.at(1) == centre,
                [&] { return std::string("a new board's first tick did not record the centre"); });
    }
}

void BoardInvariants::checkCell(int k) const
{
    const CellRecord& c = session_.form().cell(k);
    if (k == 0) {
        require(!c.visible, [&] { return std::string("the template cell is visible"); });
        return;
    }
    if (!c.visible) {
        return;
    }
    const GameState& s = session_.state();
    const bool entered = entered_.test(static_cast<std::size_t>(k));
    const auto where = [k] { return "cell " + std::to_string(k); };
    const bool worm = !wormKnown_ || worm_.test(static_cast<std::size_t>(k));
    if (c.colour == colours::wall) {
        require(isWall(k) || (entered && collided_),
                [&] { return std::string(where() + " is red off the wall with no collision there"); });
    } else if (c.colour == colours::obstacle) {
        require(obstacles_.test(static_cast<std::size_t>(k)),
                [&] { return std::string(where() + " is an obstacle the board build never placed"); });
    } else if (c.colour == colours::mealObstacle) {
        require(meals_ > 0,
                [&] { return std::string(where() + " is a meal's obstacle with no meal on this board"); });
    } else if (c.colour == colours::food) {
        require(s.foodshown && s.foodcell == k,
                [&] { return std::string(where() + " shows food the game does not know of"); });
    } else if (c.colour == colours::head) {
        require(entered && worm && c.shape == Shape::circle,
                [&] { return std::string(where() + " shows a head where the head never was"); });
    } else if (c.colour == colours::body) {
        require(entered && worm && c.shape == Shape::rectangle,
                [&] { return std::string(where() + " shows body that is not in the worm's trail"); });
    } else {
        throw InvariantBroken(where() + " shows colour " + std::to_string(c.colour));
    }
}

// The cells from just past the tail up to the head: the only ones that may show the worm.
void BoardInvariants::markWorm()
{
    const GameState& s = session_.state();
    worm_.reset();
    for (int pos = s.tailpos; pos != s.headpos;) {
        pos = Trail::advance(pos);
        const int cell = s.trail.at(pos);
        if (cell >= 1 && cell <= 2500) {
            worm_.set(static_cast<std::size_t>(cell));
        }
    }
    wormKnown_ = true;
}

void BoardInvariants::checkEveryCell()
{
    markWorm();
    const FormModel& f = session_.form();
    int blue = 0;
    for (int k = 0; k < f.cellCount(); ++k) {
        checkCell(k);
        blue += f.cell(k).visible && f.cell(k).colour == colours::mealObstacle ? 1 : 0;
    }
    require(blue <= meals_, [&] {
        return std::string(std::to_string(blue) + " meal obstacles after " + std::to_string(meals_) +
                           " meals");
    });
}

void BoardInvariants::checkTrail() const
{
    const Trail& trail = session_.state().trail;
    require(trail.at(0) == 0, [&] { return std::string("trail position 0 was written"); });
    for (int pos = 1; pos <= Trail::lastPosition; ++pos) {
        const int cell = trail.at(pos);
        require(cell == noCell || (cell >= 0 && cell <= 2500),
                [&] { return std::string("trail entry names no cell"); });
    }
}

} // namespace worm::testing
