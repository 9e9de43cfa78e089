#pragma once

#include "export/export_host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vaziduvu {

class LogDocument;

enum class ExportFormat { Adif, Xml, Html };

// Header line of the ADIF export, before the date.
extern const char *const kAdifHeaderStart;

// Builds the export text of the whole grid in memory. Two passes over rows 1
// to last and columns 1 to last: the sizing pass applies the column gate and
// the date, time and number checks to every cell; the writing pass runs the
// date check again and then the nine enumerated checks, and assembles the
// text. So a date, time or number error anywhere in the grid is reported
// before any enumerated check runs.
//
// Returns nullopt when a check failed (exportStatus set to ExportCheckFailed,
// the message shown and the cell selected through the host) or when the
// column gate stopped the export (a column without usable record, valid type
// or field name: no message, exportStatus unchanged). Rewrites made by the
// checks and cell records created for blank cells stay in the document either
// way.
std::optional<std::string> BuildExportText(ExportFormat format, LogDocument &document,
                                           uint8_t &exportStatus, ExportHost &host);

// The three writers: BuildExportText followed by WriteExportFile. True when
// the file was written. A .badi file is the ADIF writer's output under a
// .badi name.
bool ExportAdif(LogDocument &document, const std::string &path, uint8_t &exportStatus,
                ExportHost &host);
bool ExportXml(LogDocument &document, const std::string &path, uint8_t &exportStatus,
               ExportHost &host);
bool ExportHtml(LogDocument &document, const std::string &path, uint8_t &exportStatus,
                ExportHost &host);

extern const char *const kRefusedDriveMessage;

// The one road of every export text to the disk. Refuses an empty path and
// any storage other than a removable or fixed drive (with the plain refused-
// drive notice). Creates the file exclusively: an existing file, even one
// that appeared after the name was chosen, is never overwritten. Writes the
// text in one go; when the write fails the partly written file is removed.
// An empty text gives an empty file.
bool WriteExportFile(const std::string &path, std::string_view text, ExportHost &host);

}  // namespace vaziduvu
