// A million contacts in the window, Current ADIF mode: the generated log of
// generated_million.h (25 fields, about 350 MB), offscreen, the scripted
// platform answering the dialogs. Each benchmark is one thing a person
// waits for, with what it should take at that size:
//   open (read, fill, first paint)      3 s, peak memory 2 x the file
//   Save As ADIF                        4 s
//   Check Log                           2 s
//   a sort or a filter of the view      1 s
//   a search                            1 s
//   one page step of scrolling          16 ms (a frame)
// and, without a target, Find Duplicates and Fix All (every USB/LSB
// contact), which show their progress.
// A quick run does the same on 2,000 contacts.

#include "app/check_panel.h"
#include "app/main_window.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "bench_run.h"
#include "generated_million.h"
#include "window_bench.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using vaziduvu::bench::memoryKb;
using vaziduvu::bench::residentPeakSinceLastCall;

const int kContacts = vaziduvu::bench::millionContacts();

// One window with the log open, shared by the benchmarks after the first
// (which measures the opening itself).
struct MillionLog {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "vaziduvu_million";
    std::filesystem::path path = folder / "million.adi";
    int64_t fileBytes = 0;
    PaintingPlatform platform;
    std::unique_ptr<vaziduvu::MainWindow> window;

    MillionLog()
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        fileBytes = writeGeneratedMillion(path.string(), kContacts);
        platform.currentDirectoryText = folder.string();
        window = std::make_unique<vaziduvu::MainWindow>(platform);
        window->setAdifMode(vaziduvu::AdifMode::Current);
        window->resize(1024, 768);
        window->show();
    }
    ~MillionLog() { std::filesystem::remove_all(folder); }

    QTableView *grid() const { return window->findChild<QTableView *>("gridView"); }
    bool loaded() const { return window->document().rowCount() == kContacts + 1; }

    void open()
    {
        platform.queueFileName(path.string());
        window->findChild<QAction *>("openAction")->trigger();
        grid()->viewport()->repaint();
    }
    void ensureOpen()
    {
        if (!loaded())
            open();
    }
};

std::unique_ptr<MillionLog> sharedLog;

MillionLog &millionLog()
{
    if (!sharedLog)
        sharedLog = std::make_unique<MillionLog>();
    return *sharedLog;
}

// The first open is into an empty window: its peak is what the log costs.
void BM_OpenMillionInWindow(benchmark::State &state)
{
    MillionLog &log = millionLog();
    malloc_trim(0);
    const int64_t before = memoryKb("VmRSS:") * 1024;
    residentPeakSinceLastCall();
    bool first = true;
    for (auto _ : state) {
        log.open();
        if (first) {
            state.PauseTiming();
            const int64_t peak = residentPeakSinceLastCall();
            state.counters["file_MB"] = static_cast<double>(log.fileBytes) / 1e6;
            state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
            state.counters["peak_over_file"]
                = static_cast<double>(peak - before) / static_cast<double>(log.fileBytes);
            first = false;
            state.ResumeTiming();
        }
    }
    if (!log.loaded())
        state.SkipWithError("the log did not load");
}
BENCHMARK(BM_OpenMillionInWindow)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<2>);

void BM_SaveAsMillionAdif(benchmark::State &state)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    int round = 0;
    for (auto _ : state) {
        const auto target = log.folder / ("out" + std::to_string(round++) + ".adi");
        log.platform.queueFileName(target.string());
        log.window->findChild<QAction *>("saveAsAction")->trigger();
        state.PauseTiming();
        if (!std::filesystem::exists(target))
            state.SkipWithError("nothing was saved");
        std::filesystem::remove(target);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveAsMillionAdif)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);

void BM_CheckMillionLog(benchmark::State &state)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    QAction *check = log.window->findChild<QAction *>("checkLogAction");
    for (auto _ : state) {
        check->trigger();
        log.grid()->viewport()->repaint();
    }
    auto *panel = log.window->findChild<vaziduvu::CheckPanel *>("checkPanel");
    state.counters["problems"] = panel ? panel->problemCount() : -1;
    if (panel)
        panel->hide();
}
BENCHMARK(BM_CheckMillionLog)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);

// One click on a heading: ascending, descending, file order in turn, with
// the grid repainted. CALL is text, QSO_DATE a date, SRX a number.
void BM_SortMillionByHeading(benchmark::State &state, int section)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    QTableView *grid = log.grid();
    for (auto _ : state) {
        emit grid->horizontalHeader()->sectionClicked(section);
        grid->viewport()->repaint();
    }
}
BENCHMARK_CAPTURE(BM_SortMillionByHeading, call, 0)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);
BENCHMARK_CAPTURE(BM_SortMillionByHeading, date, 1)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);
BENCHMARK_CAPTURE(BM_SortMillionByHeading, number, 22)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);

