#include "formats/cabrillo_format.h"

#include "adif/current_vocabulary.h"
#include "adif/text.h"
#include "document/log_document.h"

#include <cctype>
#include <cstdlib>

namespace vaziduvu {

namespace {

// The band tokens Cabrillo writes from 50 MHz up, and their ADIF bands.
struct BandToken {
    const char *token;
    const char *band;
};
constexpr BandToken kBandTokens[] = {
    {"50", "6m"},      {"70", "4m"},      {"144", "2m"},    {"222", "1.25m"},   {"432", "70cm"},
    {"902", "33cm"},   {"1.2G", "23cm"},  {"2.3G", "13cm"}, {"3.4G", "9cm"},    {"5.7G", "6cm"},
    {"10G", "3cm"},    {"24G", "1.25cm"}, {"47G", "6mm"},   {"75G", "4mm"},     {"122G", "2.5mm"},
    {"123G", "2.5mm"}, {"134G", "2mm"},   {"241G", "1mm"},  {"LIGHT", "submm"},
};

// The Cabrillo mode tokens and their ADIF modes; DG has none.
struct ModeToken {
    const char *token;
    const char *mode;
};
constexpr ModeToken kModeTokens[] = {
    {"CW", "CW"}, {"PH", "SSB"}, {"FM", "FM"}, {"RY", "RTTY"}, {"DG", ""},
};
// ADIF modes written as PH besides SSB.
constexpr const char *kPhoneModes[] = {"SSB", "USB", "LSB", "AM", "DIGITALVOICE", "PHONE"};

std::vector<std::string> tokensOf(std::string_view text)
{
    std::vector<std::string> tokens;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ')
            ++at;
        const size_t start = at;
        while (at < text.size() && static_cast<unsigned char>(text[at]) > ' ')
            ++at;
        if (at > start)
            tokens.emplace_back(text.substr(start, at - start));
    }
    return tokens;
}

std::string joined(const std::vector<std::string> &tokens, size_t from = 0)
{
    std::string text;
    for (size_t i = from; i < tokens.size(); ++i) {
        if (!text.empty())
            text += ' ';
        text += tokens[i];
    }
    return text;
}

// Splits "123.45" into its parts; false for anything but digits with at most
// one point (and digits on at least one side).
bool decimalParts(std::string_view text, std::string &whole, std::string &fraction)
{
    const size_t point = text.find('.');
    whole.assign(text.substr(0, point));
    fraction.assign(point == std::string_view::npos ? std::string_view() : text.substr(point + 1));
    if (whole.empty() && fraction.empty())
        return false;
    return (whole.empty() || isDigitRun(whole)) && (fraction.empty() || isDigitRun(fraction));
}

std::string decimalText(std::string whole, std::string fraction)
{
    const size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction.empty() ? whole : whole + "." + fraction;
}

// Moves the decimal point by `places` (right when positive), exactly.
std::string shiftDecimal(std::string_view text, int places)
{
    std::string whole;
    std::string fraction;
    if (!decimalParts(text, whole, fraction))
        return {};
    std::string digits = whole + fraction;
    long point = static_cast<long>(whole.size()) + places;
    if (point < 0) {
        digits.insert(0, static_cast<size_t>(-point), '0');
        point = 0;
    }
    if (static_cast<size_t>(point) > digits.size())
        digits.append(static_cast<size_t>(point) - digits.size(), '0');
    return decimalText(digits.substr(0, static_cast<size_t>(point)),
                       digits.substr(static_cast<size_t>(point)));
}

const BandToken *tokenOfBand(std::string_view band)
{
    const std::string lower = [&] {
        std::string text(band);
        for (char &c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }();
    for (const BandToken &entry : kBandTokens) {
        if (lower == entry.band)
            return &entry;
    }
    return nullptr;
}

std::string cabrilloModeOf(std::string_view mode)
{
    const std::string upper = upperText(trimText(mode));
    if (upper.empty())
        return {};
    for (const ModeToken &entry : kModeTokens) {
        if (upper == entry.mode)
            return entry.token;
    }
    for (const char *phone : kPhoneModes) {
        if (upper == phone)
            return "PH";
    }
    return "DG";
}

void add(Contact &contact, const std::string &name, std::string value)
{
    if (!value.empty())
        contact.fields.push_back({name, std::move(value), 0});
}

// Places one half's tokens in the template's columns; true when every token
// found a field.
bool placeHalf(const std::vector<std::string> &tokens, const CabrilloTemplate &layout, bool sent,
               AdifMode mode, Contact &contact)
{
    bool allPlaced = true;
    size_t at = 0;
    for (const ExchangeColumn &column : layout.columns) {
        if (at >= tokens.size())
            break;
        const std::vector<std::string> fields
            = fieldList(sent ? column.sentFields : column.receivedFields);
        if (column.rest) {
            if (!fields.empty())
                add(contact, fields.front(), joined(tokens, at));
            at = tokens.size();
            break;
        }
        bool placed = false;
        for (const std::string &field : fields) {
            if (tokenFitsField(tokens[at], field, mode)) {
                add(contact, field, tokens[at]);
                placed = true;
                break;
            }
        }
        if (!placed) {
            allPlaced = false;
            if (layout.hasRestColumn())
                continue;  // the rest column takes it
        }
        ++at;
    }
    return allPlaced && at >= tokens.size();
}

// Where their call stands among the tokens after my call: the template's
// sent column count when a call sign is there, else the middle of two equal
// halves (with or without a transmitter column), else the first call sign.
size_t theirCallIndex(const std::vector<std::string> &rest, const CabrilloTemplate &layout)
{
    const size_t count = rest.size();
    if (!layout.hasRestColumn() && layout.columns.size() < count
        && isCallSignToken(rest[layout.columns.size()]))
        return layout.columns.size();
    for (const size_t tx : {size_t{0}, size_t{1}}) {
        if (count >= 1 + tx && (count - 1 - tx) % 2 == 0) {
            const size_t half = (count - 1 - tx) / 2;
            if (isCallSignToken(rest[half]))
                return half;
        }
    }
    for (size_t i = 1; i < count; ++i) {
        if (isCallSignToken(rest[i]))
            return i;
    }
    return count > 0 && isCallSignToken(rest[0]) ? 0 : std::string::npos;
}

bool isTransmitterToken(std::string_view token)
{
    return token.size() == 1 && token[0] >= '0' && token[0] <= '9';
}

std::string headerValue(std::string_view line, size_t tagLength)
{
    return trimText(line.substr(tagLength));
}

bool startsWithTag(std::string_view line, std::string_view tag)
{
    return line.size() >= tag.size() && upperText(line.substr(0, tag.size())) == tag;
}

// The file's lines without their ends, CRLF, LF or CR.
std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == '\n' || text[at] == '\r') {
            if (at < text.size() || at > start)
                lines.push_back(text.substr(start, at - start));
            if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n')
                ++at;
            start = at + 1;
        }
    }
    return lines;
}

}  // namespace

