#pragma once

#include "adif/tag_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vaziduvu {

class LogDocument;
struct CurrentField;

// The cell checks of the Current ADIF mode, in place of the classic ones:
// the same two passes, the same cells, but judged by the ADIF 3.1.6
// vocabulary (current_vocabulary.h). A check returns the message the writer
// shows under "Problem:", or nothing when the cell may be exported. Unlike
// the classic messages, each one names the value and says what ADIF allows:
// the tables are too large for a user to guess what went wrong.
//
// What a cell is comes from its column heading: a 3.1.6 field is checked by
// its 3.1.6 type and enumeration; any other column by the cell record's type
// (dates, numbers) and time flag, as the classic checks do.
//
// Some checks need the other cells of the same record: SUBMODE the MODE,
// FREQ the BAND (FREQ_RX the BAND_RX), STATE the DXCC. Those columns are
// found by their headings (trimmed, letter case ignored) once, when the
// object is made; one object serves one pass over one grid.
//
// Accepted values are left as they are (ADIF enumerations ignore letter
// case, and a round trip must give back what was read); like the classic
// date check, the format pass trims every cell it sees and stores the
// trimmed text.
class CurrentChecks {
public:
    // latestYear: the last year a date may name (the host's answer).
    CurrentChecks(LogDocument &document, int latestYear);

    // The sizing pass: dates, times, numbers and integers (with the limits
    // ADIF states), grid squares.
    std::optional<std::string> formatProblem(const TagRecord &record, int row, int column);

    // The writing pass: the enumerations (MODE, SUBMODE, BAND, BAND_RX,
    // STATE, VE_PROV, CONT, ARRL_SECT, QSL_SENT, QSL_RCVD, PROP_MODE, DXCC)
    // and the record-level rules (SUBMODE of its MODE, FREQ in its BAND,
    // STATE of its DXCC). Normalises the column heading as the classic
    // enumerated checks do. SAT_NAME is free text in ADIF and passes.
    std::optional<std::string> valueProblem(const TagRecord &record, int row, int column);

private:
    // The column's heading, trimmed and in capitals, as it was when the
    // object was made (normalising a heading later does not change it).
    const std::string &heading(int column) const;
    // The trimmed text of the column in the row; empty for column 0 (the
    // grid has no such field).
    std::string textOf(int column, int row) const;

    LogDocument &document_;
    int latestYear_;
    std::vector<std::string> headings_;
    // Per column, worked out with the headings: its 3.1.6 field (nullptr:
    // none), and whether a value rule of the writing pass names it.
    std::vector<const CurrentField *> fields_;
    // The limits of the field's numbers, read from the catalogue once.
    std::vector<std::optional<double>> lows_;
    std::vector<std::optional<double>> highs_;
    // Which rule of the writing pass a column's heading names, so a pass
    // over a million rows never compares headings.
    enum class ValueRule : uint8_t {
        None,
        Mode,
        Submode,
        Band,
        Freq,
        FreqRx,
        State,
        Dxcc,
        VeProv,
        ArrlSect,
        Continent,
        PropagationMode,
        QslSent,
        QslRcvd,
    };
    std::vector<ValueRule> valueRules_;
    std::vector<bool> headingNormalised_;  // by valueProblem, this pass
    std::unordered_map<std::string, int> columnOfField_;
    // The columns the record-level rules read (0: none), found once.
    int modeColumn_ = 0;
    int bandColumn_ = 0;
    int bandRxColumn_ = 0;
    int dxccColumn_ = 0;
};

}  // namespace vaziduvu
