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
    std::vector<std::string> problems;
    if (current != nullptr) {
        if (auto problem = current->formatProblem(record, row, column))
            problems.push_back(std::move(*problem));
        if (auto problem = current->valueProblem(record, row, column))
            problems.push_back(std::move(*problem));
        return problems;
    }
    if (!checkDate(document, record, row, column, latestYear))
        problems.emplace_back(kDateCheckMessage);
    if (!checkTime(document, record, row, column))
        problems.emplace_back(kTimeCheckMessage);
    if (!checkNumber(document, record, row, column))
        problems.emplace_back(kNumberCheckMessage);
    for (EnumeratedCheck check : kEnumeratedChecks) {
        if (!checkEnumerated(check, document, record, row, column))
            problems.emplace_back(enumeratedCheckMessage(check, adifWriter));
    }
    return problems;
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