std::string cabrilloFrequencyOf(std::string_view freqMHz, std::string_view band)
{
    const std::string freq = trimText(freqMHz);
    if (!freq.empty()) {
        const double mhz = std::atof(freq.c_str());
        if (mhz >= 50.0) {
            const CurrentBand *found = bandOfFrequency(mhz);
            const BandToken *token = found != nullptr ? tokenOfBand(found->name) : nullptr;
            if (token != nullptr)
                return token->token;
        }
        const std::string khz = shiftDecimal(freq, 3);
        if (!khz.empty())
            return khz;
    }
    if (const BandToken *token = tokenOfBand(trimText(band)))
        return token->token;
    if (const CurrentBand *found = findBand(trimText(band)))
        return shiftDecimal(std::to_string(static_cast<long>(found->lowerMHz * 1000 + 0.5)), 0);
    return {};
}

Contact readQsoLine(std::string_view line, const CabrilloTemplate &layout, AdifMode mode,
                    std::string &problem, std::vector<std::string> *notes)
{
    Contact contact;
    const size_t colon = line.find(':');
    const std::vector<std::string> tokens
        = tokensOf(colon == std::string_view::npos ? line : line.substr(colon + 1));
    if (tokens.size() < 6) {
        problem = "a QSO: line needs frequency, mode, date, time and two call signs";
        return contact;
    }
    const std::string &freq = tokens[0];
    std::string mhz;
    std::string band;
    for (const BandToken &entry : kBandTokens) {
        if (upperText(freq) == entry.token)
            band = entry.band;
    }
    if (band.empty()) {
        mhz = shiftDecimal(freq, -3);
        if (mhz.empty()) {
            problem = "the frequency \"" + freq + "\" is neither kHz nor a band";
            return contact;
        }
        if (const CurrentBand *found = bandOfFrequency(std::atof(mhz.c_str())))
            band = found->name;
    }
    const std::string &modeToken = tokens[1];
    std::string adifMode;
    bool knownMode = false;
    for (const ModeToken &entry : kModeTokens) {
        if (upperText(modeToken) == entry.token) {
            adifMode = entry.mode;
            knownMode = true;
        }
    }
    const std::string &date = tokens[2];
    if (date.size() != 10 || date[4] != '-' || date[7] != '-'
        || !isDigitRun(date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2))) {
        problem = "the date \"" + date + "\" is not YYYY-MM-DD";
        return contact;
    }
    const std::string &time = tokens[3];
    if (time.size() != 4 || !isDigitRun(time)) {
        problem = "the time \"" + time + "\" is not HHMM";
        return contact;
    }
    std::vector<std::string> rest(tokens.begin() + 4, tokens.end());
    const std::string myCall = rest.front();
    rest.erase(rest.begin());
    const size_t callAt = theirCallIndex(rest, layout);
    if (callAt == std::string::npos) {
        problem = "no call sign of the other station";
        return contact;
    }
    const std::vector<std::string> sent(rest.begin(), rest.begin() + static_cast<long>(callAt));
    std::vector<std::string> received(rest.begin() + static_cast<long>(callAt) + 1, rest.end());
    std::string transmitter;
    const size_t expected = layout.hasRestColumn() ? sent.size() : layout.columns.size();
    if (!received.empty() && received.size() > expected && isTransmitterToken(received.back())) {
        transmitter = received.back();
        received.pop_back();
    }

    add(contact, "QSO_DATE", date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2));
    add(contact, "TIME_ON", time);
    add(contact, "CALL", rest[callAt]);
    add(contact, "FREQ", mhz);
    add(contact, "BAND", band);
    add(contact, "MODE", adifMode);
    add(contact, "STATION_CALLSIGN", myCall);
    Contact exchange;
    const bool sentPlaced = placeHalf(sent, layout, true, mode, exchange);
    placeHalf(received, layout, false, mode, exchange);
    for (ContactField &field : exchange.fields)
        contact.fields.push_back(std::move(field));
    if (!layout.hasRestColumn()) {
        if (!sentPlaced)
            add(contact, "STX_STRING", joined(sent));
        add(contact, "SRX_STRING", joined(received));
    }
    add(contact, kCabrilloTxField, transmitter);
    if (cabrilloFrequencyOf(mhz, band) != freq)
        add(contact, kCabrilloFreqField, freq);
    if (!knownMode || adifMode.empty()) {
        add(contact, kCabrilloModeField, modeToken);
        if (notes != nullptr)
            notes->push_back("the mode " + modeToken + " has no ADIF mode: MODE is left empty");
    } else if (cabrilloModeOf(adifMode) != modeToken) {
        add(contact, kCabrilloModeField, modeToken);
    }
    return contact;
}

