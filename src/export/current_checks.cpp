#include "export/current_checks.h"

#include "adif/adif_file.h"
#include "adif/current_vocabulary.h"
#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "document/log_document.h"
#include "export/trimmed_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

namespace vaziduvu {

namespace {

std::string message(std::string_view columns, const std::string &problem,
                    const std::string &allowed)
{
    return "Check your " + std::string(columns) + " columns ... " + problem + ": " + allowed + ".";
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::optional<double> numberOf(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A limit or frequency as a reader writes it: no exponent, no trailing zeros.
std::string numberText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string text(buffer);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string joined(const std::vector<std::string> &values)
{
    std::string text;
    for (const std::string &value : values) {
        if (!text.empty())
            text += ", ";
        text += value;
    }
    return text;
}

// The values ADIF allows on export, in ADIF's order.
std::string exportValues(AdifEnumeration enumeration)
{
    std::vector<std::string> values;
    for (const EnumerationValue &entry : enumerationValues(enumeration)) {
        if (!entry.importOnly)
            values.emplace_back(entry.value);
    }
    return joined(values);
}

std::string canadianProvinces()
{
    std::vector<std::string> codes;
    for (const PrimarySubdivision &entry : primarySubdivisions()) {
        if (entry.dxcc == 1 && entry.flags == SubdivisionCurrent)
            codes.emplace_back(entry.code);
    }
    std::sort(codes.begin(), codes.end());
    return joined(codes);
}

// A DXCC entity code the vocabulary knows, from the text of a DXCC cell.
std::optional<int> dxccOf(std::string_view text)
{
    if (text.empty() || text.size() > 4 || !isDigits(text))
        return std::nullopt;
    int code = 0;
    std::from_chars(text.data(), text.data() + text.size(), code);
    if (!isDxccEntityCode(code))
        return std::nullopt;
    return code;
}

// Another entity whose list holds the code, for the advice; 0 when none.
int entityListing(std::string_view code)
{
    for (const PrimarySubdivision &entry : primarySubdivisions()) {
        if (upperAsciiText(entry.code) == upperAsciiText(code))
            return entry.dxcc;
    }
    return 0;
}

// A field's lower and upper limits, read from its catalogue texts once.
struct NumberLimits {
    std::optional<double> low;
    std::optional<double> high;
};

enum class CellKind { Other, Date, Time, Number, Integer, PositiveInteger, GridSquare };

CellKind kindOf(const CurrentField *field, const TagRecord &record)
{
    if (field != nullptr) {
        switch (field->type) {
        case AdifType::Date:
            return CellKind::Date;
        case AdifType::Time:
            return CellKind::Time;
        case AdifType::Number:
            return CellKind::Number;
        case AdifType::Integer:
            return CellKind::Integer;
        case AdifType::PositiveInteger:
            return CellKind::PositiveInteger;
        case AdifType::GridSquare:
            return CellKind::GridSquare;
        default:
            return CellKind::Other;
        }
    }
    if (record.isTimeOn)
        return CellKind::Time;
    if (record.dataType == TypeDate)
        return CellKind::Date;
    if (record.dataType == TypeNumber)
        return CellKind::Number;
    return CellKind::Other;
}

std::optional<std::string> rangeProblem(const CurrentField &field, const NumberLimits &limits,
                                        std::string_view text)
{
    if (field.minimum == nullptr && field.maximum == nullptr)
        return std::nullopt;
    const std::optional<double> value = numberOf(text);
    const std::optional<double> &low = limits.low;
    const std::optional<double> &high = limits.high;
    if (!value || ((!low || *value >= *low) && (!high || *value <= *high)))
        return std::nullopt;
    const std::string allowed = high
        ? std::string(field.name) + " runs from " + field.minimum + " to " + field.maximum
        : std::string(field.name) + " is at least " + field.minimum;
    return message("numeric", std::string(field.name) + " " + quoted(text) + " is out of range",
                   allowed);
}

}  // namespace

CurrentChecks::CurrentChecks(LogDocument &document, int latestYear)
    : document_(document)
    , latestYear_(latestYear)
{
    static constexpr std::pair<std::string_view, ValueRule> kValueRules[] = {
        {"MODE", ValueRule::Mode},        {"SUBMODE", ValueRule::Submode},
        {"BAND", ValueRule::Band},        {"BAND_RX", ValueRule::Band},
        {"FREQ", ValueRule::Freq},        {"FREQ_RX", ValueRule::FreqRx},
        {"STATE", ValueRule::State},      {"DXCC", ValueRule::Dxcc},
        {"VE_PROV", ValueRule::VeProv},   {"ARRL_SECT", ValueRule::ArrlSect},
        {"CONT", ValueRule::Continent},   {"PROP_MODE", ValueRule::PropagationMode},
        {"QSL_SENT", ValueRule::QslSent}, {"QSL_RCVD", ValueRule::QslRcvd},
    };
    const size_t columns = static_cast<size_t>(std::max(document.columnCount(), 1));
    headings_.resize(columns);
    fields_.resize(columns, nullptr);
    lows_.resize(columns);
    highs_.resize(columns);
    valueRules_.resize(columns, ValueRule::None);
    headingNormalised_.resize(columns, false);
    for (int column = document.columnCount() - 1; column >= 1; --column) {
        const size_t at = static_cast<size_t>(column);
        headings_[at] = upperAsciiText(TrimmedText(document.text(column, 0)).view());
        columnOfField_[headings_[at]] = column;  // the first one wins
        fields_[at] = findCurrentField(headings_[at]);
        if (fields_[at] != nullptr && fields_[at]->minimum != nullptr)
            lows_[at] = numberOf(fields_[at]->minimum);
        if (fields_[at] != nullptr && fields_[at]->maximum != nullptr)
            highs_[at] = numberOf(fields_[at]->maximum);
        for (const auto &[name, rule] : kValueRules) {
            if (headings_[at] == name)
                valueRules_[at] = rule;
        }
    }
    const auto columnOf = [this](const char *field) {
        const auto found = columnOfField_.find(field);
        return found == columnOfField_.end() ? 0 : found->second;
    };
    modeColumn_ = columnOf("MODE");
    bandColumn_ = columnOf("BAND");
    bandRxColumn_ = columnOf("BAND_RX");
    dxccColumn_ = columnOf("DXCC");
}

const std::string &CurrentChecks::heading(int column) const
{
    return headings_.at(static_cast<size_t>(column));
}

std::string CurrentChecks::textOf(int column, int row) const
{
    return column > 0 ? TrimmedText(document_.text(column, row)).copy() : std::string();
}

std::optional<std::string> CurrentChecks::formatProblem(const TagRecord &record, int row,
                                                        int column)
{
    std::string_view text = document_.text(column, row);
    if (const TrimmedText trimmed(text); trimmed.changed()) {
        document_.setText(column, row, trimmed.copy());
        text = document_.text(column, row);
    }
    if (text.empty())
        return std::nullopt;
    const std::string &name = heading(column);
    const CurrentField *field = fields_.at(static_cast<size_t>(column));
    const auto value = [&] { return name + " " + quoted(text); };
    switch (kindOf(field, record)) {
    case CellKind::Date:
        if (isAdifDate(text) && std::stoi(std::string(text.substr(0, 4))) <= latestYear_)
            return std::nullopt;
        return message("date", value() + " is not a date",
                       "ADIF dates are YYYYMMDD, a day of the calendar from 1930 to "
                           + std::to_string(latestYear_));
    case CellKind::Time:
        if (isAdifTime(text))
            return std::nullopt;
        return message("time", value() + " is not a time",
                       "ADIF times are HHMM or HHMMSS, from 0000 to 235959");
    case CellKind::Number:
        if (!isAdifNumber(text))
            return message("numeric", value() + " is not a number",
                           "ADIF numbers are digits with at most one decimal point and an "
                           "optional leading minus sign, such as 14.074");
        break;
    case CellKind::Integer:
        if (!isAdifInteger(text))
            return message("numeric", value() + " is not a whole number",
                           name + " takes digits with an optional leading minus sign");
        break;
    case CellKind::PositiveInteger:
        if (!isAdifPositiveInteger(text))
            return message("numeric", value() + " is not a positive whole number",
                           name + " takes digits only, greater than 0");
        break;
    case CellKind::GridSquare:
        if (isGridSquare(text))
            return std::nullopt;
        return message("'Grid Square'", value() + " is not a grid square",
                       "ADIF grid squares have 2, 4, 6 or 8 characters: two letters A-R, two "
                       "digits, two letters A-X, two digits, such as FN31 or FN31pr");
    case CellKind::Other:
        return std::nullopt;
    }
    const size_t at = static_cast<size_t>(column);
    return field ? rangeProblem(*field, {lows_.at(at), highs_.at(at)}, text) : std::nullopt;
}

std::optional<std::string> CurrentChecks::valueProblem(const TagRecord &, int row, int column)
{
    std::string_view cell = document_.text(column, row);
    if (TrimmedText(cell).view().empty())
        return std::nullopt;
    if (!headingNormalised_.at(static_cast<size_t>(column))) {
        // Once per column: nothing else changes a heading during a pass.
        const std::string_view current = document_.text(column, 0);
        if (TrimmedText(current).changed() || !isUpperText(current)) {
            document_.normalizeColumnHeader(column);
            cell = document_.text(column, row);
        }
        headingNormalised_[static_cast<size_t>(column)] = true;
    }
    const ValueRule rule = valueRules_.at(static_cast<size_t>(column));
    if (rule == ValueRule::None)
        return std::nullopt;
    const TrimmedText trimmed(cell);
    const std::string_view text = trimmed.view();
    const std::string &name = heading(column);
    const auto value = [&] { return name + " " + quoted(text); };

    if (rule == ValueRule::Mode) {
        if (isCurrentMode(text))
            return std::nullopt;
        const std::string upper = upperAsciiText(text);
        if (const std::optional<std::string> mode = modeOfSubmode(text))
            return message("'Mode'", upper + " is a submode, not a mode",
                           "log it as MODE " + *mode + " with SUBMODE " + upper);
        return message("'Mode'", value() + " is not an ADIF 3.1.6 mode",
                       "MODE takes a mode ADIF 3.1.6 lists, such as CW, SSB, FM, RTTY, FT8, MFSK "
                       "or PSK, and its variant goes in SUBMODE");
    }
    if (rule == ValueRule::Submode) {
        const std::string upper = upperAsciiText(text);
        const std::optional<std::string> owner = modeOfSubmode(text);
        if (!owner)
            return message("'Submode'", value() + " is not an ADIF 3.1.6 submode",
                           "SUBMODE takes a submode of the record's MODE, such as FT4 with MODE "
                           "MFSK or USB with MODE SSB");
        const std::string mode = textOf(modeColumn_, row);
        if (!mode.empty() && isSubmodeOf(text, mode))
            return std::nullopt;
        const std::string pair = "use MODE " + *owner + " with SUBMODE " + upper;
        if (mode.empty())
            return message("'Submode'", "SUBMODE " + upper + " has no MODE in its record", pair);
        return message("'Submode'",
                       "SUBMODE " + upper + " does not belong to MODE " + upperAsciiText(mode),
                       pair);
    }
    if (rule == ValueRule::Band) {
        if (findBand(text))
            return std::nullopt;
        return message("'Band'", value() + " is not an ADIF 3.1.6 band",
                       "BAND and BAND_RX take a band from 2190m to submm, such as 160m, 20m, 2m "
                       "or 70cm");
    }
    if (rule == ValueRule::Freq || rule == ValueRule::FreqRx) {
        const std::string bandField = rule == ValueRule::Freq ? "BAND" : "BAND_RX";
        const std::string bandText
            = textOf(rule == ValueRule::Freq ? bandColumn_ : bandRxColumn_, row);
        const CurrentBand *band = findBand(bandText);
        const std::optional<double> mhz = numberOf(text);
        if (band == nullptr || !mhz || (*mhz >= band->lowerMHz && *mhz <= band->upperMHz))
            return std::nullopt;
        return message(
            "'Frequency'",
            name + " " + std::string(text) + " MHz lies outside " + bandField + " " + bandText,
            "the " + std::string(band->name) + " band runs from " + numberText(band->lowerMHz)
                + " to " + numberText(band->upperMHz) + " MHz");
    }
    if (rule == ValueRule::State) {
        const std::optional<int> dxcc = dxccOf(textOf(dxccColumn_, row));
        if (isPrimarySubdivision(text, dxcc))
            return std::nullopt;
        if (!dxcc)
            return message("'State'", value() + " is not an ADIF 3.1.6 primary subdivision",
                           "STATE takes the code of a state, province or other primary "
                           "subdivision, such as WY, ON or ACT");
        const int other = entityListing(text);
        const std::string where
            = other ? " (it is one of DXCC entity " + std::to_string(other) + ")" : "";
        return message("'State'",
                       value() + " is not a subdivision of DXCC entity " + std::to_string(*dxcc)
                           + where,
                       "with DXCC " + std::to_string(*dxcc)
                           + " STATE takes one of that entity's ADIF 3.1.6 codes");
    }
    if (rule == ValueRule::Dxcc) {
        if (dxccOf(text))
            return std::nullopt;
        return message("'DXCC'", value() + " is not a DXCC entity code",
                       "DXCC takes an ADIF 3.1.6 entity code, current or deleted, or 0 for none");
    }
    if (rule == ValueRule::VeProv) {
        if (isCanadianProvince(text))
            return std::nullopt;
        return message("'VE Province'", value() + " is not a Canadian province or territory",
                       "VE_PROV takes one of " + canadianProvinces());
    }
    if (rule == ValueRule::ArrlSect) {
        if (isArrlSection(text))
            return std::nullopt;
        return message("'ARRL Section'", value() + " is not an ARRL section",
                       "ARRL_SECT takes a section abbreviation of ADIF 3.1.6, such as EMA, "
                       "ENY or ON");
    }
    struct Listed {
        ValueRule rule;
        AdifEnumeration enumeration;
        std::string_view columns;
        std::string_view what;
    };
    static constexpr Listed kListed[] = {
        {ValueRule::Continent, AdifEnumeration::Continent, "'Continent'", "a continent"},
        {ValueRule::PropagationMode, AdifEnumeration::PropagationMode, "'Propagation Modes'",
         "a propagation mode"},
        {ValueRule::QslSent, AdifEnumeration::QslSent, "'QSL Flag'", "a QSL sent flag"},
        {ValueRule::QslRcvd, AdifEnumeration::QslRcvd, "'QSL Flag'", "a QSL received flag"},
    };
    for (const Listed &listed : kListed) {
        if (rule != listed.rule)
            continue;
        if (isEnumerationValue(listed.enumeration, text, false))
            return std::nullopt;
        return message(listed.columns,
                       value() + " is not " + std::string(listed.what) + " of ADIF 3.1.6",
                       name + " takes one of " + exportValues(listed.enumeration));
    }
    return std::nullopt;
}

}  // namespace vaziduvu
