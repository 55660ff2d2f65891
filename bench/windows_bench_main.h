#pragma once

// The main() of a benchmark that drives the real windows: on the offscreen platform unless the
// environment chooses another, with the program's application object.
#include <benchmark/benchmark.h>

#include <QByteArray>

#define SHAFTLINE_WINDOWS_BENCH_MAIN(ApplicationClass)      \
    int main(int argc, char** argv) {                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) \
            qputenv("QT_QPA_PLATFORM", "offscreen");        \
        ApplicationClass app(argc, argv);                   \
        benchmark::Initialize(&argc, argv);                 \
        benchmark::RunSpecifiedBenchmarks();                \
        benchmark::Shutdown();                              \
        return 0;                                           \
    }
