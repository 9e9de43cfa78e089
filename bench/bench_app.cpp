// Opening the largest accepted log in the window, offscreen: the reader, the
// document fill, the table model, the load report and the source view.

#include "app/main_window.h"
#include "platform/scripted_platform.h"

#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string largestLog()
{
    std::string text = "Benchmark log\r\n<EOH>\r\n";
    for (int record = 0; record < 4000; ++record) {
        for (int field = 0; field < 48; ++field) {
            const std::string value = "V" + std::to_string(record) + "/" + std::to_string(field);
            text += "<FIELD_" + std::to_string(field) + ':' + std::to_string(value.size()) + '>'
                + value + ' ';
        }
        text += "<EOR>\r\n";
    }
    return text;
}

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
BENCHMARK(BM_OpenLargestLogInWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
