#include "document/log_statistics.h"
#include "adif/current_vocabulary.h"
#include "adif/text.h"
#include "document/log_document.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace vaziduvu {

namespace {

// What one contact counts as (see LogStatistics).
struct ContactFacts {
    std::string band;
    std::string mode;
    std::string year;
    std::string date;  // a valid QSO_DATE, else ""
    std::string call;
    int64_t dxcc = 0;  // 0: no entity
    bool confirmed = false;
};

// Reads the facts of contacts from the document's columns.
class ContactReader {
public:
    explicit ContactReader(const LogDocument &document)
        : document_(document)
        , encoding_(document.textEncoding())
    {
        for (int column = document.columnCount() - 1; column >= 1; --column) {
            const std::string name = trimText(upperText(document.text(column, 0)));
            for (int field = 0; field < kFieldCount; ++field) {
                if (name == kNames[field])
                    columns_[field] = column;
            }
        }
    }

    void read(int row, ContactFacts &facts) const
    {
        facts.band = upperText(value(Field::Band, row), encoding_);
        if (facts.band.empty())
            facts.band = bandOfFrequencyText(value(Field::Freq, row));
        facts.mode = upperText(value(Field::Mode, row), encoding_);
        std::string date = value(Field::Date, row);
        facts.year = date.substr(0, 4);
        facts.date = isAdifDate(date) ? std::move(date) : std::string();
        facts.call = upperText(value(Field::Call, row), encoding_);
        facts.dxcc = entityOf(value(Field::Dxcc, row));
        facts.confirmed = isYes(value(Field::QslRcvd, row)) || isYes(value(Field::LotwRcvd, row));
    }

private:
    enum class Field { Band, Freq, Mode, Date, Call, Dxcc, QslRcvd, LotwRcvd };
    static constexpr int kFieldCount = 8;
    static constexpr const char *kNames[kFieldCount] = {
        "BAND", "FREQ", "MODE", "QSO_DATE", "CALL", "DXCC", "QSL_RCVD", "LOTW_QSL_RCVD",
    };

    std::string value(Field field, int row) const
    {
        const int column = columns_[static_cast<int>(field)];
        return column > 0 ? trimText(document_.text(column, row)) : std::string();
    }

    static std::string bandOfFrequencyText(const std::string &text)
    {
        if (!isAdifNumber(text))
            return {};
        double mhz = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mhz);
        if (error != std::errc() || end != text.data() + text.size())
            return {};
        const CurrentBand *band = bandOfFrequency(mhz);
        return band ? upperText(band->name) : std::string();
    }

    // Digits only, leading zeroes ignored; 0 for no entity.
    static int64_t entityOf(std::string_view text)
    {
        if (text.empty()
            || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return 0;
        text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
        if (text.size() > 18)
            return 0;
        int64_t code = 0;
        std::from_chars(text.data(), text.data() + text.size(), code);
        return code;
    }

    static bool isYes(const std::string &text) { return text == "Y" || text == "y"; }

    const LogDocument &document_;
    TextEncoding encoding_;
    int columns_[kFieldCount] = {};
};

// Numbers the distinct texts in the order they are met.
class Interner {
public:
    size_t idOf(const std::string &text)
    {
        const auto found = ids_.find(text);
        if (found != ids_.end())
            return found->second;
        ids_.emplace(text, texts_.size());
        texts_.push_back(text);
        return texts_.size() - 1;
    }
    const std::vector<std::string> &texts() const { return texts_; }

private:
    std::unordered_map<std::string, size_t> ids_;
    std::vector<std::string> texts_;
};

// Leaves each different text once and says how many there are. Sorted by
// their first eight bytes, held as numbers beside them, so most comparisons
// never read the texts: a whole logbook's calls are counted without a set
// of a million nodes.
size_t keepDistinct(std::vector<std::string> &texts)
{
    struct Entry {
        uint64_t prefix;
        uint32_t index;
    };
    std::vector<Entry> entries(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        uint64_t prefix = 0;
        for (size_t b = 0; b < 8; ++b)
            prefix = prefix << 8
                | (b < texts[i].size() ? static_cast<unsigned char>(texts[i][b]) : 0u);
        entries[i] = {prefix, static_cast<uint32_t>(i)};
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return texts[a.index] < texts[b.index];
    });
    std::vector<std::string> distinct;
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string &text = texts[entries[i].index];
        if (i == 0 || entries[i].prefix != entries[i - 1].prefix || text != distinct.back())
            distinct.push_back(std::move(text));
    }
    texts = std::move(distinct);
    return texts.size();
}

