#include "document/log_merge.h"

#include "adif/text.h"
#include "document/log_document.h"

#include <algorithm>
#include <unordered_map>

namespace vaziduvu {

namespace {

bool blank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 33; });
}

std::string headingOf(const LogDocument &document, int column)
{
    return upperText(trimText(document.text(column, 0)));
}

// The fields of every log in order of first appearance, and where each
// log holds them (column 0: not at all).
struct FieldTable {
    std::vector<std::string> names;
    std::vector<std::vector<int>> columns;  // [source][field]
};

FieldTable fieldTableOf(const std::vector<const LogDocument *> &sources)
{
    FieldTable table;
    std::unordered_map<std::string, size_t> index;
    for (const LogDocument *document : sources) {
        for (int column = 1; column < document->columnCount(); ++column) {
            std::string name = headingOf(*document, column);
            if (!name.empty() && index.emplace(name, table.names.size()).second)
                table.names.push_back(std::move(name));
        }
    }
    for (const LogDocument *document : sources) {
        std::vector<int> columns(table.names.size(), 0);
        for (int column = document->columnCount() - 1; column >= 1; --column) {
            const auto found = index.find(headingOf(*document, column));
            if (found != index.end())
                columns[found->second] = column;
        }
        table.columns.push_back(std::move(columns));
    }
    return table;
}

MergedContact mergeGroup(const std::vector<const LogDocument *> &sources, const FieldTable &table,
                         const std::vector<ContactRef> &members,
                         std::vector<MergeConflict> &conflicts)
{
    MergedContact contact;
    contact.first = members.front();
    contact.merged = true;
    std::vector<std::string_view> values;
    std::vector<int> columns;
    for (size_t field = 0; field < table.names.size(); ++field) {
        values.clear();
        columns.clear();
        for (const ContactRef &member : members) {
            const int column = table.columns[static_cast<size_t>(member.source)][field];
            columns.push_back(column);
            values.push_back(
                column > 0 ? sources[static_cast<size_t>(member.source)]->text(column, member.row)
                           : std::string_view());
        }
        const int kept = keptValueIndex(table.names[field], values);
        if (kept < 0)
            continue;
        const auto keptAt = static_cast<size_t>(kept);
        contact.fields.emplace_back(table.names[field], std::string(values[keptAt]));
        for (size_t other = 0; other < values.size(); ++other) {
            if (other == keptAt || blank(values[other]) || values[other] == values[keptAt])
                continue;
            conflicts.push_back({table.names[field], std::string(values[keptAt]),
                                 std::string(values[other]), members[keptAt], columns[keptAt],
                                 members[other], columns[other]});
        }
    }
    return contact;
}

}  // namespace

bool isReceivedConfirmationField(std::string_view field)
{
    const std::string name = upperText(trimText(field));
    return name == "QSL_RCVD" || name == "LOTW_QSL_RCVD" || name == "EQSL_QSL_RCVD"
        || name == "DCL_QSL_RCVD";
}

int keptValueIndex(std::string_view field, const std::vector<std::string_view> &values)
{
    if (isReceivedConfirmationField(field)) {
        for (size_t i = 0; i < values.size(); ++i) {
            if (upperText(trimText(values[i])) == "Y")
                return static_cast<int>(i);
        }
    }
    for (size_t i = 0; i < values.size(); ++i) {
        if (!blank(values[i]))
            return static_cast<int>(i);
    }
    return -1;
}

int filledCellCount(const LogDocument &document, int row)
{
    int filled = 0;
    for (int column = 1; column < document.columnCount(); ++column)
        filled += blank(document.text(column, row)) ? 0 : 1;
    return filled;
}

int keeperOf(const LogDocument &document, const DuplicateGroup &group)
{
    int keeper = group.members.front();
    int most = -1;
    for (const int member : group.members) {
        const int filled = filledCellCount(document, member + 1);
        if (filled > most) {
            most = filled;
            keeper = member;
        }
    }
    return keeper;
}

LogMerge mergeLogs(const std::vector<const LogDocument *> &sources, int windowMinutes,
                   bool keepDuplicates)
{
    std::vector<ContactKey> keys;
    std::vector<ContactRef> refs;
    for (size_t source = 0; source < sources.size(); ++source) {
        std::vector<ContactKey> own = contactKeysOf(*sources[source]);
        for (size_t i = 0; i < own.size(); ++i) {
            keys.push_back(std::move(own[i]));
            refs.push_back({static_cast<int>(source), static_cast<int>(i) + 1});
        }
    }
    LogMerge merge;
    std::vector<int> groupOf(keys.size(), -1);
    std::vector<DuplicateGroup> groups;
    if (!keepDuplicates) {
        groups = findDuplicateGroups(keys, windowMinutes);
        for (size_t group = 0; group < groups.size(); ++group) {
            for (const int member : groups[group].members)
                groupOf[static_cast<size_t>(member)] = static_cast<int>(group);
        }
        merge.duplicatesMerged = duplicateCount(groups);
    }
    const FieldTable table = groups.empty() ? FieldTable() : fieldTableOf(sources);
    for (const LogDocument *document : sources) {
        std::vector<std::string> headings(static_cast<size_t>(document->columnCount()));
        for (int column = 1; column < document->columnCount(); ++column)
            headings[static_cast<size_t>(column)] = headingOf(*document, column);
        merge.headings.push_back(std::move(headings));
    }

    std::vector<size_t> order;  // contacts written, by their first key
    for (size_t i = 0; i < keys.size(); ++i) {
        const int group = groupOf[i];
        if (group < 0 || groups[static_cast<size_t>(group)].members.front() == static_cast<int>(i))
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (keys[a].dated != keys[b].dated)
            return keys[a].dated;
        return keys[a].dated && keys[a].start < keys[b].start;
    });
    merge.contacts.reserve(order.size());
    std::vector<ContactRef> members;
    for (const size_t i : order) {
        const int group = groupOf[i];
        if (group < 0) {
            merge.contacts.push_back({refs[i], {}, false});
            continue;
        }
        members.clear();
        for (const int member : groups[static_cast<size_t>(group)].members)
            members.push_back(refs[static_cast<size_t>(member)]);
        merge.contacts.push_back(mergeGroup(sources, table, members, merge.conflicts));
    }
    return merge;
}

void forEachField(const std::vector<const LogDocument *> &sources, const LogMerge &merge,
                  const MergedContact &contact,
                  const std::function<void(std::string_view name, std::string_view value)> &use)
{
    if (contact.merged) {
        for (const auto &[name, value] : contact.fields)
            use(name, value);
        return;
    }
    const auto source = static_cast<size_t>(contact.first.source);
    const LogDocument &document = *sources[source];
    const std::vector<std::string> &headings = merge.headings[source];
    for (int column = 1; column < document.columnCount(); ++column) {
        const std::string_view value = document.text(column, contact.first.row);
        if (!blank(value) && !headings[static_cast<size_t>(column)].empty())
            use(headings[static_cast<size_t>(column)], value);
    }
}

}  // namespace vaziduvu
