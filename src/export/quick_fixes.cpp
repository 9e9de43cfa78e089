#include "export/quick_fixes.h"

#include "adif/current_vocabulary.h"
#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "document/grid_change.h"
#include "document/log_document.h"
#include "export/current_checks.h"
#include "export/export_host.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <set>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace vaziduvu {

namespace {

// Takes back every change made while it lives (the journal it opens).
class TakeBack {
public:
    explicit TakeBack(LogDocument &document)
        : document_(document)
    {
        document_.openJournal();
    }
    ~TakeBack() { GridChange::fromJournal(document_).undo(document_); }
    TakeBack(const TakeBack &) = delete;
    TakeBack &operator=(const TakeBack &) = delete;

private:
    LogDocument &document_;
};

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text without the separators at the given places, when every other
// byte is a digit and each separator is one of `separators` (the same one
// throughout); nullopt otherwise.
std::optional<std::string> withoutSeparators(std::string_view text,
                                             std::initializer_list<size_t> places,
                                             std::string_view separators)
{
    const size_t expected = *(places.end() - 1) + 3;
    if (text.size() != expected || separators.find(text[*places.begin()]) == std::string::npos)
        return std::nullopt;
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool separator = std::find(places.begin(), places.end(), i) != places.end();
        if (separator ? text[i] != text[*places.begin()] : !isDigit(text[i]))
            return std::nullopt;
        if (!separator)
            digits += text[i];
    }
    return digits;
}

std::optional<std::string> compactDate(std::string_view text)
{
    return withoutSeparators(text, {4, 7}, "-/");
}

std::optional<std::string> compactTime(std::string_view text)
{
    if (auto hhmm = withoutSeparators(text, {2}, ":"))
        return hhmm;
    return withoutSeparators(text, {2, 5}, ":");
}

std::string headingOf(const LogDocument &document, int column)
{
    return upperText(trimText(document.text(column, 0)));
}

// The column headed by the field (trimmed, letter case ignored); 0: none.
int columnOf(const LogDocument &document, std::string_view field)
{
    for (int column = 1; column < document.columnCount(); ++column) {
        if (headingOf(document, column) == field)
            return column;
    }
    return 0;
}

// Finds the mend of each problem, trying each candidate value on the cell
// with the export's own checks (and taking the trial back).
class FixFinder {
public:
    FixFinder(LogDocument &document, int latestYear)
        : document_(document)
        , latestYear_(latestYear)
        , current_(document.adifMode() == AdifMode::Current)
    {
        if (current_)
            checks_ = std::make_unique<CurrentChecks>(document, latestYear);
    }

    std::optional<QuickFix> fixFor(const LogProblem &problem)
    {
        if (problem.row < 1 || problem.column < 1)
            return std::nullopt;
        const int column = problem.column;
        const int row = problem.row;
        const std::string field = headingOf(document_, column);
        const std::string before(document_.text(column, row));
        const std::string value = trimText(before);
        if (current_ && field == "MODE") {
            if (auto fix = modeFix(column, row, before, value))
                return fix;
        }

        // A date or time is rewritten only in a cell that holds one.
        const CurrentField *known = findCurrentField(field);
        TagRecord scratch;
        const TagRecord *record
            = document_.recordAt(column, row, scratch, LogDocument::RecordTexts::Without);
        const bool dateCell = known ? known->type == AdifType::Date
                                    : record != nullptr && record->dataType == TypeDate;
        const bool timeCell
            = known ? known->type == AdifType::Time : record != nullptr && record->isTimeOn;
        struct Candidate {
            FixKind kind;
            std::optional<std::string> text;
        };
        const Candidate candidates[] = {
            {FixKind::DateWritten, dateCell ? compactDate(value) : std::nullopt},
            {FixKind::TimeWritten, timeCell ? compactTime(value) : std::nullopt},
            {FixKind::Blanks, value != before ? std::optional<std::string>(value) : std::nullopt},
            {FixKind::LetterCase,
             isAscii(value) && upperText(value) != value
                 ? std::optional<std::string>(upperText(value))
                 : std::nullopt},
        };
        for (const Candidate &candidate : candidates) {
            if (!candidate.text || !passes(column, row, *candidate.text))
                continue;
            QuickFix fix;
            fix.kind = candidate.kind;
            fix.target = field;
            fix.from = value;
            fix.description = field + " " + *candidate.text;
            fix.cells.push_back({field, column, row, before, *candidate.text});
            fix.anchorColumn = column;
            return fix;
        }
        return std::nullopt;
    }