// The ids of the texts in the order given by `before`, "" last.
template <typename Before>
std::vector<size_t> orderOf(const std::vector<std::string> &texts, Before before)
{
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (texts[a].empty() || texts[b].empty())
            return texts[b].empty() && !texts[a].empty();
        return before(texts[a], texts[b]);
    });
    return order;
}

// Position in the ADIF band table; bands it does not list come after.
size_t bandRank(const std::string &band)
{
    const CurrentBand *found = findBand(band);
    return found ? static_cast<size_t>(found - currentBands().begin()) : currentBands().size;
}

bool bandBefore(const std::string &a, const std::string &b)
{
    const size_t rankA = bandRank(a);
    const size_t rankB = bandRank(b);
    return rankA != rankB ? rankA < rankB : a < b;
}

}  // namespace

struct LogStatisticsCounter::Tally {
    Interner bands;
    Interner modes;
    Interner years;
    std::vector<std::vector<int>> counts;  // by band id, then mode id
    std::vector<int> yearCounts;
    std::vector<std::string> calls;  // every non-empty one, made distinct now and then
    size_t distinctCalls = 0;        // how many were left the last time
    std::unordered_map<int64_t, size_t> entityIds;
    std::vector<LogStatistics::Entity> entities;  // bands by band id
    LogStatistics figures;
};

LogStatisticsCounter::LogStatisticsCounter()
    : tally_(std::make_unique<Tally>())
{
}

LogStatisticsCounter::~LogStatisticsCounter() = default;

void LogStatisticsCounter::add(const LogDocument &document)
{
    Tally &t = *tally_;
    LogStatistics &figures = t.figures;
    const ContactReader reader(document);
    ContactFacts facts;
    for (int row = 1; row < document.rowCount(); ++row) {
        reader.read(row, facts);
        ++figures.contacts;
        const size_t band = t.bands.idOf(facts.band);
        const size_t mode = t.modes.idOf(facts.mode);
        const size_t year = t.years.idOf(facts.year);
        t.counts.resize(std::max(t.counts.size(), band + 1));
        t.counts[band].resize(std::max(t.counts[band].size(), mode + 1));
        ++t.counts[band][mode];
        t.yearCounts.resize(std::max(t.yearCounts.size(), year + 1));
        ++t.yearCounts[year];
        if (!facts.call.empty())
            t.calls.push_back(facts.call);
        if (!facts.date.empty()) {
            if (figures.firstDate.empty() || facts.date < figures.firstDate)
                figures.firstDate = facts.date;
            if (facts.date > figures.lastDate)
                figures.lastDate = facts.date;
        }
        if (facts.dxcc == 0)
            continue;
        const auto [found, added] = t.entityIds.emplace(facts.dxcc, t.entities.size());
        if (added)
            t.entities.push_back({facts.dxcc, 0, false, {}});
        LogStatistics::Entity &entity = t.entities[found->second];
        ++entity.contacts;
        entity.confirmed = entity.confirmed || facts.confirmed;
        entity.bands.resize(std::max(entity.bands.size(), band + 1));
        ++entity.bands[band].contacts;
        entity.bands[band].confirmed = entity.bands[band].confirmed || facts.confirmed;
    }
    // Read a batch at a time, a log keeps little more than its different
    // calls between batches.
    if (t.calls.size() > 2 * t.distinctCalls + 65536)
        t.distinctCalls = keepDistinct(t.calls);
}

