#include "cli/dupes_command.h"

#include "adif/adif_file.h"
#include "adif/text.h"
#include "cli/json_writer.h"
#include "document/duplicates.h"
#include "document/log_document.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace vaziduvu {

LineIndex::LineIndex(const std::string &text)
{
    starts_.push_back(0);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            starts_.push_back(static_cast<int64_t>(i) + 1);
    }
}

int LineIndex::lineOf(int64_t offset) const
{
    return static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), offset)
                            - starts_.begin());
}

std::vector<int64_t> recordStartOffsets(const AdifFile &file)
{
    std::vector<int64_t> starts;
    int64_t first = -1;
    for (int slot = 0; slot < file.storedTagCount(); ++slot) {
        const TagFields tag = file.storedTag(slot);
        if (tag.kind == TagEndOfFile)
            break;
        if (tag.tagLength == 0)
            continue;
        if (tag.kind == TagEndOfRecord) {
            starts.push_back(first >= 0 ? first : tag.tagOffset);
            first = -1;
        } else if (first < 0) {
            first = tag.tagOffset;
        }
    }
    if (first >= 0)
        starts.push_back(first);
    return starts;
}

bool readWindowOption(const std::vector<std::string> &args, size_t &i, int &minutes,
                      std::ostream &err)
{
    const bool digits = i + 1 < args.size() && !args[i + 1].empty() && args[i + 1].size() <= 6
        && std::all_of(args[i + 1].begin(), args[i + 1].end(),
                       [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        err << "vaziduvu-cli: --window takes a number of minutes (0 or more)\n";
        return false;
    }
    minutes = std::stoi(args[++i]);
    return true;
}

OpenedLog openLogForCommand(const std::string &path, const CliOptions &options, std::ostream &err,
                            int &status)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path, std::ios::binary)) {
        err << "vaziduvu-cli: cannot read '" << path << "'\n";
        status = CliUsageError;
        return {};
    }
    OpenedLog opened = openLog(path, options.mode);
    status = CliOk;
    if (opened.status == OpenStatus::Unreadable) {
        err << "vaziduvu-cli: reading '" << path << "' failed (out of memory)\n";
        status = CliUsageError;
    } else if (!opened) {
        const std::string report
            = opened.refusalReport().empty() ? std::string(kTooBigReport) : opened.refusalReport();
        err << path << ": " << report;
        if (report.back() != '\n')
            err << '\n';
        status = CliFormatError;
    }
    return opened;
}

int runDupesCommand(const std::vector<std::string> &args, const CliOptions &options,
                    std::ostream &out, std::ostream &err)
{
    bool json = false;
    int window = 5;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i] == "--window") {
            if (!readWindowOption(args, i, window, err))
                return CliUsageError;
        } else
            files.push_back(args[i]);
    }
    if (files.size() != 1) {
        err << "usage: vaziduvu-cli dupes [--json] [--window MINUTES] FILE\n";
        return CliUsageError;
    }
    const std::string &path = files.front();
    int status = CliOk;
    const OpenedLog opened = openLogForCommand(path, options, err, status);
    if (!opened)
        return CliUsageError;
    const LogDocument &document = *opened.document;
    const std::vector<ContactKey> keys = contactKeysOf(document);
    const std::vector<DuplicateGroup> groups = findDuplicateGroups(keys, window);
    const int duplicates = duplicateCount(groups);

    if (json) {
        JsonWriter writer(out, false, opened.file->textEncoding());
        writer.beginObject();
        writer.member("file", path);
        writer.member("window", int64_t{window});
        writer.key("groups");
        writer.beginArray();
        for (const DuplicateGroup &group : groups) {
            const ContactKey &key = keys[static_cast<size_t>(group.members.front())];
            writer.beginObject();
            writer.key("records");
            writer.beginArray();
            for (const int member : group.members)
                writer.value(int64_t{member} + 1);
            writer.endArray();
            writer.member("call", key.call);
            writer.member("band", key.band);
            writer.member("mode", key.mode);
            writer.endObject();
        }
        writer.endArray();
        writer.member("duplicates", int64_t{duplicates});
        writer.endObject();
        writer.finish();
        return duplicates > 0 ? CliFormatError : CliOk;
    }

    // Each later member against its group's first, in file order.
    std::vector<std::pair<int, int>> lines;
    for (const DuplicateGroup &group : groups) {
        for (size_t i = 1; i < group.members.size(); ++i)
            lines.emplace_back(group.members[i], group.members.front());
    }
    std::sort(lines.begin(), lines.end());
    if (!lines.empty()) {
        const std::vector<int64_t> starts = recordStartOffsets(*opened.file);
        const LineIndex index(opened.file->sourceText());
        const KeyColumns columns = keyColumnsOf(document);
        auto cell = [&](int column, int row) {
            return column > 0 ? trimText(document.text(column, row)) : std::string();
        };
        for (const auto &[later, first] : lines) {
            const ContactKey &key = keys[static_cast<size_t>(later)];
            const int row = later + 1;
            const int64_t offset = static_cast<size_t>(later) < starts.size()
                ? starts[static_cast<size_t>(later)]
                : 0;
            out << path << ':' << index.lineOf(offset) << ": record " << row
                << " duplicates record " << first + 1 << " (" << key.call << ' ' << key.band << ' '
                << key.mode << ' ' << cell(columns.date, row) << ' ' << cell(columns.time, row)
                << ")\n";
        }
    }
    if (duplicates == 0)
        out << path << ": no duplicates in " << keys.size() << " contacts (window " << window
            << " minutes)\n";
    else
        out << path << ": " << duplicates << (duplicates == 1 ? " duplicate" : " duplicates")
            << " in " << groups.size() << (groups.size() == 1 ? " group" : " groups") << " of "
            << keys.size() << " contacts (window " << window << " minutes)\n";
    return duplicates > 0 ? CliFormatError : CliOk;
}

}  // namespace vaziduvu
