#include "cli/convert_command.h"

#include "cli/export_command.h"
#include "document/log_document.h"
#include "document/open_log.h"
#include "export/file_system.h"
#include "export/save_flow.h"
#include "formats/log_format.h"

#include <filesystem>
#include <fstream>

namespace vaziduvu {

namespace {

constexpr const char *kUsage
    = "usage: vaziduvu-cli [--current-adif] convert [--cabrillo-template NAME] "
      "[--station-call CALL] [--contest NAME] SOURCE TARGET\n";

struct ConvertArguments {
    CabrilloWriteOptions cabrillo;
    std::string readTemplate;
    std::string source;
    std::string target;
};

bool parseArguments(const std::vector<std::string> &args, ConvertArguments &parsed)
{
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string *option = args[i] == "--cabrillo-template" ? &parsed.readTemplate
            : args[i] == "--station-call"                      ? &parsed.cabrillo.stationCall
            : args[i] == "--contest"                           ? &parsed.cabrillo.contest
                                                               : nullptr;
        if (option == nullptr) {
            paths.push_back(args[i]);
            continue;
        }
        if (i + 1 >= args.size() || args[i + 1].empty())
            return false;
        *option = args[++i];
    }
    if (paths.size() != 2 || paths[0].empty() || paths[1].empty())
        return false;
    parsed.cabrillo.templateName = parsed.readTemplate;
    parsed.source = paths[0];
    parsed.target = paths[1];
    return true;
}

// Prints why an opening failed; the exit status.
int reportRefusal(const OpenedLog &opened, const std::string &source, std::ostream &err)
{
    if (opened.status == OpenStatus::Unreadable) {
        err << "vaziduvu-cli: reading '" << source << "' failed (out of memory)\n";
        return CliUsageError;
    }
    const std::string report
        = opened.status == OpenStatus::FormatError ? opened.refusalReport() : kTooBigReport;
    err << report;
    if (report.empty() || report.back() != '\n')
        err << '\n';
    return CliFormatError;
}

}  // namespace

int runConvertCommand(const std::vector<std::string> &args, const CliOptions &options,
                      std::ostream &out, std::ostream &err)
{
    ConvertArguments parsed;
    if (!parseArguments(args, parsed)) {
        err << kUsage;
        return CliUsageError;
    }
    const std::optional<LogFormat> from = logFormatOfPath(parsed.source);
    const std::optional<LogFormat> to = logFormatOfPath(parsed.target);
    for (const auto &[format, path] : {std::pair{from, parsed.source}, {to, parsed.target}}) {
        if (!format) {
            err << "vaziduvu-cli: '" << path
                << "' is not named as a log (.adi, .adif, .adx, .csv, .log or .cbr)\n";
            return CliUsageError;
        }
    }
    for (const std::string &name : {parsed.readTemplate}) {
        if (!name.empty() && findCabrilloTemplate(name) == nullptr) {
            err << "vaziduvu-cli: no Cabrillo template is named '" << name << "'; the templates:";
            for (const std::string &known : cabrilloTemplateNames())
                err << ' ' << known;
            err << '\n';
            return CliUsageError;
        }
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(parsed.source, error)
        || !std::ifstream(parsed.source, std::ios::binary)) {
        err << "vaziduvu-cli: cannot read '" << parsed.source << "'\n";
        return CliUsageError;
    }

    OpenedLog opened;
    if (*from == LogFormat::Adif) {
        opened = openLog(parsed.source, options.mode);
    } else {
        ReadOptions read;
        read.mode = options.mode;
        read.templateName = parsed.readTemplate;
        ImportedLog imported = importLogFile(parsed.source, *from, read);
        if (!imported.error.empty()) {
            err << "vaziduvu-cli: " << imported.error << '\n';
            return CliUsageError;
        }
        const ContactLog &contacts = imported.contacts;
        for (const LineMessage &note : contacts.notes)
            out << parsed.source << ':' << note.line << ": note: " << note.text << '\n';
        for (const LineMessage &problem : contacts.problems)
            err << parsed.source << ':' << problem.line << ": " << problem.text << '\n';
        if (!contacts.problems.empty()) {
            err << "Nothing was written: " << contacts.problems.size()
                << (contacts.problems.size() == 1 ? " line" : " lines") << " could not be read.\n";
            return CliFormatError;
        }
        if (contacts.contacts.empty()) {
            err << parsed.source << ": no contacts to convert; nothing was written.\n";
            return CliFormatError;
        }
        out << "Read " << contacts.contacts.size() << " contacts from " << parsed.source << " ("
            << logFormatName(*from);
        if (*from == LogFormat::Cabrillo)
            out << ", contest " << (contacts.contest.empty() ? "not named" : contacts.contest)
                << ", template " << contacts.templateName;
        out << ")\n";
        opened = std::move(imported.opened);
    }
    if (!opened)
        return reportRefusal(opened, parsed.source, err);

    if (pathExists(parsed.target)) {
        err << "Problem: " << kExistingFileNameMessage << '\n';
        return CliFormatError;
    }
    ConsoleExportHost host(err);
    const ExportResult result
        = exportLogFile(*opened.document, parsed.target, *to, parsed.cabrillo, host);
    if (!result) {
        err << "Problem: " << kFileNotSavedMessage << '\n';
        if (!result.reason.empty())
            err << result.reason << '\n';
        return CliFormatError;
    }
    if (*to == LogFormat::Adif
        && (extensionPlace(parsed.target, ".XML") == ExtensionPlace::AtEnd
            || extensionPlace(parsed.target, ".HTM") == ExtensionPlace::AtEnd))
        out << "Saved: " << companionName(parsed.target) << '\n';
    out << "Saved: " << parsed.target << " (" << logFormatName(*to) << ", "
        << opened.document->rowCount() - 1 << " contacts)\n";
    return CliOk;
}

}  // namespace vaziduvu
