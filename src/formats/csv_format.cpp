#include "formats/csv_format.h"

#include "adif/text.h"
#include "adif/utf8_text.h"
#include "document/log_document.h"

#include <unordered_map>

namespace vaziduvu {

namespace {

// One row of cells and the line it starts on, or a problem.
class CsvScanner {
public:
    explicit CsvScanner(std::string_view text)
        : text_(text)
    {
        if (startsWithUtf8ByteOrderMark(text_))
            at_ = kUtf8ByteOrderMark.size();
    }

    bool atEnd() const { return at_ >= text_.size(); }
    int line() const { return line_; }

    // Reads the next row; false with `problem` set when it is malformed (the
    // scanner then goes on at the next line).
    bool nextRow(std::vector<std::string> &cells, std::string &problem)
    {
        cells.assign(1, std::string());
        for (;;) {
            if (atEnd())
                return true;
            const char c = text_[at_];
            if (c == '\r' || c == '\n') {
                endLine();
                return true;
            }
            if (c == ',') {
                ++at_;
                cells.emplace_back();
                inUnquoted_ = false;
                quotedJustEnded_ = false;
                continue;
            }
            if (c == '"' && cells.back().empty() && !inUnquoted_) {
                if (!readQuoted(cells.back(), problem)) {
                    skipLine();
                    return false;
                }
                continue;
            }
            if (c == '"' || quotedJustEnded_) {
                problem = quotedJustEnded_ ? "text after a closing quote"
                                           : "a quote inside an unquoted field";
                skipLine();
                return false;
            }
            inUnquoted_ = true;
            cells.back() += c;
            ++at_;
        }
    }

private:
    void endLine()
    {
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n')
            ++at_;
        ++at_;
        ++line_;
        inUnquoted_ = false;
        quotedJustEnded_ = false;
    }
    void skipLine()
    {
        while (!atEnd() && text_[at_] != '\r' && text_[at_] != '\n')
            ++at_;
        if (!atEnd())
            endLine();
        inUnquoted_ = false;
        quotedJustEnded_ = false;
    }
    bool readQuoted(std::string &cell, std::string &problem)
    {
        const int start = line_;
        ++at_;
        for (;;) {
            if (atEnd()) {
                problem
                    = "a quoted field opened on line " + std::to_string(start) + " is never closed";
                return false;
            }
            const char c = text_[at_++];
            if (c == '"') {
                if (at_ < text_.size() && text_[at_] == '"') {
                    cell += '"';
                    ++at_;
                    continue;
                }
                quotedJustEnded_ = true;
                return true;
            }
            if (c == '\n' || (c == '\r' && (at_ >= text_.size() || text_[at_] != '\n')))
                ++line_;
            cell += c;
        }
    }
    std::string_view text_;
    size_t at_ = 0;
    int line_ = 1;
    bool inUnquoted_ = false;
    bool quotedJustEnded_ = false;
};

bool isBlankRow(const std::vector<std::string> &cells)
{
    return cells.size() == 1 && cells[0].empty();
}

void appendCsvCell(std::string_view cell, std::string &out)
{
    const bool quote = cell.find_first_of(",\"\r\n") != std::string_view::npos
        || (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
    if (!quote) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

ContactLog readCsv(std::string_view bytes, const ReadOptions &options)
{
    ContactLog log;
    const bool utf8 = isValidUtf8(bytes);
    CsvScanner scanner(bytes);
    std::vector<std::string> names;
    std::vector<std::string> cells;
    std::string problem;
    std::string text;
    bool haveHeader = false;
    while (!scanner.atEnd()) {
        const int line = scanner.line();
        if (!scanner.nextRow(cells, problem)) {
            log.problems.push_back({line, problem});
            if (!haveHeader)
                return log;
            continue;
        }
        if (isBlankRow(cells))
            continue;
        if (!haveHeader) {
            haveHeader = true;
            for (const std::string &cell : cells) {
                if (!logTextOfUtf8(cell, utf8, options.mode, text)) {
                    log.problems.push_back(
                        {line, "a character beyond Latin-1 in the field name " + cell});
                    return log;
                }
                names.push_back(upperText(trimText(text)));
                if (names.back().empty())
                    log.problems.push_back(
                        {line, "column " + std::to_string(names.size()) + " has no field name"});
            }
            std::unordered_map<std::string, size_t> seen;
            for (size_t i = 0; i < names.size(); ++i) {
                if (!names[i].empty() && !seen.emplace(names[i], i).second)
                    log.problems.push_back({line, "the field " + names[i] + " is named twice"});
            }
            if (!log.problems.empty())
                return log;
            continue;
        }
        if (cells.size() > names.size()) {
            log.problems.push_back({line,
                                    "the row has " + std::to_string(cells.size())
                                        + " cells, the header " + std::to_string(names.size())
                                        + " names"});
            continue;
        }
        Contact contact;
        contact.line = line;
        bool readable = true;
        for (size_t i = 0; i < cells.size() && readable; ++i) {
            if (cells[i].empty())
                continue;
            readable = logTextOfUtf8(cells[i], utf8, options.mode, text);
            if (readable)
                contact.fields.push_back({names[i], text, 0});
            else
                log.problems.push_back({line,
                                        names[i]
                                            + " holds a character beyond Latin-1 "
                                              "(Current ADIF, --current-adif, keeps it)"});
        }
        if (readable && !contact.fields.empty())
            log.contacts.push_back(std::move(contact));
    }
    if (!haveHeader && log.problems.empty())
        log.problems.push_back({1, "no header row of field names"});
    checkCarriable(log, options.mode);
    return log;
}

std::string writeCsv(const LogDocument &document)
{
    const ContactLog log = contactLogOf(document);
    const std::vector<std::string> names = fieldNamesOf(log);
    std::unordered_map<std::string, size_t> columnOf;
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) {
        columnOf.emplace(names[i], i);
        if (i > 0)
            out += ',';
        appendCsvCell(utf8OfLogText(names[i], document), out);
    }
    out += "\r\n";
    std::vector<const std::string *> row(names.size());
    for (const Contact &contact : log.contacts) {
        std::fill(row.begin(), row.end(), nullptr);
        for (const ContactField &field : contact.fields)
            row[columnOf[field.name]] = &field.value;
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += ',';
            if (row[i] != nullptr)
                appendCsvCell(utf8OfLogText(*row[i], document), out);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace vaziduvu
