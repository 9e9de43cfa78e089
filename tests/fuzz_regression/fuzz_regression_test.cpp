#include "adif/adif_file.h"
#include "document/log_document.h"
#include "export/export_host.h"
#include "export/writers.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace vaziduvu {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path &path)
{
    return test::readBytes(path.string());
}

// The logs of a folder (.adi and .badi), as `make fuzz` picks its seeds.
std::vector<fs::path> logsIn(const std::string &folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto &entry : fs::directory_iterator(folder, error)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".adi" || extension == ".badi"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

int runEntryPoint(const std::string &bytes)
{
    return LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
}

// ---------------------------------------------------------------------------
// Every seed of the fuzz corpus goes through the whole road once. The entry
// point aborts on a broken property; the sanitized build also stops on any
// memory error or leak.

struct SeedFolder {
    const char *name;
    std::string path;
};

void PrintTo(const SeedFolder &folder, std::ostream *out)
{
    *out << folder.path;
}

class SeedCorpus : public ::testing::TestWithParam<SeedFolder> { };

TEST_P(SeedCorpus, EverySeedRunsThrough)
{
    const std::vector<fs::path> files = logsIn(GetParam().path);
    ASSERT_FALSE(files.empty()) << GetParam().path;
    for (const fs::path &file : files) {
        // Named before the run: a broken property or a sanitizer finding ends
        // the process, and this line is what then tells which seed it was.
        std::cerr << "seed " << file.string() << std::endl;
        EXPECT_EQ(runEntryPoint(readBytes(file)), 0) << file.string();
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, SeedCorpus,
                         ::testing::Values(SeedFolder{"examples", EXAMPLES_DIR},
                                           SeedFolder{"test_data", TEST_DATA_DIR},
                                           SeedFolder{"fuzz_corpus", FUZZ_CORPUS_DIR}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Inputs that once crashed or leaked, kept as tests/data/fuzz-*.adi, with what
// the program must make of them.

class RecordingHost : public ExportHost {
public:
    void showMessage(const std::string &header, const std::string &text) override
    {
        messages.push_back(header + " " + text);
    }
    void showPlainMessage(const std::string &text) override { messages.push_back(text); }
    void selectCell(int, int) override { }
    void showProgress(const std::string &, bool) override { }
    bool omitEmptyFieldTags() const override { return false; }
    std::string exportDate() override { return "1/2/27"; }
    int latestYear() override { return 2027; }
    DriveType driveTypeOf(const std::string &) override { return DriveType::Fixed; }

    std::vector<std::string> messages;
};

struct CrashCase {
    const char *file;                 // in tests/data
    ParseStatus outcome;              // the reader's outcome
    LogDocument::FillResult fill;     // what the load makes of it
    std::optional<std::string> adif;  // the ADIF export's records (after the header), when filled
    ExportStatus exportStatus = ExportStatus::Written;  // how the ADIF export ends
};

const CrashCase kCrashCases[] = {
    {"fuzz-band-value.adi", ParseStatus::Ok, LogDocument::FillResult::Filled,
     std::string("<CALL:4>ZX1A<BAND:3>20M<EOR>\r\n<CALL:4>ZX2B<BAND:3>40M<EOR>\r\n")},
    // A field named by a blank loads, but trimmed it would be written as "<:1>",
    // which no reader accepts: the export refuses the grid instead.
    {"fuzz-blank-field-name.adi", ParseStatus::Ok, LogDocument::FillResult::Filled, std::nullopt,
     ExportStatus::Refused},
    // A field named "EOR\r " would be written as <EOR:...>, which reads back
    // as no field at all: the export refuses the column.
    {"fuzz-eor-field-name.adi", ParseStatus::Ok, LogDocument::FillResult::Filled, std::nullopt,
     ExportStatus::Refused},
};

void PrintTo(const CrashCase &c, std::ostream *out)
{
    *out << c.file;
}

class CrashInput : public ::testing::TestWithParam<CrashCase> { };

TEST_P(CrashInput, LoadsAndExportsAsExpected)
{
    const CrashCase &c = GetParam();
    const std::string bytes = readBytes(fs::path(TEST_DATA_DIR) / c.file);
    ASSERT_FALSE(bytes.empty()) << c.file;
    EXPECT_EQ(runEntryPoint(bytes), 0);

    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(bytes));
    EXPECT_EQ(file.result().status, c.outcome);
    LogDocument document;
    EXPECT_EQ(document.fillFrom(file), c.fill);
    if (c.fill != LogDocument::FillResult::Filled)
        return;

    RecordingHost host;
    const ExportText built = buildExportText(ExportFormat::Adif, document, host);
    EXPECT_EQ(built.result.status, c.exportStatus);
    ASSERT_EQ(static_cast<bool>(built.result), c.adif.has_value());
    if (built.result) {
        const std::string header = std::string(kAdifHeaderStart) + "1/2/27\r\n<EOH>\r\n";
        ASSERT_EQ(built.text.compare(0, header.size(), header), 0) << built.text;
        EXPECT_EQ(built.text.substr(header.size()), *c.adif);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CrashInput, ::testing::ValuesIn(kCrashCases),
                         [](const auto &info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// A crash fixture without expectations would only prove that nothing crashes
// today; each one needs its row above.
TEST(CrashInputs, EveryFuzzFixtureHasACase)
{
    std::set<std::string> listed;
    for (const CrashCase &c : kCrashCases)
        listed.insert(c.file);
    for (const fs::path &file : logsIn(TEST_DATA_DIR)) {
        const std::string name = file.filename().string();
        if (name.rfind("fuzz-", 0) == 0) {
            EXPECT_TRUE(listed.count(name) == 1) << name << " has no row in kCrashCases";
        }
    }
    for (const std::string &name : listed)
        EXPECT_TRUE(fs::exists(fs::path(TEST_DATA_DIR) / name)) << name;
}

}  // namespace
}  // namespace vaziduvu
