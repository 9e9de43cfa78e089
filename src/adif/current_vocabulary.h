#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vaziduvu {

// The ADIF 3.1.6 vocabulary written out as plain data: every field with its
// data type, the data types with their indicator letters, and the values of
// the enumerations a log viewer checks (modes and submodes, bands, primary
// administrative subdivisions, DXCC entity codes, ARRL sections, credits and
// the small status enumerations), plus pure format checks for the simple
// data types.
//
// The tables follow ADIF 3.1.6. Their values are taken from the published
// ADIF 3.1.6 document: its field list, its data type list and its
// enumerations.
// Values ADIF marks import-only or deleted are kept and flagged, because old
// logs still carry them.
//
// Every name and value lookup ignores letter case (ADIF enumeration values
// are case-insensitive). Lookup indexes are built once, on first use, and may
// be used from several threads. Nothing here depends on Qt or on a document.

inline constexpr const char *kCurrentAdifVersion = "3.1.6";

// A read-only view of one of the static tables.
template <typename T> struct TableView {
    const T *data = nullptr;
    std::size_t size = 0;

    const T *begin() const { return data; }
    const T *end() const { return data + size; }
    const T &operator[](std::size_t index) const { return data[index]; }
    bool empty() const { return size == 0; }
};

// ---------------------------------------------------------------------------
// Data types

enum class AdifType : uint8_t {
    AwardList,
    Boolean,
    Character,
    CreditList,
    Date,
    Digit,
    Enumeration,
    GridSquare,
    GridSquareExt,
    GridSquareList,
    Integer,
    IntlCharacter,
    IntlMultilineString,
    IntlString,
    IOTARefNo,
    Location,
    MultilineString,
    Number,
    PositiveInteger,
    POTARef,
    POTARefList,
    SecondaryAdministrativeSubdivisionListAlt,
    SecondarySubdivisionList,
    SOTARef,
    SponsoredAwardList,
    String,
    Time,
    WWFFRef,
};

// ADIF's name of the type, e.g. "IntlMultilineString".
const char *adifTypeName(AdifType type);
// The type indicator letter ADIF defines for the type (B, D, E, G, I, L, M, N,
// S, T), or '\0' for the types that have none.
char adifTypeIndicator(AdifType type);
// The type an indicator letter stands for (letter case ignored).
std::optional<AdifType> adifTypeOfIndicator(char letter);
// The type of an ADIF type name (letter case ignored).
std::optional<AdifType> findAdifType(std::string_view name);

// ---------------------------------------------------------------------------
// Fields

struct CurrentField {
    const char *name;  // upper case; "USERDEFn" stands for USERDEF1, USERDEF2, ...
    AdifType type;     // CREDIT_SUBMITTED/CREDIT_GRANTED: CreditList (AwardList is import-only)
    const char *enumeration;  // ADIF enumeration of the values, e.g. "Band" or
                              // "Primary_Administrative_Subdivision[DXCC]"; nullptr when none
    const char *minimum;      // inclusive limits as ADIF states them; nullptr when none
    const char *maximum;
    bool header;      // ADIF_VER, CREATED_TIMESTAMP, PROGRAMID, PROGRAMVERSION, USERDEFn
    bool importOnly;  // GUEST_OP and VE_PROV: read, but not to be written

    const char *typeName() const { return adifTypeName(type); }
    char indicator() const { return adifTypeIndicator(type); }
};

// All fields: the header fields first, then the QSO fields alphabetically.
TableView<CurrentField> currentFields();
// The field of the given name (letter case ignored), or nullptr. "USERDEF"
// followed by a positive integer finds the USERDEFn entry.
const CurrentField *findCurrentField(std::string_view name);
// True for "USERDEF" followed by a positive integer (letter case ignored).
bool isUserDefHeaderName(std::string_view name);

// ---------------------------------------------------------------------------
// Modes and submodes

struct CurrentMode {
    const char *name;
    bool importOnly;  // ADIF accepts the value on import only; each of these is
                      // now a submode, see modeOfSubmode()
};

struct CurrentSubmode {
    const char *name;
    const char *mode;  // the MODE value the submode belongs to
};

