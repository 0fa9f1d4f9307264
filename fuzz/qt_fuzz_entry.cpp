// The libFuzzer entry point of the Qt window's target: every input is one game, played in a
// window mirrored offscreen and resized, rescaled and repainted as the input says.
#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "fuzz/event_script.h"
#include "fuzz/view_watch.h"

namespace {

void reportTotals()
{
    const auto& t = worm::fuzz::totals();
    const auto& v = worm::fuzz::ViewWatch::totals();
    std::fprintf(stderr,
                 "worm_qt_fuzz: %llu inputs, %llu events, %llu resizes, %llu ratio changes, %llu keys, "
                 "%llu partial repaints, %llu comparisons with a full repaint\n",
                 static_cast<unsigned long long>(t.inputs), static_cast<unsigned long long>(t.events),
                 static_cast<unsigned long long>(v.resizes), static_cast<unsigned long long>(v.ratios),
                 static_cast<unsigned long long>(v.keys), static_cast<unsigned long long>(v.repaints),
                 static_cast<unsigned long long>(v.comparisons));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The fuzzer's own arguments are not the toolkit's.
    static int argc = 1;
    static char name[] = "worm_qt_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    std::atexit(reportTotals);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    worm::fuzz::ViewWatch watch;
    worm::fuzz::runScript(data, size, &watch);
    return 0;
}
