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
#include "batched_read_check.h"
#include "document/log_document.h"
#include "export/export_host.h"
#include "export/writers.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    case ParseStatus::ZeroByte:
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
        isDigits(tag.value);
        isDigitsOrDots(tag.value);
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
        || file.contactCount() > LogDocument::kLoadRecordLimit;
    FUZZ_CHECK((result == LogDocument::FillResult::TooBig) == tooBig);
    if (result != LogDocument::FillResult::Filled)
        return;

    FUZZ_CHECK(document.documentOpen());
    FUZZ_CHECK(document.columnCount() == file.fieldCount() + 1);
    FUZZ_CHECK(document.rowCount() == file.contactCount() + 1);
    FUZZ_CHECK(document.text(0, 0) == "RECORD #");
    for (int c = 1; c < document.columnCount(); ++c)
        FUZZ_CHECK(document.text(c, 0) == file.fieldNames()[static_cast<size_t>(c - 1)]);
    for (int r = 0; r <= document.rowCount(); ++r) {
        for (int c = 0; c <= document.columnCount(); ++c) {
            const CellRecord record = document.cellInfo(c, r);
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
        // A refusal names its reason: the column gate, or names that would
        // not read back as the columns they are.
        const std::string &reason = built.result.reason;
        FUZZ_CHECK(host.messages == 0 && !reason.empty());
        FUZZ_CHECK(gate || reason.find("would both be written") != std::string::npos
                   || reason.find("not an XML name") != std::string::npos
                   || reason.find("end-of-record marker") != std::string::npos);
    }
    return std::nullopt;
}

// An ADIF export must read back: the reader takes it without error and finds
// one record per written row; without the omit option, the same columns
// and, cell by cell, the trimmed texts and the comments that were written.
void checkReadBack(const LogDocument &document, const std::string &text, bool omit)
{
    AdifFile again;
    FUZZ_CHECK(again.loadFromBytes(text));
    FUZZ_CHECK(again.result().status == ParseStatus::Ok);
    FUZZ_CHECK(again.lastRecordStart() < 0);
    if (omit) {
        FUZZ_CHECK(again.recordCount() <= document.rowCount() - 1);
        return;
    }
    // A row is written with its cells: a grid without columns writes none.
    const bool hasColumns = document.columnCount() > 1;
    FUZZ_CHECK(again.recordCount() == (hasColumns ? document.rowCount() - 1 : 0));
    if (document.rowCount() < 2 || !hasColumns)
        return;
    static LogDocument reloaded;
    reloaded.reset();
    FUZZ_CHECK(reloaded.fillFrom(again) == LogDocument::FillResult::Filled);
    FUZZ_CHECK(reloaded.columnCount() == document.columnCount());
    for (int c = 1; c < document.columnCount(); ++c) {
        FUZZ_CHECK(reloaded.text(c, 0) == upperText(trimText(document.columnFieldName(c))));
        for (int r = 1; r < document.rowCount(); ++r) {
            FUZZ_CHECK(reloaded.text(c, r) == trimText(document.text(c, r)));
            const CellRecord before = document.cellInfo(c, r);
            const CellRecord after = reloaded.cellInfo(c, r);
            FUZZ_CHECK(before && after && after->comment == before->comment);
        }
    }
}

bool isXmlNameByte(unsigned char c, bool first)
{
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'
        || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
    return letter || (!first && ((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 0xB7));
}

// Every XML export is well-formed: the declared Latin-1 head, elements with
// XML names that close in order, text without markup characters or control
// characters XML 1.0 cannot hold, and only the entities the writer makes.
void checkXml(const std::string &text)
{
    const std::string head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>";
    FUZZ_CHECK(text.compare(0, head.size(), head) == 0);
    std::vector<std::string> open;
    size_t p = head.size();
    while (p < text.size()) {
        const char c = text[p];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '<') {
            const size_t end = text.find('>', p);
            FUZZ_CHECK(end != std::string::npos);
            const bool closing = text[p + 1] == '/';
            const std::string name = text.substr(p + 1 + closing, end - p - 1 - closing);
            FUZZ_CHECK(!name.empty());
            for (size_t i = 0; i < name.size(); ++i)
                FUZZ_CHECK(isXmlNameByte(static_cast<unsigned char>(name[i]), i == 0));
            if (closing) {
                FUZZ_CHECK(!open.empty() && open.back() == name);
                open.pop_back();
            } else {
                open.push_back(name);
            }
            p = end + 1;
            continue;
        }
        if (c == '&') {
            const size_t end = text.find(';', p);
            FUZZ_CHECK(end != std::string::npos);
            const std::string entity = text.substr(p, end - p + 1);
            FUZZ_CHECK(entity == "&amp;" || entity == "&lt;" || entity == "&gt;"
                       || entity == "&#13;");
            p = end + 1;
            continue;
        }
        FUZZ_CHECK((c != '>' && c != '\r')
                   || (c == '\r' && p + 1 < text.size() && text[p + 1] == '\n'));
        FUZZ_CHECK(byte >= 0x20 || c == '\t' || c == '\n' || c == '\r');
        ++p;
    }
    FUZZ_CHECK(open.empty());
}

// The Current mode reads the same bytes: every value and comment is the
// file's own bytes at its offset, and only a UTF-8 text has values longer
// than declared (lengths counted in characters).
void checkCurrentReader(std::string_view bytes, ParseStatus classicCode)
{
    AdifFile file;
    file.setMode(AdifMode::Current);
    if (!file.loadFromBytes(bytes))
        return;
    const ParseStatus code = file.result().status;
    FUZZ_CHECK(isKnownOutcome(code));
    FUZZ_CHECK(file.fileSize() == bytes.size());
    FUZZ_CHECK(static_cast<size_t>(file.result().position) <= file.sourceText().size());
    if (classicCode == ParseStatus::ZeroByte)
        FUZZ_CHECK(code == ParseStatus::ZeroByte);
    const std::string &source = file.sourceText();
    for (int i = 0; i < file.storedTagCount(); ++i) {
        const TagRecord &tag = file.tagAt(i);
        if (tag.kind == TagNone || tag.valueOffset < 0)
            continue;
        const size_t at = static_cast<size_t>(tag.valueOffset);
        FUZZ_CHECK(source.compare(at, tag.value.size(), tag.value) == 0);
        FUZZ_CHECK(source.compare(at + tag.value.size(), tag.comment.size(), tag.comment) == 0);
        FUZZ_CHECK(tag.comment.find('<') == std::string::npos);
        if (tag.hasLength && tag.value.size() > static_cast<size_t>(tag.declaredLength))
            FUZZ_CHECK(file.textEncoding() == TextEncoding::Utf8);
    }
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
    checkCurrentReader(bytes, file.result().status);
    // A batched read gives what the whole load gives, at any batch and
    // window size (both chosen by the first byte).
    const int batchRecords = size > 0 ? 1 + data[0] % 4 : 1;
    const size_t window = size > 0 && (data[0] & 0x10) != 0 ? 16 : 4096;
    for (const AdifMode mode : {AdifMode::Classic, AdifMode::Current})
        FUZZ_CHECK(batchedReadDifference(bytes, mode, batchRecords, window).empty());

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
    if (const auto xml = exportText(ExportFormat::Xml, document, host))
        checkXml(*xml);
    exportText(ExportFormat::Html, document, host);

    // Rows added after the load get their records from ensureCellRecord.
    document.appendRowSameAsPrevious();
    document.appendBlankRow();
    if (const auto adif = exportText(ExportFormat::Adif, document, host))
        checkReadBack(document, *adif, omit);
    return 0;
}
