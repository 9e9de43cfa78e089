#include "adif/adif_file.h"
#include "cli/dupes_command.h"
#include "cli/export_command.h"
#include "document/log_document.h"
#include "document/log_merge.h"
#include "export/file_system.h"
#include "export/markup.h"
#include "export/save_flow.h"
#include "export/writers.h"

#include <memory>

namespace vaziduvu {

namespace {

// Where a value of a merged log came from, as FILE:LINE.
class Places {
public:
    Places(const std::vector<std::string> &paths, const std::vector<OpenedLog> &logs)
        : paths_(paths)
        , logs_(logs)
        , lines_(logs.size())
    {
    }

    std::string of(const ContactRef &contact, int column)
    {
        const auto source = static_cast<size_t>(contact.source);
        const LogDocument &document = *logs_[source].document;
        int64_t offset = -1;
        if (column > 0) {
            const CellRecord record = document.cellInfo(column, contact.row);
            if (record)
                offset = record->valueOffset;
        }
        if (!lines_[source])
            lines_[source] = std::make_unique<LineIndex>(logs_[source].file->sourceText());
        return paths_[source] + ':'
            + std::to_string(lines_[source]->lineOf(std::max<int64_t>(0, offset)));
    }

private:
    const std::vector<std::string> &paths_;
    const std::vector<OpenedLog> &logs_;
    std::vector<std::unique_ptr<LineIndex>> lines_;
};

void appendField(std::string &out, std::string_view name, std::string_view value)
{
    out += '<';
    out += name;
    out += ':';
    out += std::to_string(value.size());
    out += '>';
    out += value;
    out += ' ';
}

}  // namespace

int runMergeCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err)
{
    int window = 5;
    bool keepDuplicates = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--window") {
            if (!readWindowOption(args, i, window, err))
                return CliUsageError;
        } else if (args[i] == "--keep-dupes")
            keepDuplicates = true;
        else
            files.push_back(args[i]);
    }
    if (files.size() < 2 || files.back().empty()) {
        err << "usage: vaziduvu-cli merge [--window MINUTES] [--keep-dupes] SOURCE... TARGET\n";
        return CliUsageError;
    }
    const std::string target = files.back();
    files.pop_back();
    if (pathExists(target)) {
        err << "Problem: " << kExistingFileNameMessage << '\n';
        return CliFormatError;
    }

    std::vector<OpenedLog> logs;
    std::vector<const LogDocument *> sources;
    for (const std::string &path : files) {
        int status = CliOk;
        logs.push_back(openLogForCommand(path, options, err, status));
        if (status != CliOk)
            return status;
        sources.push_back(logs.back().document.get());
    }
    const LogMerge merge = mergeLogs(sources, window, keepDuplicates);

    Places places(files, logs);
    for (const MergeConflict &conflict : merge.conflicts)
        out << places.of(conflict.keptFrom, conflict.keptColumn) << ": " << conflict.field << " \""
            << conflict.kept << "\" kept, \"" << conflict.dropped << "\" dropped ("
            << places.of(conflict.droppedFrom, conflict.droppedColumn) << ")\n";

    ConsoleExportHost host(err);
    std::string text = "Merged by vaziduvu-cli from " + std::to_string(files.size())
        + " files  Export date: " + host.exportDate();
    text += kAdifHeaderEnd;
    for (const MergedContact &contact : merge.contacts) {
        forEachField(sources, merge, contact, [&](std::string_view name, std::string_view value) {
            appendField(text, name, value);
        });
        text += kAdifEndOfRecord;
        text += kAdifRowEnd;
    }
    const ExportResult result = writeExportFile(target, text, host);
    if (!result) {
        err << "Problem: " << kFileNotSavedMessage << '\n';
        if (!result.reason.empty())
            err << result.reason << '\n';
        return CliFormatError;
    }
    out << merge.contacts.size() << " contacts from " << files.size()
        << (files.size() == 1 ? " file: " : " files: ") << merge.duplicatesMerged
        << (merge.duplicatesMerged == 1 ? " duplicate" : " duplicates") << " merged, "
        << merge.conflicts.size() << (merge.conflicts.size() == 1 ? " conflict" : " conflicts")
        << '\n';
    return CliOk;
}

}  // namespace vaziduvu
