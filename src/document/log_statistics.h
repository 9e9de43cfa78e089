#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vaziduvu {

class LogDocument;

// The figures of a log that operators look at: contacts per band, mode and
// year, unique calls, the dates the log spans, and the DXCC entities worked
// and confirmed, overall and per band. The window's Statistics panel and
// `vaziduvu-cli stats` both take them from here, so they never disagree.
//
// Every data row of the document is one contact. Its fields are found by
// their column names (trimmed, upper-cased; the first column of a name
// counts), and each value is trimmed:
// - band: BAND upper-cased; where BAND is empty, the ADIF 3.1.6 band whose
//   limits hold FREQ (in MHz); "" when neither gives one;
// - mode: MODE upper-cased, "" when empty;
// - year: the first four characters of QSO_DATE, "" when empty;
// - call: CALL upper-cased; empty calls are not counted as calls;
// - DXCC entity: a DXCC value of digits only and other than 0, compared as a
//   number ("001" and "1" are one entity); any other value is no entity;
// - confirmed: QSL_RCVD or LOTW_QSL_RCVD is Y (letter case ignored);
// - first and last date: only a QSO_DATE that is a real calendar day from
//   1930 on (YYYYMMDD) counts.
// Upper-casing follows the document's text encoding.
struct LogStatistics {
    // One entity's contacts on one band, and whether one of them is confirmed.
    struct EntityBand {
        int contacts = 0;
        bool confirmed = false;
    };
    struct Entity {
        int64_t code = 0;
        int contacts = 0;
        bool confirmed = false;
        std::vector<EntityBand> bands;  // parallel to LogStatistics::bands
    };
    struct YearCount {
        std::string year;
        int contacts = 0;
    };

    int contacts = 0;
    int uniqueCalls = 0;
    std::string firstDate;  // YYYYMMDD; "" when no contact has a valid date
    std::string lastDate;
    // Every band and mode of a contact. Bands in the order of the ADIF band
    // table (lowest first), then bands ADIF does not list alphabetically;
    // modes alphabetically; "" last in both.
    std::vector<std::string> bands;
    std::vector<std::string> modes;
    std::vector<int> bandContacts;      // parallel to bands
    std::vector<int> modeContacts;      // parallel to modes
    std::vector<int> bandModeContacts;  // bands x modes, band by band
    std::vector<YearCount> years;       // ascending, "" last
    std::vector<Entity> entities;       // ascending by code
    int entitiesConfirmed = 0;
    std::vector<int> bandEntitiesWorked;  // parallel to bands
    std::vector<int> bandEntitiesConfirmed;

    int entitiesWorked() const { return static_cast<int>(entities.size()); }
    int contactsOf(size_t band, size_t mode) const
    {
        return bandModeContacts[band * modes.size() + mode];
    }

    // The figures of the document's data rows, by the rules above.
    static LogStatistics of(const LogDocument &document);
};

// The figures of a log counted a document at a time: a log read in batches
// adds each batch's document in turn and gets the figures of the whole.
class LogStatisticsCounter {
public:
    LogStatisticsCounter();
    ~LogStatisticsCounter();
    LogStatisticsCounter(const LogStatisticsCounter &) = delete;
    LogStatisticsCounter &operator=(const LogStatisticsCounter &) = delete;

    // Counts the document's data rows.
    void add(const LogDocument &document);
    // The figures of every row added (once: the counter is spent).
    LogStatistics figures();

private:
    struct Tally;
    std::unique_ptr<Tally> tally_;
};

// Which contacts a figure counts: those matching every part given.
struct ContactSelection {
    std::optional<std::string> band;  // as in LogStatistics::bands
    std::vector<std::string> modes;   // any of these; empty: any mode
    std::optional<std::string> year;
    std::optional<int64_t> dxcc;  // an entity code
};

// The data rows (1.., ascending) of the contacts the selection counts, by
// the same rules as the figures: the rows behind a bar or a table cell.
std::vector<int> contactRows(const LogDocument &document, const ContactSelection &selection);

}  // namespace vaziduvu
