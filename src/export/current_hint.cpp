#include "export/current_hint.h"

#include "adif/adif_mode.h"
#include "adif/current_vocabulary.h"
#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "document/log_document.h"

#include <algorithm>

namespace vaziduvu {

namespace {

struct HintedColumn {
    std::string_view field;
    ValueTable classic;
    bool (*current)(std::string_view value);
};

const HintedColumn kHintedColumns[] = {
    {"MODE", ValueTable::Modes, [](std::string_view v) { return isCurrentMode(v); }},
    {"BAND", ValueTable::Bands, [](std::string_view v) { return findBand(v) != nullptr; }},
    {"BAND_RX", ValueTable::Bands, [](std::string_view v) { return findBand(v) != nullptr; }},
    {"STATE", ValueTable::UsStates,
     [](std::string_view v) { return isPrimarySubdivision(v, std::nullopt); }},
    {"CONT", ValueTable::Continents,
     [](std::string_view v) { return isEnumerationValue(AdifEnumeration::Continent, v, false); }},
    {"PROP_MODE", ValueTable::PropagationModes,
     [](std::string_view v) {
         return isEnumerationValue(AdifEnumeration::PropagationMode, v, false);
     }},
};

}  // namespace

namespace {

constexpr size_t kNamed = 3;

void collectCurrentOnlyValues(const LogDocument &document, size_t limit,
                              std::vector<std::string> &values)
{
    if (document.adifMode() == AdifMode::Current || !document.documentOpen()
        || values.size() >= limit)
        return;
    std::vector<std::pair<int, const HintedColumn *>> columns;
    for (int column = 1; column < document.columnCount(); ++column) {
        const std::string heading = upperText(trimText(document.text(column, 0)));
        for (const HintedColumn &hinted : kHintedColumns) {
            if (hinted.field == heading)
                columns.emplace_back(column, &hinted);
        }
    }
    for (int row = 1; row < document.rowCount() && values.size() < limit; ++row) {
        for (const auto &[column, hinted] : columns) {
            const std::string value = upperText(trimText(document.text(column, row)));
            if (value.empty() || isEnumeratedValue(hinted->classic, value)
                || !hinted->current(value)
                || std::find(values.begin(), values.end(), value) != values.end())
                continue;
            values.push_back(value);
            if (values.size() == limit)
                break;
        }
    }
}

}  // namespace

std::vector<std::string> currentOnlyValues(const LogDocument &document, size_t limit)
{
    std::vector<std::string> values;
    collectCurrentOnlyValues(document, limit, values);
    return values;
}

void addCurrentOnlyValues(const LogDocument &document, std::vector<std::string> &values)
{
    collectCurrentOnlyValues(document, kNamed + 1, values);
}

std::string currentAdifHint(const LogDocument &document, std::string_view remedy)
{
    return currentAdifHint(currentOnlyValues(document, kNamed + 1), remedy);
}

std::string currentAdifHint(const std::vector<std::string> &values, std::string_view remedy)
{
    if (values.empty())
        return {};
    std::string named;
    for (size_t i = 0; i < std::min(values.size(), kNamed); ++i)
        named += (i == 0 ? "" : ", ") + values[i];
    if (values.size() > kNamed)
        named += ", ...";
    return "This log uses ADIF 3.1.6 values (" + named + "). " + std::string(remedy);
}

}  // namespace vaziduvu
