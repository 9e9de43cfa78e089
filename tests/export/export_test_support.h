#pragma once

#include "adif/field_catalogue.h"
#include "adif/tag_record.h"
#include "document/log_document.h"
#include "export/export_host.h"
#include "test_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace vaziduvu::test {

// Records everything a writer asks of its surroundings and answers with
// fixed settings.
class ScriptedExportHost : public ExportHost {
public:
    void showMessage(const std::string &header, const std::string &text) override
    {
        messages.emplace_back(header, text);
    }
    void showPlainMessage(const std::string &text) override { plainMessages.push_back(text); }
    void selectCell(int column, int row) override { selections.emplace_back(column, row); }
    void showProgress(const std::string &text, bool last) override
    {
        progress.push_back(text);
        lastFlags.push_back(last);
    }
    bool omitEmptyFieldTags() const override { return omit; }
    std::string exportDate() override { return date; }
    int latestYear() override { return year; }
    DriveType driveTypeOf(const std::string &path) override
    {
        drivePaths.push_back(path);
        return drive;
    }
    bool continueAfterRow(int, int) override
    {
        return stopAfterRows < 0 || rowsSeen++ < stopAfterRows;
    }

    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::string> plainMessages;
    std::vector<std::pair<int, int>> selections;
    std::vector<std::string> progress;
    std::vector<bool> lastFlags;
    std::vector<std::string> drivePaths;

    bool omit = false;
    std::string date = "12/31/25";
    int year = 2026;
    DriveType drive = DriveType::Fixed;
    int stopAfterRows = -1;  // the user stops after this many rows; -1: never
    int rowsSeen = 0;
};

// One column of a test grid: its heading, the field name kept in its records
// and their data type.
struct ColumnSpec {
    std::string name;
    uint8_t dataType = TypeCharacter;
    bool hasType = false;
};

inline TagRecord makeRecord(const ColumnSpec &column, const std::string &value)
{
    TagRecord record;
    record.kind = findCatalogueEntry(column.name) ? TagKnownField : TagUserField;
    record.hasLength = true;
    record.declaredLength = static_cast<int32_t>(value.size());
    record.hasType = column.hasType;
    record.dataType = column.dataType;
    record.isTimeOn = isTimeFieldName(column.name);
    record.name = column.name;
    record.value = value;
    record.rawTag = "<" + column.name + ":" + std::to_string(value.size()) + ">";
    return record;
}

// Lays out a loaded document the way a load does: headings in row 0, a record
// behind every data cell holding the cell's text, "\r\n" trailers.
inline void fillGrid(LogDocument &document, const std::vector<ColumnSpec> &columns,
                     const std::vector<std::vector<std::string>> &rows)
{
    const int columnCount = static_cast<int>(columns.size());
    const int rowCount = static_cast<int>(rows.size());
    document.setSize(columnCount + 1, rowCount + 1);
    document.setText(0, 0, "RECORD #");
    for (int c = 1; c <= columnCount; ++c)
        document.setText(c, 0, columns[c - 1].name);
    for (int r = 1; r <= rowCount; ++r) {
        document.setText(0, r, std::to_string(r));
        for (int c = 1; c <= columnCount; ++c) {
            const std::string &text = rows[r - 1][c - 1];
            document.setCellInfo(c, r, makeRecord(columns[c - 1], text));
            document.setText(c, r, text);
        }
        document.setRecordTrailer(r - 1, "\r\n");
    }
    document.setDocumentCounts(columnCount, rowCount);
    document.setDocumentOpen(true);
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "vaziduvu-export-XXXXXX").string();
        if (char *made = mkdtemp(pattern.data()))
            path_ = made;
    }
    ~TempFolder()
    {
        std::error_code error;
        if (!path_.empty())
            std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline bool fileExists(const std::string &path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Names of the entries of a folder (hidden ones included), sorted.
inline std::vector<std::string> filesIn(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vaziduvu::test
