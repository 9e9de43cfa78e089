#pragma once

// The three formats an export writes, each a sink the walk over the grid
// feeds: the start of the file, a record's written cells in column order,
// the end of each record, the end of the file. A sink may be fed the rows of
// several documents with the same columns in turn (begin once, records of
// batch after batch, end once).

#include "export/export_host.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

class LogDocument;
class StreamedExportFile;
struct TagRecord;

// The text of an export as it grows: built whole in memory, or handed on to
// the file being written a piece at a time (then `file` is set).
struct SinkText {
    std::string text;
    StreamedExportFile *file = nullptr;

    // Room for a text built in memory.
    void reserve(size_t size);
    // At the end of a record: a file being written takes the text grown so far.
    void handOn();
};

class ExportSink {
public:
    virtual ~ExportSink() = default;

    // The start of the file. `estimate`: the sizing pass's estimate of the
    // records' text (0 when the text goes to a file as it is built).
    virtual void begin(LogDocument &document, size_t estimate) = 0;
    // One written cell: its trimmed text and its record. `shownRow` is the
    // row as the user sees it; `bare` marks a cell holding nothing whose
    // record is its column's blank one.
    virtual void cell(int column, std::string_view text, const TagRecord &record, int shownRow,
                      bool bare)
        = 0;
    // The end of a record (`row` of `document`); nothing when no cell of it
    // was written.
    virtual void endRecord(const LogDocument &document, int row) = 0;
    virtual void end() = 0;
};

// `names`: the field name each column is written under (index: column).
class AdifSink : public ExportSink {
public:
    AdifSink(SinkText &out, std::vector<std::string> names, ExportHost &host);
    void begin(LogDocument &document, size_t estimate) override;
    void cell(int column, std::string_view text, const TagRecord &record, int shownRow,
              bool bare) override;
    void endRecord(const LogDocument &document, int row) override;
    void end() override { }

    // One field: its tag with the value's length (and the cell's own type
    // letter), the value and the comment.
    static void appendTag(std::string &out, const std::string &name, std::string_view value,
                          const TagRecord &record);

private:
    SinkText &out_;
    const std::vector<std::string> names_;
    ExportHost &host_;
    std::vector<std::string> bareTags_;  // per column; empty: not made yet
    bool recordOpen_ = false;
};

class XmlSink : public ExportSink {
public:
    XmlSink(SinkText &out, std::vector<std::string> names, bool utf8);
    void begin(LogDocument &document, size_t estimate) override;
    void cell(int column, std::string_view text, const TagRecord &record, int shownRow,
              bool bare) override;
    void endRecord(const LogDocument &document, int row) override;
    void end() override;

private:
    SinkText &out_;
    const std::vector<std::string> names_;
    const bool utf8_;
    bool recordOpen_ = false;
};

// The heading row first (it normalises the document's headings), then one
// table row per record; the page ends right after the last record's row, or
// after the headings when there is none.
class HtmlSink : public ExportSink {
public:
    HtmlSink(SinkText &out, int lastColumn, bool utf8);
    void begin(LogDocument &document, size_t estimate) override;
    void cell(int column, std::string_view text, const TagRecord &record, int shownRow,
              bool bare) override;
    void endRecord(const LogDocument &document, int row) override;
    void end() override;

private:
    SinkText &out_;
    const int lastColumn_;
    const bool utf8_;
    bool recordOpen_ = false;
};

}  // namespace vaziduvu
