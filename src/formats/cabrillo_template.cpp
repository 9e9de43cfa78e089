#include "formats/cabrillo_template.h"

#include "adif/current_vocabulary.h"
#include "adif/field_catalogue.h"
#include "adif/text.h"

#include <cctype>

namespace vaziduvu {

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool numberWithin(std::string_view token, int low, int high)
{
    if (!isDigitRun(token) || token.size() > 3)
        return false;
    const int value = std::stoi(std::string(token));
    return value >= low && value <= high;
}

// "1A", "12D", "3AB": a transmitter count and a class letter.
bool isFieldDayClass(std::string_view token)
{
    size_t digits = 0;
    while (digits < token.size() && isAsciiDigit(token[digits]))
        ++digits;
    if (digits == 0 || digits > 2 || digits == token.size() || token.size() - digits > 2)
        return false;
    for (size_t i = digits; i < token.size(); ++i) {
        if (!isLetter(token[i]))
            return false;
    }
    return true;
}

// The rule a field's exchange tokens follow.
enum class TokenRule {
    Any,
    Report,
    Number,
    CqZone,
    ItuZone,
    UsState,
    StateOrProvince,
    Province,
    Section,
    Precedence,
    Check,
    FieldDayClass
};

struct FieldRule {
    const char *field;
    TokenRule rule;
};

constexpr FieldRule kFieldRules[] = {
    {"RST_SENT", TokenRule::Report},
    {"RST_RCVD", TokenRule::Report},
    {"STX", TokenRule::Number},
    {"SRX", TokenRule::Number},
    {"TX_PWR", TokenRule::Number},
    {"RX_PWR", TokenRule::Number},
    {"MY_CQ_ZONE", TokenRule::CqZone},
    {"CQZ", TokenRule::CqZone},
    {"MY_ITU_ZONE", TokenRule::ItuZone},
    {"ITUZ", TokenRule::ItuZone},
    {"MY_STATE", TokenRule::StateOrProvince},
    {"STATE", TokenRule::UsState},
    {"VE_PROV", TokenRule::Province},
    {"MY_ARRL_SECT", TokenRule::Section},
    {"ARRL_SECT", TokenRule::Section},
    {"PRECEDENCE", TokenRule::Precedence},
    {"CHECK", TokenRule::Check},
    {"CLASS", TokenRule::FieldDayClass},
};

TokenRule ruleOf(std::string_view field)
{
    for (const FieldRule &rule : kFieldRules) {
        if (field == rule.field)
            return rule.rule;
    }
    return TokenRule::Any;
}

}  // namespace

const std::vector<CabrilloTemplate> &cabrilloTemplates()
{
    static const ExchangeColumn kReport{"RST_SENT", "RST_RCVD"};
    static const std::vector<CabrilloTemplate> templates = {
        {"CQ-WW", "CQ-WW-CW CQ-WW-SSB", {kReport, {"MY_CQ_ZONE", "CQZ"}}},
        {"CQ-WW-RTTY",
         "CQ-WW-RTTY",
         {kReport, {"MY_CQ_ZONE", "CQZ"}, {"MY_STATE", "STATE VE_PROV"}}},
        {"CQ-WPX", "CQ-WPX-CW CQ-WPX-SSB CQ-WPX-RTTY", {kReport, {"STX", "SRX"}}},
        {"ARRL-DX",
         "ARRL-DX-CW ARRL-DX-SSB",
         {kReport, {"MY_STATE TX_PWR", "STATE VE_PROV RX_PWR"}}},
        {"ARRL-SS",
         "ARRL-SS-CW ARRL-SS-SSB",
         {{"STX", "SRX"}, {"", "PRECEDENCE"}, {"", "CHECK"}, {"MY_ARRL_SECT", "ARRL_SECT"}}},
        {"ARRL-FD", "ARRL-FD ARRL-FIELD-DAY", {{"", "CLASS"}, {"MY_ARRL_SECT", "ARRL_SECT"}}},
        {"NAQP",
         "NAQP-CW NAQP-SSB NAQP-RTTY",
         {{"MY_NAME", "NAME"}, {"MY_STATE", "STATE VE_PROV"}}},
        {"IARU-HF", "IARU-HF", {kReport, {"MY_ITU_ZONE", "ITUZ"}}},
        {"ARRL-10", "ARRL-10 ARRL-10M", {kReport, {"MY_STATE STX", "STATE VE_PROV SRX"}}},
        {"ARRL-160", "ARRL-160", {kReport, {"MY_ARRL_SECT MY_STATE", "ARRL_SECT STATE VE_PROV"}}},
        {"GENERIC", "GENERIC", {kReport, {"STX_STRING", "SRX_STRING", true}}},
    };
    return templates;
}