// The MODE values: the current ones first, then the import-only ones.
TableView<CurrentMode> currentModes();
// The SUBMODE values with their modes, grouped by mode.
TableView<CurrentSubmode> currentSubmodes();

const CurrentMode *findMode(std::string_view name);
// True for a MODE value ADIF allows on export (not an import-only one).
bool isCurrentMode(std::string_view mode);
// True for a MODE value ADIF accepts on import only (e.g. PSK31, JT65A, PCW).
bool isImportOnlyMode(std::string_view mode);
bool isCurrentSubmode(std::string_view submode);
// True when the submode belongs to the mode (letter case ignored).
bool isSubmodeOf(std::string_view submode, std::string_view mode);
// The mode a submode belongs to, upper case, e.g. "MFSK" for "ft4"; nullopt
// for a text that is no submode. Lets a caller advise "MODE FT4 is a
// submode: use MODE MFSK with SUBMODE FT4".
std::optional<std::string> modeOfSubmode(std::string_view submode);

// ---------------------------------------------------------------------------
// Bands

struct CurrentBand {
    const char *name;  // as ADIF writes it, e.g. "2190m", "1.25cm", "submm"
    double lowerMHz;   // inclusive
    double upperMHz;   // inclusive
};

// Lowest band first.
TableView<CurrentBand> currentBands();
const CurrentBand *findBand(std::string_view name);
// The band whose limits include the frequency, or nullptr.
const CurrentBand *bandOfFrequency(double mhz);
// The band of a FREQ text in MHz, as ADIF writes it ("20m"); empty when the
// text is no number or lies in no band.
std::string bandOfFrequency(std::string_view freqText);

// ---------------------------------------------------------------------------
// Primary administrative subdivisions (STATE, MY_STATE)

enum SubdivisionFlags : uint8_t {
    SubdivisionCurrent = 0,
    SubdivisionDeleted = 1,     // kept for contacts made before a change
    SubdivisionImportOnly = 2,  // an older code replaced by another one
};

struct PrimarySubdivision {
    uint16_t dxcc;  // the DXCC entity whose list holds the code
    const char *code;
    uint8_t flags = SubdivisionCurrent;  // SubdivisionFlags
};

// All codes, grouped by DXCC entity (1965 rows for 66 entities).
TableView<PrimarySubdivision> primarySubdivisions();
// True when ADIF lists primary subdivisions for the entity.
bool hasSubdivisionList(int dxcc);
// With a DXCC entity: true when the entity's list holds the code, or when
// ADIF gives the entity no list (then any non-empty code passes). Without an
// entity: true when any list holds the code. Deleted and import-only codes
// pass; use findPrimarySubdivision() to tell them apart. An empty code never
// passes.
bool isPrimarySubdivision(std::string_view code, std::optional<int> dxcc);
// The entity's row for the code (a current row when there is one), or nullptr.
const PrimarySubdivision *findPrimarySubdivision(std::string_view code, int dxcc);
// The Canadian provinces and territories of the import-only VE_PROV field are
// the codes of Canada's list (DXCC entity 1).
bool isCanadianProvince(std::string_view code);

// ---------------------------------------------------------------------------
// DXCC entity codes (DXCC, MY_DXCC)

inline constexpr int kMaxDxccEntityCode = 522;

struct DxccEntityCode {
    uint16_t code;  // 0 means "not within a DXCC entity"
    bool deleted;
    const char *name;  // as ADIF writes it, e.g. "ST. HELENA"; "NONE" for 0
};

// Every code ADIF lists, ascending (0, 340 current and 62 deleted entities).
TableView<DxccEntityCode> dxccEntityCodes();
// True for 0 and for every current or deleted entity code.
bool isDxccEntityCode(int code);
bool isDeletedDxccEntityCode(int code);
// The entity's name as ADIF lists it, or nullptr for a code ADIF does not list.
const char *dxccEntityName(int code);

// ---------------------------------------------------------------------------
// ARRL sections (ARRL_SECT, MY_ARRL_SECT)

struct ArrlSection {
    const char *code;
    const char *dxcc;         // entity code(s), comma-separated, e.g. "291" or "43,202"
    const char *validFrom;    // "YYYY-MM-DD" when the section was created, else nullptr
    const char *deletedFrom;  // "YYYY-MM-DD" from which the section no longer exists, else nullptr
};

