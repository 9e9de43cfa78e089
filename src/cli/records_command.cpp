#include "adif/adif_batch_reader.h"
#include "adif/adif_file.h"
#include "adif/text.h"
#include "cli/console_progress.h"
#include "cli/dump_command.h"
#include "cli/json_writer.h"

#include <string_view>
#include <utility>
#include <vector>

namespace vaziduvu {

namespace {

// A field of a record: its name's number (equal numbers, equal names), the
// name and the value.
struct Field {
    int id;
    std::string_view name;
    std::string_view value;
};
using Fields = std::vector<Field>;

// A field repeated in one record keeps its place and its last value. Names
// are told apart by their numbers, so a record of many fields costs no
// string comparisons.
void setField(Fields &fields, int id, std::string_view name, std::string_view value)
{
    for (Field &field : fields) {
        if (field.id == id) {
            field.value = value;
            return;
        }
    }
    fields.push_back({id, name, value});
}

void writeFields(JsonWriter &json, const Fields &fields)
{
    json.beginObject();
    for (const Field &field : fields) {
        json.key(field.name);
        json.value(field.value);
    }
    json.endObject();
}

// The header's fields: tags with a length, "<ADIF_VER:5>3.1.6"; text around
// them is the header's prose.
Fields headerFields(std::string_view header, std::vector<std::string> &names)
{
    Fields fields;
    std::vector<std::pair<size_t, std::string_view>> found;
    for (size_t open = header.find('<'); open != std::string_view::npos;
         open = header.find('<', open + 1)) {
        const size_t close = header.find('>', open);
        if (close == std::string_view::npos)
            break;
        const std::string_view inner = header.substr(open + 1, close - open - 1);
        const size_t colon = inner.find(':');
        if (colon == std::string_view::npos || colon == 0)
            continue;
        size_t length = 0;
        const std::string_view digits
            = inner.substr(colon + 1, inner.find(':', colon + 1) - colon - 1);
        if (digits.empty() || !isDigits(digits) || digits.size() > 9)
            continue;
        for (const char d : digits)
            length = length * 10 + static_cast<size_t>(d - '0');
        names.push_back(upperText(inner.substr(0, colon)));
        found.emplace_back(names.size() - 1, header.substr(close + 1, length));
    }
    for (const auto &[index, value] : found) {
        // The first header name spelled the same gives the number.
        size_t id = index;
        for (size_t earlier = 0; earlier < index; ++earlier) {
            if (names[earlier] == names[index]) {
                id = earlier;
                break;
            }
        }
        setField(fields, static_cast<int>(id), names[index], value);
    }
    return fields;
}

// The records of the stored tags of `file` (a whole load or one batch):
// each record is written at its end marker. False after the end-of-file
// marker: nothing after it is a record.
bool writeRecords(JsonWriter &json, const AdifFile &file, Fields &record)
{
    for (int slot = 0; slot < file.storedTagCount(); ++slot) {
        const TagFields tag = file.storedTag(slot);
        if (tag.kind == TagEndOfFile)
            return false;
        if (tag.kind == TagEndOfRecord) {
            writeFields(json, record);
            record.clear();
            continue;
        }
        if (tag.kind == TagKnownField || tag.kind == TagUserField)
            setField(record, tag.nameIndex, file.tagNames()[static_cast<size_t>(tag.nameIndex)],
                     file.valueOf(tag));
    }
    return true;
}

void beginRecords(JsonWriter &json, const AdifFile &file)
{
    json.beginObject();
    json.key("header");
    std::vector<std::string> headerNames;
    headerNames.reserve(64);
    writeFields(json, headerFields(file.headerText(), headerNames));
    json.key("records");
    json.beginArray();
}

void endRecords(JsonWriter &json, const AdifFile &file, const Fields &record)
{
    if (file.lastRecordStart() >= 0)
        writeFields(json, record);
    json.endArray();
    json.endObject();
    json.finish();
}

int formatError(const AdifFile &file, std::ostream &err)
{
    err << outcomeReportText(file.result().status, file.result().position) << '\n';
    return CliFormatError;
}

// A batch at a time: a first read finds the outcome (nothing is written for
// a log with a format error), the second writes the records as it goes.
int streamRecords(const std::string &path, const CliOptions &options, bool pretty,
                  std::ostream &out, std::ostream &err)
{
    AdifBatchReader reader(options.mode);
    ConsoleProgress progress(err);
    progress.begin("reading " + path);
    if (reader.open(path)) {
        while (reader.next(options.batchRecords)) {
            const auto batch = reader.file().loadedText();
            if (options.progress)
                progress.advance(static_cast<int64_t>(batch->base + batch->source.size()),
                                 reader.file().fileSize());
        }
    }
    progress.finish();
    if (!reader.file().result())
        return formatError(reader.file(), err);
    if (!reader.open(path)) {
        err << "vaziduvu-cli: reading '" << path << "' failed (out of memory)\n";
        return CliUsageError;
    }
    JsonWriter json(out, pretty, reader.file().textEncoding());
    beginRecords(json, reader.file());
    Fields record;
    while (reader.next(options.batchRecords) && writeRecords(json, reader.file(), record)) { }
    endRecords(json, reader.file(), record);
    return CliOk;
}

}  // namespace

int runRecordsCommand(const std::vector<std::string> &args, const CliOptions &options,
                      std::ostream &out, std::ostream &err)
{
    bool pretty = false;
    const std::optional<std::string> path = readableLogArgument("records", args, pretty, err);
    if (!path)
        return CliUsageError;
    if (options.batchRecords > 0)
        return streamRecords(*path, options, pretty, out, err);
    AdifFile file;
    if (!loadLog(*path, file, options, err))
        return CliUsageError;
    if (!file.result())
        return formatError(file, err);

    JsonWriter json(out, pretty, file.textEncoding());
    beginRecords(json, file);
    Fields record;
    writeRecords(json, file, record);
    endRecords(json, file, record);
    return CliOk;
}

}  // namespace vaziduvu
