#include "cli/stats_command.h"
#include "adif/adif_file.h"
#include "cli/console_progress.h"
#include "cli/json_writer.h"
#include "cli/streamed_log.h"
#include "document/log_document.h"
#include "document/log_statistics.h"
#include "document/open_log.h"

#include <algorithm>
#include <iomanip>
#include <string>
#include <vector>

namespace vaziduvu {

namespace {

void writeJson(std::ostream &out, bool pretty, const std::string &path, TextEncoding encoding,
               const LogStatistics &figures)
{
    JsonWriter json(out, pretty, encoding);
    json.beginObject();
    json.member("file", path);
    json.member("contacts", int64_t{figures.contacts});
    json.member("uniqueCalls", int64_t{figures.uniqueCalls});
    json.member("firstDate", figures.firstDate);
    json.member("lastDate", figures.lastDate);
    auto counts = [&json](const char *name, const std::vector<std::string> &keys,
                          const std::vector<int> &values) {
        json.key(name);
        json.beginObject();
        for (size_t i = 0; i < keys.size(); ++i) {
            if (values[i] > 0)
                json.member(keys[i], int64_t{values[i]});
        }
        json.endObject();
    };
    counts("byBand", figures.bands, figures.bandContacts);
    counts("byMode", figures.modes, figures.modeContacts);
    json.key("byYear");
    json.beginObject();
    for (const LogStatistics::YearCount &year : figures.years)
        json.member(year.year, int64_t{year.contacts});
    json.endObject();
    json.key("byBandMode");
    json.beginObject();
    for (size_t band = 0; band < figures.bands.size(); ++band) {
        json.key(figures.bands[band]);
        json.beginObject();
        for (size_t mode = 0; mode < figures.modes.size(); ++mode) {
            if (const int n = figures.contactsOf(band, mode); n > 0)
                json.member(figures.modes[mode], int64_t{n});
        }
        json.endObject();
    }
    json.endObject();
    json.key("dxcc");
    json.beginObject();
    json.member("worked", int64_t{figures.entitiesWorked()});
    json.member("confirmed", int64_t{figures.entitiesConfirmed});
    json.key("byBand");
    json.beginObject();
    for (size_t band = 0; band < figures.bands.size(); ++band) {
        if (figures.bandEntitiesWorked[band] == 0)
            continue;
        json.key(figures.bands[band]);
        json.beginObject();
        json.member("worked", int64_t{figures.bandEntitiesWorked[band]});
        json.member("confirmed", int64_t{figures.bandEntitiesConfirmed[band]});
        json.endObject();
    }
    json.endObject();
    json.endObject();
    json.endObject();
    json.finish();
}

std::string shown(const std::string &key)
{
    return key.empty() ? "(none)" : key;
}

void writeText(std::ostream &out, const std::string &path, const LogStatistics &figures)
{
    out << "File:           " << path << '\n'
        << "Contacts:       " << figures.contacts << '\n'
        << "Unique calls:   " << figures.uniqueCalls << '\n'
        << "First date:     " << figures.firstDate << '\n'
        << "Last date:      " << figures.lastDate << '\n'
        << "DXCC entities:  " << figures.entitiesWorked() << " worked, "
        << figures.entitiesConfirmed << " confirmed\n";
    out << "\nBand        Contacts  DXCC worked  confirmed\n";
    for (size_t band = 0; band < figures.bands.size(); ++band)
        out << std::left << std::setw(10) << shown(figures.bands[band]) << std::right
            << std::setw(10) << figures.bandContacts[band] << std::setw(13)
            << figures.bandEntitiesWorked[band] << std::setw(11)
            << figures.bandEntitiesConfirmed[band] << '\n';
    out << "\nMode        Contacts\n";
    for (size_t mode = 0; mode < figures.modes.size(); ++mode)
        out << std::left << std::setw(10) << shown(figures.modes[mode]) << std::right
            << std::setw(10) << figures.modeContacts[mode] << '\n';
    out << "\nYear        Contacts\n";
    for (const LogStatistics::YearCount &year : figures.years)
        out << std::left << std::setw(10) << shown(year.year) << std::right << std::setw(10)
            << year.contacts << '\n';
}

int reportFormatError(const std::string &path, const AdifFile &file, std::ostream &err)
{
    std::string report = outcomeReportText(file.result().status, file.result().position);
    std::replace(report.begin(), report.end(), '\r', ' ');
    std::replace(report.begin(), report.end(), '\n', ' ');
    err << "vaziduvu-cli: " << path << ": " << report << '\n';
    return CliFormatError;
}

int reportTooBig(const std::string &path, std::ostream &err)
{
    err << "vaziduvu-cli: " << path << ": " << kTooBigMessage << '\n';
    return CliFormatError;
}

void writeFigures(std::ostream &out, bool json, bool pretty, const std::string &path,
                  TextEncoding encoding, const LogStatistics &figures)
{
    if (json)
        writeJson(out, pretty, path, encoding, figures);
    else
        writeText(out, path, figures);
}

}  // namespace

int runStatsCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err)
{
    bool json = false;
    bool pretty = false;
    const std::optional<std::string> path
        = readableLogArgument("stats [--json]", args, pretty, json, err);
    if (!path)
        return CliUsageError;
    if (options.batchRecords > 0) {
        StreamedLog log(*path, options, err);
        const OpenStatus status = log.survey();
        if (status == OpenStatus::Unreadable)
            return CliUsageError;
        if (status == OpenStatus::FormatError)
            return reportFormatError(*path, log.file(), err);
        if (status != OpenStatus::Loaded)
            return reportTooBig(*path, err);
        LogStatisticsCounter counter;
        if (!log.forEachBatch([&counter](LogDocument &batch, int) {
                counter.add(batch);
                return true;
            })) {
            err << "vaziduvu-cli: reading '" << *path << "' failed (out of memory)\n";
            return CliUsageError;
        }
        writeFigures(out, json, pretty, *path, log.file().textEncoding(), counter.figures());
        return CliOk;
    }
    const OpenedLog opened = openCommandLog(*path, options, err);
    if (opened.status == OpenStatus::Unreadable)
        return CliUsageError;
    if (opened.status == OpenStatus::FormatError)
        return reportFormatError(*path, *opened.file, err);
    if (!opened)
        return reportTooBig(*path, err);
    writeFigures(out, json, pretty, *path, opened.document->textEncoding(),
                 LogStatistics::of(*opened.document));
    return CliOk;
}

}  // namespace vaziduvu
