#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

class LogDocument;

// What decides whether two contacts are the same contact logged twice:
// CALL, BAND (from FREQ where BAND is empty), MODE, SUBMODE and the start
// time. Built by makeContactKey, which normalises the texts, so the window
// and the command-line tool compare contacts by the same rule.
struct ContactKey {
    std::string call;     // trimmed, upper case
    std::string band;     // upper case; from FREQ by the ADIF 3.1.6 band table when BAND is empty
    std::string mode;     // trimmed, upper case
    std::string submode;  // trimmed, upper case; empty: none
    int64_t start = 0;    // seconds of QSO_DATE + TIME_ON, counted from a fixed day
    bool dated = false;   // QSO_DATE could be read
    // A contact without CALL or QSO_DATE is never a duplicate.
    bool comparable() const { return dated && !call.empty(); }
};

// The key of one contact from its cells as written in the log. A missing
// or unreadable TIME_ON counts as 00:00, a time without seconds as :00.
ContactKey makeContactKey(std::string_view call, std::string_view band, std::string_view freq,
                          std::string_view mode, std::string_view submode, std::string_view date,
                          std::string_view time);

// Seconds, counted from a fixed day before 1900, of an ADIF date (YYYYMMDD) and time (HHMM or
// HHMMSS; anything else counts as 00:00); false when the date is no date.
bool startSecondsOf(std::string_view date, std::string_view time, int64_t &seconds);

// True when the two contacts are linked: same call, band and mode, the
// same submode where both have one, and start times at most windowMinutes
// apart (0: the same clock minute, seconds ignored).
bool sameContact(const ContactKey &a, const ContactKey &b, int windowMinutes);

// A set of contacts linked to each other, directly or through others of
// the set; indexes into the keys, ascending.
struct DuplicateGroup {
    std::vector<int> members;
};

// Every group of two or more contacts, ordered by their first member. Near
// linear: contacts are compared only with those of the same call, band and
// mode inside the window.
std::vector<DuplicateGroup> findDuplicateGroups(const std::vector<ContactKey> &keys,
                                                int windowMinutes);

// Contacts that duplicate an earlier one: the sum of group sizes less the
// number of groups.
int duplicateCount(const std::vector<DuplicateGroup> &groups);

// The document's columns that hold the key fields (0: the log has none).
struct KeyColumns {
    int call = 0, band = 0, freq = 0, mode = 0, submode = 0, date = 0, time = 0;
};
KeyColumns keyColumnsOf(const LogDocument &document);

// The key of every data row: keys[i] belongs to grid row i + 1.
std::vector<ContactKey> contactKeysOf(const LogDocument &document);

// The column (1..last) whose trimmed, upper-cased heading is the name; 0
// when there is none.
int columnNamed(const LogDocument &document, std::string_view name);

}  // namespace vaziduvu
