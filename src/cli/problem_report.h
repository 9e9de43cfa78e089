#pragma once

#include "export/writers.h"

#include "adif/adif_mode.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace vaziduvu {

class AdifFile;
class JsonWriter;
class LogDocument;

// Where the commands of the tool point at a log's text: "FILE:LINE:COLUMN:"
// lines that editors can jump to. `check` and `fix` print their problems
// through here, so both say the same thing at the same place.

// One line of a report: a place in the file, the field and value concerned
// (empty for a problem of a whole column or of the file), and what is wrong.
struct ReportedProblem {
    int32_t offset = 0;  // in the file
    std::string field;
    std::string value;
    std::string message;
};

// The reader's format error as one report line at its position.
ReportedProblem formatErrorProblem(const AdifFile &file);

// Line and column (from 1) of a byte offset: lines end at "\n", "\r\n" or "\r".
std::pair<int, int> lineAndColumn(const std::string &text, int32_t offset);

// Where a cell's problem is reported: its value in the file; for a cell the
// file does not hold (a field missing from that record), the record's first
// value; for a whole column (row 0), the column's first value.
int32_t offsetOf(const LogDocument &document, int column, int row);

// The check problems as report lines, with the cells' texts as they are.
std::vector<ReportedProblem> reportedProblems(const LogDocument &document,
                                              const std::vector<LogProblem> &problems);

// "FILE:LINE:COLUMN: FIELD "value": message" lines, or with `json` one JSON
// array of objects (file, line, column, field, value, message).
void printProblems(std::ostream &out, const std::string &path, const AdifFile &file,
                   const std::vector<ReportedProblem> &found, bool json);

// The same, a few problems at a time (a log checked a batch at a time):
// `place` gives the line and column of an offset in the file.
class ProblemPrinter {
public:
    ProblemPrinter(std::ostream &out, std::string path, bool json, TextEncoding encoding);
    ~ProblemPrinter();
    void print(const ReportedProblem &problem, std::pair<int, int> place);
    // Ends the JSON array.
    void finish();

private:
    std::ostream &out_;
    const std::string path_;
    std::unique_ptr<JsonWriter> json_;
};

}  // namespace vaziduvu
