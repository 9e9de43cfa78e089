#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

// Data-type codes carried by every tag and every grid cell.
enum DataTypeCode : uint8_t {
    TypeDate = 0,         // D, YYYYMMDD
    TypeTime = 1,         // T
    TypeMultiLine = 2,    // M
    TypeCharacter = 3,    // C
    TypeNumber = 4,       // N
    TypeOtherLetter = 5,  // a catalogue letter outside the five; also an empty slot
    TypeInvalid = 6,      // no valid type
    TypeMarker = 8,       // end-of-record or end-of-file marker
};

// The built-in ADIF field catalogue: 49 names in a fixed order, each with a
// type letter. Lookups scan from the first entry and take the first match,
// comparing upper-case forms.
constexpr int kCatalogueSize = 49;

struct CatalogueEntry {
    const char *name;  // as listed; four "APP_LoTW_" names are mixed case
    char letter;
};

const CatalogueEntry &catalogueEntry(int number);  // number 1..49

// Number (1..49) of the first entry whose leading characters equal the
// (upper-cased) name over the name's whole length; nullopt when none does.
std::optional<int> findCatalogueEntry(std::string_view name);

// Type code of the first entry whose full name the given name begins with;
// TypeInvalid (6) when no entry is a leading part of the name.
uint8_t catalogueTypeOf(std::string_view name);

char catalogueLetterAt(int number);  // number 1..49

// True when the name begins with "TIME_ON" or with "TIME_OFF".
bool isTimeFieldName(std::string_view name);
extern const char *const kTimeFieldNames[2];

// "C" 3, "D" 0, "M" 2, "N" 4, "T" 1, any other character 6.
uint8_t typeCodeOfLetter(char letter);
// 0 "D", 1 "T", 2 "M", 3 "C", 4 "N", any other code "Z".
char typeLetterOf(uint8_t code);

// The nine tables of permitted values for enumerated fields.
enum class ValueTable {
    Bands,
    Modes,
    PropagationModes,
    Continents,
    CanadianProvinces,
    UsStates,
    ArrlSections,
    QslFlags,
    Satellites,
};

const std::vector<std::string> &valueTableEntries(ValueTable table);

// True when the text equals one entry of the table exactly.
bool isEnumeratedValue(ValueTable table, std::string_view text);

// Catalogue names in table order, as listed (mixed case kept).
std::vector<std::string> catalogueNames();

}  // namespace vaziduvu
