#pragma once

// What the window benchmarks share: a platform whose progress display lets
// the window's events run, as the real one does, and a main() that runs the
// benchmarks offscreen.

#include "bench_run.h"
#include "platform/scripted_platform.h"

#include <QApplication>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

class PaintingPlatform : public vaziduvu::ScriptedPlatform {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
};

// Runs the benchmarks; beforeExit closes what they left open (windows
// above all) while the application still exists.
inline int runWindowBenchmarks(int argc, char **argv, const std::function<void()> &beforeExit = {})
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (beforeExit)
        beforeExit();
    benchmark::Shutdown();
    return 0;
}
