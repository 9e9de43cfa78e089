#include "export/save_flow.h"

#include "adif/text.h"
#include "export/writers.h"

#include <filesystem>
#include <system_error>

namespace vaziduvu {

const char *const kNoDocumentToSaveMessage =
    "First open a file to edit, and then you can save to an export file.";
const char *const kExistingFileNameMessage =
    "Cannot use existing file name.  Select a new file name.";
const char *const kFileNotSavedMessage = "File could not be saved";
const char *const kUnexpectedSaveFailureMessage =
    "Problem on file save ... Check your file to be sure that it is correct.";

int ExportTypeTest(const std::string &path, const std::string &extension)
{
    try {
        const std::string upper = upperText(path);
        const size_t width = extension.size();
        for (size_t i = 1; i < upper.size(); ++i) {
            if (upper.compare(i - 1, width, extension) != 0)
                continue;
            // At end when at most one character follows the match.
            return upper.size() > i + width ? ExportTypeElsewhere : ExportTypeAtEnd;
        }
        return ExportTypeAbsent;
    } catch (...) {
        return ExportTypeElsewhere;
    }
}

std::string CompanionName(const std::string &path)
{
    try {
        const size_t separator = path.find_last_of("/\\");
        const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
        const size_t dot = path.rfind('.');
        if (dot == std::string::npos || dot < nameStart)
            return path + ".BADI";
        return path.substr(0, dot + 1) + "BADI";
    } catch (...) {
        return std::string();
    }
}

namespace {

bool pathExists(const std::string &path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    return std::filesystem::exists(status);
}

bool runWithCompanion(bool (*writer)(LogDocument &, const std::string &, uint8_t &, ExportHost &),
                      LogDocument &document, const std::string &target, uint8_t &exportStatus,
                      ExportHost &host)
{
    const std::string companion = CompanionName(target);
    if (companion.empty() || pathExists(companion))
        return false;
    if (!ExportAdif(document, companion, exportStatus, host))
        return false;
    return writer(document, target, exportStatus, host);
}

}  // namespace

bool RunExportWriters(LogDocument &document, const std::string &target, uint8_t &exportStatus,
                      ExportHost &host)
{
    bool written = false;
    if (ExportTypeTest(target, ".XML") == ExportTypeAtEnd)
        written = runWithCompanion(ExportXml, document, target, exportStatus, host);
    else if (ExportTypeTest(target, ".HTM") == ExportTypeAtEnd)
        written = runWithCompanion(ExportHtml, document, target, exportStatus, host);
    else if (ExportTypeTest(target, ".HTM") != ExportTypeElsewhere)
        written = ExportAdif(document, target, exportStatus, host);
    return written && exportStatus == ExportOk;
}

std::pair<std::string, std::string> SaveNotice(bool lengthDiscrepancy)
{
    if (lengthDiscrepancy) {
        return {"Problem:",
                "Some values in the grid have incorrect data length  specifiers.  These invalid "
                "length specifiers will be corrected  in the new unique export file that we now "
                "will create ...  \r\n Your original file will not be altered. "};
    }
    return {"Information:",
            "We will now create a new unique export file ...  \r\n Your original file will not "
            "be altered. "};
}

}  // namespace vaziduvu