LogStatistics LogStatistics::of(const LogDocument &document)
{
    LogStatisticsCounter counter;
    counter.add(document);
    return counter.figures();
}

LogStatistics LogStatisticsCounter::figures()
{
    Tally &t = *tally_;
    LogStatistics figures = std::move(t.figures);
    const Interner &bands = t.bands;
    const Interner &modes = t.modes;
    const Interner &years = t.years;
    const std::vector<std::vector<int>> &counts = t.counts;
    const std::vector<int> &yearCounts = t.yearCounts;
    std::vector<LogStatistics::Entity> entities = std::move(t.entities);
    figures.uniqueCalls = static_cast<int>(keepDistinct(t.calls));
    std::vector<std::string>().swap(t.calls);

    const std::vector<size_t> bandOrder = orderOf(bands.texts(), bandBefore);
    const std::vector<size_t> modeOrder = orderOf(modes.texts(), std::less<std::string>());
    const std::vector<size_t> yearOrder = orderOf(years.texts(), std::less<std::string>());
    for (size_t band : bandOrder)
        figures.bands.push_back(bands.texts()[band]);
    for (size_t mode : modeOrder)
        figures.modes.push_back(modes.texts()[mode]);
    for (size_t year : yearOrder)
        figures.years.push_back({years.texts()[year], yearCounts[year]});

    const size_t bandCount = figures.bands.size();
    const size_t modeCount = figures.modes.size();
    figures.bandContacts.assign(bandCount, 0);
    figures.modeContacts.assign(modeCount, 0);
    figures.bandModeContacts.assign(bandCount * modeCount, 0);
    for (size_t b = 0; b < bandCount; ++b) {
        const std::vector<int> &ofBand = counts[bandOrder[b]];
        for (size_t m = 0; m < modeCount; ++m) {
            const int n = modeOrder[m] < ofBand.size() ? ofBand[modeOrder[m]] : 0;
            figures.bandModeContacts[b * modeCount + m] = n;
            figures.bandContacts[b] += n;
            figures.modeContacts[m] += n;
        }
    }

    std::sort(entities.begin(), entities.end(),
              [](const LogStatistics::Entity &a, const LogStatistics::Entity &b) {
                  return a.code < b.code;
              });
    figures.bandEntitiesWorked.assign(bandCount, 0);
    figures.bandEntitiesConfirmed.assign(bandCount, 0);
    for (LogStatistics::Entity &entity : entities) {
        std::vector<LogStatistics::EntityBand> ordered(bandCount);
        for (size_t b = 0; b < bandCount; ++b) {
            if (bandOrder[b] < entity.bands.size())
                ordered[b] = entity.bands[bandOrder[b]];
            figures.bandEntitiesWorked[b] += ordered[b].contacts > 0 ? 1 : 0;
            figures.bandEntitiesConfirmed[b] += ordered[b].confirmed ? 1 : 0;
        }
        entity.bands = std::move(ordered);
        figures.entitiesConfirmed += entity.confirmed ? 1 : 0;
    }
    figures.entities = std::move(entities);
    return figures;
}

std::vector<int> contactRows(const LogDocument &document, const ContactSelection &selection)
{
    const ContactReader reader(document);
    std::vector<int> rows;
    ContactFacts facts;
    for (int row = 1; row < document.rowCount(); ++row) {
        reader.read(row, facts);
        if ((selection.band && facts.band != *selection.band)
            || (!selection.modes.empty()
                && std::find(selection.modes.begin(), selection.modes.end(), facts.mode)
                    == selection.modes.end())
            || (selection.year && facts.year != *selection.year)
            || (selection.dxcc && facts.dxcc != *selection.dxcc))
            continue;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace vaziduvu
