// Form_Load: every freshly loaded window builds its board and draws the worm with one tick.
#include "rules/init.h"
#include "rules/placement.h"
#include "rules/tick.h"
#include "window/handlers.h"

namespace worm {

void Form_Load(Game& game)
{
    init(game);
    obstacles(game);
    Timer1_Timer(game);
}

} // namespace worm
