#pragma once

#include "export/export_host.h"
#include "export/writers.h"

#include <cstdint>
#include <string>
#include <utility>

namespace vaziduvu {

class LogDocument;

// Messages of the save-as flow (header "Problem:").
extern const char *const kNoDocumentToSaveMessage;
extern const char *const kExistingFileNameMessage;
extern const char *const kFileNotSavedMessage;
extern const char *const kUnexpectedSaveFailureMessage;

// Where an extension text stands in a target path.
enum class ExtensionPlace {
    AtEnd,      // the path is of this type
    Absent,     // the extension text is nowhere in the path
    Elsewhere,  // first found too far from the end
};

// Looks for the extension text (".XML" or ".HTM") in the upper-cased path.
// Only the first occurrence counts; it is at the end when at most one
// character follows it, so LOG.XML, LOG.HTM and LOG.HTML are all at the end.
ExtensionPlace extensionPlace(const std::string &path, const std::string &extension);

// Name of the ADIF copy written before an XML or HTML export: the file name
// cut after its last "." followed by "BADI", or the path followed by ".BADI"
// when the file name has no "." (dots in folder names do not count). Empty
// when it cannot be built.
std::string companionName(const std::string &path);

// What an export to a target path writes, worked out once from the path by
// the type test and read by every later step (the writers, the window's
// progress, the command line's report):
// - an XML or HTML target gets an ADIF copy under the companion name first;
// - a name with ".HTM" elsewhere in it is refused without running anything;
// - every other name is written as ADIF.
struct ExportPlan {
    std::string target;
    ExportFormat format = ExportFormat::Adif;
    std::string companion;  // the .BADI copy of an XML or HTML target; empty for ADIF
    std::string refusal;    // why the target is refused before anything is written

    bool refused() const { return !refusal.empty(); }
    bool hasCompanion() const { return !companion.empty(); }
    // Passes over the grid: two for each file written.
    int passes() const { return hasCompanion() ? 4 : 2; }
};

ExportPlan planExport(const std::string &target);

// Runs the plan's writers: for a pair, first the ADIF companion (an existing
// companion fails the save before anything is written), then the XML or HTML
// writer only when the companion was written. A pair is written whole or not
// at all: when the XML or HTML writer fails, the companion it follows is
// removed again.
ExportResult runExportPlan(LogDocument &document, const ExportPlan &plan, ExportHost &host);

// runExportPlan of the target's plan.
ExportResult runExportWriters(LogDocument &document, const std::string &target, ExportHost &host);

// "File could not be saved", followed on a line of its own by the reason
// of a refusal (a failed check has shown its own message already).
std::string fileNotSavedMessage(const ExportResult &result);

// The notice shown before writing: header and text.
std::pair<std::string, std::string> saveNotice(bool lengthDiscrepancy);

}  // namespace vaziduvu
