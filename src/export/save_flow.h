#pragma once

#include "export/export_host.h"

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

// Result of the type test for one extension text.
enum ExportTypeTestResult : int {
    ExportTypeAtEnd = 0,         // the path is of this type
    ExportTypeAbsent = 999,      // the extension text is nowhere in the path
    ExportTypeElsewhere = 1000,  // first found too far from the end (or the test failed)
};

// Looks for the extension text (".XML" or ".HTM") in the upper-cased path.
// Only the first occurrence counts; it is "at end" when at most one
// character follows it, so LOG.XML, LOG.HTM and LOG.HTML are all at end.
int ExportTypeTest(const std::string &path, const std::string &extension);

// Name of the ADIF copy written before an XML or HTML export: the file name
// cut after its last "." followed by "BADI", or the path followed by ".BADI"
// when the file name has no "." (dots in folder names do not count). Empty
// when it cannot be built.
std::string CompanionName(const std::string &path);

// Chooses and runs the writers for the target by the type test: for XML and
// HTML targets first ExportAdif on the companion name (an existing companion
// fails the save before anything is written), then the XML or HTML writer
// only when the companion was written; ExportAdif on the target for every
// other name, except one with ".HTM" elsewhere in it, which is refused
// without running anything. The caller sets exportStatus to ExportOk first.
// True when the last writer returned true and exportStatus is still ExportOk.
// A companion written before a failing writer stays on disk.
bool RunExportWriters(LogDocument &document, const std::string &target, uint8_t &exportStatus,
                      ExportHost &host);

// The notice shown before writing: header and text.
std::pair<std::string, std::string> SaveNotice(bool lengthDiscrepancy);

}  // namespace vaziduvu
