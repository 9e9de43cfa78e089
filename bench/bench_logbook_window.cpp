// A whole logbook in the window, Current ADIF mode: 100,000 contacts of 60
// distinct fields (about 25 filled each, some comments, about 60 MB),
// offscreen, the scripted platform answering the dialogs. Open (read, fill,
// first paint) first, with the peak memory it takes; then Save As ADIF,
// XML and HTML, a search for a value that is not there, a scroll to the
// last row, and a sort of the view by a heading click. Last, in a window of
// its own, Fix All Like This on the 100 MODE USB/LSB problems of such a
// logbook, taken back by Undo between runs.

#include "app/check_panel.h"
#include "app/main_window.h"
#include "platform/scripted_platform.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "bench_run.h"
#include "generated_logbook.h"

#include "window_bench.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using vaziduvu::bench::memoryKb;

const int kContacts = vaziduvu::bench::logbookContacts();

// One window with the logbook open, shared by the benchmarks after the
// first (which measures the opening itself).
struct Logbook {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "vaziduvu_logbook";
    std::filesystem::path path = folder / "logbook.adi";
    int64_t fileBytes = 0;
    PaintingPlatform platform;
    std::unique_ptr<vaziduvu::MainWindow> window;

    Logbook()
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const std::string text = generatedLogbook(kContacts);
        fileBytes = static_cast<int64_t>(text.size());
        std::ofstream(path, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        platform.currentDirectoryText = folder.string();
        window = std::make_unique<vaziduvu::MainWindow>(platform);
        window->setAdifMode(vaziduvu::AdifMode::Current);
        window->resize(1024, 768);
        window->show();
    }
    ~Logbook() { std::filesystem::remove_all(folder); }

    void open()
    {
        platform.queueFileName(path.string());
        window->findChild<QAction *>("openAction")->trigger();
        window->findChild<QTableView *>("gridView")->viewport()->repaint();
    }
};

// Made on first use; closed before the application ends, as a window must be.
std::unique_ptr<Logbook> sharedLogbook;

Logbook &logbook()
{
    if (!sharedLogbook)
        sharedLogbook = std::make_unique<Logbook>();
    return *sharedLogbook;
}

void BM_OpenLogbookInWindow(benchmark::State &state)
{
    Logbook &book = logbook();
    const int64_t before = memoryKb("VmRSS:");
    for (auto _ : state) {
        book.open();
        benchmark::DoNotOptimize(book.window->document().recordCount());
    }
    if (book.window->document().rowCount() != kContacts + 1)
        state.SkipWithError("the logbook did not load");
    state.counters["file_MB"] = static_cast<double>(book.fileBytes) / 1e6;
    state.counters["peak_over_file"] = static_cast<double>((memoryKb("VmHWM:") - before) * 1024)
        / static_cast<double>(book.fileBytes);
}
BENCHMARK(BM_OpenLogbookInWindow)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);

void BM_SaveAsLogbook(benchmark::State &state, const char *extension)
{
    Logbook &book = logbook();
    if (book.window->document().rowCount() != kContacts + 1)
        book.open();
    int round = 0;
    for (auto _ : state) {
        const auto target = book.folder / ("out" + std::to_string(round++) + extension);
        book.platform.queueFileName(target.string());
        book.window->findChild<QAction *>("saveAsAction")->trigger();
        state.PauseTiming();
        if (!std::filesystem::exists(target))
            state.SkipWithError("nothing was saved");
        for (const auto &entry : std::filesystem::directory_iterator(book.folder)) {
            if (entry.path() != book.path)
                std::filesystem::remove(entry.path());
        }
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_SaveAsLogbook, adif, ".adi")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);
BENCHMARK_CAPTURE(BM_SaveAsLogbook, xml_and_badi, ".xml")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);
BENCHMARK_CAPTURE(BM_SaveAsLogbook, html_and_badi, ".html")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);

void BM_SearchLogbookForMissingValue(benchmark::State &state)
{
    Logbook &book = logbook();
    if (book.window->document().rowCount() != kContacts + 1)
        book.open();
    book.window->findChild<QAction *>("searchAction")->trigger();
    auto *text = book.window->findChild<QLineEdit *>("searchText");
    auto *findFirst = book.window->findChild<QPushButton *>("findFirstButton");
    text->setText(QStringLiteral("NOT-IN-THIS-LOG"));
    for (auto _ : state)
        findFirst->click();
}
BENCHMARK(BM_SearchLogbookForMissingValue)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<10>);

void BM_ScrollLogbookToTheEnd(benchmark::State &state)
{
    Logbook &book = logbook();
    if (book.window->document().rowCount() != kContacts + 1)
        book.open();
    auto *grid = book.window->findChild<QTableView *>("gridView");
    bool atEnd = false;
    for (auto _ : state) {
        atEnd ? grid->scrollToTop() : grid->scrollToBottom();
        atEnd = !atEnd;
        grid->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollLogbookToTheEnd)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<10>);

void BM_FixAllLikeThisInWindow(benchmark::State &state)
{
    constexpr int kSidebands = 100;
    Logbook &book = logbook();  // its folder and platform; a window of its own
    const auto path = book.folder / "sidebands.adi";
    {
        const std::string text = withSidebandModes(generatedLogbook(kContacts), kSidebands);
        std::ofstream(path, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    PaintingPlatform platform;
    vaziduvu::MainWindow window(platform);
    window.setAdifMode(vaziduvu::AdifMode::Current);
    window.resize(1024, 768);
    window.show();
    platform.queueFileName(path.string());
    window.findChild<QAction *>("openAction")->trigger();
    window.findChild<QAction *>("checkLogAction")->trigger();
    auto *panel = window.findChild<vaziduvu::CheckPanel *>("checkPanel");
    if (panel == nullptr || panel->problemCount() < kSidebands) {
        state.SkipWithError("the sideband problems were not found");
        return;
    }
    panel->setCurrentLine(0);
    QAction *fixAll = window.findChild<QAction *>("fixAllAction");
    QAction *undo = window.findChild<QAction *>("undoAction");
    for (auto _ : state) {
        fixAll->trigger();
        state.PauseTiming();
        undo->trigger();
        state.ResumeTiming();
    }
    state.counters["problems"] = panel->problemCount();
    std::filesystem::remove(path);
}
BENCHMARK(BM_FixAllLikeThisInWindow)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<5>);

// One click on the CALL heading: ascending, descending, file order in turn,
// with the grid repainted.
void BM_SortLogbookByHeading(benchmark::State &state)
{
    Logbook &book = logbook();
    if (book.window->document().rowCount() != kContacts + 1)
        book.open();
    auto *grid = book.window->findChild<QTableView *>("gridView");
    for (auto _ : state) {
        emit grid->horizontalHeader()->sectionClicked(0);
        grid->viewport()->repaint();
    }
}
BENCHMARK(BM_SortLogbookByHeading)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<6>);

}  // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv, [] { sharedLogbook.reset(); });
}
