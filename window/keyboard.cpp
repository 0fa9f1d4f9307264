// Form_KeyDown: arrows steer but never straight back, any key resumes once heading, P pauses.
#include "window/handlers.h"

namespace worm {

void Form_KeyDown(Game& game, std::int16_t keyCode)
{
    std::string& direction = game.state.direction;
    if (direction != "down" && keyCode == keys::up) {
        direction = "up";
    }
    if (direction != "up" && keyCode == keys::down) {
        direction = "down";
    }
    if (direction != "right" && keyCode == keys::left) {
        direction = "left";
    }
    if (direction != "left" && keyCode == keys::right) {
        direction = "right";
    }
    if (!direction.empty()) {
        game.form.setInterval(game.state.interval);
    }
    if (keyCode == keys::p) {
        game.form.showButton(Button::pause);
        game.form.setInterval(0);
    }
}

} // namespace worm