    // The missing or empty BAND cells whose FREQ lies in a band. (BAND_RX
    // is left alone: many logs give FREQ_RX without it, and rightly so.)
    void addBandsOfFrequencies(std::vector<FoundProblem> &found) const
    {
        const int frequencyColumn = current_ ? columnOf(document_, "FREQ") : 0;
        if (frequencyColumn == 0)
            return;
        const int bandColumn = columnOf(document_, "BAND");
        for (int row = 1; row < document_.rowCount(); ++row) {
            const std::string frequency = trimText(document_.text(frequencyColumn, row));
            if (frequency.empty() || !isAdifNumber(frequency))
                continue;
            const std::string before
                = bandColumn > 0 ? std::string(document_.text(bandColumn, row)) : "";
            if (!trimText(before).empty())
                continue;
            double mhz = 0;
            std::from_chars(frequency.data(), frequency.data() + frequency.size(), mhz);
            const CurrentBand *band = bandOfFrequency(mhz);
            if (band == nullptr)
                continue;
            QuickFix fix;
            fix.kind = FixKind::BandFromFrequency;
            fix.target = "BAND";
            fix.from = frequency;
            fix.description = std::string("BAND ") + band->name;
            fix.cells.push_back({"BAND", bandColumn, row, before, band->name});
            fix.anchorColumn = frequencyColumn;
            LogProblem problem{frequencyColumn, row,
                               "Check your 'Band' columns ... BAND is empty: FREQ " + frequency
                                   + " MHz lies in the " + band->name + " band."};
            found.push_back({std::move(problem), std::move(fix)});
        }
    }

private:
    // MODE USB -> MODE SSB with SUBMODE USB, from the ADIF 3.1.6 table; none
    // when the record's SUBMODE already says something else.
    std::optional<QuickFix> modeFix(int column, int row, const std::string &before,
                                    const std::string &value) const
    {
        if (isCurrentMode(value))
            return std::nullopt;
        const std::optional<std::string> mode = modeOfSubmode(value);
        if (!mode)
            return std::nullopt;
        const std::string submode = upperText(value);
        if (submodeColumn_ < 0)
            submodeColumn_ = columnOf(document_, "SUBMODE");
        const int submodeColumn = submodeColumn_;
        const std::string submodeBefore
            = submodeColumn > 0 ? std::string(document_.text(submodeColumn, row)) : "";
        const std::string submodeNow = upperText(trimText(submodeBefore));
        if (!submodeNow.empty() && submodeNow != submode)
            return std::nullopt;
        QuickFix fix;
        fix.kind = FixKind::SubmodeAsMode;
        fix.target = *mode;
        fix.from = submode;
        fix.description = "MODE " + *mode + ", SUBMODE " + submode;
        fix.cells.push_back({"MODE", column, row, before, *mode});
        if (submodeNow.empty())
            fix.cells.push_back({"SUBMODE", submodeColumn, row, submodeBefore, submode});
        fix.anchorColumn = column;
        return fix;
    }

    // True when the cell holding the text passes every value check.
    bool passes(int column, int row, const std::string &text)
    {
        const TakeBack takeBack(document_);
        document_.setText(column, row, text);
        TagRecord scratch;
        const TagRecord *record
            = document_.recordAt(column, row, scratch, LogDocument::RecordTexts::Without);
        std::optional<TagRecord> blank;
        if (record == nullptr) {
            blank = document_.blankRecordFor(column);
            if (!blank)
                return false;
            record = &*blank;
        }
        return cellProblems(document_, checks_.get(), *record, column, row, latestYear_, true)
            .empty();
    }

    LogDocument &document_;
    int latestYear_;
    bool current_;
    std::unique_ptr<CurrentChecks> checks_;
    mutable int submodeColumn_ = -1;  // found at the first MODE fix; 0: none
};

