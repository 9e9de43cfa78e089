#include "cli/dump_command.h"

#include "adif/adif_file.h"
#include "cli/console_progress.h"
#include "cli/json_writer.h"
#include "document/open_log.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace vaziduvu {

namespace {

const char *kindName(uint8_t kind)
{
    switch (kind) {
    case TagKnownField:
        return "TagKnownField";
    case TagUserField:
        return "TagUserField";
    case TagNone:
        return "TagNone";
    case TagEndOfRecord:
        return "TagEndOfRecord";
    case TagEndOfFile:
        return "TagEndOfFile";
    default:
        return "TagUnknown";
    }
}

void writeTag(JsonWriter &json, const TagRecord &tag)
{
    json.beginObject();
    json.member("kind", int64_t{tag.kind});
    json.member("kindName", kindName(tag.kind));
    json.member("hasLength", tag.hasLength);
    json.member("declaredLength", int64_t{tag.declaredLength});
    json.member("hasType", tag.hasType);
    json.member("dataType", int64_t{tag.dataType});
    json.member("isTimeOn", tag.isTimeOn);
    json.member("name", tag.name);
    json.member("value", tag.value);
    json.member("comment", tag.comment);
    json.member("rawTag", tag.rawTag);
    json.endObject();
}

void writeParse(JsonWriter &json, const std::string &path, const AdifFile &file)
{
    const ParseResult outcome = file.result();
    json.beginObject();
    json.member("file", path);
    json.key("outcome");
    json.beginObject();
    json.member("code", int64_t{static_cast<int>(outcome.status)});
    json.member("name", outcomeName(outcome.status));
    json.member("errorPosition", int64_t{outcome.position});
    json.member("errorLength", int64_t{outcome.length});
    json.member("report", outcomeReportText(outcome.status, outcome.position));
    json.endObject();
    json.key("counts");
    json.beginObject();
    json.member("leftBrackets", int64_t{file.leftBracketCount()});
    json.member("rightBrackets", int64_t{file.rightBracketCount()});
    json.member("records", int64_t{file.recordCount()});
    json.endObject();
    json.member("headerExpected", file.headerExpected());
    json.member("fileSize", int64_t{file.fileSize()});
    json.key("fieldNames");
    json.beginArray();
    for (const std::string &name : file.fieldNames())
        json.value(name);
    json.endArray();
    json.member("header", file.headerText());
    json.key("tags");
    json.beginArray();
    for (int slot = 0; slot < file.storedTagCount(); ++slot)
        writeTag(json, file.tagAt(slot));
    json.endArray();
    json.endObject();
    json.finish();
}

}  // namespace

std::optional<std::string> readableLogArgument(const char *command,
                                               const std::vector<std::string> &args, bool &pretty,
                                               bool &json, std::ostream &err)
{
    json = false;
    std::vector<std::string> rest;
    for (const std::string &arg : args) {
        if (arg == "--json")
            json = true;
        else
            rest.push_back(arg);
    }
    return readableLogArgument(command, rest, pretty, err);
}

std::optional<std::string> readableLogArgument(const char *command,
                                               const std::vector<std::string> &args, bool &pretty,
                                               std::ostream &err)
{
    pretty = false;
    std::vector<std::string> files;
    for (const std::string &arg : args) {
        if (arg == "--pretty")
            pretty = true;
        else
            files.push_back(arg);
    }
    if (files.size() != 1) {
        err << "usage: vaziduvu-cli " << command << " [--pretty] FILE\n";
        return std::nullopt;
    }
    const std::string &path = files[0];
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        err << "vaziduvu-cli: cannot read '" << path << "': no such file\n";
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        err << "vaziduvu-cli: cannot read '" << path << "': not a regular file\n";
        return std::nullopt;
    }
    if (!std::ifstream(path, std::ios::binary).is_open()) {
        err << "vaziduvu-cli: cannot read '" << path << "': permission denied or unreadable\n";
        return std::nullopt;
    }
    return path;
}

bool loadLog(const std::string &path, AdifFile &file, const CliOptions &options, std::ostream &err)
{
    file.setMode(options.mode);
    ConsoleProgress progress(err);
    progress.begin("reading " + path);
    if (file.load(path, options.progress ? &progress : nullptr))
        return true;
    err << "vaziduvu-cli: reading '" << path << "' failed (out of memory)\n";
    return false;
}

OpenedLog openCommandLog(const std::string &path, const CliOptions &options, std::ostream &err)
{
    ConsoleProgress reading(err);
    reading.begin("reading " + path);
    OpenSteps steps;
    steps.reading = options.progress ? &reading : nullptr;
    OpenedLog opened = openLog(path, options.mode, steps);
    reading.finish();
    if (opened.status == OpenStatus::Unreadable)
        err << "vaziduvu-cli: reading '" << path << "' failed (out of memory)\n";
    return opened;
}

int runDumpCommand(const std::vector<std::string> &args, const CliOptions &options,
                   std::ostream &out, std::ostream &err)
{
    bool pretty = false;
    const std::optional<std::string> path = readableLogArgument("dump", args, pretty, err);
    if (!path)
        return CliUsageError;
    AdifFile file;
    if (!loadLog(*path, file, options, err))
        return CliUsageError;
    JsonWriter json(out, pretty, file.textEncoding());
    writeParse(json, *path, file);
    return file.result().status == ParseStatus::Ok ? CliOk : CliFormatError;
}

}  // namespace vaziduvu
