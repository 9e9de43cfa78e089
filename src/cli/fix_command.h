#pragma once

#include "cli/dump_command.h"

#include <ostream>
#include <string>
#include <vector>

namespace vaziduvu {

// `vaziduvu-cli fix [--dry-run] FILE TARGET`: loads FILE as `check` does,
// applies every quick fix (export/quick_fixes.h) and writes TARGET as a new
// file with the export's safe write: never over an existing file, nothing
// left behind on a failure. TARGET is FILE's text with only the mended
// values changed; every other byte is as it was read.
//
// Prints one line per changed cell, `FILE:LINE:COLUMN: FIELD "old" -> "new"`
// (a field the record lacked: `FIELD "" -> "new"`, at the record's place),
// then the problems that remain in `check`'s form, then
// `N fixes in M contacts, R problems remain`. --dry-run prints the same and
// writes nothing. Exit status 0 when nothing remains, 1 when problems remain
// (TARGET is still written) or the log has a format error or TARGET cannot be
// written, 2 for wrong arguments or an unreadable FILE.
int runFixCommand(const std::vector<std::string> &args, const CliOptions &options,
                  std::ostream &out, std::ostream &err);

}  // namespace vaziduvu
