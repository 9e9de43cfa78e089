#pragma once

#include <cstdint>
#include <string>

namespace vaziduvu {

// Kind of storage holding a target folder.
enum class DriveType {
    Unknown,
    Removable,
    Fixed,
    Remote,
    CdRom,
    RamDisk,
    ReadOnly,  // a mount that cannot be written (never a save target)
};

// How an export ended.
enum class ExportStatus : uint8_t {
    Written,      // the file is complete on disk under its name
    CheckFailed,  // a value check failed: its message was shown, the cell selected
    Refused,      // nothing was written; the reason says what and where
    Stopped,      // the user stopped the export before it named its file
};

struct ExportResult {
    ExportStatus status = ExportStatus::Written;
    std::string reason;  // for Refused: one sentence naming the cause

    explicit operator bool() const { return status == ExportStatus::Written; }
    static ExportResult written() { return {}; }
    static ExportResult checkFailed() { return {ExportStatus::CheckFailed, {}}; }
    static ExportResult stopped() { return {ExportStatus::Stopped, {}}; }
    static ExportResult refused(std::string reason)
    {
        return {ExportStatus::Refused, std::move(reason)};
    }
};

// What a writer needs from its surroundings: the window shows messages,
// selects the failing cell and keeps its status bar moving; the command-line
// tool prints messages and ignores the rest. Tests script it.
class ExportHost {
public:
    virtual ~ExportHost() = default;

    // A report with a header line ("Problem:", "Information:", "Warning").
    virtual void showMessage(const std::string &header, const std::string &text) = 0;
    // The plain one-button box (the refused-drive notice).
    virtual void showPlainMessage(const std::string &text) = 0;
    virtual void selectCell(int column, int row) = 0;
    // "Prep Row : n" after each row of the sizing pass, and the closing
    // "Working to finish ..." text; the window also lets events run.
    virtual void showProgress(const std::string &text, bool last) = 0;
    // Called after every row of every pass (row of rows); false when the
    // user asked to stop. An export then ends Stopped before it names its
    // file; a check returns what it found so far.
    virtual bool continueAfterRow(int /*row*/, int /*rows*/) { return true; }

    virtual bool omitEmptyFieldTags() const = 0;
    // Today's date in the user's short date format.
    virtual std::string exportDate() = 0;
    // Latest year a date check accepts (the current year plus one).
    virtual int latestYear() = 0;
    // Kind of storage that holds the folder of the target path.
    virtual DriveType driveTypeOf(const std::string &path) = 0;
};

}  // namespace vaziduvu
