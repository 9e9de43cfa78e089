#include "cli/dump_command.h"

#include "adif/adif_file.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

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

nlohmann::ordered_json tagJson(const TagRecord &tag)
{
    return nlohmann::ordered_json{
        {"kind", tag.kind},
        {"kindName", kindName(tag.kind)},
        {"hasLength", tag.hasLength},
        {"declaredLength", tag.declaredLength},
        {"hasType", tag.hasType},
        {"dataType", tag.dataType},
        {"isTimeOn", tag.isTimeOn},
        {"name", latin1ToUtf8(tag.name)},
        {"value", latin1ToUtf8(tag.value)},
        {"comment", latin1ToUtf8(tag.comment)},
        {"rawTag", latin1ToUtf8(tag.rawTag)},
    };
}

nlohmann::ordered_json parseJson(const std::string &path, const AdifFile &file)
{
    const ParseResult outcome = file.result();
    nlohmann::ordered_json fieldNames = nlohmann::ordered_json::array();
    for (const std::string &name : file.fieldNames())
        fieldNames.push_back(latin1ToUtf8(name));
    nlohmann::ordered_json tags = nlohmann::ordered_json::array();
    for (int slot = 0; slot < file.storedTagCount(); ++slot)
        tags.push_back(tagJson(file.tagAt(slot)));

    nlohmann::ordered_json result;
    result["file"] = path;
    result["outcome"] = {
        {"code", static_cast<int>(outcome.status)},
        {"name", outcomeName(outcome.status)},
        {"errorPosition", outcome.position},
        {"errorLength", outcome.length},
        {"report", outcomeReportText(outcome.status, outcome.position)},
    };
    result["counts"] = {
        {"leftBrackets", file.leftBracketCount()},
        {"rightBrackets", file.rightBracketCount()},
        {"records", file.recordCount()},
    };
    result["headerExpected"] = file.headerExpected();
    result["fileSize"] = file.fileSize();
    result["fieldNames"] = std::move(fieldNames);
    result["header"] = latin1ToUtf8(file.headerText());
    result["tags"] = std::move(tags);
    return result;
}

}  // namespace

std::string latin1ToUtf8(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result += c;
        } else {
            result += static_cast<char>(0xC0 | (byte >> 6));
            result += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return result;
}

int runDumpCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (args.size() != 1) {
        err << "usage: vaziduvu-cli dump FILE\n";
        return CliUsageError;
    }
    const std::string &path = args[0];
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        err << "vaziduvu-cli: cannot read '" << path << "': no such file\n";
        return CliUsageError;
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        err << "vaziduvu-cli: cannot read '" << path << "': not a regular file\n";
        return CliUsageError;
    }
    if (!std::ifstream(path, std::ios::binary).is_open()) {
        err << "vaziduvu-cli: cannot read '" << path << "': permission denied or unreadable\n";
        return CliUsageError;
    }

    AdifFile file;
    if (!file.load(path)) {
        err << "vaziduvu-cli: reading '" << path << "' failed (out of memory)\n";
        return CliUsageError;
    }
    out << parseJson(latin1ToUtf8(path), file).dump(2) << '\n';
    return file.result().status == ParseStatus::Ok ? CliOk : CliFormatError;
}

}  // namespace vaziduvu
