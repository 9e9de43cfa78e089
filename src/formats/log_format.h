#pragma once

#include "document/open_log.h"
#include "export/export_host.h"
#include "formats/cabrillo_format.h"
#include "formats/contact_log.h"

#include <optional>
#include <string>

namespace vaziduvu {

class LogDocument;

// The forms of a log this program reads and writes.
enum class LogFormat { Adif, Adx, Csv, Cabrillo };

// The form a file name says, by its extension in any letter case: .adi,
// .adif and .badi ADIF, .adx ADX, .csv CSV, .log and .cbr Cabrillo; nullopt
// for any other name.
std::optional<LogFormat> logFormatOfPath(const std::string &path);

const char *logFormatName(LogFormat format);
// The extension a new file of the form gets: "adi", "adx", "csv", "log".
const char *defaultExtensionOf(LogFormat format);

// What reading a non-ADIF file gave: the reader's contacts and messages and,
// when any contact was read, the log opened from them. `error` names why the
// file could not be read at all (it cannot be opened).
struct ImportedLog {
    ContactLog contacts;
    OpenedLog opened;
    std::string error;
};

// The contacts of an ADX, CSV or Cabrillo text (none for ADIF, which is
// opened, not read this way).
ContactLog readContacts(std::string_view bytes, LogFormat format, const ReadOptions &options);

// Reads an ADX, CSV or Cabrillo file and opens its contacts as a log; the
// lines that could not be read are left out and listed in
// contacts.problems (a caller that must not lose any refuses the log then).
ImportedLog importLogFile(const std::string &path, LogFormat format, const ReadOptions &options,
                          const OpenSteps &steps = {});
ImportedLog importLogBytes(std::string_view bytes, LogFormat format, const ReadOptions &options,
                           std::string_view origin, const OpenSteps &steps = {});

// Writes the document to a new file in the form: ADIF through the Save As
// writers (runExportWriters); ADX, CSV and Cabrillo after the checks of an
// ADIF export have passed (a failed check is shown through the host as in
// Save As), through writeExportFile, so the file is new, whole or absent.
// A value the form cannot carry refuses the export with the reason.
ExportResult exportLogFile(LogDocument &document, const std::string &path, LogFormat format,
                           const CabrilloWriteOptions &cabrillo, ExportHost &host);

}  // namespace vaziduvu