CabrilloSummary summarizeCabrillo(std::string_view bytes, size_t keepLines)
{
    CabrilloSummary summary;
    const std::vector<std::string_view> lines = linesOf(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (startsWithTag(line, "START-OF-LOG:"))
            summary.version = headerValue(line, 13);
        else if (startsWithTag(line, "CONTEST:"))
            summary.contest = headerValue(line, 8);
        else if (startsWithTag(line, "CALLSIGN:"))
            summary.callsign = headerValue(line, 9);
        else if (startsWithTag(line, "QSO:") || startsWithTag(line, "X-QSO:")) {
            ++summary.qsoLineCount;
            if (summary.qsoLines.size() < keepLines)
                summary.qsoLines.emplace_back(static_cast<int>(i + 1), std::string(line));
        }
    }
    return summary;
}

ContactLog readCabrillo(std::string_view bytes, const ReadOptions &options)
{
    ContactLog log;
    const CabrilloSummary summary = summarizeCabrillo(bytes, 0);
    const std::vector<std::string_view> lines = linesOf(bytes);
    size_t first = 0;
    while (first < lines.size() && trimText(lines[first]).empty())
        ++first;
    if (first == lines.size() || !startsWithTag(lines[first], "START-OF-LOG:")) {
        log.problems.push_back(
            {static_cast<int>(first + 1), "no START-OF-LOG: line: not a Cabrillo log"});
        return log;
    }
    if (summary.version != "2.0" && summary.version != "3.0")
        log.notes.push_back(
            {static_cast<int>(first + 1), "version " + summary.version + " read as Cabrillo 3.0"});
    log.contest = summary.contest;
    const CabrilloTemplate *layout = options.templateName.empty()
        ? findCabrilloTemplate(summary.contest)
        : findCabrilloTemplate(options.templateName);
    if (layout == nullptr && !options.templateName.empty()) {
        log.problems.push_back({0, "no Cabrillo template is named " + options.templateName});
        return log;
    }
    if (layout == nullptr)
        layout = &genericCabrilloTemplate();
    log.templateName = layout->name;

    std::vector<std::string> notes;
    for (size_t i = first; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const bool crossed = startsWithTag(line, "X-QSO:");
        if (!crossed && !startsWithTag(line, "QSO:"))
            continue;
        const int number = static_cast<int>(i + 1);
        std::string problem;
        notes.clear();
        Contact contact = readQsoLine(line, *layout, options.mode, problem, &notes);
        if (!problem.empty()) {
            log.problems.push_back({number, problem});
            continue;
        }
        for (std::string &note : notes)
            log.notes.push_back({number, std::move(note)});
        if (!summary.contest.empty())
            add(contact, "CONTEST_ID", summary.contest);
        if (crossed)
            add(contact, kCabrilloXQsoField, "Y");
        contact.line = number;
        log.contacts.push_back(std::move(contact));
    }
    checkCarriable(log, options.mode);
    return log;
}

