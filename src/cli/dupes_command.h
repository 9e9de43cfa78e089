#pragma once

#include "cli/dump_command.h"
#include "document/open_log.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vaziduvu {

// `vaziduvu-cli dupes [--json] [--window MINUTES] FILE`: lists the contacts
// that duplicate an earlier one (findDuplicateGroups), one
// `FILE:LINE: record N duplicates record M (CALL BAND MODE DATE TIME)` line
// each and a summary, or as JSON the groups and the count. Exit status 0
// without duplicates, 1 with some, 2 for wrong arguments or a file that
// cannot be read as a log.
int runDupesCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err);

// `vaziduvu-cli merge [--window MINUTES] [--keep-dupes] SOURCE... TARGET`:
// writes the contacts of every SOURCE to the new ADIF file TARGET in
// start-time order, duplicates merged (mergeLogs), printing each value
// dropped and a last line with the counts. Exit status 0 when TARGET was
// written; 1 when a source has a format error or TARGET could not be
// written; 2 for wrong arguments or an unreadable SOURCE.
int runMergeCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err);

// A log opened by a command, with its status for the exit, after saying on
// `err` why it could not be.
OpenedLog openLogForCommand(const std::string &path, const CliOptions &options, std::ostream &err,
                            int &status);

// Reads "--window MINUTES" at args[i] (advancing i); false after saying on
// `err` what is wrong.
bool readWindowOption(const std::vector<std::string> &args, size_t &i, int &minutes,
                      std::ostream &err);

// Line numbers (from 1) of byte offsets of a text: lines end at "\n",
// "\r\n" or "\r".
class LineIndex {
public:
    explicit LineIndex(const std::string &text);
    int lineOf(int64_t offset) const;

private:
    std::vector<int64_t> starts_;
};

// The offset of each record's first tag (its end-of-record marker for a
// record without fields), in record order.
std::vector<int64_t> recordStartOffsets(const AdifFile &file);

}  // namespace vaziduvu
