// Arbitrary bytes through the whole road of a log: the reader, the document
// fill, the cell helpers the writers lean on, and the three writers into
// memory. Built as a libFuzzer target (fuzz/) and, without libFuzzer, into the
// corpus test of the ordinary test suite (tests/fuzz_regression/).
//
// Besides the sanitizers, the target checks a few properties that must hold
// for every input; a broken one aborts with the failed condition, so the
// fuzzer keeps the input as a crash.

#include "adif/adif_file.h"
#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "document/log_document.h"
#include "export/export_host.h"
#include "export/writers.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace vaziduvu {
namespace {

[[noreturn]] void failCheck(const char *condition, int line)
{
    std::fprintf(stderr, "fuzz_reader.cpp:%d: check failed: %s\n", line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            failCheck(#condition, __LINE__);                                                       \
    } while (0)

// Answers like a window that shows nothing: messages and selections are only
// counted.
class QuietExportHost : public ExportHost {
public:
    explicit QuietExportHost(bool omit)
        : omit_(omit)
    {
    }

    void showMessage(const std::string &, const std::string &) override { ++messages; }
    void showPlainMessage(const std::string &) override { ++messages; }
    void selectCell(int column, int row) override
    {
        ++selections;
        selectedColumn = column;
        selectedRow = row;
    }
    void showProgress(const std::string &, bool) override { }
    bool omitEmptyFieldTags() const override { return omit_; }
    std::string exportDate() override { return "12/31/26"; }
    int latestYear() override { return 2027; }
    DriveType driveTypeOf(const std::string &) override { return DriveType::Fixed; }

    void forget()
    {
        messages = 0;
        selections = 0;
        selectedColumn = -1;
        selectedRow = -1;
    }

    int messages = 0;
    int selections = 0;
    int selectedColumn = -1;
    int selectedRow = -1;

private:
    bool omit_;
};

bool isKnownOutcome(ParseStatus code)
{
    switch (code) {
    case ParseStatus::NoHeader:
    case ParseStatus::BracketMismatch:
    case ParseStatus::EmptyBrackets:
    case ParseStatus::BadLength:
    case ParseStatus::MissingName:
    case ParseStatus::BadType:
    case ParseStatus::TooBig:
    case ParseStatus::Ok:
        return true;
    default:
        return false;
    }
}

// What the reader promises about its store, whatever the input.
void checkReader(const AdifFile &file, std::string_view bytes)
{
    const ParseStatus code = file.result().status;
    FUZZ_CHECK(isKnownOutcome(code));
    FUZZ_CHECK(outcomeReportText(code, file.result().position).empty()
               == (code == ParseStatus::Ok));
    FUZZ_CHECK(outcomeName(code) != nullptr);
    FUZZ_CHECK(file.fileSize() == bytes.size());
    FUZZ_CHECK(file.sourceText().size() <= bytes.size());
    FUZZ_CHECK(file.result().position >= 0);
    FUZZ_CHECK(static_cast<size_t>(file.result().position) <= file.sourceText().size());
    FUZZ_CHECK(file.result().length >= 0);
    FUZZ_CHECK(static_cast<bool>(file.result()) == (code == ParseStatus::Ok));
    FUZZ_CHECK(file.noHeaderOrStart() == (code == ParseStatus::NoHeader));

    const int stored = file.storedTagCount();
    FUZZ_CHECK(stored >= 0 && stored <= AdifFile::kTagLimit);
    FUZZ_CHECK(file.recordCount() >= 0 && file.recordCount() <= AdifFile::kRecordLimit + 1);
    FUZZ_CHECK(file.leftBracketCount() >= file.rightBracketCount());
    FUZZ_CHECK(file.rightBracketCount() >= 0);
    FUZZ_CHECK(file.tagAt(stored).rawTag.empty() && file.tagAt(-1).rawTag.empty());

    const auto &names = file.fieldNames();
    FUZZ_CHECK(file.fieldCount() == static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        FUZZ_CHECK(!names[i].empty() && names[i] != "EOR");
        FUZZ_CHECK(upperText(names[i]) == names[i]);
        FUZZ_CHECK(file.fieldIndex(names[i]) == static_cast<int>(i));
    }

    for (int i = 0; i < stored; ++i) {
        const TagRecord &tag = file.tagAt(i);
        const bool last = i == stored - 1;
        if (tag.kind == TagNone) {
            // Only the tag that ended the parse with an error stays unparsed.
            FUZZ_CHECK(last && code != ParseStatus::Ok);
            continue;
        }
        FUZZ_CHECK(tag.errorCode == ParseStatus::Ok);
        FUZZ_CHECK(tag.rawTag.size() >= 3 && tag.rawTag.front() == '<' && tag.rawTag.back() == '>');
        FUZZ_CHECK(tag.value.find('<') == std::string::npos);
        FUZZ_CHECK(tag.comment.find('<') == std::string::npos);
        if (tag.kind == TagEndOfFile) {
            FUZZ_CHECK(last && code == ParseStatus::Ok);
            FUZZ_CHECK(tag.dataType == TypeMarker && tag.name.empty());
            continue;
        }
        if (tag.kind == TagEndOfRecord) {
            FUZZ_CHECK(tag.dataType == TypeMarker && tag.name.empty() && tag.comment.empty());
            continue;
        }
        FUZZ_CHECK(tag.kind == TagKnownField || tag.kind == TagUserField);
        FUZZ_CHECK(tag.dataType <= TypeNumber || tag.dataType == TypeInvalid);
        FUZZ_CHECK(tag.name == AdifFile::nameOfTag(tag.rawTag));
        FUZZ_CHECK(tag.name == "EOR" || file.fieldIndex(tag.name) >= 0);
        if (tag.hasLength) {
            FUZZ_CHECK(tag.declaredLength >= 0);
            FUZZ_CHECK(tag.value.size() <= static_cast<size_t>(tag.declaredLength));
        } else {
            FUZZ_CHECK(!tag.hasType && tag.comment.empty());
        }
        AdifFile::isDigits(tag.value);
        AdifFile::isDigitsOrDots(tag.value);
    }
    AdifFile::nameOfTag(bytes.substr(0, 64));
}

// The grid a successful fill lays out.
void checkFill(const AdifFile &file, const LogDocument &document, LogDocument::FillResult result)
{
    if (!file.result()) {
        FUZZ_CHECK(result == LogDocument::FillResult::FormatError);
        return;
    }
    const bool tooBig = file.fieldCount() > LogDocument::kLoadFieldLimit
        || file.recordCount() > LogDocument::kLoadRecordLimit;
    FUZZ_CHECK((result == LogDocument::FillResult::TooBig) == tooBig);
    if (result != LogDocument::FillResult::Filled)
        return;

    FUZZ_CHECK(document.documentOpen());
    FUZZ_CHECK(document.columnCount() == file.fieldCount() + 1);
    FUZZ_CHECK(document.rowCount() == file.recordCount() + 1);
    FUZZ_CHECK(document.text(0, 0) == "RECORD #");
    for (int c = 1; c < document.columnCount(); ++c)
        FUZZ_CHECK(document.text(c, 0) == file.fieldNames()[static_cast<size_t>(c - 1)]);
    for (int r = 0; r <= document.rowCount(); ++r) {
        for (int c = 0; c <= document.columnCount(); ++c) {
            const TagRecord *record = document.cellInfo(c, r);
            const bool inGrid
                = c >= 1 && r >= 1 && c < document.columnCount() && r < document.rowCount();
            if (!inGrid) {
                FUZZ_CHECK(record == nullptr);
                continue;
            }
            if (record == nullptr)
                continue;
            FUZZ_CHECK(record->name == document.text(c, 0));
            FUZZ_CHECK(record->value == document.text(c, r));
            LogDocument::hasComment(*record);
            LogDocument::hasLengthDiscrepancy(*record);
        }
    }
    document.anyLengthDiscrepancy();
}

// True when the writers' column gate stops an export of this grid: a column
// without a usable record, a valid type or a field name (blanks are none).
bool gateStops(const LogDocument &document)
{
    if (document.rowCount() < 2)
        return false;
    for (int c = 1; c < document.columnCount(); ++c) {
        if (document.columnStatus(c) == TagNone || document.columnDataType(c) == TypeInvalid
            || trimText(document.columnFieldName(c)).empty())
            return true;
    }
    return false;
}

std::optional<std::string> exportText(ExportFormat format, LogDocument &document,
                                      QuietExportHost &host)
{
    host.forget();
    const bool gate = gateStops(document);
    ExportText built = buildExportText(format, document, host);
    const ExportStatus status = built.result.status;
    if (status == ExportStatus::Written) {
        FUZZ_CHECK(host.messages == 0 && !gate);
        return std::move(built.text);
    }
    if (status == ExportStatus::CheckFailed) {
        FUZZ_CHECK(host.messages == 1 && host.selections == 1);
        FUZZ_CHECK(host.selectedColumn >= 1 && host.selectedColumn < document.columnCount());
        FUZZ_CHECK(host.selectedRow >= 1 && host.selectedRow < document.rowCount());
    } else {
        // Only the column gate stops an export without a message; anything
        // else is a failure the writer swallowed.
        FUZZ_CHECK(host.messages == 0 && gate && !built.result.reason.empty());
    }
    return std::nullopt;
}

// An ADIF export must read back: the reader takes it without error and finds
// one record per written row.
void checkReadBack(const LogDocument &document, const std::string &text, bool omit)
{
    if (text.empty())
        return;
    AdifFile again;
    FUZZ_CHECK(again.loadFromBytes(text));
    FUZZ_CHECK(again.result().status == ParseStatus::Ok);
    if (omit)
        FUZZ_CHECK(again.recordCount() <= document.rowCount() - 1);
    else
        FUZZ_CHECK(again.recordCount() == document.rowCount() - 1);
}

}  // namespace
}  // namespace vaziduvu

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vaziduvu;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    AdifFile file;
    if (!file.loadFromBytes(bytes))
        return 0;
    checkReader(file, bytes);

    // One document serves every input, as the window's does: reset, then
    // fill. (A fresh one per input would also cost more than the rest.)
    static LogDocument document;
    document.reset();
    const LogDocument::FillResult result = document.fillFrom(file);
    checkFill(file, document, result);
    if (result != LogDocument::FillResult::Filled)
        return 0;

    // The last byte chooses the omit option, so every seed runs as it is.
    const bool omit = size > 0 && (data[size - 1] & 1) != 0;
    QuietExportHost host(omit);

    // The order of a save as XML or HTML: the ADIF copy first.
    if (const auto adif = exportText(ExportFormat::Adif, document, host))
        checkReadBack(document, *adif, omit);
    exportText(ExportFormat::Xml, document, host);
    exportText(ExportFormat::Html, document, host);

    // Rows added after the load get their records from ensureCellRecord.
    document.appendRowSameAsPrevious();
    document.appendBlankRow();
    if (const auto adif = exportText(ExportFormat::Adif, document, host))
        checkReadBack(document, *adif, omit);
    return 0;
}
