// pause_Click resumes the ticks; gameover_Click rebuilds the window as a new game.
#include "window/handlers.h"

namespace worm {

void pause_Click(Game& game)
{
    game.form.setInterval(game.state.interval);
    game.form.hideButton(Button::pause);
}

void gameover_Click(Game& game)
{
    game.state.restarting = true;
    game.form.unload();
    game.form.show();
}

} // namespace worm
