// The libFuzzer entry point: every input is one game played from a fresh window.
#include <cstdio>
#include <cstdlib>

#include "fuzz/event_script.h"

namespace {

void reportTotals()
{
    const auto& t = worm::fuzz::totals();
    std::fprintf(stderr, "worm_fuzz: %llu inputs, %llu events\n", static_cast<unsigned long long>(t.inputs),
                 static_cast<unsigned long long>(t.events));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::atexit(reportTotals);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    worm::fuzz::runScript(data, size);
    return 0;
}
