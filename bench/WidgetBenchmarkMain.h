#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// main() for a benchmark of widgets: Google Benchmark's, with the
// application object widgets need.
#define TREVIX_WIDGET_BENCHMARK_MAIN() \
    int main(int argc, char **argv) \
    { \
        QApplication app(argc, argv); \
        benchmark::Initialize(&argc, argv); \
        benchmark::RunSpecifiedBenchmarks(); \
        benchmark::Shutdown(); \
        return 0; \
    }
