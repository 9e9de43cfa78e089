#pragma once

#include "cli/dump_command.h"

#include <ostream>
#include <string>
#include <vector>

namespace vaziduvu {

// `vaziduvu-cli check [--json] FILE`: loads FILE as the window would and
// runs every check of an ADIF export over every cell, without stopping at
// the first problem and without writing anything. Each problem is one line
// "FILE:LINE:COLUMN: FIELD "value": message" at the value's place in the
// file (lines and columns from 1), so editors can jump to it; a format error
// is one such line at its position. --json prints a JSON array of objects
// (file, line, column, field, value, message) instead. A log checked by the
// Classic lists that holds values only ADIF 3.1.6 knows gets a last line
// "Note: ..." naming --current-adif (on standard error with --json). Exit status 0 only
// when nothing is wrong, 1 for problems or a format error, 2 for wrong
// arguments or an unreadable file.
int runCheckCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err);

}  // namespace vaziduvu
