#include "export/writers.h"

#include "export/export_run.h"

#include <new>
#include <string>
#include <vector>

namespace vaziduvu {

const char *const kAdifHeaderStart
    = "Exported by application [VaziDuvu] \r\n  - by Corvantis, Inc.  Export date: ";

namespace {

constexpr const char *kHtmlUnexpectedFailure = "Could not save the file.";

// What an export that ran out of memory says (the HTML writer also shows it).
ExportResult textNotBuilt(ExportFormat format, ExportHost &host)
{
    if (format == ExportFormat::Html)
        host.showMessage("Problem:", kHtmlUnexpectedFailure);
    return ExportResult::refused("The export text could not be built (out of memory?).");
}

}  // namespace

ExportText buildExportText(ExportFormat format, LogDocument &document, ExportHost &host)
{
    try {
        return ExportRun(format, document, host).run();
    } catch (const std::bad_alloc &) {
        return {textNotBuilt(format, host), {}};
    }
}

namespace {

ExportResult exportTo(ExportFormat format, LogDocument &document, const std::string &path,
                      ExportHost &host)
{
    try {
        return ExportRun(format, document, host).writeTo(path);
    } catch (const std::bad_alloc &) {
        return textNotBuilt(format, host);
    }
}

}  // namespace

std::vector<std::string> cellProblems(LogDocument &document, CurrentChecks *current,
                                      const TagRecord &record, int column, int row, int latestYear,
                                      bool adifWriter)
{
    struct Collected : ProblemReport {
        std::vector<std::string> messages;
        bool report(const std::string &message, int, int) override
        {
            messages.push_back(message);
            return true;
        }
    } collected;
    CellChecks(adifWriter ? ExportFormat::Adif : ExportFormat::Xml, document, current, latestYear)
        .run(CheckPass::Values, record, column, row, collected);
    return std::move(collected.messages);
}

std::vector<LogProblem> checkLog(ExportFormat format, LogDocument &document, ExportHost &host)
{
    return ExportRun(format, document, host).collectProblems();
}

ExportResult exportAdif(LogDocument &document, const std::string &path, ExportHost &host)
{
    return exportTo(ExportFormat::Adif, document, path, host);
}

ExportResult exportXml(LogDocument &document, const std::string &path, ExportHost &host)
{
    return exportTo(ExportFormat::Xml, document, path, host);
}

ExportResult exportHtml(LogDocument &document, const std::string &path, ExportHost &host)
{
    return exportTo(ExportFormat::Html, document, path, host);
}

}  // namespace vaziduvu
