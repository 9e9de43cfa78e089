#include "adif/current_vocabulary.h"
#include "adif/text.h"

#include "adif/text.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

// The tables below follow ADIF 3.1.6. The field list, the data types and the
// enumeration values are taken from the published ADIF 3.1.6 document (its field table,
// its data type table and its enumerations: Mode, Submode, Band,
// Primary_Administrative_Subdivision, DXCC_Entity_Code, ARRL_Section,
// Continent, Credit, QSL_Medium, QSL_Rcvd, QSL_Sent, QSL_Via, QSO_Complete,
// QSO_Download_Status, QSO_Upload_Status, Propagation_Mode, Ant_Path,
// EQSL_AG, Morse_Key_Type, Region, Award and Award_Sponsor). Values ADIF
// marks import-only or deleted are kept and flagged.

namespace vaziduvu {
namespace {

// ---------------------------------------------------------------------------
// Text helpers

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i]) != upperAscii(b[i]))
            return false;
    }
    return true;
}

bool isLetterIn(char c, char first, char last)
{
    const char upper = upperAscii(c);
    return upper >= first && upper <= last;
}

template <typename T, std::size_t N> TableView<T> viewOf(const T (&table)[N])
{
    return TableView<T>{table, N};
}

// Upper-case name -> row; the first row of a name wins.
using NameIndex = std::unordered_map<std::string, std::size_t>;

template <typename T, typename NameOf> NameIndex buildNameIndex(TableView<T> table, NameOf nameOf)
{
    NameIndex index;
    index.reserve(table.size * 2);
    for (std::size_t row = 0; row < table.size; ++row)
        index.emplace(upperAsciiText(nameOf(table[row])), row);
    return index;
}

template <typename T>
const T *lookUp(const NameIndex &index, TableView<T> table, std::string_view name)
{
    const auto found = index.find(upperAsciiText(name));
    return found == index.end() ? nullptr : &table[found->second];
}

// ---------------------------------------------------------------------------
// Data types, in the order of the AdifType enumerators. Only the types ADIF
// gives an indicator letter have one.

struct TypeInfo {
    AdifType type;
    const char *name;
    char indicator;
};

const TypeInfo kTypes[] = {
    {AdifType::AwardList, "AwardList", '\0'},
    {AdifType::Boolean, "Boolean", 'B'},
    {AdifType::Character, "Character", '\0'},
    {AdifType::CreditList, "CreditList", '\0'},
    {AdifType::Date, "Date", 'D'},
    {AdifType::Digit, "Digit", '\0'},
    {AdifType::Enumeration, "Enumeration", 'E'},
    {AdifType::GridSquare, "GridSquare", '\0'},
    {AdifType::GridSquareExt, "GridSquareExt", '\0'},
    {AdifType::GridSquareList, "GridSquareList", '\0'},
    {AdifType::Integer, "Integer", '\0'},
    {AdifType::IntlCharacter, "IntlCharacter", '\0'},
    {AdifType::IntlMultilineString, "IntlMultilineString", 'G'},
    {AdifType::IntlString, "IntlString", 'I'},
    {AdifType::IOTARefNo, "IOTARefNo", '\0'},
    {AdifType::Location, "Location", 'L'},
    {AdifType::MultilineString, "MultilineString", 'M'},
    {AdifType::Number, "Number", 'N'},
    {AdifType::PositiveInteger, "PositiveInteger", '\0'},
    {AdifType::POTARef, "POTARef", '\0'},
    {AdifType::POTARefList, "POTARefList", '\0'},
    {AdifType::SecondaryAdministrativeSubdivisionListAlt,
     "SecondaryAdministrativeSubdivisionListAlt", '\0'},
    {AdifType::SecondarySubdivisionList, "SecondarySubdivisionList", '\0'},
    {AdifType::SOTARef, "SOTARef", '\0'},
    {AdifType::SponsoredAwardList, "SponsoredAwardList", '\0'},
    {AdifType::String, "String", 'S'},
    {AdifType::Time, "Time", 'T'},
    {AdifType::WWFFRef, "WWFFRef", '\0'},
};

static_assert(sizeof(kTypes) / sizeof(kTypes[0]) == static_cast<std::size_t>(AdifType::WWFFRef) + 1,
              "one row per AdifType, in enumerator order");

// ---------------------------------------------------------------------------
// Fields: name, type, enumeration, minimum, maximum, header, import-only.
// Header fields first, then the QSO fields in alphabetical order.

using Ty = AdifType;

