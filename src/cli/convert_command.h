#pragma once

#include "cli/dump_command.h"

#include <ostream>
#include <string>
#include <vector>

namespace vaziduvu {

// `vaziduvu-cli convert [--cabrillo-template NAME] [--station-call CALL]
// [--contest NAME] SOURCE TARGET`: reads SOURCE and writes the new file
// TARGET, each in the form its extension names (ADIF, ADX, CSV, Cabrillo).
// A line of SOURCE that cannot be read is printed as FILE:LINE: reason and
// nothing is written. The target is written as an export is: never over an
// existing file, after the checks, whole or not at all. Exit status 0 when
// TARGET was written; 1 when a line could not be read, the log did not load,
// a check failed or the file could not be written; 2 for wrong arguments or
// an unreadable SOURCE.
int runConvertCommand(const std::vector<std::string> &args, const CliOptions &options,
                      std::ostream &out, std::ostream &err);

}  // namespace vaziduvu
