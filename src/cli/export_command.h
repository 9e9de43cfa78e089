#pragma once

#include "adif/progress.h"
#include "cli/dump_command.h"
#include "export/export_host.h"

#include <ostream>
#include <string>
#include <vector>

namespace vaziduvu {

// `vaziduvu-cli export FILE TARGET`: loads FILE as the window would, refuses
// an existing TARGET and writes the export chosen by TARGET's name (an ADIF
// companion first for .xml and .htm/.html targets), with every check. Messages
// are printed as the window shows them ("Problem: ..."). Exit status 0 only
// when everything was written; 1 when the log did not load, a check failed
// or nothing could be saved; 2 for wrong arguments or an unreadable FILE.
int runExportCommand(const std::vector<std::string> &args, const CliOptions &options,
                     std::ostream &out, std::ostream &err);

// The writers' host of the command-line tool: messages and the failing cell
// are printed to `err`, progress is not shown, dates are today's.
class ConsoleExportHost : public ExportHost {
public:
    // progress: where --progress shows the rows checked and written.
    explicit ConsoleExportHost(std::ostream &err, Progress *progress = nullptr)
        : err_(err)
        , progress_(progress)
    {
    }

    void showMessage(const std::string &header, const std::string &text) override;
    void showPlainMessage(const std::string &text) override;
    void selectCell(int column, int row) override;
    void showProgress(const std::string &, bool) override { }
    bool omitEmptyFieldTags() const override { return false; }
    std::string exportDate() override;
    int latestYear() override;
    DriveType driveTypeOf(const std::string &path) override;
    bool continueAfterRow(int row, int rows) override
    {
        return progress_ == nullptr || progress_->advance(row, rows);
    }

private:
    std::ostream &err_;
    Progress *progress_;
};

}  // namespace vaziduvu
