#pragma once

#include "adif/adif_mode.h"

#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

// One column of a contest exchange: the ADIF fields a token of the sent
// half and of the received half may go to, first that fits first (see
// tokenFitsField). An empty list: no ADIF field holds it (it stays in
// STX_STRING or SRX_STRING). A rest column takes every token left in its
// half, joined by blanks, into its one field.
struct ExchangeColumn {
    const char *sentFields;      // blank-separated ADIF names
    const char *receivedFields;  // blank-separated ADIF names
    bool rest = false;
};

// A contest's exchange layout: the columns in the order each half of a
// QSO: line holds them, after the station's call sign. The table of
// templates is data; reading and writing QSO: lines walk it the same way.
struct CabrilloTemplate {
    const char *name;      // shown to the user
    const char *contests;  // blank-separated CONTEST: values it serves
    std::vector<ExchangeColumn> columns;

    bool hasRestColumn() const { return !columns.empty() && columns.back().rest; }
};

// Every template, the generic one last.
const std::vector<CabrilloTemplate> &cabrilloTemplates();
const CabrilloTemplate &genericCabrilloTemplate();

// The template of a template name or of a CONTEST: value (letter case
// ignored); nullptr when none serves it.
const CabrilloTemplate *findCabrilloTemplate(std::string_view name);

// The names a user may give (--cabrillo-template, the preview's list).
std::vector<std::string> cabrilloTemplateNames();

// Splits a blank-separated list of names.
std::vector<std::string> fieldList(const char *names);

// True when the token may be the value of the ADIF field in an exchange:
// a report for RST_*, a number for serials, zones and power, a state or
// province code, an ARRL section, a precedence letter, a two-digit check,
// a Field Day class; any token for a field without a rule (NAME). A
// Canadian province goes to VE_PROV in the Classic mode and to STATE in the
// Current mode, where VE_PROV is only read. Each mode takes the codes its
// checks accept, so an imported log saves without a refusal.
bool tokenFitsField(std::string_view token, std::string_view field, AdifMode mode);

// True for a token shaped like a report: 1 to 5, then one or two of 1 to 9
// or N ("59", "599", "5NN").
bool isReportToken(std::string_view token);

// True for a token shaped like a call sign (letters and digits, '/' allowed,
// at least one of each, no report, not two leading digits).
bool isCallSignToken(std::string_view token);

}  // namespace vaziduvu