namespace {

// A contact's field values by name, from one grid row.
class RowFields {
public:
    RowFields(const LogDocument &document, int row, const std::vector<std::string> &names)
        : document_(document)
        , row_(row)
        , names_(names)
    {
    }
    std::string operator()(std::string_view name) const
    {
        for (size_t column = 1; column < names_.size(); ++column) {
            if (names_[column] == name)
                return trimText(document_.text(static_cast<int>(column), row_));
        }
        return {};
    }

private:
    const LogDocument &document_;
    int row_;
    const std::vector<std::string> &names_;
};

std::string firstOf(const RowFields &fields, const char *names)
{
    for (const std::string &name : fieldList(names)) {
        std::string value = fields(name);
        if (!value.empty())
            return value;
    }
    return {};
}

std::vector<std::string> halfOf(const RowFields &fields, const CabrilloTemplate &layout, bool sent)
{
    std::vector<std::string> tokens;
    if (layout.hasRestColumn()) {
        for (const ExchangeColumn &column : layout.columns) {
            const std::string value
                = firstOf(fields, sent ? column.sentFields : column.receivedFields);
            for (std::string &token : tokensOf(value))
                tokens.push_back(std::move(token));
        }
        return tokens;
    }
    tokens = tokensOf(fields(sent ? "STX_STRING" : "SRX_STRING"));
    for (size_t j = 0; j < layout.columns.size(); ++j) {
        const ExchangeColumn &column = layout.columns[j];
        const std::string value = firstOf(fields, sent ? column.sentFields : column.receivedFields);
        if (value.empty())
            continue;
        if (j < tokens.size())
            tokens[j] = value;
        else
            tokens.push_back(value);
    }
    return tokens;
}

std::vector<std::string> columnNames(const LogDocument &document)
{
    std::vector<std::string> names;
    for (int column = 0; column < document.columnCount(); ++column)
        names.push_back(upperText(trimText(document.text(column, 0))));
    return names;
}

}  // namespace

