#include "cli/streamed_log.h"

#include "cli/console_progress.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vaziduvu {

namespace {

// Offsets just after each line end in text[0, size) (a line ends at "\n",
// "\r\n" or a lone "\r"), `after` being the byte that follows the text
// (-1: none).
template <typename Each> void forEachLineEnd(std::string_view text, int after, Each each)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            each(i + 1);
        } else if (c == '\r') {
            const int next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : after;
            if (next != '\n')
                each(i + 1);
        }
    }
}

}  // namespace

StreamedLog::StreamedLog(std::string path, const CliOptions &options, std::ostream &err)
    : path_(std::move(path))
    , options_(options)
    , err_(err)
    , reader_(options.mode)
{
}

OpenStatus StreamedLog::survey()
{
    ConsoleProgress progress(err_);
    progress.begin("reading " + path_);
    bool read = reader_.open(path_);
    wholeColumns_ = std::make_shared<std::vector<LogDocument::WholeLogColumn>>(1);
    recordCells_.clear();
    while (read && reader_.next(options_.batchRecords)) {
        learnColumns(reader_.file(), reader_.finished());
        if (options_.progress) {
            const auto batch = reader_.file().loadedText();
            progress.advance(static_cast<int64_t>(batch->base + batch->source.size()),
                             reader_.file().fileSize());
        }
    }
    progress.finish();
    const AdifFile &file = reader_.file();
    if (!read || (!reader_.finished())) {
        err_ << "vaziduvu-cli: reading '" << path_ << "' failed (out of memory)\n";
        return OpenStatus::Unreadable;
    }
    if (!file.result())
        return OpenStatus::FormatError;
    columns_ = file.fieldNames();
    changedHeadings_.clear();
    records_ = file.contactCount();
    if (options_.mode == AdifMode::Classic
        && (static_cast<int>(columns_.size()) > LogDocument::kLoadFieldLimit
            || records_ > LogDocument::kLoadRecordLimit))
        return OpenStatus::TooBig;
    return OpenStatus::Loaded;
}

bool StreamedLog::forEachBatch(const std::function<bool(LogDocument &, int)> &each)
{
    if (!reader_.open(path_))
        return false;
    marks_.assign(1, LineMark{});
    regionMark_ = SIZE_MAX;
    batchLinesBase_ = SIZE_MAX;
    LogDocument document;
    document.setAdifMode(options_.mode);
    int rowOffset = 0;
    while (reader_.next(options_.batchRecords)) {
        const AdifFile &batch = reader_.file();
        const LoadedText &text = *batch.loadedText();
        int rows = 0;
        for (const StoredTag &tag : text.tags) {
            if (tag.role() == StoredTag::EndOfRecord)
                ++rows;
            else if (tag.role() == StoredTag::EndOfFile)
                break;
        }
        if (reader_.finished() && batch.lastRecordStart() >= 0)
            ++rows;
        document.reset();
        if (document.fillFromBatch(batch, columns_, rows) != LogDocument::FillResult::Filled)
            return false;
        document.useWholeLogColumns(wholeColumns_);
        for (size_t column = 1; column < changedHeadings_.size(); ++column) {
            if (changedHeadings_[column])
                document.setText(static_cast<int>(column), 0, *changedHeadings_[column]);
        }
        const bool more = each(document, rowOffset);
        keepChangedHeadings(document);
        markLines(text);
        if (!more)
            return false;
        rowOffset += rows;
    }
    return static_cast<bool>(reader_.file().result());
}

void StreamedLog::keepChangedHeadings(const LogDocument &batch)
{
    changedHeadings_.resize(columns_.size() + 1);
    for (size_t column = 1; column <= columns_.size(); ++column) {
        const std::string_view heading = batch.text(static_cast<int>(column), 0);
        changedHeadings_[column]
            = heading == columns_[column - 1] ? std::nullopt : std::optional<std::string>(heading);
    }
}

// The cells of each record, as a document filled from the whole log holds
// them (the last of a field repeated in a record counts): the first record
// holding a column gives its template, name and first value.
void StreamedLog::learnColumns(const AdifFile &batch, bool last)
{
    for (int i = 0; i < batch.storedTagCount(); ++i) {
        const TagFields tag = batch.storedTag(i);
        if (tag.kind == TagEndOfFile)
            break;
        if (tag.tagLength == 0)
            continue;
        if (tag.kind == TagEndOfRecord) {
            endRecord();
            continue;
        }
        const int field = tag.nameIndex < 0 ? -1 : batch.fieldOfTagName(tag.nameIndex);
        if (field < 0)
            continue;
        auto cell = std::find_if(recordCells_.begin(), recordCells_.end(),
                                 [field](const auto &held) { return held.first == field + 1; });
        if (cell == recordCells_.end())
            recordCells_.emplace_back(field + 1, tag);
        else
            cell->second = tag;
        if (wholeColumns_->size() <= static_cast<size_t>(field + 1))
            wholeColumns_->resize(static_cast<size_t>(field + 2));
        if ((*wholeColumns_)[static_cast<size_t>(field + 1)].fieldName.empty())
            (*wholeColumns_)[static_cast<size_t>(field + 1)].fieldName
                = batch.tagNames()[static_cast<size_t>(tag.nameIndex)];
    }
    if (last && batch.lastRecordStart() >= 0)
        endRecord();
    recordCells_.clear();
}