const CurrentField kFields[] = {
    {"ADIF_VER", Ty::String, nullptr, nullptr, nullptr, true, false},
    {"CREATED_TIMESTAMP", Ty::String, nullptr, nullptr, nullptr, true, false},
    {"PROGRAMID", Ty::String, nullptr, nullptr, nullptr, true, false},
    {"PROGRAMVERSION", Ty::String, nullptr, nullptr, nullptr, true, false},
    {"USERDEFn", Ty::String, nullptr, nullptr, nullptr, true, false},
    {"ADDRESS", Ty::MultilineString, nullptr, nullptr, nullptr, false, false},
    {"ADDRESS_INTL", Ty::IntlMultilineString, nullptr, nullptr, nullptr, false, false},
    {"AGE", Ty::Number, nullptr, "0", "120", false, false},
    {"ALTITUDE", Ty::Number, nullptr, nullptr, nullptr, false, false},
    {"ANT_AZ", Ty::Number, nullptr, "0", "360", false, false},
    {"ANT_EL", Ty::Number, nullptr, "-90", "90", false, false},
    {"ANT_PATH", Ty::Enumeration, "Ant_Path", nullptr, nullptr, false, false},
    {"ARRL_SECT", Ty::Enumeration, "ARRL_Section", nullptr, nullptr, false, false},
    {"AWARD_SUBMITTED", Ty::SponsoredAwardList, "Sponsored_Award", nullptr, nullptr, false, false},
    {"AWARD_GRANTED", Ty::SponsoredAwardList, "Sponsored_Award", nullptr, nullptr, false, false},
    {"A_INDEX", Ty::Number, nullptr, "0", "400", false, false},
    {"BAND", Ty::Enumeration, "Band", nullptr, nullptr, false, false},
    {"BAND_RX", Ty::Enumeration, "Band", nullptr, nullptr, false, false},
    {"CALL", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"CHECK", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"CLASS", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"CLUBLOG_QSO_UPLOAD_DATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"CLUBLOG_QSO_UPLOAD_STATUS", Ty::Enumeration, "QSO_Upload_Status", nullptr, nullptr, false,
     false},
    {"CNTY", Ty::Enumeration, "Secondary_Administrative_Subdivision[DXCC]", nullptr, nullptr, false,
     false},
    {"CNTY_ALT", Ty::SecondaryAdministrativeSubdivisionListAlt, nullptr, nullptr, nullptr, false,
     false},
    {"COMMENT", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"COMMENT_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"CONT", Ty::Enumeration, "Continent", nullptr, nullptr, false, false},
    {"CONTACTED_OP", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"CONTEST_ID", Ty::String, "Contest_ID", nullptr, nullptr, false, false},
    {"COUNTRY", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"COUNTRY_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"CQZ", Ty::PositiveInteger, nullptr, "1", "40", false, false},
    {"CREDIT_SUBMITTED", Ty::CreditList, "Credit,Award", nullptr, nullptr, false, false},
    {"CREDIT_GRANTED", Ty::CreditList, "Credit,Award", nullptr, nullptr, false, false},
    {"DARC_DOK", Ty::Enumeration, nullptr, nullptr, nullptr, false, false},
    {"DCL_QSLRDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"DCL_QSLSDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"DCL_QSL_RCVD", Ty::Enumeration, "QSL_Rcvd", nullptr, nullptr, false, false},
    {"DCL_QSL_SENT", Ty::Enumeration, "QSL_Sent", nullptr, nullptr, false, false},
    {"DISTANCE", Ty::Number, nullptr, "0", nullptr, false, false},
    {"DXCC", Ty::Enumeration, "DXCC_Entity_Code", nullptr, nullptr, false, false},
    {"EMAIL", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"EQ_CALL", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"EQSL_AG", Ty::Enumeration, "EQSL_AG", nullptr, nullptr, false, false},
    {"EQSL_QSLRDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"EQSL_QSLSDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"EQSL_QSL_RCVD", Ty::Enumeration, "QSL_Rcvd", nullptr, nullptr, false, false},
    {"EQSL_QSL_SENT", Ty::Enumeration, "QSL_Sent", nullptr, nullptr, false, false},
    {"FISTS", Ty::PositiveInteger, nullptr, "1", nullptr, false, false},
    {"FISTS_CC", Ty::PositiveInteger, nullptr, "1", nullptr, false, false},
    {"FORCE_INIT", Ty::Boolean, nullptr, nullptr, nullptr, false, false},
    {"FREQ", Ty::Number, nullptr, nullptr, nullptr, false, false},
    {"FREQ_RX", Ty::Number, nullptr, nullptr, nullptr, false, false},
    {"GRIDSQUARE", Ty::GridSquare, nullptr, nullptr, nullptr, false, false},
    {"GRIDSQUARE_EXT", Ty::GridSquareExt, nullptr, nullptr, nullptr, false, false},
    {"GUEST_OP", Ty::String, nullptr, nullptr, nullptr, false, true},
    {"HAMLOGEU_QSO_UPLOAD_DATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"HAMLOGEU_QSO_UPLOAD_STATUS", Ty::Enumeration, "QSO_Upload_Status", nullptr, nullptr, false,
     false},
    {"HAMQTH_QSO_UPLOAD_DATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"HAMQTH_QSO_UPLOAD_STATUS", Ty::Enumeration, "QSO_Upload_Status", nullptr, nullptr, false,
     false},
    {"HRDLOG_QSO_UPLOAD_DATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"HRDLOG_QSO_UPLOAD_STATUS", Ty::Enumeration, "QSO_Upload_Status", nullptr, nullptr, false,
     false},
    {"IOTA", Ty::IOTARefNo, nullptr, nullptr, nullptr, false, false},
    {"IOTA_ISLAND_ID", Ty::PositiveInteger, nullptr, "1", "99999999", false, false},
    {"ITUZ", Ty::PositiveInteger, nullptr, "1", "90", false, false},
    {"K_INDEX", Ty::Integer, nullptr, "0", "9", false, false},
    {"LAT", Ty::Location, nullptr, nullptr, nullptr, false, false},
    {"LON", Ty::Location, nullptr, nullptr, nullptr, false, false},
    {"LOTW_QSLRDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"LOTW_QSLSDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"LOTW_QSL_RCVD", Ty::Enumeration, "QSL_Rcvd", nullptr, nullptr, false, false},
    {"LOTW_QSL_SENT", Ty::Enumeration, "QSL_Sent", nullptr, nullptr, false, false},
    {"MAX_BURSTS", Ty::Number, nullptr, "0", nullptr, false, false},
    {"MODE", Ty::Enumeration, "Mode", nullptr, nullptr, false, false},
    {"MORSE_KEY_INFO", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MORSE_KEY_TYPE", Ty::Enumeration, "Morse_Key_Type", nullptr, nullptr, false, false},
    {"MS_SHOWER", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_ALTITUDE", Ty::Number, nullptr, nullptr, nullptr, false, false},
    {"MY_ANTENNA", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_ANTENNA_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_ARRL_SECT", Ty::Enumeration, "ARRL_Section", nullptr, nullptr, false, false},
    {"MY_CITY", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_CITY_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_CNTY", Ty::Enumeration, "Secondary_Administrative_Subdivision[MY_DXCC]", nullptr, nullptr,
     false, false},
    {"MY_CNTY_ALT", Ty::SecondaryAdministrativeSubdivisionListAlt, nullptr, nullptr, nullptr, false,
     false},
    {"MY_COUNTRY", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_COUNTRY_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_CQ_ZONE", Ty::PositiveInteger, nullptr, "1", "40", false, false},
    {"MY_DARC_DOK", Ty::Enumeration, nullptr, nullptr, nullptr, false, false},
    {"MY_DXCC", Ty::Enumeration, "DXCC_Entity_Code", nullptr, nullptr, false, false},
    {"MY_FISTS", Ty::PositiveInteger, nullptr, "1", nullptr, false, false},
    {"MY_GRIDSQUARE", Ty::GridSquare, nullptr, nullptr, nullptr, false, false},
    {"MY_GRIDSQUARE_EXT", Ty::GridSquareExt, nullptr, nullptr, nullptr, false, false},
    {"MY_IOTA", Ty::IOTARefNo, nullptr, nullptr, nullptr, false, false},
    {"MY_IOTA_ISLAND_ID", Ty::PositiveInteger, nullptr, "1", "99999999", false, false},
    {"MY_ITU_ZONE", Ty::PositiveInteger, nullptr, "1", "90", false, false},
    {"MY_LAT", Ty::Location, nullptr, nullptr, nullptr, false, false},
    {"MY_LON", Ty::Location, nullptr, nullptr, nullptr, false, false},
    {"MY_MORSE_KEY_INFO", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_MORSE_KEY_TYPE", Ty::Enumeration, "Morse_Key_Type", nullptr, nullptr, false, false},
    {"MY_NAME", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_NAME_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_POSTAL_CODE", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_POSTAL_CODE_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_POTA_REF", Ty::POTARefList, nullptr, nullptr, nullptr, false, false},
    {"MY_RIG", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_RIG_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_SIG", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_SIG_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_SIG_INFO", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_SIG_INFO_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_SOTA_REF", Ty::SOTARef, nullptr, nullptr, nullptr, false, false},
    {"MY_STATE", Ty::Enumeration, "Primary_Administrative_Subdivision[MY_DXCC]", nullptr, nullptr,
     false, false},
    {"MY_STREET", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"MY_STREET_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"MY_USACA_COUNTIES", Ty::SecondarySubdivisionList, nullptr, nullptr, nullptr, false, false},
    {"MY_VUCC_GRIDS", Ty::GridSquareList, nullptr, nullptr, nullptr, false, false},
    {"MY_WWFF_REF", Ty::WWFFRef, nullptr, nullptr, nullptr, false, false},
    {"NAME", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"NAME_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"NOTES", Ty::MultilineString, nullptr, nullptr, nullptr, false, false},
    {"NOTES_INTL", Ty::IntlMultilineString, nullptr, nullptr, nullptr, false, false},
    {"NR_BURSTS", Ty::Integer, nullptr, "0", nullptr, false, false},
    {"NR_PINGS", Ty::Integer, nullptr, "0", nullptr, false, false},
    {"OPERATOR", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"OWNER_CALLSIGN", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"PFX", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"POTA_REF", Ty::POTARefList, nullptr, nullptr, nullptr, false, false},
    {"PRECEDENCE", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"PROP_MODE", Ty::Enumeration, "Propagation_Mode", nullptr, nullptr, false, false},
    {"PUBLIC_KEY", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"QRZCOM_QSO_DOWNLOAD_DATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"QRZCOM_QSO_DOWNLOAD_STATUS", Ty::Enumeration, "QSO_Download_Status", nullptr, nullptr, false,
     false},
    {"QRZCOM_QSO_UPLOAD_DATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"QRZCOM_QSO_UPLOAD_STATUS", Ty::Enumeration, "QSO_Upload_Status", nullptr, nullptr, false,
     false},
    {"QSLMSG", Ty::MultilineString, nullptr, nullptr, nullptr, false, false},
    {"QSLMSG_INTL", Ty::IntlMultilineString, nullptr, nullptr, nullptr, false, false},
    {"QSLMSG_RCVD", Ty::MultilineString, nullptr, nullptr, nullptr, false, false},
    {"QSLRDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"QSLSDATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"QSL_RCVD", Ty::Enumeration, "QSL_Rcvd", nullptr, nullptr, false, false},
    {"QSL_RCVD_VIA", Ty::Enumeration, "QSL_Via", nullptr, nullptr, false, false},
    {"QSL_SENT", Ty::Enumeration, "QSL_Sent", nullptr, nullptr, false, false},
    {"QSL_SENT_VIA", Ty::Enumeration, "QSL_Via", nullptr, nullptr, false, false},
    {"QSL_VIA", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"QSO_COMPLETE", Ty::Enumeration, "QSO_Complete", nullptr, nullptr, false, false},
    {"QSO_DATE", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"QSO_DATE_OFF", Ty::Date, nullptr, nullptr, nullptr, false, false},
    {"QSO_RANDOM", Ty::Boolean, nullptr, nullptr, nullptr, false, false},
    {"QTH", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"QTH_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"REGION", Ty::Enumeration, "Region", nullptr, nullptr, false, false},
    {"RIG", Ty::MultilineString, nullptr, nullptr, nullptr, false, false},
    {"RIG_INTL", Ty::IntlMultilineString, nullptr, nullptr, nullptr, false, false},
    {"RST_RCVD", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"RST_SENT", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"RX_PWR", Ty::Number, nullptr, "0", nullptr, false, false},
    {"SAT_MODE", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"SAT_NAME", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"SFI", Ty::Integer, nullptr, "0", "300", false, false},
    {"SIG", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"SIG_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"SIG_INFO", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"SIG_INFO_INTL", Ty::IntlString, nullptr, nullptr, nullptr, false, false},
    {"SILENT_KEY", Ty::Boolean, nullptr, nullptr, nullptr, false, false},
    {"SKCC", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"SOTA_REF", Ty::SOTARef, nullptr, nullptr, nullptr, false, false},
    {"SRX", Ty::Integer, nullptr, "0", nullptr, false, false},
    {"SRX_STRING", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"STATE", Ty::Enumeration, "Primary_Administrative_Subdivision[DXCC]", nullptr, nullptr, false,
     false},
    {"STATION_CALLSIGN", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"STX", Ty::Integer, nullptr, "0", nullptr, false, false},
    {"STX_STRING", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"SUBMODE", Ty::String, "Submode[MODE]", nullptr, nullptr, false, false},
    {"SWL", Ty::Boolean, nullptr, nullptr, nullptr, false, false},
    {"TEN_TEN", Ty::PositiveInteger, nullptr, "1", nullptr, false, false},
    {"TIME_OFF", Ty::Time, nullptr, nullptr, nullptr, false, false},
    {"TIME_ON", Ty::Time, nullptr, nullptr, nullptr, false, false},
    {"TX_PWR", Ty::Number, nullptr, "0", nullptr, false, false},
    {"UKSMG", Ty::PositiveInteger, nullptr, "1", nullptr, false, false},
    {"USACA_COUNTIES", Ty::SecondarySubdivisionList, nullptr, nullptr, nullptr, false, false},
    {"VE_PROV", Ty::String, nullptr, nullptr, nullptr, false, true},
    {"VUCC_GRIDS", Ty::GridSquareList, nullptr, nullptr, nullptr, false, false},
    {"WEB", Ty::String, nullptr, nullptr, nullptr, false, false},
    {"WWFF_REF", Ty::WWFFRef, nullptr, nullptr, nullptr, false, false},
};

constexpr std::size_t kUserDefRow = 4;  // "USERDEFn"

// ---------------------------------------------------------------------------
// MODE values: name, import-only.

const CurrentMode kModes[] = {
    {"AM", false},
    {"ARDOP", false},
    {"ATV", false},
    {"CHIP", false},
    {"CLO", false},
    {"CONTESTI", false},
    {"CW", false},
    {"DIGITALVOICE", false},
    {"DOMINO", false},
    {"DYNAMIC", false},
    {"FAX", false},
    {"FM", false},
    {"FSK441", false},
    {"FSK", false},
    {"FT8", false},
    {"HELL", false},
    {"ISCAT", false},
    {"JT4", false},
    {"JT6M", false},
    {"JT9", false},
    {"JT44", false},
    {"JT65", false},
    {"MFSK", false},
    {"MSK144", false},
    {"MTONE", false},
    {"MT63", false},
    {"OLIVIA", false},
    {"OPERA", false},
    {"PAC", false},
    {"PAX", false},
    {"PKT", false},
    {"PSK", false},
    {"PSK2K", false},
    {"Q15", false},
    {"QRA64", false},
    {"ROS", false},
    {"RTTY", false},
    {"RTTYM", false},
    {"SSB", false},
    {"SSTV", false},
    {"T10", false},
    {"THOR", false},
    {"THRB", false},
    {"TOR", false},
    {"V4", false},
    {"VOI", false},
    {"WINMOR", false},
    {"WSPR", false},
    // Import-only MODE values; each is now a submode.
    {"AMTORFEC", true},
    {"ASCI", true},
    {"C4FM", true},
    {"CHIP64", true},
    {"CHIP128", true},
    {"DOMINOF", true},
    {"DSTAR", true},
    {"FMHELL", true},
    {"FSK31", true},
    {"GTOR", true},
    {"HELL80", true},
    {"HFSK", true},
    {"JT4A", true},
    {"JT4B", true},
    {"JT4C", true},
    {"JT4D", true},
    {"JT4E", true},
    {"JT4F", true},
    {"JT4G", true},
    {"JT65A", true},
    {"JT65B", true},
    {"JT65C", true},
    {"MFSK8", true},
    {"MFSK16", true},
    {"PAC2", true},
    {"PAC3", true},
    {"PAX2", true},
    {"PCW", true},
    {"PSK10", true},
    {"PSK31", true},
    {"PSK63", true},
    {"PSK63F", true},
    {"PSK125", true},
    {"PSKAM10", true},
    {"PSKAM31", true},
    {"PSKAM50", true},
    {"PSKFEC31", true},
    {"PSKHELL", true},
    {"QPSK31", true},
    {"QPSK63", true},
    {"QPSK125", true},
    {"THRBX", true},
};

// SUBMODE values with their MODE, grouped by mode. PSK125C12, PSK125R,
// PSK250C6, PSK250R, PSK500C2, PSK500C4, PSK500R, PSK800C2, PSK1000C2 and
// PSK1000R appear among the PSK submodes of the Mode enumeration only, not
// as rows of their own in the Submode enumeration; they are kept here.

const CurrentSubmode kSubmodes[] = {
    // CHIP
    {"CHIP64", "CHIP"},
    {"CHIP128", "CHIP"},
    // CW
    {"PCW", "CW"},
    // DIGITALVOICE
    {"C4FM", "DIGITALVOICE"},
    {"DMR", "DIGITALVOICE"},
    {"DSTAR", "DIGITALVOICE"},
    {"FREEDV", "DIGITALVOICE"},
    {"M17", "DIGITALVOICE"},
    // DOMINO
    {"DOM-M", "DOMINO"},
    {"DOM4", "DOMINO"},
    {"DOM5", "DOMINO"},
    {"DOM8", "DOMINO"},
    {"DOM11", "DOMINO"},
    {"DOM16", "DOMINO"},
    {"DOM22", "DOMINO"},
    {"DOM44", "DOMINO"},
    {"DOM88", "DOMINO"},
    {"DOMINOEX", "DOMINO"},
    {"DOMINOF", "DOMINO"},
    // DYNAMIC
    {"VARA HF", "DYNAMIC"},
    {"VARA SATELLITE", "DYNAMIC"},
    {"VARA FM 1200", "DYNAMIC"},
    {"VARA FM 9600", "DYNAMIC"},
    // FSK
    {"SCAMP_FAST", "FSK"},
    {"SCAMP_SLOW", "FSK"},
    {"SCAMP_VSLOW", "FSK"},
    // HELL
    {"FMHELL", "HELL"},
    {"FSKH105", "HELL"},
    {"FSKH245", "HELL"},
    {"FSKHELL", "HELL"},
    {"HELL80", "HELL"},
    {"HELLX5", "HELL"},
    {"HELLX9", "HELL"},
    {"HFSK", "HELL"},
    {"PSKHELL", "HELL"},
    {"SLOWHELL", "HELL"},
    // ISCAT
    {"ISCAT-A", "ISCAT"},
    {"ISCAT-B", "ISCAT"},
    // JT4
    {"JT4A", "JT4"},
    {"JT4B", "JT4"},
    {"JT4C", "JT4"},
    {"JT4D", "JT4"},
    {"JT4E", "JT4"},
    {"JT4F", "JT4"},
    {"JT4G", "JT4"},
    // JT9
    {"JT9-1", "JT9"},
    {"JT9-2", "JT9"},
    {"JT9-5", "JT9"},
    {"JT9-10", "JT9"},
    {"JT9-30", "JT9"},
    {"JT9A", "JT9"},
    {"JT9B", "JT9"},
    {"JT9C", "JT9"},
    {"JT9D", "JT9"},
    {"JT9E", "JT9"},
    {"JT9E FAST", "JT9"},
    {"JT9F", "JT9"},
    {"JT9F FAST", "JT9"},
    {"JT9G", "JT9"},
    {"JT9G FAST", "JT9"},
    {"JT9H", "JT9"},
    {"JT9H FAST", "JT9"},
    // JT65
    {"JT65A", "JT65"},
    {"JT65B", "JT65"},
    {"JT65B2", "JT65"},
    {"JT65C", "JT65"},
    {"JT65C2", "JT65"},
    // MFSK
    {"FSQCALL", "MFSK"},
    {"FST4", "MFSK"},
    {"FST4W", "MFSK"},
    {"FT4", "MFSK"},
    {"JS8", "MFSK"},
    {"JTMS", "MFSK"},
    {"MFSK4", "MFSK"},
    {"MFSK8", "MFSK"},
    {"MFSK11", "MFSK"},
    {"MFSK16", "MFSK"},
    {"MFSK22", "MFSK"},
    {"MFSK31", "MFSK"},
    {"MFSK32", "MFSK"},
    {"MFSK64", "MFSK"},
    {"MFSK64L", "MFSK"},
    {"MFSK128", "MFSK"},
    {"MFSK128L", "MFSK"},
    {"Q65", "MFSK"},
    // MTONE
    {"SCAMP_OO", "MTONE"},
    {"SCAMP_OO_SLW", "MTONE"},
    // OLIVIA
    {"OLIVIA 4/125", "OLIVIA"},
    {"OLIVIA 4/250", "OLIVIA"},
    {"OLIVIA 8/250", "OLIVIA"},
    {"OLIVIA 8/500", "OLIVIA"},
    {"OLIVIA 16/500", "OLIVIA"},
    {"OLIVIA 16/1000", "OLIVIA"},
    {"OLIVIA 32/1000", "OLIVIA"},
    // OPERA
    {"OPERA-BEACON", "OPERA"},
    {"OPERA-QSO", "OPERA"},
    // PAC
    {"PAC2", "PAC"},
    {"PAC3", "PAC"},
    {"PAC4", "PAC"},
    // PAX
    {"PAX2", "PAX"},
    // PSK
    {"8PSK125", "PSK"},
    {"8PSK125F", "PSK"},
    {"8PSK125FL", "PSK"},
    {"8PSK250", "PSK"},
    {"8PSK250F", "PSK"},
    {"8PSK250FL", "PSK"},
    {"8PSK500", "PSK"},
    {"8PSK500F", "PSK"},
    {"8PSK1000", "PSK"},
    {"8PSK1000F", "PSK"},
    {"8PSK1200F", "PSK"},
    {"FSK31", "PSK"},
    {"PSK10", "PSK"},
    {"PSK31", "PSK"},
    {"PSK63", "PSK"},
    {"PSK63F", "PSK"},
    {"PSK63RC4", "PSK"},
    {"PSK63RC5", "PSK"},
    {"PSK63RC10", "PSK"},
    {"PSK63RC20", "PSK"},
    {"PSK63RC32", "PSK"},
    {"PSK125", "PSK"},
    {"PSK125C12", "PSK"},
    {"PSK125R", "PSK"},
    {"PSK125RC10", "PSK"},
    {"PSK125RC12", "PSK"},
    {"PSK125RC16", "PSK"},
    {"PSK125RC4", "PSK"},
    {"PSK125RC5", "PSK"},
    {"PSK250", "PSK"},
    {"PSK250C6", "PSK"},
    {"PSK250R", "PSK"},
    {"PSK250RC2", "PSK"},
    {"PSK250RC3", "PSK"},
    {"PSK250RC5", "PSK"},
    {"PSK250RC6", "PSK"},
    {"PSK250RC7", "PSK"},
    {"PSK500", "PSK"},
    {"PSK500C2", "PSK"},
    {"PSK500C4", "PSK"},
    {"PSK500R", "PSK"},
    {"PSK500RC2", "PSK"},
    {"PSK500RC3", "PSK"},
    {"PSK500RC4", "PSK"},
    {"PSK800C2", "PSK"},
    {"PSK800RC2", "PSK"},
    {"PSK1000", "PSK"},
    {"PSK1000C2", "PSK"},
    {"PSK1000R", "PSK"},
    {"PSK1000RC2", "PSK"},
    {"PSKAM10", "PSK"},
    {"PSKAM31", "PSK"},
    {"PSKAM50", "PSK"},
    {"PSKFEC31", "PSK"},
    {"QPSK31", "PSK"},
    {"QPSK63", "PSK"},
    {"QPSK125", "PSK"},
    {"QPSK250", "PSK"},
    {"QPSK500", "PSK"},
    {"SIM31", "PSK"},
    // QRA64
    {"QRA64A", "QRA64"},
    {"QRA64B", "QRA64"},
    {"QRA64C", "QRA64"},
    {"QRA64D", "QRA64"},
    {"QRA64E", "QRA64"},
    // ROS
    {"ROS-EME", "ROS"},
    {"ROS-HF", "ROS"},
    {"ROS-MF", "ROS"},
    // RTTY
    {"ASCI", "RTTY"},
    // SSB
    {"LSB", "SSB"},
    {"USB", "SSB"},
    // THOR
    {"THOR-M", "THOR"},
    {"THOR4", "THOR"},
    {"THOR5", "THOR"},
    {"THOR8", "THOR"},
    {"THOR11", "THOR"},
    {"THOR16", "THOR"},
    {"THOR22", "THOR"},
    {"THOR25X4", "THOR"},
    {"THOR50X1", "THOR"},
    {"THOR50X2", "THOR"},
    {"THOR100", "THOR"},
    // THRB
    {"THRBX", "THRB"},
    {"THRBX1", "THRB"},
    {"THRBX2", "THRB"},
    {"THRBX4", "THRB"},
    {"THROB1", "THRB"},
    {"THROB2", "THRB"},
    {"THROB4", "THRB"},
    // TOR
    {"AMTORFEC", "TOR"},
    {"GTOR", "TOR"},
    {"NAVTEX", "TOR"},
    {"SITORB", "TOR"},
};

// ---------------------------------------------------------------------------
// Bands: name, lower and upper frequency in MHz (both inclusive).

const CurrentBand kBands[] = {
    {"2190m", 0.1357, 0.1378},   {"630m", 0.472, 0.479},      {"560m", 0.501, 0.504},
    {"160m", 1.8, 2.0},          {"80m", 3.5, 4.0},           {"60m", 5.06, 5.45},
    {"40m", 7.0, 7.3},           {"30m", 10.1, 10.15},        {"20m", 14.0, 14.35},
    {"17m", 18.068, 18.168},     {"15m", 21.0, 21.45},        {"12m", 24.890, 24.99},
    {"10m", 28.0, 29.7},         {"8m", 40.0, 45.0},          {"6m", 50.0, 54.0},
    {"5m", 54.000001, 69.9},     {"4m", 70.0, 71.0},          {"2m", 144.0, 148.0},
    {"1.25m", 222.0, 225.0},     {"70cm", 420.0, 450.0},      {"33cm", 902.0, 928.0},
    {"23cm", 1240.0, 1300.0},    {"13cm", 2300.0, 2450.0},    {"9cm", 3300.0, 3500.0},
    {"6cm", 5650.0, 5925.0},     {"3cm", 10000.0, 10500.0},   {"1.25cm", 24000.0, 24250.0},
    {"6mm", 47000.0, 47200.0},   {"4mm", 75500.0, 81000.0},   {"2.5mm", 119980.0, 123000.0},
    {"2mm", 134000.0, 149000.0}, {"1mm", 241000.0, 250000.0}, {"submm", 300000.0, 7500000.0},
};

// ---------------------------------------------------------------------------
// Primary administrative subdivisions: DXCC entity, code, flags. Entities
// that are not listed have no enumerated subdivisions.

constexpr uint8_t Del = SubdivisionDeleted;
constexpr uint8_t Imp = SubdivisionImportOnly;

const PrimarySubdivision kPrimarySubdivisions[] = {
    // 1 Canada
    {1, "NS"},
    {1, "QC"},
    {1, "ON"},
    {1, "MB"},
    {1, "SK"},
    {1, "AB"},
    {1, "BC"},
    {1, "NT"},
    {1, "NB"},
    {1, "NL"},
    {1, "YT"},
    {1, "PE"},
    {1, "NU"},
    // 5 Aland Is.
    {5, "001"},
    {5, "002"},
    {5, "003"},
    {5, "004"},
    {5, "005"},
    {5, "006"},
    {5, "007"},
    {5, "008"},
    {5, "009"},
    {5, "010"},
    {5, "011"},
    {5, "012"},
    {5, "013"},
    {5, "014"},
    {5, "015"},
    {5, "016"},
    {5, "051", Del},
    // 6 Alaska
    {6, "AK"},
    // 11 Andaman & Nicobar Is.
    {11, "AN"},
    // 15 Asiatic Russia
    {15, "UO", Del},
    {15, "AB", Del},
    {15, "CB"},
    {15, "SV"},
    {15, "PM"},
    {15, "PM", Del},
    {15, "KP", Del},
    {15, "TO"},
    {15, "HM"},
    {15, "YN"},
    {15, "TN"},
    {15, "OM"},
    {15, "NS"},
    {15, "KN"},
    {15, "OB"},
    {15, "KE"},
    {15, "BA"},
    {15, "KO"},
    {15, "AL"},
    {15, "GA"},
    {15, "KK"},
    {15, "TM", Del},
    {15, "HK"},
    {15, "EA"},
    {15, "SL"},
    {15, "EV", Del},
    {15, "MG"},
    {15, "AM"},
    {15, "CK"},
    {15, "PK"},
    {15, "BU"},
    {15, "YA"},
    {15, "IR"},
    {15, "CT"},
    {15, "HA"},
    {15, "KY", Del},
    {15, "TU"},
    {15, "KT"},
    // 21 Balearic Is.
    {21, "IB"},
    // 27 Belarus
    {27, "MI"},
    {27, "BR"},
    {27, "HR"},
    {27, "VI"},
    {27, "MA"},
    {27, "HO"},
    {27, "HM"},
    // 29 Canary Is.
    {29, "GC"},
    {29, "TF"},
    // 32 Ceuta & Melilla
    {32, "CE"},
    {32, "ML"},
    // 50 Mexico
    {50, "COL"},
    {50, "DF", Imp},
    {50, "CMX"},
    {50, "EMX", Imp},
    {50, "MEX"},
    {50, "GTO", Imp},
    {50, "GUA"},
    {50, "HGO", Imp},
    {50, "HID"},
    {50, "JAL"},
    {50, "MIC"},
    {50, "MOR"},
    {50, "NAY"},
    {50, "PUE"},
    {50, "QRO", Imp},
    {50, "QUE"},
    {50, "TLX", Imp},
    {50, "TLA"},
    {50, "VER"},
    {50, "AGS", Imp},
    {50, "AGU"},
    {50, "BC", Imp},
    {50, "BCN"},
    {50, "BCS"},
    {50, "CHH"},
    {50, "COA"},
    {50, "DGO", Imp},
    {50, "DUR"},
    {50, "NL", Imp},
    {50, "NLE"},
    {50, "SLP"},
    {50, "SIN"},
    {50, "SON"},
    {50, "TMS", Imp},
    {50, "TAM"},
    {50, "ZAC"},
    {50, "CAM"},
    {50, "CHS", Imp},
    {50, "CHP"},
    {50, "GRO"},
    {50, "OAX"},
    {50, "QTR", Imp},
    {50, "ROO"},
    {50, "TAB"},
    {50, "YUC"},
    // 54 European Russia
    {54, "SP"},
    {54, "LO"},
    {54, "KL"},
    {54, "AR"},
    {54, "NO"},
    {54, "VO"},
    {54, "NV"},
    {54, "PS"},
    {54, "MU"},
    {54, "MA"},
    {54, "MO"},
    {54, "OR"},
    {54, "LP"},
    {54, "TV"},
    {54, "SM"},
    {54, "YR"},
    {54, "KS"},
    {54, "TL"},
    {54, "VR"},
    {54, "TB"},
    {54, "RA"},
    {54, "NN"},
    {54, "IV"},
    {54, "VL"},
    {54, "KU"},
    {54, "KG"},
    {54, "BR"},
    {54, "BO"},
    {54, "VG"},
    {54, "SA"},
    {54, "PE"},
    {54, "SR"},
    {54, "UL"},
    {54, "KI"},
    {54, "TA"},
    {54, "MR"},
    {54, "MD"},
    {54, "UD"},
    {54, "CU"},
    {54, "KR"},
    {54, "KC"},
    {54, "ST"},
    {54, "KM"},
    {54, "SO"},
    {54, "RO"},
    {54, "CN"},
    {54, "IN"},
    {54, "AO"},
    {54, "DA"},
    {54, "KB"},
    {54, "AD"},
    // 61 Franz Josef Land
    {61, "AR"},
    {61, "FJL", Imp},
    // 70 Cuba
    {70, "15"},
    {70, "09"},
    {70, "08"},
    {70, "06"},
    {70, "12"},
    {70, "14"},
    {70, "11"},
    {70, "99"},
    {70, "03"},
    {70, "10"},
    {70, "04"},
    {70, "16"},
    {70, "01"},
    {70, "07"},
    {70, "13"},
    {70, "05"},
    // 100 Argentina
    {100, "C"},
    {100, "B"},
    {100, "S"},
    {100, "H"},
    {100, "P"},
    {100, "X"},
    {100, "N"},
    {100, "E"},
    {100, "T"},
    {100, "W"},
    {100, "M"},
    {100, "G"},
    {100, "A"},
    {100, "J"},
    {100, "D"},
    {100, "K"},
    {100, "F"},
    {100, "Y"},
    {100, "L"},
    {100, "R"},
    {100, "U"},
    {100, "Z"},
    {100, "V"},
    {100, "Q"},
    // 108 Brazil
    {108, "ES"},
    {108, "GO"},
    {108, "SC"},
    {108, "SE"},
    {108, "AL"},
    {108, "AM"},
    {108, "TO"},
    {108, "AP"},
    {108, "PB"},
    {108, "MA"},
    {108, "RN"},
    {108, "PI"},
    {108, "DF"},
    {108, "CE"},
    {108, "AC"},
    {108, "MS"},
    {108, "RR"},
    {108, "RO"},
    {108, "RJ"},
    {108, "SP"},
    {108, "RS"},
    {108, "MG"},
    {108, "PR"},
    {108, "BA"},
    {108, "PE"},
    {108, "PA"},
    {108, "MT"},
    // 110 Hawaii
    {110, "HI"},
    // 112 Chile
    {112, "II", Imp},
    {112, "AN"},
    {112, "III", Imp},
    {112, "AT"},
    {112, "I", Imp},
    {112, "TA"},
    {112, "XV", Imp},
    {112, "AP"},
    {112, "IV", Imp},
    {112, "CO"},
    {112, "V", Imp},
    {112, "VS"},
    {112, "RM"},
    {112, "VI", Imp},
    {112, "LI"},
    {112, "VII", Imp},
    {112, "ML"},
    {112, "VIII", Imp},
    {112, "BI"},
    {112, "IX", Imp},
    {112, "AR"},
    {112, "XIV", Imp},
    {112, "LR"},
    {112, "X", Imp},
    {112, "LL"},
    {112, "XI", Imp},
    {112, "AI"},
    {112, "XII", Imp},
    {112, "MA"},
    {112, "NB"},
    // 118 Jan Mayen
    {118, "22"},
    // 126 Kaliningrad
    {126, "KA"},
    // 132 Paraguay
    {132, "16"},
    {132, "19"},
    {132, "15"},
    {132, "13"},
    {132, "01", Imp},
    {132, "1"},
    {132, "14"},
    {132, "02", Imp},
    {132, "2"},
    {132, "ASU"},
    {132, "11"},
    {132, "03", Imp},
    {132, "3"},
    {132, "09", Imp},
    {132, "9"},
    {132, "06", Imp},
    {132, "6"},
    {132, "05", Imp},
    {132, "5"},
    {132, "04", Imp},
    {132, "4"},
    {132, "08", Imp},
    {132, "8"},
    {132, "12"},
    {132, "10"},
    {132, "07", Imp},
    {132, "7"},
    // 137 Republic of Korea
    {137, "A"},
    {137, "N"},
    {137, "D"},
    {137, "C"},
    {137, "E"},
    {137, "F"},
    {137, "R"},
    {137, "M"},
    {137, "G"},
    {137, "H"},
    {137, "Q"},
    {137, "K"},
    {137, "L"},
    {137, "B"},
    {137, "P"},
    {137, "S"},
    {137, "T"},
    {137, "IS"},
    // 138 Kure I.
    {138, "KI"},
    // 142 Lakshadweep Is.
    {142, "LD"},
    // 144 Uruguay
    {144, "MO"},
    {144, "CA"},
    {144, "SJ"},
    {144, "CO"},
    {144, "SO"},
    {144, "RN"},
    {144, "PA"},
    {144, "SA"},
    {144, "AR"},
    {144, "FD"},
    {144, "FS"},
    {144, "DU"},
    {144, "TA"},
    {144, "RV"},
    {144, "MA"},
    {144, "LA"},
    {144, "RO"},
    {144, "TT"},
    {144, "CL"},
    // 147 Lord Howe I.
    {147, "LH"},
    // 148 Venezuela
    {148, "AM"},
    {148, "AN"},
    {148, "AP"},
    {148, "AR"},
    {148, "BA"},
    {148, "BO"},
    {148, "CA"},
    {148, "CO"},
    {148, "DA"},
    {148, "DC"},
    {148, "FA"},
    {148, "GU"},
    {148, "LA"},
    {148, "ME"},
    {148, "MI"},
    {148, "MO"},
    {148, "NE"},
    {148, "PO"},
    {148, "SU"},
    {148, "TA"},
    {148, "TR"},
    {148, "VA"},
    {148, "YA"},
    {148, "ZU"},
    // 149 Azores
    {149, "AC"},
    // 150 Australia
    {150, "ACT"},
    {150, "NSW"},
    {150, "VIC"},
    {150, "QLD"},
    {150, "SA"},
    {150, "WA"},
    {150, "TAS"},
    {150, "NT"},
    // 151 Malyj Vysotskij I. (deleted entity)
    {151, "LO"},
    {151, "MV", Imp},
    // 153 Macquarie I.
    {153, "MA"},
    // 163 Papua New Guinea
    {163, "NCD"},
    {163, "CPM"},
    {163, "CPK"},
    {163, "EHG"},
    {163, "EBR"},
    {163, "ESW"},
    {163, "EPW"},
    {163, "GPK"},
    {163, "MPM"},
    {163, "MRL"},
    {163, "MBA"},
    {163, "MPL"},
    {163, "NIK"},
    {163, "NPP"},
    {163, "NSA", Imp},
    {163, "NSB"},
    {163, "SAN"},
    {163, "SHM"},
    {163, "WPD"},
    {163, "WHM"},
    {163, "WBR", Imp},
    {163, "WBK"},
    {163, "HLA"},
    {163, "JWK"},
    // 170 New Zealand
    {170, "AUK"},
    {170, "BOP"},
    {170, "NTL"},
    {170, "WKO"},
    {170, "GIS"},
    {170, "HKB"},
    {170, "MWT"},
    {170, "TKI"},
    {170, "WGN"},
    {170, "CAN"},
    {170, "MBH"},
    {170, "NSN"},
    {170, "TAS"},
    {170, "WTC"},
    {170, "OTA"},
    {170, "STL"},
    // 177 Minami Torishima
    {177, "MT"},
    // 192 Ogasawara
    {192, "O"},
    // 206 Austria
    {206, "WC"},
    {206, "HA"},
    {206, "JO"},
    {206, "SC"},
    {206, "SL"},
    {206, "TA"},
    {206, "ZE"},
    {206, "AM"},
    {206, "BL"},
    {206, "BN"},
    {206, "GD"},
    {206, "GF"},
    {206, "HL"},
    {206, "HO"},
    {206, "KO"},
    {206, "KR"},
    {206, "KS"},
    {206, "LF"},
    {206, "MD"},
    {206, "ME"},
    {206, "MI"},
    {206, "NK"},
    {206, "PC"},
    {206, "PL"},
    {206, "SB"},
    {206, "SW"},
    {206, "TU"},
    {206, "WB"},
    {206, "WN"},
    {206, "WT"},
    {206, "WU"},
    {206, "WY"},
    {206, "ZT"},
    {206, "EC"},
    {206, "EU"},
    {206, "GS"},
    {206, "JE"},
    {206, "MA"},
    {206, "ND"},
    {206, "OP"},
    {206, "OW"},
    {206, "BR"},
    {206, "EF"},
    {206, "FR"},
    {206, "GM"},
    {206, "GR"},
    {206, "KI"},
    {206, "LC"},
    {206, "LL"},
    {206, "PE"},
    {206, "RI"},
    {206, "RO"},
    {206, "SD"},
    {206, "SE"},
    {206, "SR"},
    {206, "UU"},
    {206, "VB"},
    {206, "WE"},
    {206, "WL"},
    {206, "BA", Del},
    {206, "BM", Del},
    {206, "BM"},
    {206, "DL"},
    {206, "FB", Del},
    {206, "FF", Del},
    {206, "GB"},
    {206, "GC"},
    {206, "GU"},
    {206, "HB", Del},
    {206, "HF"},
    {206, "JU", Del},
    {206, "KF", Del},
    {206, "LB"},
    {206, "LE"},
    {206, "LI"},
    {206, "LN"},
    {206, "MT"},
    {206, "MU"},
    {206, "MZ", Del},
    {206, "RA", Del},
    {206, "SO"},
    {206, "VO"},
    {206, "WZ"},
    {206, "IC"},
    {206, "IL"},
    {206, "IM"},
    {206, "KB"},
    {206, "KU"},
    {206, "LA"},
    {206, "LZ"},
    {206, "RE"},
    {206, "SZ"},
    {206, "FE"},
    {206, "HE"},
    {206, "KC"},
    {206, "KL"},
    {206, "SP"},
    {206, "SV"},
    {206, "VI"},
    {206, "VK"},
    {206, "VL"},
    {206, "WO"},
    {206, "BC"},
    {206, "BZ"},
    {206, "DO"},
    {206, "FK"},
    // 209 Belgium
    {209, "AN"},
    {209, "BR"},
    {209, "BW"},
    {209, "HT"},
    {209, "LB"},
    {209, "LG"},
    {209, "NM"},
    {209, "LU"},
    {209, "OV"},
    {209, "VB"},
    {209, "WV"},
    // 212 Bulgaria
    {212, "BU"},
    {212, "SL"},
    {212, "YA"},
    {212, "SO"},
    {212, "HA"},
    {212, "KA"},
    {212, "SZ"},
    {212, "PA"},
    {212, "PD"},
    {212, "SM"},
    {212, "BL"},
    {212, "KD"},
    {212, "PK"},
    {212, "SF"},
    {212, "GA"},
    {212, "LV"},
    {212, "PL"},
    {212, "VT"},
    {212, "MN"},
    {212, "VD"},
    {212, "VR"},
    {212, "RZ"},
    {212, "RS"},
    {212, "SS"},
    {212, "TA"},
    {212, "DO"},
    {212, "SN"},
    {212, "VN"},
    // 214 Corsica
    {214, "2A"},
    {214, "2B"},
    // 221 Denmark
    {221, "015"},
    {221, "020"},
    {221, "025"},
    {221, "030"},
    {221, "035"},
    {221, "040"},
    {221, "042"},
    {221, "050"},
    {221, "055"},
    {221, "060"},
    {221, "065"},
    {221, "070"},
    {221, "076"},
    {221, "080"},
    {221, "101"},
    {221, "147"},
    // 224 Finland
    {224, "100"},
    {224, "102"},
    {224, "103"},
    {224, "104"},
    {224, "105"},
    {224, "106"},
    {224, "107"},
    {224, "108"},
    {224, "109"},
    {224, "110"},
    {224, "111"},
    {224, "112"},
    {224, "115"},
    {224, "116"},
    {224, "117"},
    {224, "119"},
    {224, "120"},
    {224, "122"},
    {224, "123"},
    {224, "124"},
    {224, "126"},
    {224, "128"},
    {224, "129"},
    {224, "130"},
    {224, "131"},
    {224, "132"},
    {224, "133"},
    {224, "134"},
    {224, "135"},
    {224, "136"},
    {224, "137"},
    {224, "138"},
    {224, "139"},
    {224, "140"},
    {224, "141"},
    {224, "142"},
    {224, "143"},
    {224, "144"},
    {224, "145"},
    {224, "147"},
    {224, "148"},
    {224, "149"},
    {224, "150"},
    {224, "151"},
    {224, "152"},
    {224, "154"},
    {224, "156"},
    {224, "157"},
    {224, "158"},
    {224, "159"},
    {224, "160"},
    {224, "161"},
    {224, "162"},
    {224, "163"},
    {224, "164"},
    {224, "165"},
    {224, "167"},
    {224, "168"},
    {224, "169"},
    {224, "170"},
    {224, "171"},
    {224, "172"},
    {224, "173"},
    {224, "174"},
    {224, "175"},
    {224, "176"},
    {224, "178"},
    {224, "179"},
    {224, "180"},
    {224, "181"},
    {224, "182"},
    {224, "183"},
    {224, "184"},
    {224, "185"},
    {224, "186"},
    {224, "187"},
    {224, "188"},
    {224, "189"},
    {224, "190"},
    {224, "191"},
    {224, "192"},
    {224, "193"},
    {224, "194"},
    {224, "195"},
    {224, "196"},
    {224, "198"},
    {224, "199"},
    {224, "201"},
    {224, "202"},
    {224, "204"},
    {224, "205"},
    {224, "206"},
    {224, "207"},
    {224, "208"},
    {224, "209"},
    {224, "210"},
    {224, "211"},
    {224, "212"},
    {224, "213"},
    {224, "214"},
    {224, "215"},
    {224, "216"},
    {224, "217"},
    {224, "218"},
    {224, "220"},
    {224, "221"},
    {224, "222"},
    {224, "223"},
    {224, "224"},
    {224, "225"},
    {224, "226"},
    {224, "227"},
    {224, "228"},
    {224, "229"},
    {224, "231"},
    {224, "233"},
    {224, "234"},
    {224, "235"},
    {224, "236"},
    {224, "238"},
    {224, "241"},
    {224, "242"},
    {224, "243"},
    {224, "301"},
    {224, "303"},
    {224, "304"},
    {224, "305"},
    {224, "306"},
    {224, "307"},
    {224, "308"},
    {224, "309"},
    {224, "310"},
    {224, "311"},
    {224, "312"},
    {224, "313"},
    {224, "314"},
    {224, "315"},
    {224, "316"},
    {224, "318"},
    {224, "319"},
    {224, "320"},
    {224, "321"},
    {224, "322"},
    {224, "323"},
    {224, "324"},
    {224, "325"},
    {224, "326"},
    {224, "327"},
    {224, "328"},
    {224, "329"},
    {224, "330"},
    {224, "331"},
    {224, "332"},
    {224, "333"},
    {224, "334"},
    {224, "335"},
    {224, "336"},
    {224, "337"},
    {224, "340"},
    {224, "341"},
    {224, "342"},
    {224, "344"},
    {224, "345"},
    {224, "346"},
    {224, "347"},
    {224, "348"},
    {224, "349"},
    {224, "350"},
    {224, "351"},
    {224, "352"},
    {224, "353"},
    {224, "354"},
    {224, "355"},
    {224, "356"},
    {224, "357"},
    {224, "358"},
    {224, "402"},
    {224, "403"},
    {224, "404"},
    {224, "405"},
    {224, "407"},
    {224, "408"},
    {224, "409"},
    {224, "410"},
    {224, "411"},
    {224, "412"},
    {224, "413"},
    {224, "414"},
    {224, "415"},
    {224, "417"},
    {224, "418"},
    {224, "419"},
    {224, "420"},
    {224, "421"},
    {224, "422"},
    {224, "423"},
    {224, "424"},
    {224, "425"},
    {224, "426"},
    {224, "427"},
    {224, "428"},
    {224, "502"},
    {224, "503"},
    {224, "504"},
    {224, "505"},
    {224, "506"},
    {224, "507"},
    {224, "509"},
    {224, "510"},
    {224, "511"},
    {224, "513"},
    {224, "514"},
    {224, "515"},
    {224, "516"},
    {224, "518"},
    {224, "519"},
    {224, "520"},
    {224, "521"},
    {224, "522"},
    {224, "523"},
    {224, "525"},
    {224, "526"},
    {224, "527"},
    {224, "528"},
    {224, "530"},
    {224, "531"},
    {224, "532"},
    {224, "601"},
    {224, "602"},
    {224, "603"},
    {224, "604"},
    {224, "605"},
    {224, "606"},
    {224, "607"},
    {224, "608"},
    {224, "609"},
    {224, "610"},
    {224, "611"},
    {224, "612"},
    {224, "613"},
    {224, "614"},
    {224, "615"},
    {224, "616"},
    {224, "617"},
    {224, "619"},
    {224, "620"},
    {224, "621"},
    {224, "622"},
    {224, "623"},
    {224, "624"},
    {224, "625"},
    {224, "626"},
    {224, "627"},
    {224, "628"},
    {224, "629"},
    {224, "630"},
    {224, "632"},
    {224, "633"},
    {224, "634"},
    {224, "635"},
    {224, "636"},
    {224, "637"},
    {224, "638"},
    {224, "639"},
    {224, "640"},
    {224, "641"},
    {224, "642"},
    {224, "643"},
    {224, "644"},
    {224, "645"},
    {224, "646"},
    {224, "647"},
    {224, "648"},
    {224, "649"},
    {224, "650"},
    {224, "651"},
    {224, "652"},
    {224, "653"},
    {224, "654"},
    {224, "655"},
    {224, "656"},
    {224, "657"},
    {224, "658"},
    {224, "659"},
    {224, "660"},
    {224, "661"},
    {224, "662"},
    {224, "663"},
    {224, "664"},
    {224, "665"},
    {224, "666"},
    {224, "668"},
    {224, "669"},
    {224, "670"},
    {224, "671"},
    {224, "672"},
    {224, "673"},
    {224, "675"},
    {224, "676"},
    {224, "677"},
    {224, "678"},
    {224, "679"},
    {224, "680"},
    {224, "681"},
    {224, "682"},
    {224, "683"},
    {224, "684"},
    {224, "685"},
    {224, "686"},
    {224, "687"},
    {224, "688"},
    {224, "689"},
    {224, "690"},
    {224, "692"},
    {224, "701"},
    {224, "702"},
    {224, "703"},
    {224, "704"},
    {224, "705"},
    {224, "706"},
    {224, "707"},
    {224, "708"},
    {224, "709"},
    {224, "710"},
    {224, "711"},
    {224, "712"},
    {224, "713"},
    {224, "714"},
    {224, "715"},
    {224, "716"},
    {224, "717"},
    {224, "718"},
    {224, "719"},
    {224, "720"},
    {224, "721"},
    {224, "722"},
    {224, "723"},
    {224, "724"},
    {224, "725"},
    {224, "726"},
    {224, "727"},
    {224, "728"},
    {224, "729"},
    {224, "730"},
    {224, "731"},
    {224, "732"},
    {224, "733"},
    {224, "734"},
    {224, "735"},
    {224, "736"},
    {224, "737"},
    {224, "738"},
    {224, "739"},
    {224, "740"},
    {224, "741"},
    {224, "742"},
    {224, "743"},
    {224, "801"},
    {224, "802"},
    {224, "803"},
    {224, "804"},
    {224, "805"},
    {224, "806"},
    {224, "807"},
    {224, "808"},
    {224, "810"},
    {224, "811"},
    {224, "812"},
    {224, "813"},
    {224, "814"},
    {224, "815"},
    {224, "816"},
    {224, "817"},
    {224, "818"},
    {224, "819"},
    {224, "820"},
    {224, "821"},
    {224, "822"},
    {224, "823"},
    {224, "824"},
    {224, "825"},
    {224, "826"},
    {224, "827"},
    {224, "828"},
    {224, "829"},
    {224, "830"},
    {224, "831"},
    {224, "832"},
    {224, "833"},
    {224, "834"},
    {224, "835"},
    {224, "836"},
    {224, "837"},
    {224, "838"},
    {224, "839"},
    {224, "840"},
    {224, "841"},
    {224, "842"},
    {224, "843"},
    {224, "844"},
    {224, "846"},
    {224, "847"},
    {224, "848"},
    {224, "849"},
    {224, "850"},
    {224, "851"},
    {224, "852"},
    {224, "853"},
    {224, "901"},
    {224, "902"},
    {224, "903"},
    {224, "904"},
    {224, "905"},
    {224, "907"},
    {224, "908"},
    {224, "909"},
    {224, "910"},
    {224, "911"},
    {224, "912"},
    {224, "913"},
    {224, "914"},
    {224, "915"},
    {224, "916"},
    {224, "917"},
    {224, "918"},
    {224, "919"},
    {224, "920"},
    {224, "921"},
    {224, "922"},
    {224, "923"},
    // 225 Sardinia
    {225, "CA"},
    {225, "CI", Imp},
    {225, "SU"},
    {225, "MD", Imp},
    {225, "NU"},
    {225, "OG"},
    {225, "OR"},
    {225, "OT"},
    {225, "SS"},
    {225, "VS"},
    // 227 France
    {227, "01"},
    {227, "02"},
    {227, "03"},
    {227, "04"},
    {227, "05"},
    {227, "06"},
    {227, "07"},
    {227, "08"},
    {227, "09"},
    {227, "10"},
    {227, "11"},
    {227, "12"},
    {227, "13"},
    {227, "14"},
    {227, "15"},
    {227, "16"},
    {227, "17"},
    {227, "18"},
    {227, "19"},
    {227, "21"},
    {227, "22"},
    {227, "23"},
    {227, "24"},
    {227, "25"},
    {227, "26"},
    {227, "27"},
    {227, "28"},
    {227, "29"},
    {227, "30"},
    {227, "31"},
    {227, "32"},
    {227, "33"},
    {227, "34"},
    {227, "35"},
    {227, "36"},
    {227, "37"},
    {227, "38"},
    {227, "39"},
    {227, "40"},
    {227, "41"},
    {227, "42"},
    {227, "43"},
    {227, "44"},
    {227, "45"},
    {227, "46"},
    {227, "47"},
    {227, "48"},
    {227, "49"},
    {227, "50"},
    {227, "51"},
    {227, "52"},
    {227, "53"},
    {227, "54"},
    {227, "55"},
    {227, "56"},
    {227, "57"},
    {227, "58"},
    {227, "59"},
    {227, "60"},
    {227, "61"},
    {227, "62"},
    {227, "63"},
    {227, "64"},
    {227, "65"},
    {227, "66"},
    {227, "67"},
    {227, "68"},
    {227, "69"},
    {227, "70"},
    {227, "71"},
    {227, "72"},
    {227, "73"},
    {227, "74"},
    {227, "75"},
    {227, "76"},
    {227, "77"},
    {227, "78"},
    {227, "79"},
    {227, "80"},
    {227, "81"},
    {227, "82"},
    {227, "83"},
    {227, "84"},
    {227, "85"},
    {227, "86"},
    {227, "87"},
    {227, "88"},
    {227, "89"},
    {227, "90"},
    {227, "91"},
    {227, "92"},
    {227, "93"},
    {227, "94"},
    {227, "95"},
    // 230 Federal Republic of Germany
    {230, "BB"},
    {230, "BE"},
    {230, "BW"},
    {230, "BY"},
    {230, "HB"},
    {230, "HE"},
    {230, "HH"},
    {230, "MV"},
    {230, "NI"},
    {230, "NW"},
    {230, "RP"},
    {230, "SL"},
    {230, "SH"},
    {230, "SN"},
    {230, "ST"},
    {230, "TH"},
    // 239 Hungary
    {239, "GY"},
    {239, "VA"},
    {239, "ZA"},
    {239, "KO"},
    {239, "VE"},
    {239, "BA"},
    {239, "SO"},
    {239, "TO"},
    {239, "FE"},
    {239, "BP"},
    {239, "HE"},
    {239, "NG"},
    {239, "PE"},
    {239, "SZ"},
    {239, "BE"},
    {239, "BN"},
    {239, "CS"},
    {239, "BO"},
    {239, "HB"},
    {239, "SA"},
    // 245 Ireland
    {245, "CW"},
    {245, "CN"},
    {245, "CE"},
    {245, "C", Imp},
    {245, "CO"},
    {245, "DL"},
    {245, "D"},
    {245, "G"},
    {245, "KY"},
    {245, "KE"},
    {245, "KK"},
    {245, "LS"},
    {245, "LM"},
    {245, "LK"},
    {245, "LD"},
    {245, "LH"},
    {245, "MO"},
    {245, "MH"},
    {245, "MN"},
    {245, "OY"},
    {245, "RN"},
    {245, "SO"},
    {245, "TA"},
    {245, "WD"},
    {245, "WH"},
    {245, "WX"},
    {245, "WW"},
    // 248 Italy
    {248, "GE"},
    {248, "IM"},
    {248, "SP"},
    {248, "SV"},
    {248, "AL"},
    {248, "AT"},
    {248, "BI"},
    {248, "CN"},
    {248, "NO"},
    {248, "TO"},
    {248, "VB"},
    {248, "VC"},
    {248, "AO"},
    {248, "BG"},
    {248, "BS"},
    {248, "CO"},
    {248, "CR"},
    {248, "LC"},
    {248, "LO"},
    {248, "MB"},
    {248, "MN"},
    {248, "MI"},
    {248, "PV"},
    {248, "SO"},
    {248, "VA"},
    {248, "BL"},
    {248, "PD"},
    {248, "RO"},
    {248, "TV"},
    {248, "VE"},
    {248, "VR"},
    {248, "VI"},
    {248, "BZ"},
    {248, "TN"},
    {248, "GO"},
    {248, "PN"},
    {248, "TS"},
    {248, "UD"},
    {248, "BO"},
    {248, "FE"},
    {248, "FO", Imp},
    {248, "FC"},
    {248, "MO"},
    {248, "PR"},
    {248, "PC"},
    {248, "RA"},
    {248, "RE"},
    {248, "RN"},
    {248, "AR"},
    {248, "FI"},
    {248, "GR"},
    {248, "LI"},
    {248, "LU"},
    {248, "MS"},
    {248, "PT"},
    {248, "PI"},
    {248, "PO"},
    {248, "SI"},
    {248, "CH"},
    {248, "AQ"},
    {248, "PE"},
    {248, "TE"},
    {248, "AN"},
    {248, "AP"},
    {248, "FM"},
    {248, "MC"},
    {248, "PS", Imp},
    {248, "PU"},
    {248, "MT"},
    {248, "PZ"},
    {248, "BA"},
    {248, "BT"},
    {248, "BR"},
    {248, "FG"},
    {248, "LE"},
    {248, "TA"},
    {248, "CZ"},
    {248, "CS"},
    {248, "KR"},
    {248, "RC"},
    {248, "VV"},
    {248, "AV"},
    {248, "BN"},
    {248, "CE"},
    {248, "NA"},
    {248, "SA"},
    {248, "IS"},
    {248, "CB"},
    {248, "FR"},
    {248, "LT"},
    {248, "RI"},
    {248, "RM"},
    {248, "VT"},
    {248, "PG"},
    {248, "TR"},
    {248, "AG"},
    {248, "CL"},
    {248, "CT"},
    {248, "EN"},
    {248, "ME"},
    {248, "PA"},
    {248, "RG"},
    {248, "SR"},
    {248, "TP"},
    // 259 Svalbard
    {259, "21"},
    // 266 Norway
    {266, "42"},
    {266, "34"},
    {266, "15"},
    {266, "18"},
    {266, "03"},
    {266, "11"},
    {266, "54"},
    {266, "50"},
    {266, "38"},
    {266, "46"},
    {266, "30"},
    // 256 Madeira Is.
    {256, "MD"},
    // 263 Netherlands
    {263, "DR"},
    {263, "FR"},
    {263, "GR"},
    {263, "NB"},
    {263, "OV"},
    {263, "ZH"},
    {263, "FL"},
    {263, "GD", Imp},
    {263, "GE"},
    {263, "LB", Imp},
    {263, "LI"},
    {263, "NH"},
    {263, "UT"},
    {263, "ZL", Imp},
    {263, "ZE"},
    // 269 Poland
    {269, "Z"},
    {269, "F"},
    {269, "P"},
    {269, "B"},
    {269, "W"},
    {269, "J"},
    {269, "O"},
    {269, "R"},
    {269, "D"},
    {269, "U"},
    {269, "C"},
    {269, "S"},
    {269, "K"},
    {269, "L"},
    {269, "G"},
    {269, "M"},
    // 272 Portugal
    {272, "AV"},
    {272, "BJ"},
    {272, "BR"},
    {272, "BG"},
    {272, "CB"},
    {272, "CO"},
    {272, "EV"},
    {272, "FR"},
    {272, "GD"},
    {272, "LR"},
    {272, "LX"},
    {272, "PG"},
    {272, "PT"},
    {272, "SR"},
    {272, "ST"},
    {272, "VC"},
    {272, "VR"},
    {272, "VS"},
    // 275 Romania
    {275, "AR"},
    {275, "CS"},
    {275, "HD"},
    {275, "TM"},
    {275, "BU", Imp},
    {275, "B"},
    {275, "IF"},
    {275, "BR"},
    {275, "CT"},
    {275, "GL"},
    {275, "TL"},
    {275, "VN"},
    {275, "AB"},
    {275, "BH"},
    {275, "BN"},
    {275, "CJ"},
    {275, "MM"},
    {275, "SJ"},
    {275, "SM"},
    {275, "BV"},
    {275, "CV"},
    {275, "HR"},
    {275, "MS"},
    {275, "SB"},
    {275, "AG"},
    {275, "DJ"},
    {275, "GJ"},
    {275, "MH"},
    {275, "OT"},
    {275, "VL"},
    {275, "BC"},
    {275, "BT"},
    {275, "IS"},
    {275, "NT"},
    {275, "SV"},
    {275, "VS"},
    {275, "BZ"},
    {275, "CL"},
    {275, "DB"},
    {275, "GR"},
    {275, "IL"},
    {275, "PH"},
    {275, "TR"},
    // 281 Spain
    {281, "AV"},
    {281, "BU"},
    {281, "C"},
    {281, "LE"},
    {281, "LO"},
    {281, "LU"},
    {281, "O"},
    {281, "OU", Imp},
    {281, "OR"},
    {281, "P"},
    {281, "PO"},
    {281, "S"},
    {281, "SA"},
    {281, "SG"},
    {281, "SO"},
    {281, "VA"},
    {281, "ZA"},
    {281, "BI"},
    {281, "HU"},
    {281, "NA"},
    {281, "SS"},
    {281, "TE"},
    {281, "VI"},
    {281, "Z"},
    {281, "B"},
    {281, "GI"},
    {281, "L"},
    {281, "T"},
    {281, "BA"},
    {281, "CC"},
    {281, "CR"},
    {281, "CU"},
    {281, "GU"},
    {281, "M"},
    {281, "TO"},
    {281, "A"},
    {281, "AB"},
    {281, "CS"},
    {281, "MU"},
    {281, "V"},
    {281, "AL"},
    {281, "CA"},
    {281, "CO"},
    {281, "GR"},
    {281, "H"},
    {281, "J"},
    {281, "MA"},
    {281, "SE"},
    // 284 Sweden
    {284, "AB"},
    {284, "I"},
    {284, "BD"},
    {284, "AC"},
    {284, "X"},
    {284, "Z"},
    {284, "Y"},
    {284, "W"},
    {284, "S"},
    {284, "O"},
    {284, "T"},
    {284, "E"},
    {284, "D"},
    {284, "C"},
    {284, "U"},
    {284, "N"},
    {284, "K"},
    {284, "F"},
    {284, "H"},
    {284, "G"},
    {284, "M"},
    // 287 Switzerland
    {287, "AG"},
    {287, "AR"},
    {287, "AI"},
    {287, "BL"},
    {287, "BS"},
    {287, "BE"},
    {287, "FR"},
    {287, "GE"},
    {287, "GL"},
    {287, "GR"},
    {287, "JU"},
    {287, "LU"},
    {287, "NE"},
    {287, "NW"},
    {287, "OW"},
    {287, "SH"},
    {287, "SZ"},
    {287, "SO"},
    {287, "SG"},
    {287, "TI"},
    {287, "TG"},
    {287, "UR"},
    {287, "VD"},
    {287, "VS"},
    {287, "ZH"},
    {287, "ZG"},
    // 288 Ukraine
    {288, "SU"},
    {288, "TE"},
    {288, "CH"},
    {288, "ZA"},
    {288, "DN"},
    {288, "OD"},
    {288, "HE"},
    {288, "PO"},
    {288, "DO"},
    {288, "RI"},
    {288, "HA"},
    {288, "LU"},
    {288, "VI"},
    {288, "VO"},
    {288, "ZP"},
    {288, "CR"},
    {288, "IF"},
    {288, "HM"},
    {288, "KV"},
    {288, "KO"},
    {288, "KI"},
    {288, "LV"},
    {288, "ZH"},
    {288, "CN"},
    {288, "NI"},
    {288, "KR"},
    {288, "SL"},
    // 291 United States of America
    {291, "CT"},
    {291, "ME"},
    {291, "MA"},
    {291, "NH"},
    {291, "RI"},
    {291, "VT"},
    {291, "NJ"},
    {291, "NY"},
    {291, "DE"},
    {291, "DC"},
    {291, "MD"},
    {291, "PA"},
    {291, "AL"},
    {291, "FL"},
    {291, "GA"},
    {291, "KY"},
    {291, "NC"},
    {291, "SC"},
    {291, "TN"},
    {291, "VA"},
    {291, "AR"},
    {291, "LA"},
    {291, "MS"},
    {291, "NM"},
    {291, "OK"},
    {291, "TX"},
    {291, "CA"},
    {291, "AZ"},
    {291, "ID"},
    {291, "MT"},
    {291, "NV"},
    {291, "OR"},
    {291, "UT"},
    {291, "WA"},
    {291, "WY"},
    {291, "MI"},
    {291, "OH"},
    {291, "WV"},
    {291, "IL"},
    {291, "IN"},
    {291, "WI"},
    {291, "CO"},
    {291, "IA"},
    {291, "KS"},
    {291, "MN"},
    {291, "MO"},
    {291, "NE"},
    {291, "ND"},
    {291, "SD"},
    // 318 China
    {318, "AH"},
    {318, "BJ"},
    {318, "CQ"},
    {318, "FJ"},
    {318, "GD"},
    {318, "GS"},
    {318, "GX"},
    {318, "GZ"},
    {318, "HA"},
    {318, "HB"},
    {318, "HE"},
    {318, "HI"},
    {318, "HL"},
    {318, "HN"},
    {318, "JL"},
    {318, "JS"},
    {318, "JX"},
    {318, "LN"},
    {318, "NM"},
    {318, "NX"},
    {318, "QH"},
    {318, "SC"},
    {318, "SD"},
    {318, "SH"},
    {318, "SN"},
    {318, "SX"},
    {318, "TJ"},
    {318, "XJ"},
    {318, "XZ"},
    {318, "YN"},
    {318, "ZJ"},
    // 324 India
    {324, "AP"},
    {324, "AR"},
    {324, "AS"},
    {324, "BR"},
    {324, "CH"},
    {324, "CG"},
    {324, "DD"},
    {324, "DL"},
    {324, "DN"},
    {324, "GA"},
    {324, "GJ"},
    {324, "HR"},
    {324, "HP"},
    {324, "JK"},
    {324, "JH"},
    {324, "KA"},
    {324, "KL"},
    {324, "LA"},
    {324, "MP"},
    {324, "MH"},
    {324, "MN"},
    {324, "ML"},
    {324, "MZ"},
    {324, "NL"},
    {324, "OD"},
    {324, "PY"},
    {324, "PB"},
    {324, "RJ"},
    {324, "SK"},
    {324, "TN"},
    {324, "TG"},
    {324, "TR"},
    {324, "UP"},
    {324, "UK"},
    {324, "WB"},
    // 339 Japan
    {339, "12"},
    {339, "16"},
    {339, "14"},
    {339, "11"},
    {339, "13"},
    {339, "15"},
    {339, "10"},
    {339, "17"},
    {339, "20"},
    {339, "19"},
    {339, "21"},
    {339, "18"},
    {339, "27"},
    {339, "22"},
    {339, "24"},
    {339, "25"},
    {339, "23"},
    {339, "26"},
    {339, "35"},
    {339, "31"},
    {339, "32"},
    {339, "34"},
    {339, "33"},
    {339, "38"},
    {339, "36"},
    {339, "39"},
    {339, "37"},
    {339, "40"},
    {339, "46"},
    {339, "43"},
    {339, "45"},
    {339, "42"},
    {339, "44"},
    {339, "47"},
    {339, "41"},
    {339, "04"},
    {339, "02"},
    {339, "07"},
    {339, "03"},
    {339, "06"},
    {339, "05"},
    {339, "01"},
    {339, "29"},
    {339, "30"},
    {339, "28"},
    {339, "09"},
    {339, "08"},
    // 375 Philippines
    {375, "AUR"},
    {375, "BTG"},
    {375, "CAV"},
    {375, "LAG"},
    {375, "MAD"},
    {375, "MDC"},
    {375, "MDR"},
    {375, "PLW"},
    {375, "QUE"},
    {375, "RIZ"},
    {375, "ROM"},
    {375, "ILN"},
    {375, "ILS"},
    {375, "LUN"},
    {375, "PAN"},
    {375, "BTN"},
    {375, "CAG"},
    {375, "ISA"},
    {375, "NUV"},
    {375, "QUI"},
    {375, "ABR"},
    {375, "APA"},
    {375, "BEN"},
    {375, "IFU"},
    {375, "KAL"},
    {375, "MOU"},
    {375, "BAN"},
    {375, "BUL"},
    {375, "NUE"},
    {375, "PAM"},
    {375, "TAR"},
    {375, "ZMB"},
    {375, "ALB"},
    {375, "CAN"},
    {375, "CAS"},
    {375, "CAT"},
    {375, "MAS"},
    {375, "SOR"},
    {375, "BIL"},
    {375, "EAS"},
    {375, "LEY"},
    {375, "NSA"},
    {375, "SLE"},
    {375, "WSA"},
    {375, "AKL"},
    {375, "ANT"},
    {375, "CAP"},
    {375, "GUI"},
    {375, "ILI"},
    {375, "NEC"},
    {375, "BOH"},
    {375, "CEB"},
    {375, "NER"},
    {375, "SIG"},
    {375, "ZAN"},
    {375, "ZAS"},
    {375, "ZSI"},
    {375, "NCO"},
    {375, "SUK"},
    {375, "SAR"},
    {375, "SCO"},
    {375, "BAS"},
    {375, "LAS"},
    {375, "MAG"},
    {375, "SLU"},
    {375, "TAW"},
    {375, "LAN"},
    {375, "BUK"},
    {375, "CAM"},
    {375, "MSC"},
    {375, "MSR"},
    {375, "COM"},
    {375, "DAV"},
    {375, "DAS"},
    {375, "DAO"},
    {375, "AGN"},
    {375, "AGS"},
    {375, "SUN"},
    {375, "SUR"},
    // 386 Taiwan
    {386, "CHA"},
    {386, "CYI"},
    {386, "CYQ"},
    {386, "HSZ"},
    {386, "HSQ"},
    {386, "HUA"},
    {386, "KHH"},
    {386, "KEE"},
    {386, "KIN"},
    {386, "LIE"},
    {386, "MIA"},
    {386, "NAN"},
    {386, "NWT"},
    {386, "PEN"},
    {386, "PIF"},
    {386, "TXG"},
    {386, "TNN"},
    {386, "TPE"},
    {386, "TTT"},
    {386, "TAO"},
    {386, "ILA"},
    {386, "YUN"},
    // 497 Croatia
    {497, "01"},
    {497, "02"},
    {497, "03"},
    {497, "04"},
    {497, "05"},
    {497, "06"},
    {497, "07"},
    {497, "08"},
    {497, "09"},
    {497, "10"},
    {497, "11"},
    {497, "12"},
    {497, "13"},
    {497, "14"},
    {497, "15"},
    {497, "16"},
    {497, "17"},
    {497, "18"},
    {497, "19"},
    {497, "20"},
    {497, "21"},
    // 503 Czech Republic
    {503, "APA"},
    {503, "APB"},
    {503, "APC"},
    {503, "APD"},
    {503, "APE"},
    {503, "APF"},
    {503, "APG"},
    {503, "APH"},
    {503, "API"},
    {503, "APJ"},
    {503, "BBN"},
    {503, "BBE"},
    {503, "BKD"},
    {503, "BKO"},
    {503, "BKH"},
    {503, "BME"},
    {503, "BMB"},
    {503, "BNY"},
    {503, "BPZ"},
    {503, "BPV"},
    {503, "BPB"},
    {503, "BRA"},
    {503, "CBU"},
    {503, "CCK"},
    {503, "CJH"},
    {503, "CPE"},
    {503, "CPI"},
    {503, "CPR"},
    {503, "CST"},
    {503, "CTA"},
    {503, "DDO"},
    {503, "DCH"},
    {503, "DKV"},
    {503, "DKL"},
    {503, "DPM"},
    {503, "DPJ"},
    {503, "DPS"},
    {503, "DRO"},
    {503, "DSO"},
    {503, "DTA"},
    {503, "ECL"},
    {503, "EDE"},
    {503, "ECH"},
    {503, "EJA"},
    {503, "ELI"},
    {503, "ELT"},
    {503, "ELO"},
    {503, "EMO"},
    {503, "ETE"},
    {503, "EUL"},
    {503, "FHB"},
    {503, "FHK"},
    {503, "FCR"},
    {503, "FJI"},
    {503, "FNA"},
    {503, "FPA"},
    {503, "FRK"},
    {503, "FSE"},
    {503, "FSV"},
    {503, "FTR"},
    {503, "FUO"},
    {503, "GBL"},
    {503, "GBM"},
    {503, "GBV"},
    {503, "GBR"},
    {503, "GHO"},
    {503, "GJI"},
    {503, "GKR"},
    {503, "GPR"},
    {503, "GTR"},
    {503, "GUH"},
    {503, "GVY"},
    {503, "GZL"},
    {503, "GZN"},
    {503, "GZS"},
    {503, "HBR"},
    {503, "HFM"},
    {503, "HJE"},
    {503, "HKA"},
    {503, "HNJ"},
    {503, "HOL"},
    {503, "HOP"},
    {503, "HOS"},
    {503, "HPR"},
    {503, "HSU"},
    {503, "HVS"},
    // 504 Slovak Republic
    {504, "BAA"},
    {504, "BAB"},
    {504, "BAC"},
    {504, "BAD"},
    {504, "BAE"},
    {504, "MAL"},
    {504, "PEZ"},
    {504, "SEN"},
    {504, "DST"},
    {504, "GAL"},
    {504, "HLO"},
    {504, "PIE"},
    {504, "SEA"},
    {504, "SKA"},
    {504, "TRN"},
    {504, "BAN"},
    {504, "ILA"},
    {504, "MYJ"},
    {504, "NMV"},
    {504, "PAR"},
    {504, "PBY"},
    {504, "PRI"},
    {504, "PUC"},
    {504, "TNC"},
    {504, "KOM"},
    {504, "LVC"},
    {504, "NIT"},
    {504, "NZA"},
    {504, "SAL"},
    {504, "TOP"},
    {504, "ZMO"},
    {504, "BYT"},
    {504, "CAD"},
    {504, "DKU"},
    {504, "KNM"},
    {504, "LMI"},
    {504, "MAR"},
    {504, "NAM"},
    {504, "RUZ"},
    {504, "TTE"},
    {504, "TVR"},
    {504, "ZIL"},
    {504, "BBY"},
    {504, "BST"},
    {504, "BRE"},
    {504, "DET"},
    {504, "KRU"},
    {504, "LUC"},
    {504, "POL"},
    {504, "REV"},
    {504, "RSO"},
    {504, "VKR"},
    {504, "ZAR"},
    {504, "ZIH"},
    {504, "ZVO"},
    {504, "GEL"},
    {504, "KEA"},
    {504, "KEB"},
    {504, "KEC"},
    {504, "KED"},
    {504, "KEO"},
    {504, "MIC"},
    {504, "ROZ"},
    {504, "SOB"},
    {504, "SNV"},
    {504, "TRE"},
    {504, "BAR"},
    {504, "HUM"},
    {504, "KEZ"},
    {504, "LEV"},
    {504, "MED"},
    {504, "POP"},
    {504, "PRE"},
    {504, "SAB"},
    {504, "SNI"},
    {504, "SLU"},
    {504, "STR"},
    {504, "SVI"},
    {504, "VRT"},
};

// ---------------------------------------------------------------------------
// DXCC entity codes: code, deleted, name as ADIF writes it. 0 stands for "not
// within an entity".

const DxccEntityCode kDxccEntityCodes[] = {
    {0, false, "NONE"},
    {1, false, "CANADA"},
    {2, true, "ABU AIL IS."},
    {3, false, "AFGHANISTAN"},
    {4, false, "AGALEGA & ST. BRANDON IS."},
    {5, false, "ALAND IS."},
    {6, false, "ALASKA"},
    {7, false, "ALBANIA"},
    {8, true, "ALDABRA"},
    {9, false, "AMERICAN SAMOA"},
    {10, false, "AMSTERDAM & ST. PAUL IS."},
    {11, false, "ANDAMAN & NICOBAR IS."},
    {12, false, "ANGUILLA"},
    {13, false, "ANTARCTICA"},
    {14, false, "ARMENIA"},
    {15, false, "ASIATIC RUSSIA"},
    {16, false, "NEW ZEALAND SUBANTARCTIC ISLANDS"},
    {17, false, "AVES I."},
    {18, false, "AZERBAIJAN"},
    {19, true, "BAJO NUEVO"},
    {20, false, "BAKER & HOWLAND IS."},
    {21, false, "BALEARIC IS."},
    {22, false, "PALAU"},
    {23, true, "BLENHEIM REEF"},
    {24, false, "BOUVET"},
    {25, true, "BRITISH NORTH BORNEO"},
    {26, true, "BRITISH SOMALILAND"},
    {27, false, "BELARUS"},
    {28, true, "CANAL ZONE"},
    {29, false, "CANARY IS."},
    {30, true, "CELEBE & MOLUCCA IS."},
    {31, false, "C. KIRIBATI (BRITISH PHOENIX IS.)"},
    {32, false, "CEUTA & MELILLA"},
    {33, false, "CHAGOS IS."},
    {34, false, "CHATHAM IS."},
    {35, false, "CHRISTMAS I."},
    {36, false, "CLIPPERTON I."},
    {37, false, "COCOS I."},
    {38, false, "COCOS (KEELING) IS."},
    {39, true, "COMOROS"},
    {40, false, "CRETE"},
    {41, false, "CROZET I."},
    {42, true, "DAMAO, DIU"},
    {43, false, "DESECHEO I."},
    {44, true, "DESROCHES"},
    {45, false, "DODECANESE"},
    {46, false, "EAST MALAYSIA"},
    {47, false, "EASTER I."},
    {48, false, "E. KIRIBATI (LINE IS.)"},
    {49, false, "EQUATORIAL GUINEA"},
    {50, false, "MEXICO"},
    {51, false, "ERITREA"},
    {52, false, "ESTONIA"},
    {53, false, "ETHIOPIA"},
    {54, false, "EUROPEAN RUSSIA"},
    {55, true, "FARQUHAR"},
    {56, false, "FERNANDO DE NORONHA"},
    {57, true, "FRENCH EQUATORIAL AFRICA"},
    {58, true, "FRENCH INDO-CHINA"},
    {59, true, "FRENCH WEST AFRICA"},
    {60, false, "BAHAMAS"},
    {61, false, "FRANZ JOSEF LAND"},
    {62, false, "BARBADOS"},
    {63, false, "FRENCH GUIANA"},
    {64, false, "BERMUDA"},
    {65, false, "BRITISH VIRGIN IS."},
    {66, false, "BELIZE"},
    {67, true, "FRENCH INDIA"},
    {68, true, "KUWAIT/SAUDI ARABIA NEUTRAL ZONE"},
    {69, false, "CAYMAN IS."},
    {70, false, "CUBA"},
    {71, false, "GALAPAGOS IS."},
    {72, false, "DOMINICAN REPUBLIC"},
    {74, false, "EL SALVADOR"},
    {75, false, "GEORGIA"},
    {76, false, "GUATEMALA"},
    {77, false, "GRENADA"},
    {78, false, "HAITI"},
    {79, false, "GUADELOUPE"},
    {80, false, "HONDURAS"},
    {81, true, "GERMANY"},
    {82, false, "JAMAICA"},
    {84, false, "MARTINIQUE"},
    {85, true, "BONAIRE, CURACAO"},
    {86, false, "NICARAGUA"},
    {88, false, "PANAMA"},
    {89, false, "TURKS & CAICOS IS."},
    {90, false, "TRINIDAD & TOBAGO"},
    {91, false, "ARUBA"},
    {93, true, "GEYSER REEF"},
    {94, false, "ANTIGUA & BARBUDA"},
    {95, false, "DOMINICA"},
    {96, false, "MONTSERRAT"},
    {97, false, "ST. LUCIA"},
    {98, false, "ST. VINCENT"},
    {99, false, "GLORIOSO IS."},
    {100, false, "ARGENTINA"},
    {101, true, "GOA"},
    {102, true, "GOLD COAST, TOGOLAND"},
    {103, false, "GUAM"},
    {104, false, "BOLIVIA"},
    {105, false, "GUANTANAMO BAY"},
    {106, false, "GUERNSEY"},
    {107, false, "GUINEA"},
    {108, false, "BRAZIL"},
    {109, false, "GUINEA-BISSAU"},
    {110, false, "HAWAII"},
    {111, false, "HEARD I."},
    {112, false, "CHILE"},
    {113, true, "IFNI"},
    {114, false, "ISLE OF MAN"},
    {115, true, "ITALIAN SOMALILAND"},
    {116, false, "COLOMBIA"},
    {117, false, "ITU HQ"},
    {118, false, "JAN MAYEN"},
    {119, true, "JAVA"},
    {120, false, "ECUADOR"},
    {122, false, "JERSEY"},
    {123, false, "JOHNSTON I."},
    {124, false, "JUAN DE NOVA, EUROPA"},
    {125, false, "JUAN FERNANDEZ IS."},
    {126, false, "KALININGRAD"},
    {127, true, "KAMARAN IS."},
    {128, true, "KARELO-FINNISH REPUBLIC"},
    {129, false, "GUYANA"},
    {130, false, "KAZAKHSTAN"},
    {131, false, "KERGUELEN IS."},
    {132, false, "PARAGUAY"},
    {133, false, "KERMADEC IS."},
    {134, true, "KINGMAN REEF"},
    {135, false, "KYRGYZSTAN"},
    {136, false, "PERU"},
    {137, false, "REPUBLIC OF KOREA"},
    {138, false, "KURE I."},
    {139, true, "KURIA MURIA I."},
    {140, false, "SURINAME"},
    {141, false, "FALKLAND IS."},
    {142, false, "LAKSHADWEEP IS."},
    {143, false, "LAOS"},
    {144, false, "URUGUAY"},
    {145, false, "LATVIA"},
    {146, false, "LITHUANIA"},
    {147, false, "LORD HOWE I."},
    {148, false, "VENEZUELA"},
    {149, false, "AZORES"},
    {150, false, "AUSTRALIA"},
    {151, true, "MALYJ VYSOTSKIJ I."},
    {152, false, "MACAO"},
    {153, false, "MACQUARIE I."},
    {154, true, "YEMEN ARAB REPUBLIC"},
    {155, true, "MALAYA"},
    {157, false, "NAURU"},
    {158, false, "VANUATU"},
    {159, false, "MALDIVES"},
    {160, false, "TONGA"},
    {161, false, "MALPELO I."},
    {162, false, "NEW CALEDONIA"},
    {163, false, "PAPUA NEW GUINEA"},
    {164, true, "MANCHURIA"},
    {165, false, "MAURITIUS"},
    {166, false, "MARIANA IS."},
    {167, false, "MARKET REEF"},
    {168, false, "MARSHALL IS."},
    {169, false, "MAYOTTE"},
    {170, false, "NEW ZEALAND"},
    {171, false, "MELLISH REEF"},
    {172, false, "PITCAIRN I."},
    {173, false, "MICRONESIA"},
    {174, false, "MIDWAY I."},
    {175, false, "FRENCH POLYNESIA"},
    {176, false, "FIJI"},
    {177, false, "MINAMI TORISHIMA"},
    {178, true, "MINERVA REEF"},
    {179, false, "MOLDOVA"},
    {180, false, "MOUNT ATHOS"},
    {181, false, "MOZAMBIQUE"},
    {182, false, "NAVASSA I."},
    {183, true, "NETHERLANDS BORNEO"},
    {184, true, "NETHERLANDS NEW GUINEA"},
    {185, false, "SOLOMON IS."},
    {186, true, "NEWFOUNDLAND, LABRADOR"},
    {187, false, "NIGER"},
    {188, false, "NIUE"},
    {189, false, "NORFOLK I."},
    {190, false, "SAMOA"},
    {191, false, "NORTH COOK IS."},
    {192, false, "OGASAWARA"},
    {193, true, "OKINAWA (RYUKYU IS.)"},
    {194, true, "OKINO TORI-SHIMA"},
    {195, false, "ANNOBON I."},
    {196, true, "PALESTINE"},
    {197, false, "PALMYRA & JARVIS IS."},
    {198, true, "PAPUA TERRITORY"},
    {199, false, "PETER 1 I."},
    {200, true, "PORTUGUESE TIMOR"},
    {201, false, "PRINCE EDWARD & MARION IS."},
    {202, false, "PUERTO RICO"},
    {203, false, "ANDORRA"},
    {204, false, "REVILLAGIGEDO"},
    {205, false, "ASCENSION I."},
    {206, false, "AUSTRIA"},
    {207, false, "RODRIGUES I."},
    {208, true, "RUANDA-URUNDI"},
    {209, false, "BELGIUM"},
    {210, true, "SAAR"},
    {211, false, "SABLE I."},
    {212, false, "BULGARIA"},
    {213, false, "SAINT MARTIN"},
    {214, false, "CORSICA"},
    {215, false, "CYPRUS"},
    {216, false, "SAN ANDRES & PROVIDENCIA"},
    {217, false, "SAN FELIX & SAN AMBROSIO"},
    {218, true, "CZECHOSLOVAKIA"},
    {219, false, "SAO TOME & PRINCIPE"},
    {220, true, "SARAWAK"},
    {221, false, "DENMARK"},
    {222, false, "FAROE IS."},
    {223, false, "ENGLAND"},
    {224, false, "FINLAND"},
    {225, false, "SARDINIA"},
    {226, true, "SAUDI ARABIA/IRAQ NEUTRAL ZONE"},
    {227, false, "FRANCE"},
    {228, true, "SERRANA BANK & RONCADOR CAY"},
    {229, true, "GERMAN DEMOCRATIC REPUBLIC"},
    {230, false, "FEDERAL REPUBLIC OF GERMANY"},
    {231, true, "SIKKIM"},
    {232, false, "SOMALIA"},
    {233, false, "GIBRALTAR"},
    {234, false, "SOUTH COOK IS."},
    {235, false, "SOUTH GEORGIA I."},
    {236, false, "GREECE"},
    {237, false, "GREENLAND"},
    {238, false, "SOUTH ORKNEY IS."},
    {239, false, "HUNGARY"},
    {240, false, "SOUTH SANDWICH IS."},
    {241, false, "SOUTH SHETLAND IS."},
    {242, false, "ICELAND"},
    {243, true, "PEOPLE'S DEMOCRATIC REP. OF YEMEN"},
    {244, true, "SOUTHERN SUDAN"},
    {245, false, "IRELAND"},
    {246, false, "SOVEREIGN MILITARY ORDER OF MALTA"},
    {247, false, "SPRATLY IS."},
    {248, false, "ITALY"},
    {249, false, "ST. KITTS & NEVIS"},
    {250, false, "ST. HELENA"},
    {251, false, "LIECHTENSTEIN"},
    {252, false, "ST. PAUL I."},
    {253, false, "ST. PETER & ST. PAUL ROCKS"},
    {254, false, "LUXEMBOURG"},
    {255, true, "ST. MAARTEN, SABA, ST. EUSTATIUS"},
    {256, false, "MADEIRA IS."},
    {257, false, "MALTA"},
    {258, true, "SUMATRA"},
    {259, false, "SVALBARD"},
    {260, false, "MONACO"},
    {261, true, "SWAN IS."},
    {262, false, "TAJIKISTAN"},
    {263, false, "NETHERLANDS"},
    {264, true, "TANGIER"},
    {265, false, "NORTHERN IRELAND"},
    {266, false, "NORWAY"},
    {267, true, "TERRITORY OF NEW GUINEA"},
    {268, true, "TIBET"},
    {269, false, "POLAND"},
    {270, false, "TOKELAU IS."},
    {271, true, "TRIESTE"},
    {272, false, "PORTUGAL"},
    {273, false, "TRINDADE & MARTIM VAZ IS."},
    {274, false, "TRISTAN DA CUNHA & GOUGH I."},
    {275, false, "ROMANIA"},
    {276, false, "TROMELIN I."},
    {277, false, "ST. PIERRE & MIQUELON"},
    {278, false, "SAN MARINO"},
    {279, false, "SCOTLAND"},
    {280, false, "TURKMENISTAN"},
    {281, false, "SPAIN"},
    {282, false, "TUVALU"},
    {283, false, "UK SOVEREIGN BASE AREAS ON CYPRUS"},
    {284, false, "SWEDEN"},
    {285, false, "VIRGIN IS."},
    {286, false, "UGANDA"},
    {287, false, "SWITZERLAND"},
    {288, false, "UKRAINE"},
    {289, false, "UNITED NATIONS HQ"},
    {291, false, "UNITED STATES OF AMERICA"},
    {292, false, "UZBEKISTAN"},
    {293, false, "VIET NAM"},
    {294, false, "WALES"},
    {295, false, "VATICAN"},
    {296, false, "SERBIA"},
    {297, false, "WAKE I."},
    {298, false, "WALLIS & FUTUNA IS."},
    {299, false, "WEST MALAYSIA"},
    {301, false, "W. KIRIBATI (GILBERT IS. )"},
    {302, false, "WESTERN SAHARA"},
    {303, false, "WILLIS I."},
    {304, false, "BAHRAIN"},
    {305, false, "BANGLADESH"},
    {306, false, "BHUTAN"},
    {307, true, "ZANZIBAR"},
    {308, false, "COSTA RICA"},
    {309, false, "MYANMAR"},
    {312, false, "CAMBODIA"},
    {315, false, "SRI LANKA"},
    {318, false, "CHINA"},
    {321, false, "HONG KONG"},
    {324, false, "INDIA"},
    {327, false, "INDONESIA"},
    {330, false, "IRAN"},
    {333, false, "IRAQ"},
    {336, false, "ISRAEL"},
    {339, false, "JAPAN"},
    {342, false, "JORDAN"},
    {344, false, "DEMOCRATIC PEOPLE'S REP. OF KOREA"},
    {345, false, "BRUNEI DARUSSALAM"},
    {348, false, "KUWAIT"},
    {354, false, "LEBANON"},
    {363, false, "MONGOLIA"},
    {369, false, "NEPAL"},
    {370, false, "OMAN"},
    {372, false, "PAKISTAN"},
    {375, false, "PHILIPPINES"},
    {376, false, "QATAR"},
    {378, false, "SAUDI ARABIA"},
    {379, false, "SEYCHELLES"},
    {381, false, "SINGAPORE"},
    {382, false, "DJIBOUTI"},
    {384, false, "SYRIA"},
    {386, false, "TAIWAN"},
    {387, false, "THAILAND"},
    {390, false, "TURKEY"},
    {391, false, "UNITED ARAB EMIRATES"},
    {400, false, "ALGERIA"},
    {401, false, "ANGOLA"},
    {402, false, "BOTSWANA"},
    {404, false, "BURUNDI"},
    {406, false, "CAMEROON"},
    {408, false, "CENTRAL AFRICA"},
    {409, false, "CAPE VERDE"},
    {410, false, "CHAD"},
    {411, false, "COMOROS"},
    {412, false, "REPUBLIC OF THE CONGO"},
    {414, false, "DEMOCRATIC REPUBLIC OF THE CONGO"},
    {416, false, "BENIN"},
    {420, false, "GABON"},
    {422, false, "THE GAMBIA"},
    {424, false, "GHANA"},
    {428, false, "COTE D'IVOIRE"},
    {430, false, "KENYA"},
    {432, false, "LESOTHO"},
    {434, false, "LIBERIA"},
    {436, false, "LIBYA"},
    {438, false, "MADAGASCAR"},
    {440, false, "MALAWI"},
    {442, false, "MALI"},
    {444, false, "MAURITANIA"},
    {446, false, "MOROCCO"},
    {450, false, "NIGERIA"},
    {452, false, "ZIMBABWE"},
    {453, false, "REUNION I."},
    {454, false, "RWANDA"},
    {456, false, "SENEGAL"},
    {458, false, "SIERRA LEONE"},
    {460, false, "ROTUMA I."},
    {462, false, "REPUBLIC OF SOUTH AFRICA"},
    {464, false, "NAMIBIA"},
    {466, false, "SUDAN"},
    {468, false, "KINGDOM OF ESWATINI"},
    {470, false, "TANZANIA"},
    {474, false, "TUNISIA"},
    {478, false, "EGYPT"},
    {480, false, "BURKINA FASO"},
    {482, false, "ZAMBIA"},
    {483, false, "TOGO"},
    {488, true, "WALVIS BAY"},
    {489, false, "CONWAY REEF"},
    {490, false, "BANABA I. (OCEAN I.)"},
    {492, false, "YEMEN"},
    {493, true, "PENGUIN IS."},
    {497, false, "CROATIA"},
    {499, false, "SLOVENIA"},
    {501, false, "BOSNIA-HERZEGOVINA"},
    {502, false, "NORTH MACEDONIA (REPUBLIC OF)"},
    {503, false, "CZECH REPUBLIC"},
    {504, false, "SLOVAK REPUBLIC"},
    {505, false, "PRATAS I."},
    {506, false, "SCARBOROUGH REEF"},
    {507, false, "TEMOTU PROVINCE"},
    {508, false, "AUSTRAL I."},
    {509, false, "MARQUESAS IS."},
    {510, false, "PALESTINE"},
    {511, false, "TIMOR-LESTE"},
    {512, false, "CHESTERFIELD IS."},
    {513, false, "DUCIE I."},
    {514, false, "MONTENEGRO"},
    {515, false, "SWAINS I."},
    {516, false, "SAINT BARTHELEMY"},
    {517, false, "CURACAO"},
    {518, false, "SINT MAARTEN"},
    {519, false, "SABA & ST. EUSTATIUS"},
    {520, false, "BONAIRE"},
    {521, false, "SOUTH SUDAN (REPUBLIC OF)"},
    {522, false, "REPUBLIC OF KOSOVO"},
};

// ---------------------------------------------------------------------------
// ARRL sections: code, DXCC entity code(s), valid from, deleted from.

const ArrlSection kArrlSections[] = {
    {"AL", "291", nullptr, nullptr},
    {"AK", "6", nullptr, nullptr},
    {"AB", "1", nullptr, nullptr},
    {"AR", "291", nullptr, nullptr},
    {"AZ", "291", nullptr, nullptr},
    {"BC", "1", nullptr, nullptr},
    {"CO", "291", nullptr, nullptr},
    {"CT", "291", nullptr, nullptr},
    {"DE", "291", nullptr, nullptr},
    {"EB", "291", nullptr, nullptr},
    {"EMA", "291", nullptr, nullptr},
    {"ENY", "291", nullptr, nullptr},
    {"EPA", "291", nullptr, nullptr},
    {"EWA", "291", nullptr, nullptr},
    {"GA", "291", nullptr, nullptr},
    {"GH", "1", "2023-01-01", nullptr},
    {"GTA", "1", "2012-09-01", "2023-01-01"},
    {"ID", "291", nullptr, nullptr},
    {"IL", "291", nullptr, nullptr},
    {"IN", "291", nullptr, nullptr},
    {"IA", "291", nullptr, nullptr},
    {"KS", "291", nullptr, nullptr},
    {"KY", "291", nullptr, nullptr},
    {"LAX", "291", nullptr, nullptr},
    {"LA", "291", nullptr, nullptr},
    {"ME", "291", nullptr, nullptr},
    {"MB", "1", nullptr, nullptr},
    {"MAR", "1", nullptr, "2023-01-01"},
    {"MDC", "291", nullptr, nullptr},
    {"MI", "291", nullptr, nullptr},
    {"MN", "291", nullptr, nullptr},
    {"MS", "291", nullptr, nullptr},
    {"MO", "291", nullptr, nullptr},
    {"MT", "291", nullptr, nullptr},
    {"NE", "291", nullptr, nullptr},
    {"NV", "291", nullptr, nullptr},
    {"NB", "1", "2023-01-01", nullptr},
    {"NH", "291", nullptr, nullptr},
    {"NM", "291", nullptr, nullptr},
    {"NLI", "291", nullptr, nullptr},
    {"NL", "1", nullptr, nullptr},
    {"NC", "291", nullptr, nullptr},
    {"ND", "291", nullptr, nullptr},
    {"NTX", "291", nullptr, nullptr},
    {"NFL", "291", nullptr, nullptr},
    {"NNJ", "291", nullptr, nullptr},
    {"NNY", "291", nullptr, nullptr},
    {"NT", "1", "2003-11-01", "2023-01-01"},
    {"NWT", "1", nullptr, "2003-11-01"},
    {"NS", "1", "2023-01-01", nullptr},
    {"OH", "291", nullptr, nullptr},
    {"OK", "291", nullptr, nullptr},
    {"ON", "1", nullptr, "2012-09-01"},
    {"ONE", "1", "2012-09-01", nullptr},
    {"ONN", "1", "2012-09-01", nullptr},
    {"ONS", "1", "2012-09-01", nullptr},
    {"ORG", "291", nullptr, nullptr},
    {"OR", "291", nullptr, nullptr},
    {"PAC", "9,20,103,110,123,138,166,174,197,297,515", nullptr, nullptr},
    {"PE", "1", "2020-04-01", nullptr},
    {"PR", "43,202", nullptr, nullptr},
    {"QC", "1", nullptr, nullptr},
    {"RI", "291", nullptr, nullptr},
    {"SV", "291", nullptr, nullptr},
    {"SDG", "291", nullptr, nullptr},
    {"SF", "291", nullptr, nullptr},
    {"SJV", "291", nullptr, nullptr},
    {"SB", "291", nullptr, nullptr},
    {"SCV", "291", nullptr, nullptr},
    {"SK", "1", nullptr, nullptr},
    {"SC", "291", nullptr, nullptr},
    {"SD", "291", nullptr, nullptr},
    {"STX", "291", nullptr, nullptr},
    {"SFL", "291", nullptr, nullptr},
    {"SNJ", "291", nullptr, nullptr},
    {"TN", "291", nullptr, nullptr},
    {"TER", "1", "2023-01-01", nullptr},
    {"VI", "105,182,285", nullptr, nullptr},
    {"UT", "291", nullptr, nullptr},
    {"VT", "291", nullptr, nullptr},
    {"VA", "291", nullptr, nullptr},
    {"WCF", "291", nullptr, nullptr},
    {"WTX", "291", nullptr, nullptr},
    {"WV", "291", nullptr, nullptr},
    {"WMA", "291", nullptr, nullptr},
    {"WNY", "291", nullptr, nullptr},
    {"WPA", "291", nullptr, nullptr},
    {"WWA", "291", nullptr, nullptr},
    {"WI", "291", nullptr, nullptr},
    {"WY", "291", nullptr, nullptr},
};

// ---------------------------------------------------------------------------
// The enumerations whose values are short codes: value, import-only.

const EnumerationValue kAntPath[] = {{"G", false}, {"O", false}, {"S", false}, {"L", false}};

// Every Award value is import-only; CREDIT_SUBMITTED and CREDIT_GRANTED now
// take Credit values.
const EnumerationValue kAward[] = {
    {"AJA", true},      {"CQDX", true},        {"CQDXFIELD", true},  {"CQWAZ_MIXED", true},
    {"CQWAZ_CW", true}, {"CQWAZ_PHONE", true}, {"CQWAZ_RTTY", true}, {"CQWAZ_160m", true},
    {"CQWPX", true},    {"DARC_DOK", true},    {"DXCC", true},       {"DXCC_MIXED", true},
    {"DXCC_CW", true},  {"DXCC_PHONE", true},  {"DXCC_RTTY", true},  {"IOTA", true},
    {"JCC", true},      {"JCG", true},         {"MARATHON", true},   {"RDA", true},
    {"WAB", true},      {"WAC", true},         {"WAE", true},        {"WAIP", true},
    {"WAJA", true},     {"WAS", true},         {"WAZ", true},        {"USACA", true},
    {"VUCC", true},
};

// The sponsor prefixes that begin a Sponsored_Award value.
const EnumerationValue kAwardSponsor[] = {
    {"ADIF_", false}, {"ARI_", false},  {"ARRL_", false},  {"CQ_", false},
    {"DARC_", false}, {"EQSL_", false}, {"IARU_", false},  {"JARL_", false},
    {"RSGB_", false}, {"TAG_", false},  {"WABAG_", false},
};

const EnumerationValue kContinent[] = {
    {"NA", false}, {"SA", false}, {"EU", false}, {"AF", false},
    {"OC", false}, {"AS", false}, {"AN", false},
};

const EnumerationValue kCredit[] = {
    {"CQDX", false},
    {"CQDX_BAND", false},
    {"CQDX_MODE", false},
    {"CQDX_MOBILE", false},
    {"CQDX_QRP", false},
    {"CQDX_SATELLITE", false},
    {"CQDXFIELD", false},
    {"CQDXFIELD_BAND", false},
    {"CQDXFIELD_MODE", false},
    {"CQDXFIELD_MOBILE", false},
    {"CQDXFIELD_QRP", false},
    {"CQDXFIELD_SATELLITE", false},
    {"CQWAZ_MIXED", false},
    {"CQWAZ_BAND", false},
    {"CQWAZ_MODE", false},
    {"CQWAZ_SATELLITE", false},
    {"CQWAZ_EME", false},
    {"CQWAZ_MOBILE", false},
    {"CQWAZ_QRP", false},
    {"CQWPX", false},
    {"CQWPX_BAND", false},
    {"CQWPX_MODE", false},
    {"DXCC", false},
    {"DXCC_BAND", false},
    {"DXCC_MODE", false},
    {"DXCC_SATELLITE", false},
    {"EAUSTRALIA", false},
    {"ECANADA", false},
    {"ECOUNTY_STATE", false},
    {"EDX", false},
    {"EDX100", false},
    {"EDX100_BAND", false},
    {"EDX100_MODE", false},
    {"EECHOLINK50", false},
    {"EGRID_BAND", false},
    {"EGRID_SATELLITE", false},
    {"EPFX300", false},
    {"EPFX300_MODE", false},
    {"EWAS", false},
    {"EWAS_BAND", false},
    {"EWAS_MODE", false},
    {"EWAS_SATELLITE", false},
    {"EZ40", false},
    {"EZ40_MODE", false},
    {"FFMA", false},
    {"IOTA", false},
    {"IOTA_BASIC", false},
    {"IOTA_CONT", false},
    {"IOTA_GROUP", false},
    {"RDA", false},
    {"USACA", false},
    {"VUCC_BAND", false},
    {"VUCC_SATELLITE", false},
    {"WAB", false},
    {"WAC", false},
    {"WAC_BAND", false},
    {"WAE", false},
    {"WAE_BAND", false},
    {"WAE_MODE", false},
    {"WAIP", false},
    {"WAIP_BAND", false},
    {"WAIP_MODE", false},
    {"WAS", false},
    {"WAS_BAND", false},
    {"WAS_EME", false},
    {"WAS_MODE", false},
    {"WAS_NOVICE", false},
    {"WAS_QRP", false},
    {"WAS_SATELLITE", false},
    {"WITUZ", false},
    {"WITUZ_BAND", false},
};

const EnumerationValue kEqslAg[] = {{"Y", false}, {"N", false}, {"U", false}};

const EnumerationValue kMorseKeyType[] = {
    {"SK", false}, {"SS", false}, {"BUG", false}, {"FAB", false},
    {"SP", false}, {"DP", false}, {"CPU", false},
};

const EnumerationValue kPropagationMode[] = {
    {"AS", false},       {"AUE", false}, {"AUR", false}, {"BS", false},  {"ECH", false},
    {"EME", false},      {"ES", false},  {"F2", false},  {"FAI", false}, {"GWAVE", false},
    {"INTERNET", false}, {"ION", false}, {"IRL", false}, {"LOS", false}, {"MS", false},
    {"RPT", false},      {"RS", false},  {"SAT", false}, {"TEP", false}, {"TR", false},
};

const EnumerationValue kQslMedium[] = {{"CARD", false}, {"EQSL", false}, {"LOTW", false}};

// V (verified) is import-only: DXCC credit now goes in CREDIT_GRANTED.
const EnumerationValue kQslRcvd[] = {
    {"Y", false}, {"N", false}, {"R", false}, {"I", false}, {"V", true},
};

const EnumerationValue kQslSent[] = {
    {"Y", false}, {"N", false}, {"R", false}, {"Q", false}, {"I", false},
};

// M (manager) is import-only.
const EnumerationValue kQslVia[] = {{"B", false}, {"D", false}, {"E", false}, {"M", true}};

const EnumerationValue kQsoComplete[] = {
    {"Y", false},
    {"N", false},
    {"NIL", false},
    {"?", false},
};

const EnumerationValue kQsoDownloadStatus[] = {{"Y", false}, {"N", false}, {"I", false}};

const EnumerationValue kQsoUploadStatus[] = {{"Y", false}, {"N", false}, {"M", false}};

// NONE, then the WAE or CQ regions within a DXCC entity: IV (206), AI and SY
// (248), BI (259), SI (279), KO (296 until 2012-09-11, later 0, then 522)
// and ET (390).
const EnumerationValue kRegion[] = {
    {"NONE", false}, {"IV", false}, {"AI", false}, {"SY", false},
    {"BI", false},   {"SI", false}, {"KO", false}, {"ET", false},
};

struct EnumerationInfo {
    AdifEnumeration enumeration;
    const char *name;
    TableView<EnumerationValue> values;
};

// In the order of the AdifEnumeration enumerators.
const EnumerationInfo kEnumerations[] = {
    {AdifEnumeration::AntPath, "Ant_Path", viewOf(kAntPath)},
    {AdifEnumeration::Award, "Award", viewOf(kAward)},
    {AdifEnumeration::AwardSponsor, "Award_Sponsor", viewOf(kAwardSponsor)},
    {AdifEnumeration::Continent, "Continent", viewOf(kContinent)},
    {AdifEnumeration::Credit, "Credit", viewOf(kCredit)},
    {AdifEnumeration::EqslAg, "EQSL_AG", viewOf(kEqslAg)},
    {AdifEnumeration::MorseKeyType, "Morse_Key_Type", viewOf(kMorseKeyType)},
    {AdifEnumeration::PropagationMode, "Propagation_Mode", viewOf(kPropagationMode)},
    {AdifEnumeration::QslMedium, "QSL_Medium", viewOf(kQslMedium)},
    {AdifEnumeration::QslRcvd, "QSL_Rcvd", viewOf(kQslRcvd)},
    {AdifEnumeration::QslSent, "QSL_Sent", viewOf(kQslSent)},
    {AdifEnumeration::QslVia, "QSL_Via", viewOf(kQslVia)},
    {AdifEnumeration::QsoComplete, "QSO_Complete", viewOf(kQsoComplete)},
    {AdifEnumeration::QsoDownloadStatus, "QSO_Download_Status", viewOf(kQsoDownloadStatus)},
    {AdifEnumeration::QsoUploadStatus, "QSO_Upload_Status", viewOf(kQsoUploadStatus)},
    {AdifEnumeration::Region, "Region", viewOf(kRegion)},
};

static_assert(sizeof(kEnumerations) / sizeof(kEnumerations[0])
                  == static_cast<std::size_t>(AdifEnumeration::Region) + 1,
              "one row per AdifEnumeration, in enumerator order");

// ---------------------------------------------------------------------------
// Lookup indexes, built on first use.

const NameIndex &fieldIndex()
{
    static const NameIndex index = [] {
        NameIndex built;
        const TableView<CurrentField> fields = viewOf(kFields);
        for (std::size_t row = 0; row < fields.size; ++row) {
            if (row != kUserDefRow)  // "USERDEFn" is a pattern, not a name
                built.emplace(upperAsciiText(fields[row].name), row);
        }
        return built;
    }();
    return index;
}

const NameIndex &modeIndex()
{
    static const NameIndex index
        = buildNameIndex(viewOf(kModes), [](const CurrentMode &mode) { return mode.name; });
    return index;
}

const NameIndex &submodeIndex()
{
    static const NameIndex index = buildNameIndex(
        viewOf(kSubmodes), [](const CurrentSubmode &submode) { return submode.name; });
    return index;
}

const NameIndex &bandIndex()
{
    static const NameIndex index
        = buildNameIndex(viewOf(kBands), [](const CurrentBand &band) { return band.name; });
    return index;
}

struct SubdivisionIndex {
    std::unordered_map<std::string, std::vector<std::size_t>> rowsByCode;  // upper-case code
    std::vector<bool> entityHasList;                                       // by DXCC code
};

const SubdivisionIndex &subdivisionIndex()
{
    static const SubdivisionIndex index = [] {
        SubdivisionIndex built;
        built.entityHasList.assign(kMaxDxccEntityCode + 1, false);
        const TableView<PrimarySubdivision> rows = viewOf(kPrimarySubdivisions);
        for (std::size_t row = 0; row < rows.size; ++row) {
            built.rowsByCode[upperAsciiText(rows[row].code)].push_back(row);
            if (rows[row].dxcc <= kMaxDxccEntityCode)
                built.entityHasList[rows[row].dxcc] = true;
        }
        return built;
    }();
    return index;
}

// By DXCC code: 0 not listed, 1 current (or 0 "none"), 2 deleted.
const std::vector<uint8_t> &dxccStatus()
{
    static const std::vector<uint8_t> status = [] {
        std::vector<uint8_t> built(kMaxDxccEntityCode + 1, 0);
        for (const DxccEntityCode &entity : kDxccEntityCodes)
            built[entity.code] = entity.deleted ? 2 : 1;
        return built;
    }();
    return status;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Data types

const char *adifTypeName(AdifType type)
{
    return kTypes[static_cast<std::size_t>(type)].name;
}

char adifTypeIndicator(AdifType type)
{
    return kTypes[static_cast<std::size_t>(type)].indicator;
}

std::optional<AdifType> adifTypeOfIndicator(char letter)
{
    const char upper = upperAscii(letter);
    if (upper == '\0')
        return std::nullopt;
    for (const TypeInfo &info : kTypes) {
        if (info.indicator == upper)
            return info.type;
    }
    return std::nullopt;
}

std::optional<AdifType> findAdifType(std::string_view name)
{
    for (const TypeInfo &info : kTypes) {
        if (equalsIgnoreCase(info.name, name))
            return info.type;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// Fields

TableView<CurrentField> currentFields()
{
    return viewOf(kFields);
}

const CurrentField *findCurrentField(std::string_view name)
{
    if (isUserDefHeaderName(name))
        return &kFields[kUserDefRow];
    return lookUp(fieldIndex(), viewOf(kFields), name);
}

bool isUserDefHeaderName(std::string_view name)
{
    constexpr std::string_view prefix = "USERDEF";
    if (name.size() <= prefix.size() || !equalsIgnoreCase(name.substr(0, prefix.size()), prefix))
        return false;
    const std::string_view number = name.substr(prefix.size());
    return isDigits(number) && number.front() != '0';
}

// ---------------------------------------------------------------------------
// Modes and submodes

TableView<CurrentMode> currentModes()
{
    return viewOf(kModes);
}

TableView<CurrentSubmode> currentSubmodes()
{
    return viewOf(kSubmodes);
}

const CurrentMode *findMode(std::string_view name)
{
    return lookUp(modeIndex(), viewOf(kModes), name);
}

bool isCurrentMode(std::string_view mode)
{
    const CurrentMode *found = findMode(mode);
    return found != nullptr && !found->importOnly;
}

bool isImportOnlyMode(std::string_view mode)
{
    const CurrentMode *found = findMode(mode);
    return found != nullptr && found->importOnly;
}

bool isCurrentSubmode(std::string_view submode)
{
    return lookUp(submodeIndex(), viewOf(kSubmodes), submode) != nullptr;
}

bool isSubmodeOf(std::string_view submode, std::string_view mode)
{
    const CurrentSubmode *found = lookUp(submodeIndex(), viewOf(kSubmodes), submode);
    return found != nullptr && equalsIgnoreCase(found->mode, mode);
}

std::optional<std::string> modeOfSubmode(std::string_view submode)
{
    const CurrentSubmode *found = lookUp(submodeIndex(), viewOf(kSubmodes), submode);
    if (found == nullptr)
        return std::nullopt;
    return std::string(found->mode);
}

// ---------------------------------------------------------------------------
// Bands

TableView<CurrentBand> currentBands()
{
    return viewOf(kBands);
}

const CurrentBand *findBand(std::string_view name)
{
    return lookUp(bandIndex(), viewOf(kBands), name);
}

const CurrentBand *bandOfFrequency(double mhz)
{
    for (const CurrentBand &band : kBands) {
        if (mhz >= band.lowerMHz && mhz <= band.upperMHz)
            return &band;
    }
    return nullptr;
}

std::string bandOfFrequency(std::string_view freqText)
{
    const std::string text = trimText(freqText);
    double mhz = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mhz);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return {};
    const CurrentBand *band = bandOfFrequency(mhz);
    return band ? band->name : std::string();
}

// ---------------------------------------------------------------------------
// Primary administrative subdivisions

TableView<PrimarySubdivision> primarySubdivisions()
{
    return viewOf(kPrimarySubdivisions);
}

bool hasSubdivisionList(int dxcc)
{
    if (dxcc < 0 || dxcc > kMaxDxccEntityCode)
        return false;
    return subdivisionIndex().entityHasList[static_cast<std::size_t>(dxcc)];
}

const PrimarySubdivision *findPrimarySubdivision(std::string_view code, int dxcc)
{
    const SubdivisionIndex &index = subdivisionIndex();
    const auto found = index.rowsByCode.find(upperAsciiText(code));
    if (found == index.rowsByCode.end())
        return nullptr;
    const PrimarySubdivision *match = nullptr;
    for (std::size_t row : found->second) {
        const PrimarySubdivision &entry = kPrimarySubdivisions[row];
        if (entry.dxcc != dxcc)
            continue;
        if (entry.flags == SubdivisionCurrent)
            return &entry;
        if (match == nullptr)
            match = &entry;
    }
    return match;
}

bool isPrimarySubdivision(std::string_view code, std::optional<int> dxcc)
{
    if (code.empty())
        return false;
    if (dxcc) {
        if (!hasSubdivisionList(*dxcc))
            return true;
        return findPrimarySubdivision(code, *dxcc) != nullptr;
    }
    const SubdivisionIndex &index = subdivisionIndex();
    return index.rowsByCode.find(upperAsciiText(code)) != index.rowsByCode.end();
}

bool isCanadianProvince(std::string_view code)
{
    return isPrimarySubdivision(code, 1);
}

// ---------------------------------------------------------------------------
// DXCC entity codes

TableView<DxccEntityCode> dxccEntityCodes()
{
    return viewOf(kDxccEntityCodes);
}

bool isDxccEntityCode(int code)
{
    if (code < 0 || code > kMaxDxccEntityCode)
        return false;
    return dxccStatus()[static_cast<std::size_t>(code)] != 0;
}

bool isDeletedDxccEntityCode(int code)
{
    if (code < 0 || code > kMaxDxccEntityCode)
        return false;
    return dxccStatus()[static_cast<std::size_t>(code)] == 2;
}

const char *dxccEntityName(int code)
{
    const auto *end = std::end(kDxccEntityCodes);
    const auto *found = std::lower_bound(
        std::begin(kDxccEntityCodes), end, code,
        [](const DxccEntityCode &entity, int wanted) { return entity.code < wanted; });
    return found != end && found->code == code ? found->name : nullptr;
}

// ---------------------------------------------------------------------------
// ARRL sections

TableView<ArrlSection> arrlSections()
{
    return viewOf(kArrlSections);
}

const ArrlSection *findArrlSection(std::string_view code)
{
    for (const ArrlSection &section : kArrlSections) {
        if (equalsIgnoreCase(section.code, code))
            return &section;
    }
    return nullptr;
}

bool isArrlSection(std::string_view code, bool allowDeleted)
{
    const ArrlSection *section = findArrlSection(code);
    return section != nullptr && (allowDeleted || section->deletedFrom == nullptr);
}

// ---------------------------------------------------------------------------
// The other enumerations

const char *enumerationName(AdifEnumeration enumeration)
{
    return kEnumerations[static_cast<std::size_t>(enumeration)].name;
}

std::optional<AdifEnumeration> findEnumeration(std::string_view adifName)
{
    for (const EnumerationInfo &info : kEnumerations) {
        if (equalsIgnoreCase(info.name, adifName))
            return info.enumeration;
    }
    return std::nullopt;
}

TableView<EnumerationValue> enumerationValues(AdifEnumeration enumeration)
{
    return kEnumerations[static_cast<std::size_t>(enumeration)].values;
}

bool isEnumerationValue(AdifEnumeration enumeration, std::string_view value, bool allowImportOnly)
{
    for (const EnumerationValue &entry : enumerationValues(enumeration)) {
        if (equalsIgnoreCase(entry.value, value))
            return allowImportOnly || !entry.importOnly;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Format checks

bool isGridSquare(std::string_view text)
{
    const std::size_t size = text.size();
    if (size != 2 && size != 4 && size != 6 && size != 8)
        return false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        bool valid = false;
        switch (i) {
        case 0:
        case 1:
            valid = isLetterIn(c, 'A', 'R');
            break;
        case 4:
        case 5:
            valid = isLetterIn(c, 'A', 'X');
            break;
        default:
            valid = isAsciiDigit(c);
            break;
        }
        if (!valid)
            return false;
    }
    return true;
}

bool isGridSquareExt(std::string_view text)
{
    if (text.size() != 2 && text.size() != 4)
        return false;
    if (!isLetterIn(text[0], 'A', 'X') || !isLetterIn(text[1], 'A', 'X'))
        return false;
    return isDigits(text.substr(2));
}

bool isAdifDate(std::string_view text)
{
    if (text.size() != 8 || !isDigits(text))
        return false;
    const int year = digitsValue(text.substr(0, 4));
    const int month = digitsValue(text.substr(4, 2));
    const int day = digitsValue(text.substr(6, 2));
    if (year < 1930 || month < 1 || month > 12 || day < 1)
        return false;
    static const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int days = kDaysInMonth[month - 1];
    if (month == 2 && isLeapYear(year))
        days = 29;
    return day <= days;
}

bool isAdifTime(std::string_view text)
{
    if ((text.size() != 4 && text.size() != 6) || !isDigits(text))
        return false;
    if (digitsValue(text.substr(0, 2)) > 23 || digitsValue(text.substr(2, 2)) > 59)
        return false;
    return text.size() == 4 || digitsValue(text.substr(4, 2)) <= 59;
}

bool isAdifNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (isAsciiDigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

bool isAdifInteger(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() && isDigits(text);
}

bool isAdifPositiveInteger(std::string_view text)
{
    if (text.empty() || !isDigits(text))
        return false;
    return text.find_first_not_of('0') != std::string_view::npos;
}

bool isAdifBoolean(std::string_view text)
{
    if (text.size() != 1)
        return false;
    const char upper = upperAscii(text[0]);
    return upper == 'Y' || upper == 'N';
}

bool isAdifLocation(std::string_view text)
{
    if (text.size() != 11)
        return false;
    const char direction = upperAscii(text[0]);
    if (direction != 'E' && direction != 'W' && direction != 'N' && direction != 'S')
        return false;
    const std::string_view degrees = text.substr(1, 3);
    const std::string_view minutes = text.substr(5, 2);
    const std::string_view fraction = text.substr(8, 3);
    if (!isDigits(degrees) || text[4] != ' ' || !isDigits(minutes) || text[7] != '.'
        || !isDigits(fraction))
        return false;
    return digitsValue(degrees) <= 180 && digitsValue(minutes) <= 59;
}

bool isIotaRefNo(std::string_view text)
{
    if (text.size() != 6 || text[2] != '-')
        return false;
    if (!isEnumerationValue(AdifEnumeration::Continent, text.substr(0, 2)))
        return false;
    const std::string_view group = text.substr(3);
    return isDigits(group) && digitsValue(group) >= 1;
}

bool isCreditList(std::string_view text)
{
    if (text.empty())
        return false;
    while (true) {
        const std::size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        const std::size_t colon = item.find(':');
        if (!isEnumerationValue(AdifEnumeration::Credit, item.substr(0, colon)))
            return false;
        if (colon != std::string_view::npos) {
            std::string_view media = item.substr(colon + 1);
            while (true) {
                const std::size_t amp = media.find('&');
                if (!isEnumerationValue(AdifEnumeration::QslMedium, media.substr(0, amp)))
                    return false;
                if (amp == std::string_view::npos)
                    break;
                media.remove_prefix(amp + 1);
            }
        }
        if (comma == std::string_view::npos)
            return true;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace vaziduvu
