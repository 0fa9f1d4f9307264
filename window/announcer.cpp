// Announcer: compares what the window shows now with what it showed after the previous event.
#include "window/announcer.h"

namespace worm {

std::string Announcer::after(const GameSession& session)
{
    const FormModel& form = session.form();
    const std::int64_t score = session.state().score;
    std::string said;
    if (form.loads() != loads_) {
        // Only a new game clears the score; a meal past the level's points keeps it.
        const bool newGame = loads_ != 0 && score < score_;
        level_ = newGame || loads_ == 0 ? 1 : level_ + form.loads() - loads_;
        if (loads_ != 0) {
            said = newGame ? "New game" : "Level " + std::to_string(level_);
        }
        loads_ = form.loads();
    }
    score_ = score;
    const bool over = form.button(Button::gameover).visible;
    const bool paused = form.button(Button::pause).visible && form.interval() == 0;
    if (over && !over_) {
        said = "Game over, score " + std::to_string(score);
    } else if (paused && !paused_) {
        said = "Paused";
    }
    over_ = over;
    paused_ = paused;
    return said;
}

} // namespace worm
