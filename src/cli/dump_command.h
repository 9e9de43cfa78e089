#pragma once

#include "adif/adif_mode.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

// Exit statuses shared by every command of vaziduvu-cli.
enum CliStatus : int {
    CliOk = 0,  // the command did what was asked (for dump: the parse ended with ParseStatus::Ok)
    CliFormatError = 1,  // the log has a format error
    CliUsageError = 2,   // wrong arguments, or a file that cannot be read
};

// Options given before the command, for every command.
struct CliOptions {
    // --current-adif: the reader's rules and the checks of ADIF 3.1.6.
    AdifMode mode = AdifMode::Classic;
    // --progress: long steps say how far they have come on standard error.
    bool progress = false;
    // --batch-records N: the commands that stream read N records at a time;
    // 0 reads the whole log into memory first (the two give the same output,
    // which the tests compare with tiny batches).
    int batchRecords = 1000;
};

// `vaziduvu-cli dump [--pretty] FILE`: parses FILE and writes the whole parse
// result as one JSON object to `out` (outcome, counts, header, field names
// and every stored tag in file order), compact or indented, as it goes.
// Log text is Latin-1 and comes out as UTF-8 (a UTF-8 log read in the
// Current mode comes out as it is). Problems with the arguments or
// the file go to `err` as one line.
int runDumpCommand(const std::vector<std::string> &args, const CliOptions &options,
                   std::ostream &out, std::ostream &err);

// `vaziduvu-cli records [--pretty] FILE`: the log's data as scripts want it:
// {"header": {field: value, ...}, "records": [{field: value, ...}, ...]},
// fields in file order, a field repeated in a record keeping its last
// value. A record without its <EOR> at the end is a record too. Exit status
// as for dump.
int runRecordsCommand(const std::vector<std::string> &args, const CliOptions &options,
                      std::ostream &out, std::ostream &err);

class AdifFile;
struct OpenedLog;

// Loads the log with the reading rules of the options' mode; false after
// saying on `err` that reading failed.
bool loadLog(const std::string &path, AdifFile &file, const CliOptions &options, std::ostream &err);

// Opens the log of a command that works on the whole document (check, fix,
// stats): with --progress, reading shows how far it has come. A reader that
// ran out of memory is said on `err` here (the command then exits with
// CliUsageError); every other refusal is the command's to report.
OpenedLog openCommandLog(const std::string &path, const CliOptions &options, std::ostream &err);

// The one readable log FILE of `COMMAND [--pretty] FILE`, or nullopt after
// saying on `err` what is wrong.
std::optional<std::string> readableLogArgument(const char *command,
                                               const std::vector<std::string> &args, bool &pretty,
                                               std::ostream &err);

// The same for `COMMAND [--json] [--pretty] FILE`; `json` says whether
// --json was given.
std::optional<std::string> readableLogArgument(const char *command,
                                               const std::vector<std::string> &args, bool &pretty,
                                               bool &json, std::ostream &err);

}  // namespace vaziduvu
