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

// Chooses and runs the writers for the target by the type test: for XML and
// HTML targets first exportAdif on the companion name (an existing companion
// fails the save before anything is written), then the XML or HTML writer
// only when the companion was written; exportAdif on the target for every
// other name, except one with ".HTM" elsewhere in it, which is refused
// without running anything. A pair is written whole or not at all: when the
// XML or HTML writer fails, the companion it follows is removed again.
ExportResult runExportWriters(LogDocument &document, const std::string &target, ExportHost &host);

// "File could not be saved", followed on a line of its own by the reason
// of a refusal (a failed check has shown its own message already).
std::string fileNotSavedMessage(const ExportResult &result);

// The notice shown before writing: header and text.
std::pair<std::string, std::string> saveNotice(bool lengthDiscrepancy);

}  // namespace vaziduvu