void StreamedLog::endRecord()
{
    for (const auto &[column, tag] : recordCells_) {
        lengthDiscrepancy_
            = lengthDiscrepancy_ || (tag.hasLength && tag.valueLength != tag.declaredLength);
        LogDocument::WholeLogColumn &facts = (*wholeColumns_)[static_cast<size_t>(column)];
        if (!facts.blank) {
            TagRecord blank;
            blank.kind = tag.kind;
            blank.hasLength = tag.hasLength;
            blank.declaredLength = tag.declaredLength;
            blank.hasType = tag.hasType;
            blank.dataType = tag.dataType;
            blank.isTimeOn = tag.isTimeOn;
            blank.name = facts.fieldName;
            facts.blank = std::move(blank);
            facts.status = tag.kind;
            facts.firstValueOffset = tag.valueOffset();
        }
        if (facts.dataType == 6)
            facts.dataType = tag.dataType;
    }
    recordCells_.clear();
}

void StreamedLog::markLines(const LoadedText &batch)
{
    LineMark mark = marks_.back();
    if (batch.base != mark.offset || batch.source.empty())
        return;
    // The next batch starts at a tag, so the byte after this one is a '<'.
    forEachLineEnd(batch.source, '<', [&](size_t end) {
        ++mark.line;
        mark.lineStart = batch.base + end;
    });
    mark.offset = batch.base + batch.source.size();
    marks_.push_back(mark);
}

// Calls `each` with the line ends of the file's bytes [from, to), read a
// piece at a time.
template <typename Each>
void forEachLineEndInFile(const std::string &path, size_t from, size_t to, Each each)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return;
    if (std::fseek(file, static_cast<long>(from), SEEK_SET) == 0) {
        constexpr size_t kPiece = size_t{1} << 20;
        std::string piece(kPiece + 1, '\0');
        size_t at = from;
        size_t held = 0;  // bytes at piece's start not yet counted
        while (at < to) {
            const size_t want = std::min(kPiece + 1 - held, to + 1 - at - held);
            const size_t got = std::fread(piece.data() + held, 1, want, file);
            const size_t have = held + got;
            const bool ends = got < want || at + have > to;
            const size_t count = ends ? std::min(have, to - at) : have - 1;
            const int after = count < have ? static_cast<unsigned char>(piece[count]) : -1;
            forEachLineEnd(std::string_view(piece.data(), count), after,
                           [&](size_t end) { each(at + end); });
            at += count;
            if (ends || count == 0)
                break;
            piece[0] = piece[count];
            held = 1;
        }
    }
    std::fclose(file);
}

void StreamedLog::readRegion(size_t mark)
{
    regionMark_ = mark;
    regionLineStarts_.clear();
    const size_t to = mark + 1 < marks_.size() ? marks_[mark + 1].offset
                                               : static_cast<size_t>(reader_.file().fileSize());
    forEachLineEndInFile(path_, marks_[mark].offset, to,
                         [this](size_t end) { regionLineStarts_.push_back(end); });
}

std::pair<int, int> StreamedLog::lineAndColumn(int32_t offset)
{
    if (marks_.empty())
        marks_.assign(1, LineMark{});
    const size_t end = std::min(static_cast<size_t>(reader_.file().fileSize()),
                                static_cast<size_t>(std::max(0, offset)));
    const auto after = std::upper_bound(marks_.begin(), marks_.end(), end,
                                        [](size_t at, const LineMark &m) { return at < m.offset; });
    const size_t mark = static_cast<size_t>(after - marks_.begin()) - 1;
    const LineMark &from = marks_[mark];
    if (mark + 1 == marks_.size()) {
        const std::shared_ptr<const LoadedText> batch = reader_.file().loadedText();
        if (batch && batch->base == from.offset && end <= batch->base + batch->source.size()) {
            if (batchLinesBase_ != batch->base || batchLinesSize_ != batch->source.size()) {
                batchLinesBase_ = batch->base;
                batchLinesSize_ = batch->source.size();
                batchLineStarts_.clear();
                forEachLineEnd(batch->source, '<',
                               [&](size_t at) { batchLineStarts_.push_back(batch->base + at); });
            }
            const auto ends
                = std::upper_bound(batchLineStarts_.begin(), batchLineStarts_.end(), end);
            const auto count = static_cast<int>(ends - batchLineStarts_.begin());
            const size_t lineStart = count > 0 ? *(ends - 1) : from.lineStart;
            return {from.line + count, static_cast<int>(end - lineStart) + 1};
        }
        // Past the last batch read (a place the first read found), the file
        // is counted up to the place without keeping its line ends.
        int line = from.line;
        size_t lineStart = from.lineStart;
        forEachLineEndInFile(path_, from.offset, end, [&](size_t at) {
            ++line;
            lineStart = at;
        });
        return {line, static_cast<int>(end - lineStart) + 1};
    }
    if (regionMark_ != mark)
        readRegion(mark);
    const auto ends = std::upper_bound(regionLineStarts_.begin(), regionLineStarts_.end(), end);
    const auto count = static_cast<int>(ends - regionLineStarts_.begin());
    const size_t lineStart = count > 0 ? *(ends - 1) : from.lineStart;
    return {from.line + count, static_cast<int>(end - lineStart) + 1};
}

bool StreamedLog::forEachPiece(size_t from, size_t to,
                               const std::function<void(std::string_view)> &each)
{
    if (from >= to)
        return true;
    std::FILE *file = std::fopen(path_.c_str(), "rb");
    if (file == nullptr)
        return false;
    bool read = std::fseek(file, static_cast<long>(from), SEEK_SET) == 0;
    std::string piece(std::min(to - from, size_t{1} << 20), '\0');
    while (read && from < to) {
        const size_t got = std::fread(piece.data(), 1, std::min(piece.size(), to - from), file);
        read = got > 0;
        each(std::string_view(piece.data(), got));
        from += got;
    }
    std::fclose(file);
    return read;
}

}  // namespace vaziduvu
