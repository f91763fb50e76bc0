#pragma once

// The main of a benchmark program that draws through Qt: an offscreen platform unless one is
// named, and the application object the painter needs.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

inline int runQtBenchmarks(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
