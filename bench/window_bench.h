#pragma once

// What the window benchmarks share: a platform whose progress display lets
// the window's events run, as the real one does, and a main() that runs the
// benchmarks offscreen.

#include "platform/scripted_platform.h"

#include <QApplication>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

class PaintingPlatform : public vaziduvu::ScriptedPlatform {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
};

inline int runWindowBenchmarks(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
