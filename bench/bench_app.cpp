// The window's commands on the largest accepted log, offscreen, as a user
// runs them: Open (reader, fill, model, report, source view) and Save As
// ADIF, XML and HTML, the scripted platform answering the dialogs and the
// progress display painting as it does on screen.

#include "app/main_window.h"
#include "platform/scripted_platform.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>

#include "largest_log.h"

#include "window_bench.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

void BM_OpenLargestLogInWindow(benchmark::State &state)
{
    const auto path = std::filesystem::temp_directory_path() / "vaziduvu_bench_app.adi";
    const std::string text = largestLog();
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));

    vaziduvu::ScriptedPlatform platform;
    vaziduvu::MainWindow window(platform);
    window.resize(1024, 768);
    QAction *open = window.findChild<QAction *>("openAction");
    for (auto _ : state) {
        platform.queueFileName(path.string());
        open->trigger();
        benchmark::DoNotOptimize(window.document().recordCount());
    }
    if (window.document().recordCount() != 4000)
        state.SkipWithError("the log did not load");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenLargestLogInWindow)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);

void BM_SaveAsInWindow(benchmark::State &state, const char *extension)
{
    const auto folder = std::filesystem::temp_directory_path() / "vaziduvu_bench_save";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto path = folder / "largest.adi";
    const std::string text = largestLog();
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));

    PaintingPlatform platform;
    platform.currentDirectoryText = folder.string();
    vaziduvu::MainWindow window(platform);
    window.resize(1024, 768);
    window.show();
    platform.queueFileName(path.string());
    window.findChild<QAction *>("openAction")->trigger();
    QAction *saveAs = window.findChild<QAction *>("saveAsAction");
    int round = 0;
    for (auto _ : state) {
        const auto target = folder / ("out" + std::to_string(round++) + extension);
        platform.queueFileName(target.string());
        saveAs->trigger();
        state.PauseTiming();
        if (!std::filesystem::exists(target))
            state.SkipWithError("nothing was saved");
        for (const auto &entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path() != path)
                std::filesystem::remove(entry.path());
        }
        state.ResumeTiming();
    }
    window.hide();
    std::filesystem::remove_all(folder);
}
BENCHMARK_CAPTURE(BM_SaveAsInWindow, adif, ".adi")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);
BENCHMARK_CAPTURE(BM_SaveAsInWindow, xml_and_badi, ".xml")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);
BENCHMARK_CAPTURE(BM_SaveAsInWindow, html_and_badi, ".html")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);

}  // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
