#pragma once

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

// `vaziduvu-cli dump FILE`: parses FILE and writes the whole parse result as
// one JSON object to `out` (outcome, counts, header, field names and every
// stored tag in file order). Problems with the arguments or the file go to
// `err` as one line.
int runDumpCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// Log text is single-byte Latin-1; JSON wants UTF-8. Every byte becomes the
// Latin-1 character it is.
std::string latin1ToUtf8(std::string_view text);

}  // namespace vaziduvu
