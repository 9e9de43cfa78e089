#pragma once

#include "cli/dump_command.h"

#include <ostream>
#include <string>
#include <vector>

namespace vaziduvu {

// `vaziduvu-cli stats [--json] FILE`: loads FILE as the window would and
// prints its figures (LogStatistics): contacts, unique calls, first and last
// date, contacts per band, mode and year, and the DXCC entities worked and
// confirmed, overall and per band. The window's Statistics panel shows the
// same figures. --json prints one object:
// {"file", "contacts", "uniqueCalls", "firstDate", "lastDate", "byBand",
// "byMode", "byYear", "byBandMode", "dxcc": {"worked", "confirmed",
// "byBand": {BAND: {"worked", "confirmed"}}}}; a map never holds a count of
// 0, and "" stands for a contact without band, mode or year. Exit status 0
// for a loaded log, 1 for a format error or a log too big, 2 for wrong
// arguments or an unreadable file.
int runStatsCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err);

}  // namespace vaziduvu
