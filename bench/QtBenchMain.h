// Benchmarks of widgets and windows: one QApplication, headless unless told otherwise.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <exception>

namespace tarvo::bench {

inline int RunQtBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace tarvo::bench
