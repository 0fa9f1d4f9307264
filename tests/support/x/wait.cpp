// slack: read once, since every wait of a run must stretch alike.
#include "tests/support/x/wait.h"

#include <cstdlib>

namespace worm::xharness {

double slack()
{
    static const double factor = [] {
        const char* text = std::getenv("WORM_TEST_SLACK");
        const double f = text ? std::strtod(text, nullptr) : 1.0;
        return f > 0 ? f : 1.0;
    }();
    return factor;
}

} // namespace worm::xharness