// A tag like the one given ("<mode:3:S>") for a value of `length` bytes.
std::string retagged(std::string_view tag, size_t length)
{
    const std::string_view inner = tag.substr(1, tag.size() - 2);
    const size_t colon = inner.find(':');
    std::string text = "<" + std::string(inner.substr(0, colon)) + ":" + std::to_string(length);
    if (colon != std::string_view::npos) {
        const size_t typeColon = inner.find(':', colon + 1);
        if (typeColon != std::string_view::npos)
            text += inner.substr(typeColon);
    }
    return text + ">";
}

}  // namespace

TagRecord recordOfAddedCell(const std::string &field, const std::string &value)
{
    TagRecord record;
    const uint8_t type = catalogueTypeOf(field);
    record.kind = type == TypeInvalid ? TagUserField : TagKnownField;
    record.dataType = type == TypeInvalid ? static_cast<uint8_t>(TypeCharacter) : type;
    record.name = field;
    record.value = value;
    record.hasLength = true;
    record.declaredLength = static_cast<int32_t>(value.size());
    record.isTimeOn = isTimeFieldName(field);
    return record;
}

std::vector<FoundProblem> findQuickFixes(LogDocument &document, ExportHost &host)
{
    std::vector<LogProblem> problems;
    {
        // The checks tidy what they pass; the grid must stay as it is.
        const TakeBack takeBack(document);
        problems = checkLog(ExportFormat::Adif, document, host);
    }
    return quickFixesOf(document, std::move(problems), host.latestYear());
}

std::vector<FoundProblem> quickFixesOf(LogDocument &document, std::vector<LogProblem> problems,
                                       int latestYear)
{
    FixFinder finder(document, latestYear);
    std::vector<FoundProblem> found;
    found.reserve(problems.size());
    for (LogProblem &problem : problems) {
        std::optional<QuickFix> fix = finder.fixFor(problem);
        found.push_back({std::move(problem), std::move(fix)});
    }
    const size_t checked = found.size();
    finder.addBandsOfFrequencies(found);
    if (found.size() > checked) {
        std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) {
            return std::pair(a.problem.row, a.problem.column)
                < std::pair(b.problem.row, b.problem.column);
        });
    }
    return found;
}

std::string describeFixKind(const std::vector<const QuickFix *> &fixes)
{
    if (fixes.empty())
        return {};
    const QuickFix &first = *fixes.front();
    switch (first.kind) {
    case FixKind::SubmodeAsMode: {
        constexpr size_t kNamed = 6;
        std::vector<std::string> values;
        for (const QuickFix *fix : fixes) {
            if (std::find(values.begin(), values.end(), fix->from) == values.end())
                values.push_back(fix->from);
        }
        std::string named;
        for (size_t i = 0; i < std::min(values.size(), kNamed); ++i)
            named += (i == 0 ? "" : "/") + values[i];
        if (values.size() > kNamed)
            named += "/...";
        return "MODE " + named + " -> " + first.target + " with SUBMODE";
    }
    case FixKind::BandFromFrequency:
        return "empty " + first.target + " -> the band of its frequency";
    case FixKind::DateWritten:
        return first.target + " dates -> YYYYMMDD";
    case FixKind::TimeWritten:
        return first.target + " times -> HHMM or HHMMSS";
    case FixKind::Blanks:
        return first.target + " blanks around values removed";
    case FixKind::LetterCase:
        return first.target + " values -> capitals";
    }
    return {};
}

std::vector<const QuickFix *> fixesToApply(const std::vector<FoundProblem> &found)
{
    std::vector<const QuickFix *> fixes;
    std::set<std::pair<std::string, int>> taken;  // (field, row)
    for (const FoundProblem &problem : found) {
        if (!problem.fix)
            continue;
        const std::vector<CellFix> &cells = problem.fix->cells;
        if (std::any_of(cells.begin(), cells.end(), [&](const CellFix &cell) {
                return taken.count({cell.field, cell.row});
            }))
            continue;
        for (const CellFix &cell : cells)
            taken.insert({cell.field, cell.row});
        fixes.push_back(&*problem.fix);
    }
    return fixes;
}

