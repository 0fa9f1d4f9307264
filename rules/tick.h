// Timer1_Timer: one tick of the game.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "rules/game.h"

namespace worm {

void Timer1_Timer(Game& game);

// The score line, "Score: " then score and best, each after a sign space: "Score:  12/ 340".
// Built in place, so that a tick allocates nothing.
class ScoreLine {
public:
    ScoreLine(std::int64_t score, std::int64_t best);
    std::string_view text() const { return {text_.data(), size_}; }

private:
    void append(std::string_view part);
    void appendNumber(std::int64_t n);

    std::array<char, 64> text_{};
    std::size_t size_ = 0;
};

} // namespace worm
