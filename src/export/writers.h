#pragma once

#include "export/export_host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

class LogDocument;
class CurrentChecks;
struct TagRecord;

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
// A document in the Current ADIF mode is checked by CurrentChecks (ADIF
// 3.1.6) instead, in the same two passes; its ADIF values may hold < and >
// (their length delimits them, lengths count bytes), and a UTF-8 document's
// XML and HTML declare UTF-8. Classic documents are written as always.
//
// The result is CheckFailed when a check failed (the message shown and the
// cell selected through the host), Refused when the column gate stopped the
// export (a column without usable record, valid type or field name: no
// message, the reason names the column). Rewrites made by the checks and cell
// records created for blank cells stay in the document either way.
struct ExportText {
    ExportResult result;
    std::string text;  // the whole file, when the result is Written
};
ExportText buildExportText(ExportFormat format, LogDocument &document, ExportHost &host);

// One problem a check found: the cell (grid coordinates), or with row 0 the
// column as a whole, and the message the export would show.
struct LogProblem {
    int column = 0;
    int row = 0;
    std::string message;
};

// Every check the writers of the format run, over every cell, without
// stopping at the first failure and without showing anything: the problems
// in grid order. The checks' rewrites (trimming, upper-casing) are made in
// the document as an export would make them, so a caller that must keep
// the grid as it is checks a copy.
std::vector<LogProblem> checkLog(ExportFormat format, LogDocument &document, ExportHost &host);

// The value checks checkLog runs on one cell whose record is given, in the
// same order, with the same messages and the same tidying of the cell:
// the messages of those that fail. `current` holds the Current mode's
// checks of the document (nullptr: the Classic checks). The column gate and
// the carriage check are not run.
std::vector<std::string> cellProblems(LogDocument &document, CurrentChecks *current,
                                      const TagRecord &record, int column, int row, int latestYear,
                                      bool adifWriter);

// The three writers: the same passes and checks as buildExportText, with
// the file written as writeExportFile writes it. Where the target folder
// allows, the text goes to an unnamed file while it is built, a piece at a
// time, and the file is named once it is whole and on the disk; a failed
// check or a stop leaves nothing behind. A .badi file is the ADIF writer's
// output under a .badi name.
ExportResult exportAdif(LogDocument &document, const std::string &path, ExportHost &host);
ExportResult exportXml(LogDocument &document, const std::string &path, ExportHost &host);
ExportResult exportHtml(LogDocument &document, const std::string &path, ExportHost &host);

extern const char *const kRefusedDriveMessage;

// The one road of every export text to the disk. Refuses an empty path and
// any storage other than a removable or fixed drive (with the plain refused-
// drive notice). The text is written to an unnamed (or temporary) file in
// the target folder, flushed to the disk, and only then given its name,
// which never replaces an existing file, even one that appeared after the
// name was chosen. So the name holds the whole text or nothing: a failed or
// killed write leaves no file behind. A refusal's reason names the cause
// (the file exists, the folder is missing or read-only, the disk is full,
// the name is too long).
ExportResult writeExportFile(const std::string &path, std::string_view text, ExportHost &host);

// Removes a file this program has just written (the companion of a pair
// whose second file failed).
void removeExportFile(const std::string &path);

}  // namespace vaziduvu
