#include "export/save_flow.h"

#include "adif/text.h"
#include "export/file_system.h"
#include "export/writers.h"

#include <filesystem>
#include <system_error>

namespace vaziduvu {

const char *const kNoDocumentToSaveMessage
    = "First open a file to edit, and then you can save to an export file.";
const char *const kExistingFileNameMessage
    = "Cannot use existing file name.  Select a new file name.";
const char *const kFileNotSavedMessage = "File could not be saved";
const char *const kUnexpectedSaveFailureMessage
    = "Problem on file save ... Check your file to be sure that it is correct.";

ExtensionPlace extensionPlace(const std::string &path, const std::string &extension)
{
    const std::string upper = upperText(path);
    const size_t width = extension.size();
    for (size_t i = 1; i < upper.size(); ++i) {
        if (upper.compare(i - 1, width, extension) != 0)
            continue;
        // At the end when at most one character follows the match.
        return upper.size() > i + width ? ExtensionPlace::Elsewhere : ExtensionPlace::AtEnd;
    }
    return ExtensionPlace::Absent;
}

std::string companionName(const std::string &path)
{
    const size_t separator = path.find_last_of("/\\");
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + ".BADI";
    return path.substr(0, dot + 1) + "BADI";
}

ExportPlan planExport(const std::string &target)
{
    ExportPlan plan;
    plan.target = target;
    if (extensionPlace(target, ".XML") == ExtensionPlace::AtEnd) {
        plan.format = ExportFormat::Xml;
    } else {
        const ExtensionPlace html = extensionPlace(target, ".HTM");
        if (html == ExtensionPlace::AtEnd) {
            plan.format = ExportFormat::Html;
        } else {
            if (html == ExtensionPlace::Elsewhere)
                plan.refusal
                    = "\".HTM\" stands inside the name " + target + ", so its type is unclear.";
            return plan;
        }
    }
    plan.companion = companionName(target);
    return plan;
}

ExportResult runExportPlan(LogDocument &document, const ExportPlan &plan, ExportHost &host)
{
    if (plan.refused())
        return ExportResult::refused(plan.refusal);
    if (!plan.hasCompanion())
        return exportAdif(document, plan.target, host);
    if (pathExists(plan.companion))
        return ExportResult::refused("The companion file " + plan.companion + " already exists.");
    const ExportResult adif = exportAdif(document, plan.companion, host);
    if (!adif)
        return adif;
    ExportResult second = plan.format == ExportFormat::Xml
        ? exportXml(document, plan.target, host)
        : exportHtml(document, plan.target, host);
    if (!second)
        removeExportFile(plan.companion);
    return second;
}

ExportResult runExportWriters(LogDocument &document, const std::string &target, ExportHost &host)
{
    return runExportPlan(document, planExport(target), host);
}

std::string fileNotSavedMessage(const ExportResult &result)
{
    if (result.reason.empty())
        return kFileNotSavedMessage;
    return std::string(kFileNotSavedMessage) + "\r\n" + result.reason;
}

std::pair<std::string, std::string> saveNotice(bool lengthDiscrepancy)
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