// The filter bar's text in every column, from the moment typing pauses to
// the grid repainted: a text in many contacts, then one in none, in turn.
void BM_FilterMillion(benchmark::State &state)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    log.window->findChild<QAction *>("filterAction")->trigger();
    auto *text = log.window->findChild<QLineEdit *>("filterText");
    auto *pause = log.window->findChild<QTimer *>("filterTimer");
    auto *count = log.window->findChild<QLabel *>("filterCount");
    if (text == nullptr || pause == nullptr || count == nullptr) {
        state.SkipWithError("no filter bar");
        return;
    }
    pause->setInterval(0);  // the pause after typing is not the filter's work
    static const char *const kTexts[] = {"Portable", "NOT-IN-THIS-LOG"};
    int round = 0;
    for (auto _ : state) {
        text->setText(QString::fromLatin1(kTexts[round++ % 2]));
        while (pause->isActive())
            QCoreApplication::processEvents();
        log.grid()->viewport()->repaint();
    }
    state.SetLabel(count->text().toStdString());
    text->clear();
    while (pause->isActive())
        QCoreApplication::processEvents();
}
BENCHMARK(BM_FilterMillion)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<4>);

void BM_SearchMillionForMissingValue(benchmark::State &state)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    log.window->findChild<QAction *>("searchAction")->trigger();
    auto *text = log.window->findChild<QLineEdit *>("searchText");
    auto *findFirst = log.window->findChild<QPushButton *>("findFirstButton");
    text->setText(QStringLiteral("NOT-IN-THIS-LOG"));
    for (auto _ : state)
        findFirst->click();
}
BENCHMARK(BM_SearchMillionForMissingValue)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<3>);

// Page Down as the scroll bar takes it, repainted; back to the top at the end.
void BM_ScrollMillionPageStep(benchmark::State &state)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    QTableView *grid = log.grid();
    QScrollBar *bar = grid->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    for (auto _ : state) {
        if (bar->value() == bar->maximum())
            bar->setValue(0);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        grid->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollMillionPageStep)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<10>);

// Find Duplicates over the whole log, its panel filled.
void BM_FindDuplicatesMillion(benchmark::State &state)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    QAction *find = log.window->findChild<QAction *>("findDuplicatesAction");
    for (auto _ : state)
        find->trigger();
    if (auto *panel = log.window->findChild<QWidget *>("duplicatesPanel"))
        panel->hide();
}
BENCHMARK(BM_FindDuplicatesMillion)
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::repeated<2>);

// The Statistics window opened on the whole log (its figures counted and shown).
void BM_StatisticsMillion(benchmark::State &state)
{
    MillionLog &log = millionLog();
    log.ensureOpen();
    QAction *statistics = log.window->findChild<QAction *>("statisticsAction");
    for (auto _ : state) {
        statistics->trigger();
        state.PauseTiming();
        if (auto *window = log.window->findChild<QWidget *>("statisticsWindow"))
            window->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StatisticsMillion)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);

// Check Log and Fix All Like This on a log whose every SSB contact is
// logged as USB or LSB (about 170,000 fixes), in a window of its own; Undo
// takes the fixes back between runs.
void BM_FixAllMillion(benchmark::State &state)
{
    MillionLog &log = millionLog();  // its folder; a window of its own
    const auto path = log.folder / "sidebands.adi";
    writeGeneratedMillion(path.string(), kContacts, true);
    PaintingPlatform platform;
    vaziduvu::MainWindow window(platform);
    window.setAdifMode(vaziduvu::AdifMode::Current);
    window.resize(1024, 768);
    window.show();
    platform.queueFileName(path.string());
    window.findChild<QAction *>("openAction")->trigger();
    window.findChild<QAction *>("checkLogAction")->trigger();
    auto *panel = window.findChild<vaziduvu::CheckPanel *>("checkPanel");
    if (panel == nullptr || panel->problemCount() < kContacts / 10) {
        state.SkipWithError("the sideband problems were not found");
        return;
    }
    panel->setCurrentLine(0);
    QAction *fixAll = window.findChild<QAction *>("fixAllAction");
    QAction *undo = window.findChild<QAction *>("undoAction");
    for (auto _ : state) {
        fixAll->trigger();
        window.findChild<QTableView *>("gridView")->viewport()->repaint();
        state.PauseTiming();
        undo->trigger();
        state.ResumeTiming();
    }
    state.counters["problems"] = panel->problemCount();
    std::filesystem::remove(path);
}
BENCHMARK(BM_FixAllMillion)->Unit(benchmark::kMillisecond)->Apply(vaziduvu::bench::repeated<2>);

}  // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv, [] { sharedLog.reset(); });
}
