#pragma once

#include "formats/cabrillo_template.h"
#include "formats/contact_log.h"

#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

class LogDocument;

// Cabrillo contest logs (reading 2.0 and 3.0, writing 3.0).
//
// A QSO: line is freq mo date time my-call sent-exchange their-call
// received-exchange [transmitter]. Their call is found by the line's shape
// (the template's sent column count when that lands on a call sign, else
// halves of equal length, else the first call-shaped token), so exchanges
// of any length read right. Each half's tokens go to the ADIF fields of the
// template's columns (cabrillo_template.h); the whole received exchange
// also goes to SRX_STRING, and the whole sent one to STX_STRING when any of
// its tokens has no field. Whatever else has no ADIF field is kept in an
// APP_VAZIDUVU_ field (the frequency or mode token as written, when it
// does not follow from FREQ, BAND or MODE; the transmitter; X-QSO: lines),
// so writing the contacts back gives the same QSO: lines.

// Fields of this program's own that carry what ADIF has no field for.
inline constexpr const char *kCabrilloTxField = "APP_VAZIDUVU_TX";
inline constexpr const char *kCabrilloXQsoField = "APP_VAZIDUVU_XQSO";
inline constexpr const char *kCabrilloModeField = "APP_VAZIDUVU_CBR_MODE";
inline constexpr const char *kCabrilloFreqField = "APP_VAZIDUVU_CBR_FREQ";

// What a Cabrillo file says of itself, read without its QSO: lines: for the
// import preview.
struct CabrilloSummary {
    std::string version;  // START-OF-LOG:
    std::string contest;
    std::string callsign;
    std::vector<std::pair<int, std::string>> qsoLines;  // line number, text (the first few)
    int qsoLineCount = 0;
};
CabrilloSummary summarizeCabrillo(std::string_view bytes, size_t keepLines);

// Reads a Cabrillo log. The template is options.templateName when given (it
// must name one), else the CONTEST: header's, else the generic one. The
// contest goes to CONTEST_ID on every contact.
ContactLog readCabrillo(std::string_view bytes, const ReadOptions &options);

// One QSO: line's columns mapped to ADIF fields, as the preview shows them
// before a load; problem set when the line cannot be read.
Contact readQsoLine(std::string_view line, const CabrilloTemplate &layout, AdifMode mode,
                    std::string &problem, std::vector<std::string> *notes = nullptr);

struct CabrilloWriteOptions {
    std::string templateName;  // empty: the contest's template
    std::string contest;       // empty: CONTEST_ID of the first contact that has one
    std::string stationCall;   // empty: STATION_CALLSIGN of the first contact that has one
};

// The text of a Cabrillo 3.0 log, or the rows that cannot be written (no
// date, time, call, frequency or band, no station call sign).
struct CabrilloText {
    std::string text;
    std::vector<LineMessage> problems;  // line: the grid row
    std::string contest;
    std::string templateName;
};
CabrilloText writeCabrillo(const LogDocument &document, const CabrilloWriteOptions &options);

// What a Cabrillo export must ask for when the log does not say: the
// contest, the station's call sign.
struct CabrilloNeeds {
    bool contest = false;
    bool stationCall = false;
};
CabrilloNeeds cabrilloNeeds(const LogDocument &document);

// The Cabrillo frequency column of a contact's FREQ (MHz) and BAND: kHz
// below 30 MHz, the band token from 50 MHz up; empty when neither says.
std::string cabrilloFrequencyOf(std::string_view freqMHz, std::string_view band);

}  // namespace vaziduvu
