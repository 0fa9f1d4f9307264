// GameSession: routes each window event to its handler on the one shared game.
#include "window/game_session.h"

#include "rules/tick.h"
#include "window/handlers.h"

namespace worm {

GameSession::GameSession(std::unique_ptr<RandomSource> random, double twipsPerPixel)
    : random_(std::move(random)), form_(twipsPerPixel), game_{form_, *random_}
{
    form_.setLoadHandler([this] { Form_Load(game_); });
}

void GameSession::load() { form_.show(); }
void GameSession::keyDown(std::int16_t keyCode) { Form_KeyDown(game_, keyCode); }
void GameSession::tick() { Timer1_Timer(game_); }
void GameSession::pauseClicked() { pause_Click(game_); }
void GameSession::gameoverClicked() { gameover_Click(game_); }

} // namespace worm