TableView<ArrlSection> arrlSections();
const ArrlSection *findArrlSection(std::string_view code);
bool isArrlSection(std::string_view code, bool allowDeleted = true);

// ---------------------------------------------------------------------------
// The other enumerations, whose values are short codes

enum class AdifEnumeration : uint8_t {
    AntPath,            // ANT_PATH
    Award,              // import-only as a whole (CREDIT_* as AwardList)
    AwardSponsor,       // prefixes of Sponsored_Award values (AWARD_SUBMITTED, AWARD_GRANTED)
    Continent,          // CONT
    Credit,             // items of CREDIT_SUBMITTED, CREDIT_GRANTED
    EqslAg,             // EQSL_AG
    MorseKeyType,       // MORSE_KEY_TYPE, MY_MORSE_KEY_TYPE
    PropagationMode,    // PROP_MODE
    QslMedium,          // media in a CreditList item
    QslRcvd,            // QSL_RCVD, LOTW_QSL_RCVD, EQSL_QSL_RCVD, DCL_QSL_RCVD
    QslSent,            // QSL_SENT, LOTW_QSL_SENT, EQSL_QSL_SENT, DCL_QSL_SENT
    QslVia,             // QSL_SENT_VIA, QSL_RCVD_VIA
    QsoComplete,        // QSO_COMPLETE
    QsoDownloadStatus,  // QRZCOM_QSO_DOWNLOAD_STATUS
    QsoUploadStatus,    // CLUBLOG_, HAMLOGEU_, HAMQTH_, HRDLOG_, QRZCOM_QSO_UPLOAD_STATUS
    Region,             // REGION
};

struct EnumerationValue {
    const char *value;
    bool importOnly;  // e.g. QSL_RCVD "V", QSL_VIA "M"
};

// ADIF's name of the enumeration, e.g. "QSL_Rcvd", "Propagation_Mode".
const char *enumerationName(AdifEnumeration enumeration);
// The enumeration of an ADIF enumeration name (letter case ignored), as
// found in CurrentField::enumeration for these enumerations. Band, Mode,
// Submode, DXCC_Entity_Code, ARRL_Section and Primary_Administrative_Subdivision
// have their own functions above; Contest_ID, Sponsored_Award and the
// secondary subdivisions are not tabled here.
std::optional<AdifEnumeration> findEnumeration(std::string_view adifName);
TableView<EnumerationValue> enumerationValues(AdifEnumeration enumeration);
bool isEnumerationValue(AdifEnumeration enumeration, std::string_view value,
                        bool allowImportOnly = true);

// ---------------------------------------------------------------------------
// Format checks. Pure functions on the text as stored; nothing is trimmed.

// A 2, 4, 6 or 8 character Maidenhead locator: letters A-R, digits, letters
// A-X, digits (letter case ignored).
bool isGridSquare(std::string_view text);
// GRIDSQUARE_EXT: two letters A-X, optionally followed by two digits.
bool isGridSquareExt(std::string_view text);
// YYYYMMDD, a real calendar date with a year of 1930 or later.
bool isAdifDate(std::string_view text);
// HHMM or HHMMSS with hours 00-23, minutes and seconds 00-59.
bool isAdifTime(std::string_view text);
// Digits with an optional leading '-' and at most one '.', at least one digit.
bool isAdifNumber(std::string_view text);
// Digits with an optional leading '-'.
bool isAdifInteger(std::string_view text);
// Digits only, with a value greater than 0 (leading zeroes allowed).
bool isAdifPositiveInteger(std::string_view text);
// Y, y, N or n.
bool isAdifBoolean(std::string_view text);
// XDDD MM.MMM: X one of E W N S (letter case ignored), DDD 000-180, one space,
// MM.MMM from 00.000 to 59.999.
bool isAdifLocation(std::string_view text);
// CC-XXX: a continent abbreviation, '-', three digits 001-999.
bool isIotaRefNo(std::string_view text);
// A comma-separated list of Credit values, each optionally followed by ':'
// and an '&'-separated list of QSL_Medium values, e.g. "IOTA,WAS:LOTW&CARD".
bool isCreditList(std::string_view text);

}  // namespace vaziduvu
