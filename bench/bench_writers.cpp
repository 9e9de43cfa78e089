// The three writers on the largest grid a load accepts (48 fields by 4,000
// records): the whole export with every check, into memory and to a file.
#include "adif/field_catalogue.h"
#include "document/log_document.h"
#include "export/writers.h"
#include "quiet_host.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace vaziduvu;

using vaziduvu::bench::QuietHost;

struct FieldSample {
    const char *name;
    uint8_t dataType;
    const char *value;
};

const FieldSample kFields[] = {
    {"CALL", TypeCharacter, "W1ABC"},
    {"QSO_DATE", TypeDate, "20040105"},
    {"TIME_ON", TypeTime, "123456"},
    {"TIME_OFF", TypeTime, "1240"},
    {"BAND", TypeCharacter, "20m"},
    {"MODE", TypeCharacter, "CW"},
    {"FREQ", TypeNumber, "14.074"},
    {"CONT", TypeCharacter, "NA"},
    {"STATE", TypeCharacter, "WY"},
    {"QSL_SENT", TypeCharacter, "Y"},
    {"QSL_RCVD", TypeCharacter, "N"},
    {"NAME", TypeCharacter, "Robert Jones"},
    {"COMMENT", TypeCharacter, "worked on the long path & a beam \"under\" 10 m"},
};

LogDocument &largestGrid()
{
    static LogDocument *document = [] {
        auto *grid = new LogDocument;
        constexpr int fields = LogDocument::kLoadFieldLimit;
        constexpr int records = LogDocument::kLoadRecordLimit;
        grid->setSize(fields + 1, records + 1);
        grid->setText(0, 0, "RECORD #");
        const int samples = static_cast<int>(std::size(kFields));
        for (int c = 1; c <= fields; ++c) {
            const FieldSample &sample = kFields[(c - 1) % samples];
            const std::string name = c <= samples ? sample.name : "APP_X_" + std::to_string(c);
            grid->setText(c, 0, name);
            for (int r = 1; r <= records; ++r) {
                TagRecord record;
                record.kind = c <= samples ? TagKnownField : TagUserField;
                record.hasLength = true;
                record.hasType = c % 3 == 0;
                record.dataType = sample.dataType;
                record.isTimeOn = isTimeFieldName(name);
                record.name = name;
                record.value = sample.value;
                record.declaredLength = static_cast<int32_t>(record.value.size());
                record.comment = c == fields ? "\r\n" : "";
                record.rawTag = "<" + name + ">";
                grid->setCellInfo(c, r, record);
                grid->setText(c, r, sample.value);
            }
        }
        for (int r = 1; r <= records; ++r) {
            grid->setText(0, r, std::to_string(r));
            grid->setRecordTrailer(r - 1, "\r\n");
        }
        grid->setDocumentCounts(fields, records);
        grid->setDocumentOpen(true);
        return grid;
    }();
    return *document;
}

void BM_BuildExportText(benchmark::State &state, ExportFormat format)
{
    LogDocument &document = largestGrid();
    QuietHost host;
    size_t bytes = 0;
    for (auto _ : state) {
        ExportText built = buildExportText(format, document, host);
        if (!built.result || host.messages != 0) {
            state.SkipWithError("export failed");
            break;
        }
        bytes = built.text.size();
        benchmark::DoNotOptimize(built.text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ExportToFile(benchmark::State &state, ExportFormat format)
{
    LogDocument &document = largestGrid();
    QuietHost host;
    const std::string path
        = (std::filesystem::temp_directory_path() / "vaziduvu-bench-export.out").string();
    std::remove(path.c_str());
    for (auto _ : state) {
        ExportResult written;
        switch (format) {
        case ExportFormat::Adif:
            written = exportAdif(document, path, host);
            break;
        case ExportFormat::Xml:
            written = exportXml(document, path, host);
            break;
        case ExportFormat::Html:
            written = exportHtml(document, path, host);
            break;
        }
        state.PauseTiming();
        std::remove(path.c_str());
        state.ResumeTiming();
        if (!written) {
            state.SkipWithError("export failed");
            break;
        }
    }
}

BENCHMARK_CAPTURE(BM_BuildExportText, adif, ExportFormat::Adif)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildExportText, xml, ExportFormat::Xml)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildExportText, html, ExportFormat::Html)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportToFile, adif, ExportFormat::Adif)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportToFile, xml, ExportFormat::Xml)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportToFile, html, ExportFormat::Html)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
