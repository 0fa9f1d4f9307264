// grow: a 250-tick cycle whose first 11 ticks keep the tail, so the worm lengthens by itself.
#include "rules/grow.h"

namespace worm {

void grow(Game& game)
{
    GameState& s = game.state;
    s.growcount = s.growcount + 1;
    if (s.growcount == 250) {
        s.growcount = 0;
    }
    if (s.growcount > 10) {
        s.tailpos = Trail::advance(s.tailpos);
        const int tail = s.trail.at(s.tailpos);
        if (tail != noCell) {
            game.form.setVisible(tail, false); // whatever the cell shows now
        }
    }
}

} // namespace worm
