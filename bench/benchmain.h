#pragma once
// The main every benchmark program shares: a Qt application of the kind it needs, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <type_traits>

namespace bench {

template <class Application> int runBenchmarks(int argc, char **argv)
{
    // Status items and views are widgets; no display is needed to measure them.
    if constexpr (std::is_base_of_v<QGuiApplication, Application>) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