CabrilloNeeds cabrilloNeeds(const LogDocument &document)
{
    CabrilloNeeds needs{true, true};
    const std::vector<std::string> names = columnNames(document);
    for (int row = 1; row < document.rowCount(); ++row) {
        const RowFields fields(document, row, names);
        if (!fields("CONTEST_ID").empty())
            needs.contest = false;
        if (!fields("STATION_CALLSIGN").empty())
            needs.stationCall = false;
    }
    return needs;
}

CabrilloText writeCabrillo(const LogDocument &document, const CabrilloWriteOptions &options)
{
    CabrilloText result;
    const std::vector<std::string> names = columnNames(document);
    std::string contest = options.contest;
    std::string stationCall = options.stationCall;
    for (int row = 1; row < document.rowCount(); ++row) {
        const RowFields fields(document, row, names);
        if (contest.empty())
            contest = fields("CONTEST_ID");
        if (stationCall.empty())
            stationCall = fields("STATION_CALLSIGN");
    }
    const CabrilloTemplate *layout
        = findCabrilloTemplate(options.templateName.empty() ? contest : options.templateName);
    if (layout == nullptr)
        layout = &genericCabrilloTemplate();
    result.contest = contest;
    result.templateName = layout->name;
    if (stationCall.empty())
        result.problems.push_back({0, "the log names no station call sign (STATION_CALLSIGN)"});

    std::string qsos;
    for (int row = 1; row < document.rowCount(); ++row) {
        const RowFields fields(document, row, names);
        const std::string call = fields("CALL");
        const std::string date = fields("QSO_DATE");
        const std::string time = fields("TIME_ON");
        std::string freq = fields(kCabrilloFreqField);
        if (freq.empty())
            freq = cabrilloFrequencyOf(fields("FREQ"), fields("BAND"));
        std::string mode = fields(kCabrilloModeField);
        if (mode.empty())
            mode = cabrilloModeOf(fields("MODE"));
        std::string myCall = fields("STATION_CALLSIGN");
        if (myCall.empty())
            myCall = stationCall;
        const char *missing = call.empty()          ? "CALL"
            : date.size() != 8 || !isDigitRun(date) ? "QSO_DATE (YYYYMMDD)"
            : time.size() < 4 || !isDigitRun(time)  ? "TIME_ON (HHMM)"
            : freq.empty()                          ? "FREQ or BAND"
            : mode.empty()                          ? "MODE"
            : myCall.empty()                        ? "STATION_CALLSIGN"
                                                    : nullptr;
        if (missing != nullptr) {
            result.problems.push_back({row, std::string("no ") + missing});
            continue;
        }
        qsos += fields(kCabrilloXQsoField) == "Y" ? "X-QSO:" : "QSO:";
        std::vector<std::string> line
            = {freq, mode, date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2),
               time.substr(0, 4), myCall};
        for (std::string &token : halfOf(fields, *layout, true))
            line.push_back(std::move(token));
        line.push_back(call);
        for (std::string &token : halfOf(fields, *layout, false))
            line.push_back(std::move(token));
        const std::string transmitter = fields(kCabrilloTxField);
        if (!transmitter.empty())
            line.push_back(transmitter);
        for (const std::string &token : line)
            qsos += ' ' + token;
        qsos += "\r\n";
    }
    if (!result.problems.empty())
        return result;
    result.text = "START-OF-LOG: 3.0\r\nCALLSIGN: " + stationCall + "\r\n";
    if (!contest.empty())
        result.text += "CONTEST: " + contest + "\r\n";
    result.text += "CREATED-BY: vaziduvu " VAZIDUVU_VERSION "\r\n" + qsos + "END-OF-LOG:\r\n";
    return result;
}

}  // namespace vaziduvu
