#include "formats/log_format.h"

#include "adif/text.h"
#include "document/log_document.h"
#include "export/save_flow.h"
#include "export/writers.h"
#include "formats/adx_format.h"
#include "formats/csv_format.h"

#include <fstream>
#include <iterator>

namespace vaziduvu {

std::optional<LogFormat> logFormatOfPath(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    const std::string extension = upperText(path.substr(dot + 1));
    if (extension == "ADI" || extension == "ADIF" || extension == "BADI")
        return LogFormat::Adif;
    if (extension == "ADX")
        return LogFormat::Adx;
    if (extension == "CSV")
        return LogFormat::Csv;
    if (extension == "LOG" || extension == "CBR")
        return LogFormat::Cabrillo;
    return std::nullopt;
}

const char *logFormatName(LogFormat format)
{
    switch (format) {
    case LogFormat::Adif:
        return "ADIF";
    case LogFormat::Adx:
        return "ADX";
    case LogFormat::Csv:
        return "CSV";
    case LogFormat::Cabrillo:
        return "Cabrillo";
    }
    return "";
}

const char *defaultExtensionOf(LogFormat format)
{
    switch (format) {
    case LogFormat::Adif:
        return "adi";
    case LogFormat::Adx:
        return "adx";
    case LogFormat::Csv:
        return "csv";
    case LogFormat::Cabrillo:
        return "log";
    }
    return "";
}

ContactLog readContacts(std::string_view bytes, LogFormat format, const ReadOptions &options)
{
    switch (format) {
    case LogFormat::Adx:
        return readAdx(bytes, options);
    case LogFormat::Csv:
        return readCsv(bytes, options);
    case LogFormat::Cabrillo:
        return readCabrillo(bytes, options);
    case LogFormat::Adif:
        break;
    }
    return {};
}

ImportedLog importLogBytes(std::string_view bytes, LogFormat format, const ReadOptions &options,
                           std::string_view origin, const OpenSteps &steps)
{
    ImportedLog imported;
    if (format == LogFormat::Adif) {
        imported.error = "an ADIF log is opened, not imported";
        return imported;
    }
    imported.contacts = readContacts(bytes, format, options);
    if (!imported.contacts.contacts.empty())
        imported.opened = openContactLog(imported.contacts, options.mode, origin, steps);
    return imported;
}

ImportedLog importLogFile(const std::string &path, LogFormat format, const ReadOptions &options,
                          const OpenSteps &steps)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ImportedLog imported;
        imported.error = "cannot read '" + path + "'";
        return imported;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return importLogBytes(bytes, format, options, std::string(logFormatName(format)) + " " + path,
                          steps);
}

ExportResult exportLogFile(LogDocument &document, const std::string &path, LogFormat format,
                           const CabrilloWriteOptions &cabrillo, ExportHost &host)
{
    if (format == LogFormat::Adif)
        return runExportWriters(document, path, host);
    const ExportText checked = buildExportText(ExportFormat::Adif, document, host);
    if (!checked.result)
        return checked.result;
    std::string text;
    switch (format) {
    case LogFormat::Adx: {
        const std::string problem = adxProblem(document);
        if (!problem.empty())
            return ExportResult::refused("ADX cannot hold " + problem + ".");
        text = writeAdx(document);
        break;
    }
    case LogFormat::Csv:
        text = writeCsv(document);
        break;
    case LogFormat::Cabrillo: {
        CabrilloText written = writeCabrillo(document, cabrillo);
        if (!written.problems.empty()) {
            const LineMessage &first = written.problems.front();
            return ExportResult::refused(
                (first.line > 0 ? "Row " + std::to_string(first.line) + " has " : "Cabrillo: ")
                + first.text + ".");
        }
        text = std::move(written.text);
        break;
    }
    case LogFormat::Adif:
        break;
    }
    return writeExportFile(path, text, host);
}

}  // namespace vaziduvu
