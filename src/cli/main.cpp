#include "cli/check_command.h"
#include "cli/convert_command.h"
#include "cli/dump_command.h"
#include "cli/dupes_command.h"
#include "cli/export_command.h"
#include "cli/fix_command.h"
#include "cli/stats_command.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Command {
    const char *name;
    const char *arguments;
    const char *summary;
    int (*run)(const std::vector<std::string> &args, const vaziduvu::CliOptions &options,
               std::ostream &out, std::ostream &err);
};

// Every command of the tool; a new one is a new row.
const Command kCommands[] = {
    {"dump", "[--pretty] FILE", "print the parse of an ADIF log as JSON",
     &vaziduvu::runDumpCommand},
    {"records", "[--pretty] FILE", "print the header fields and records of a log as JSON",
     &vaziduvu::runRecordsCommand},
    {"check", "[--json] FILE",
     "list every problem an export would meet, as FILE:LINE:COLUMN: lines",
     &vaziduvu::runCheckCommand},
    {"export", "FILE TARGET", "check a log and write it to a new ADIF, XML or HTML file",
     &vaziduvu::runExportCommand},
    {"stats", "[--json] FILE",
     "print contacts per band, mode and year and the DXCC entities worked and confirmed",
     &vaziduvu::runStatsCommand},
    {"convert", "[--cabrillo-template NAME] [--station-call CALL] [--contest NAME] SOURCE TARGET",
     "write a log in another form, each chosen by its extension: .adi/.adif ADIF,\n"
     "      .adx ADX, .csv CSV, .log/.cbr Cabrillo (the target is always a new file)",
     &vaziduvu::runConvertCommand},
    {"fix", "[--dry-run] FILE TARGET",
     "apply every fix that has one answer and write the log to a new file; --dry-run\n"
     "      only lists the changes and the problems that remain",
     &vaziduvu::runFixCommand},
    {"dupes", "[--json] [--window MINUTES] FILE",
     "list the contacts logged twice (same call, band and mode within MINUTES, default 5)",
     &vaziduvu::runDupesCommand},
    {"merge", "[--window MINUTES] [--keep-dupes] SOURCE... TARGET",
     "write the contacts of every SOURCE to a new ADIF file in time order, duplicates merged",
     &vaziduvu::runMergeCommand},
};

void printUsage(std::ostream &out)
{
    out << "usage: vaziduvu-cli [--current-adif] [--progress] COMMAND [ARGUMENTS]\n"
           "       vaziduvu-cli --help | --version\n\ncommands:\n";
    for (const Command &command : kCommands)
        out << "  " << command.name << ' ' << command.arguments << "\n      " << command.summary
            << '\n';
    out << "\noptions:\n"
           "  --current-adif\n"
           "      read and check the log as Current ADIF (3.1.6): its modes, bands,\n"
           "      subdivisions and formats, < and > inside values, UTF-8 text\n"
           "  --batch-records N\n"
           "      check, export, fix, records and stats read N records at a time\n"
           "      (default 1000; 0 reads the whole log first)\n"
           "  --progress\n"
           "      show how far reading, checking and writing have come on standard\n"
           "      error (nothing is printed without it)\n";
    out << "\nExit status: 0 done, 1 the log has a format error or could not be saved\n"
           "(check and fix: or problems remain; dupes: duplicates were found), 2 wrong\n"
           "arguments or an unreadable file.\n";
}

}  // namespace

int main(int argc, char **argv)
{
    vaziduvu::CliOptions options;
    for (; argc >= 2; --argc, ++argv) {
        if (std::strcmp(argv[1], "--current-adif") == 0)
            options.mode = vaziduvu::AdifMode::Current;
        else if (std::strcmp(argv[1], "--progress") == 0)
            options.progress = true;
        else if (std::strcmp(argv[1], "--batch-records") == 0 && argc >= 3
                 && std::strspn(argv[2], "0123456789") == std::strlen(argv[2]) && *argv[2]
                 && std::strlen(argv[2]) <= 9) {
            options.batchRecords = std::atoi(argv[2]);
            --argc;
            ++argv;
        } else
            break;
    }
    if (argc < 2) {
        printUsage(std::cerr);
        return vaziduvu::CliUsageError;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printUsage(std::cout);
        return vaziduvu::CliOk;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "vaziduvu-cli " << VAZIDUVU_VERSION << '\n';
        return vaziduvu::CliOk;
    }
    for (const Command &command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            const std::vector<std::string> args(argv + 2, argv + argc);
            try {
                return command.run(args, options, std::cout, std::cerr);
            } catch (const std::exception &e) {
                std::cerr << "vaziduvu-cli: " << e.what() << '\n';
                return vaziduvu::CliUsageError;
            }
        }
    }
    std::cerr << "vaziduvu-cli: unknown command '" << argv[1] << "'\n";
    printUsage(std::cerr);
    return vaziduvu::CliUsageError;
}
