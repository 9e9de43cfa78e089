#include "export/value_checks.h"

#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "adif/value_format.h"
#include "document/log_document.h"
#include "export/trimmed_text.h"

#include <string>
#include <string_view>

namespace vaziduvu {

const char *const kDateCheckMessage
    = "Check your date columns ... incorrect date formats were found.";
const char *const kTimeCheckMessage
    = "Check your time columns ... incorrect time formats were found.";
const char *const kNumberCheckMessage
    = "Check your numeric columns ... incorrect numeric data was found.";

namespace {

struct EnumeratedRule {
    ValueTable table;
    std::string_view columns[2];  // the second may be empty
};

EnumeratedRule ruleOf(EnumeratedCheck check)
{
    switch (check) {
    case EnumeratedCheck::Band:
        return {ValueTable::Bands, {"BAND", "BAND_RX"}};
    case EnumeratedCheck::Mode:
        return {ValueTable::Modes, {"MODE", {}}};
    case EnumeratedCheck::Continent:
        return {ValueTable::Continents, {"CONT", {}}};
    case EnumeratedCheck::PropagationMode:
        return {ValueTable::PropagationModes, {"PROP_MODE", {}}};
    case EnumeratedCheck::Province:
        return {ValueTable::CanadianProvinces, {"VE_PROV", {}}};
    case EnumeratedCheck::State:
        return {ValueTable::UsStates, {"STATE", {}}};
    case EnumeratedCheck::ArrlSection:
        return {ValueTable::ArrlSections, {"ARRL_SECT", {}}};
    case EnumeratedCheck::QslFlag:
        return {ValueTable::QslFlags, {"QSL_RCVD", "QSL_SENT"}};
    case EnumeratedCheck::Satellite:
        return {ValueTable::Satellites, {"SAT_NAME", {}}};
    }
    return {ValueTable::Bands, {}};
}

}  // namespace

bool checkDate(LogDocument &document, const TagRecord &record, int row, int column, int latestYear)
{
    const TrimmedText text(document.text(column, row));
    const bool valid = text.view().empty() || record.dataType != TypeDate
        || isValidDateText(text.view(), latestYear);
    if (text.changed())
        document.setText(column, row, text.copy());
    return valid;
}

bool checkTime(const LogDocument &document, const TagRecord &record, int row, int column)
{
    if (!record.isTimeOn)
        return true;
    const std::string_view text = document.text(column, row);
    return text.empty() || isValidTimeText(text);
}

bool checkNumber(const LogDocument &document, const TagRecord &record, int row, int column)
{
    if (record.dataType != TypeNumber)
        return true;
    return isDigitsOrDots(document.text(column, row));
}

bool checkEnumerated(EnumeratedCheck check, LogDocument &document, const TagRecord &, int row,
                     int column)
{
    if (TrimmedText(document.text(column, row)).view().empty())
        return true;
    const EnumeratedRule rule = ruleOf(check);
    // The heading is normalised once; later calls find it so already.
    {
        const std::string_view current = document.text(column, 0);
        if (TrimmedText(current).changed() || !isUpperText(current))
            document.normalizeColumnHeader(column);
    }
    const std::string_view header = document.text(column, 0);
    bool applies = false;
    for (std::string_view name : rule.columns)
        applies = applies || (!name.empty() && header == name);
    if (!applies)
        return true;
    // Trimming first and upper-casing after gives the same text the other
    // way round: upper-casing never makes or removes a byte below 33.
    const std::string_view cell = document.text(column, row);
    std::string value = upperText(TrimmedText(cell).view());
    if (!isEnumeratedValue(rule.table, value))
        return false;
    if (value != cell)
        document.setText(column, row, std::move(value));
    return true;
}

std::optional<EnumeratedCheck> enumeratedCheckFor(std::string_view heading)
{
    for (EnumeratedCheck check : kEnumeratedChecks) {
        for (std::string_view name : ruleOf(check).columns) {
            if (!name.empty() && heading == name)
                return check;
        }
    }
    return std::nullopt;
}

const char *enumeratedCheckMessage(EnumeratedCheck check, bool adifWriter)
{
    switch (check) {
    case EnumeratedCheck::Band:
        return "Check your 'Band' columns ... incorrect band values were found.";
    case EnumeratedCheck::Mode:
        return "Check your 'Mode' columns ... incorrect mode values were found.";
    case EnumeratedCheck::Continent:
        return "Check your 'Continent' columns ... incorrect continent values were found.";
    case EnumeratedCheck::PropagationMode:
        return "Check your 'Propagation Modes' columns ... incorrect propagation-mode values "
               "were found.";
    case EnumeratedCheck::Province:
        return "Check your 'VE Province' columns ... incorrect province codes were found.";
    case EnumeratedCheck::State:
        return "Check your 'US State' columns ... incorrect state abbreviations were found.";
    case EnumeratedCheck::ArrlSection:
        return "Check your 'ARRL Section' columns ... incorrect section abbreviations were "
               "found.";
    case EnumeratedCheck::QslFlag:
        return adifWriter
            ? "Check your 'QSL S/R Flag' columns ... incorrect indicator flags were found."
            : "Check your 'QSL Flag' columns ... incorrect QSL S/R flags were found.";
    case EnumeratedCheck::Satellite:
        return adifWriter
            ? "Check your 'Satellite Name' columns ... incorrect Satellite names were found."
            : "Check your 'Satellite' columns ... incorrect satellite names were found.";
    }
    return "";
}

}  // namespace vaziduvu