AppliedFixes applyQuickFixes(LogDocument &document, const std::vector<const QuickFix *> &fixes,
                             Progress *progress)
{
    AppliedFixes applied;
    std::unordered_map<std::string, int> added;
    std::vector<bool> rows(static_cast<size_t>(std::max(0, document.rowCount())) + 1,
                           false);  // by grid row: changed
    std::set<int> newColumns;
    const auto total = static_cast<int64_t>(fixes.size());
    for (size_t done = 0; done < fixes.size(); ++done) {
        if (progress != nullptr && !progress->advance(static_cast<int64_t>(done), total)) {
            applied.stopped = true;
            break;
        }
        const QuickFix *fix = fixes[done];
        bool changed = false;
        for (const CellFix &cell : fix->cells) {
            int column = cell.column;
            if (column == 0) {
                const auto found = added.find(cell.field);
                if (found != added.end()) {
                    column = found->second;
                } else if ((column = columnOf(document, cell.field)) == 0) {
                    column = document.columnCount();
                    if (column >= document.cellTableColumns())
                        throw std::length_error("no room for another column");
                    document.setSize(column + 1, document.rowCount());
                    document.setText(column, 0, cell.field);
                    newColumns.insert(column);
                }
                added.emplace(cell.field, column);
            }
            if (document.text(column, cell.row) == cell.after)
                continue;
            // A new column's cells take their records from here, not from
            // a walk down the column for a template.
            if (newColumns.count(column) != 0
                || (!document.cellInfo(column, cell.row)
                    && document.ensureCellRecord(column, cell.row) == nullptr))
                document.setCellInfo(column, cell.row, recordOfAddedCell(cell.field, cell.after));
            document.setText(column, cell.row, cell.after);
            if (static_cast<size_t>(cell.row) >= rows.size())
                rows.resize(static_cast<size_t>(cell.row) + 1, false);
            applied.contacts += rows[static_cast<size_t>(cell.row)] ? 0 : 1;
            rows[static_cast<size_t>(cell.row)] = true;
            ++applied.cells;
            changed = true;
        }
        applied.fixes += changed ? 1 : 0;
    }
    return applied;
}

std::string rewriteSource(const LogDocument &document, std::string_view source,
                          const std::vector<const QuickFix *> &fixes, size_t base)
{
    struct Splice {
        size_t offset = 0;
        size_t erased = 0;
        std::string text;
    };
    std::vector<Splice> splices;
    std::set<std::pair<std::string, int>> done;  // (field, row)
    for (const QuickFix *fix : fixes) {
        for (const CellFix &cell : fix->cells) {
            if (!done.insert({cell.field, cell.row}).second)
                continue;
            const CellRecord own
                = cell.column > 0 ? document.cellInfo(cell.column, cell.row) : CellRecord();
            if (own && own->valueOffset > 0) {
                const size_t valueAt = static_cast<size_t>(own->valueOffset) - base;
                const size_t tagAt = source.rfind('<', valueAt - 1);
                if (tagAt == std::string_view::npos)
                    throw std::runtime_error("a value without its tag");
                splices.push_back(
                    {tagAt, valueAt + own->value.size() - tagAt,
                     retagged(source.substr(tagAt, valueAt - tagAt), cell.after.size())
                         + cell.after});
                continue;
            }
            const CellRecord anchor = document.cellInfo(fix->anchorColumn, cell.row);
            if (!anchor || anchor->valueOffset < 0)
                throw std::runtime_error("row " + std::to_string(cell.row)
                                         + " has no value in the file to write " + cell.field
                                         + " after");
            const size_t end = static_cast<size_t>(anchor->valueOffset) - base
                + anchor->value.size() + anchor->comment.size();
            splices.push_back({end, 0,
                               "<" + cell.field + ":" + std::to_string(cell.after.size()) + ">"
                                   + cell.after + (anchor->comment.empty() ? "" : " ")});
        }
    }
    // A field written after a value goes before a mended tag that follows
    // the value at once, whichever of the two mends came first.
    std::stable_sort(splices.begin(), splices.end(), [](const Splice &a, const Splice &b) {
        return a.offset < b.offset || (a.offset == b.offset && a.erased == 0 && b.erased > 0);
    });
    std::string text;
    text.reserve(source.size() + 64 * splices.size());
    size_t at = 0;
    for (const Splice &splice : splices) {
        if (splice.offset < at)
            throw std::runtime_error("two mends overlap in the file");
        text.append(source.substr(at, splice.offset - at));
        text += splice.text;
        at = splice.offset + splice.erased;
    }
    text.append(source.substr(at));
    return text;
}

}  // namespace vaziduvu