const CabrilloTemplate &genericCabrilloTemplate()
{
    return cabrilloTemplates().back();
}

const CabrilloTemplate *findCabrilloTemplate(std::string_view name)
{
    const std::string wanted = upperText(trimText(name));
    if (wanted.empty())
        return nullptr;
    for (const CabrilloTemplate &candidate : cabrilloTemplates()) {
        if (wanted == candidate.name)
            return &candidate;
        for (const std::string &contest : fieldList(candidate.contests)) {
            if (wanted == contest)
                return &candidate;
        }
    }
    return nullptr;
}

std::vector<std::string> cabrilloTemplateNames()
{
    std::vector<std::string> names;
    for (const CabrilloTemplate &candidate : cabrilloTemplates())
        names.emplace_back(candidate.name);
    return names;
}

std::vector<std::string> fieldList(const char *names)
{
    std::vector<std::string> list;
    std::string current;
    for (const char *c = names; *c != '\0'; ++c) {
        if (*c == ' ') {
            if (!current.empty())
                list.push_back(std::move(current));
            current.clear();
        } else {
            current += *c;
        }
    }
    if (!current.empty())
        list.push_back(std::move(current));
    return list;
}

bool isReportToken(std::string_view token)
{
    if (token.size() < 2 || token.size() > 3 || token[0] < '1' || token[0] > '5')
        return false;
    for (size_t i = 1; i < token.size(); ++i) {
        const char c = upperChar(token[i]);
        if (!(c >= '1' && c <= '9') && c != 'N')
            return false;
    }
    return true;
}

bool isCallSignToken(std::string_view token)
{
    if (token.size() < 3 || isReportToken(token)
        || (isAsciiDigit(token[0]) && isAsciiDigit(token[1])))
        return false;
    bool letter = false;
    bool digit = false;
    for (const char c : token) {
        if (isLetter(c))
            letter = true;
        else if (isAsciiDigit(c))
            digit = true;
        else if (c != '/')
            return false;
    }
    return letter && digit && token.front() != '/' && token.back() != '/';
}

bool tokenFitsField(std::string_view token, std::string_view field, AdifMode mode)
{
    const std::string upper = upperText(token);
    switch (ruleOf(field)) {
    case TokenRule::Any:
        return !token.empty();
    case TokenRule::Report:
        return isReportToken(token);
    case TokenRule::Number:
        return isDigitRun(token) && token.size() <= 9;
    case TokenRule::CqZone:
        return numberWithin(token, 1, 40);
    case TokenRule::ItuZone:
        return numberWithin(token, 1, 90);
    case TokenRule::UsState:
        return isEnumeratedValue(ValueTable::UsStates, upper)
            || (mode == AdifMode::Current && isCanadianProvince(upper));
    case TokenRule::StateOrProvince:
        return isEnumeratedValue(ValueTable::UsStates, upper) || isCanadianProvince(upper);
    case TokenRule::Province:
        return mode == AdifMode::Classic && isEnumeratedValue(ValueTable::CanadianProvinces, upper);
    case TokenRule::Section:
        return mode == AdifMode::Classic ? isEnumeratedValue(ValueTable::ArrlSections, upper)
                                         : isArrlSection(upper);
    case TokenRule::Precedence:
        return upper.size() == 1
            && std::string_view("QABUMS").find(upper[0]) != std::string_view::npos;
    case TokenRule::Check:
        return token.size() == 2 && isDigitRun(token);
    case TokenRule::FieldDayClass:
        return isFieldDayClass(token);
    }
    return false;
}

}  // namespace vaziduvu
