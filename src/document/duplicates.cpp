#include "document/duplicates.h"

#include "adif/current_vocabulary.h"
#include "adif/text.h"
#include "document/log_document.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <tuple>

namespace vaziduvu {

namespace {

bool allDigits(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// Days from 1600-03-01 of a proleptic Gregorian date (always positive for
// the years a log holds).
int64_t dayNumber(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year - 1600) / 400;
    const int64_t yearOfEra = (year - 1600) - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

int daysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

struct UnionFind {
    explicit UnionFind(size_t size)
        : parent(size)
    {
        std::iota(parent.begin(), parent.end(), 0);
    }
    int find(int item)
    {
        while (parent[static_cast<size_t>(item)] != item) {
            parent[static_cast<size_t>(item)]
                = parent[static_cast<size_t>(parent[static_cast<size_t>(item)])];
            item = parent[static_cast<size_t>(item)];
        }
        return item;
    }
    void join(int a, int b)
    {
        a = find(a);
        b = find(b);
        if (a != b)
            parent[static_cast<size_t>(std::max(a, b))] = std::min(a, b);
    }
    std::vector<int> parent;
};

}  // namespace

bool startSecondsOf(std::string_view date, std::string_view time, int64_t &seconds)
{
    const std::string dateText = trimText(date);
    if (dateText.size() != 8 || !allDigits(dateText))
        return false;
    const int year = number(std::string_view(dateText).substr(0, 4));
    const int month = number(std::string_view(dateText).substr(4, 2));
    const int day = number(std::string_view(dateText).substr(6, 2));
    if (year < 1600 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return false;
    int clock = 0;
    const std::string timeText = trimText(time);
    if ((timeText.size() == 4 || timeText.size() == 6) && allDigits(timeText)) {
        const std::string_view view(timeText);
        const int hours = number(view.substr(0, 2));
        const int minutes = number(view.substr(2, 2));
        const int secs = timeText.size() == 6 ? number(view.substr(4, 2)) : 0;
        if (hours < 24 && minutes < 60 && secs < 60)
            clock = hours * 3600 + minutes * 60 + secs;
    }
    seconds = dayNumber(year, month, day) * 86400 + clock;
    return true;
}

ContactKey makeContactKey(std::string_view call, std::string_view band, std::string_view freq,
                          std::string_view mode, std::string_view submode, std::string_view date,
                          std::string_view time)
{
    ContactKey key;
    key.call = upperText(trimText(call));
    key.band = upperText(trimText(band));
    if (key.band.empty())
        key.band = upperText(bandOfFrequency(freq));
    key.mode = upperText(trimText(mode));
    key.submode = upperText(trimText(submode));
    key.dated = startSecondsOf(date, time, key.start);
    return key;
}

bool sameContact(const ContactKey &a, const ContactKey &b, int windowMinutes)
{
    if (!a.comparable() || !b.comparable() || a.call != b.call || a.band != b.band
        || a.mode != b.mode)
        return false;
    if (!a.submode.empty() && !b.submode.empty() && a.submode != b.submode)
        return false;
    if (windowMinutes <= 0)
        return a.start / 60 == b.start / 60;
    return std::max(a.start, b.start) - std::min(a.start, b.start) <= int64_t{windowMinutes} * 60;
}

std::vector<DuplicateGroup> findDuplicateGroups(const std::vector<ContactKey> &keys,
                                                int windowMinutes)
{
    // Sorted by call, band, mode and start: a call's first eight bytes,
    // held as a number beside the contact, settle most comparisons without
    // reading the keys.
    struct Sorted {
        uint64_t callPrefix;
        int index;
    };
    std::vector<Sorted> sorted;
    sorted.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        if (!keys[i].comparable())
            continue;
        uint64_t prefix = 0;
        for (size_t b = 0; b < 8; ++b)
            prefix = prefix << 8
                | (b < keys[i].call.size() ? static_cast<unsigned char>(keys[i].call[b]) : 0u);
        sorted.push_back({prefix, static_cast<int>(i)});
    }
    auto keyOf = [&](int i) -> const ContactKey & { return keys[static_cast<size_t>(i)]; };
    std::sort(sorted.begin(), sorted.end(), [&](const Sorted &p, const Sorted &q) {
        if (p.callPrefix != q.callPrefix)
            return p.callPrefix < q.callPrefix;
        const ContactKey &x = keyOf(p.index);
        const ContactKey &y = keyOf(q.index);
        return std::tie(x.call, x.band, x.mode, x.start, p.index)
            < std::tie(y.call, y.band, y.mode, y.start, q.index);
    });
    std::vector<int> order(sorted.size());
    for (size_t i = 0; i < sorted.size(); ++i)
        order[i] = sorted[i].index;
    std::vector<Sorted>().swap(sorted);
    UnionFind links(keys.size());
    std::vector<bool> linked(keys.size(), false);
    for (size_t i = 0; i < order.size(); ++i) {
        const ContactKey &first = keyOf(order[i]);
        for (size_t j = i + 1; j < order.size(); ++j) {
            const ContactKey &later = keyOf(order[j]);
            if (later.call != first.call || later.band != first.band || later.mode != first.mode)
                break;
            const bool outside = windowMinutes <= 0
                ? later.start / 60 != first.start / 60
                : later.start - first.start > int64_t{windowMinutes} * 60;
            if (outside)
                break;
            if (sameContact(first, later, windowMinutes)) {
                links.join(order[i], order[j]);
                linked[static_cast<size_t>(order[i])] = true;
                linked[static_cast<size_t>(order[j])] = true;
            }
        }
    }
    std::vector<DuplicateGroup> groups;
    std::vector<int> groupOfRoot(keys.size(), -1);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (!linked[i])
            continue;
        const auto root = static_cast<size_t>(links.find(static_cast<int>(i)));
        if (groupOfRoot[root] < 0) {
            groupOfRoot[root] = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        groups[static_cast<size_t>(groupOfRoot[root])].members.push_back(static_cast<int>(i));
    }
    return groups;
}

int duplicateCount(const std::vector<DuplicateGroup> &groups)
{
    int count = 0;
    for (const DuplicateGroup &group : groups)
        count += static_cast<int>(group.members.size()) - 1;
    return count;
}

int columnNamed(const LogDocument &document, std::string_view name)
{
    for (int column = 1; column < document.columnCount(); ++column) {
        if (upperText(trimText(document.text(column, 0))) == name)
            return column;
    }
    return 0;
}

KeyColumns keyColumnsOf(const LogDocument &document)
{
    KeyColumns columns;
    columns.call = columnNamed(document, "CALL");
    columns.band = columnNamed(document, "BAND");
    columns.freq = columnNamed(document, "FREQ");
    columns.mode = columnNamed(document, "MODE");
    columns.submode = columnNamed(document, "SUBMODE");
    columns.date = columnNamed(document, "QSO_DATE");
    columns.time = columnNamed(document, "TIME_ON");
    return columns;
}

std::vector<ContactKey> contactKeysOf(const LogDocument &document)
{
    const KeyColumns columns = keyColumnsOf(document);
    auto cell = [&](int column, int row) {
        return column > 0 ? document.text(column, row) : std::string_view();
    };
    std::vector<ContactKey> keys;
    keys.reserve(static_cast<size_t>(std::max(0, document.rowCount() - 1)));
    for (int row = 1; row < document.rowCount(); ++row)
        keys.push_back(makeContactKey(cell(columns.call, row), cell(columns.band, row),
                                      cell(columns.freq, row), cell(columns.mode, row),
                                      cell(columns.submode, row), cell(columns.date, row),
                                      cell(columns.time, row)));
    return keys;
}

}  // namespace vaziduvu
