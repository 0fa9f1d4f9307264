// Timer1_Timer: move, feed, collide, grow, draw, score and record, in that order, every tick.
#include "rules/tick.h"

#include <charconv>

#include "rules/collision.h"
#include "rules/grow.h"
#include "rules/placement.h"

namespace worm {
namespace {

inline constexpr double expiryChance = 0.001;

void move(GameState& s)
{
    if (s.direction == "up") {
        s.heady = s.heady - 1;
    }
    if (s.direction == "down") {
        s.heady = s.heady + 1;
    }
    if (s.direction == "left") {
        s.headx = s.headx - 1;
    }
    if (s.direction == "right") {
        s.headx = s.headx + 1;
    }
    s.headcell = boardCell(cellNumber(s.headx, s.heady, s.cols), s);
}

void drawHead(Form& form, const GameState& s)
{
    if (s.headcell == noCell || form.visible(s.headcell)) {
        return; // occupied: the collision left it as it was
    }
    form.setVisible(s.headcell, true);
    form.setShape(s.headcell, Shape::circle);
    form.setFillColour(s.headcell, colours::head);
}

// The previous head becomes body; on a board's first tick that is the template, cell 0.
void drawBody(Form& form, const GameState& s)
{
    const int previous = s.trail.at(s.headpos);
    if (previous == noCell) {
        return;
    }
    form.setShape(previous, Shape::rectangle);
    form.setFillColour(previous, colours::body);
}

void score(Form& form, GameState& s)
{
    s.score = s.score + 1;
    s.points = addPoints(s.points, 1);
    if (s.score > s.best) {
        s.best = s.score;
    }
    form.setTitle(ScoreLine(s.score, s.best).text());
}

void record(GameState& s)
{
    s.headpos = Trail::advance(s.headpos);
    s.trail.set(s.headpos, s.headcell);
}

} // namespace

ScoreLine::ScoreLine(std::int64_t score, std::int64_t best)
{
    append("Score: ");
    appendNumber(score);
    append("/");
    appendNumber(best);
}

void ScoreLine::append(std::string_view part)
{
    part.copy(text_.data() + size_, part.size());
    size_ += part.size();
}

// A non-negative number takes a space where a negative one would have its sign.
void ScoreLine::appendNumber(std::int64_t n)
{
    if (n >= 0) {
        append(" ");
    }
    const auto result = std::to_chars(text_.data() + size_, text_.data() + text_.size(), n);
    size_ = static_cast<std::size_t>(result.ptr - text_.data());
}

void Timer1_Timer(Game& game)
{
    GameState& s = game.state;
    move(s);
    if (!s.foodshown) {
        makefood(game);
    }
    const double r = game.random.draw(); // drawn on every tick, food or not
    if (s.foodshown && r < expiryChance) {
        toolate(game);
    }
    hit(game);
    grow(game);
    drawHead(game.form, s);
    drawBody(game.form, s);
    score(game.form, s);
    record(s);
}

} // namespace worm
