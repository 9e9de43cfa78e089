#pragma once

#include "adif/adif_mode.h"
#include "document/grid_change.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vaziduvu {

// Little-endian bytes of a journal record, written and read back.
class RecordWriter {
public:
    void u8(uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void i32(int32_t value);
    void i64(int64_t value);
    void text(std::string_view value);
    std::string &bytes() { return bytes_; }

private:
    std::string bytes_;
};

// Reads what a RecordWriter wrote; every read fails (false) past the end,
// so a damaged record is refused, never read beyond.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes)
        : bytes_(bytes)
    {
    }
    bool u8(uint8_t &value);
    bool i32(int32_t &value);
    bool i64(int64_t &value);
    bool text(std::string &value);
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

uint32_t crc32Of(std::string_view bytes);
// FNV-1a (64 bits) of a file's bytes: tells whether a log is still the one
// the changes were made to.
uint64_t contentHash(std::string_view bytes);

// What the journal knows of the log the changes were made to.
struct JournalSource {
    std::string path;  // empty: a new log, never saved
    int64_t size = 0;
    int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch
    uint64_t hash = 0;       // contentHash of the bytes loaded
    AdifMode mode = AdifMode::Classic;
};

// One step of the edit history as the journal keeps it. The steps replayed
// in order onto the log as loaded rebuild the history: its steps, merges,
// undos and redos.
struct JournalStep {
    enum class Kind : uint8_t {
        Change = 'P',        // a recorded change of cells and trailers
        RemoveRows = 'R',    // rows removed
        RemoveColumn = 'C',  // a column removed
        ReorderRows = 'O',   // the data rows put in a new order (rows: the new order)
        Group = 'G',         // steps made as one (parts), undone and redone together
        Undo = 'U',
        Redo = 'D',
    };
    Kind kind = Kind::Undo;
    int64_t madeAt = 0;   // seconds since the epoch
    std::string text;     // the step's name in the Edit menu
    bool merged = false;  // Change: folded into the step before it
    int column = -1;      // Change: the one cell of an edit that merges; RemoveColumn: the column
    int row = -1;
    std::vector<int> rows;           // RemoveRows; ReorderRows
    GridChange change;               // Change
    std::vector<JournalStep> parts;  // Group: in the order they are made

    // The step's record. mergedFlagOffset: where markMerged sets the flag.
    static std::string encodeChange(const std::string &text, int column, int row,
                                    const GridChange &change, int64_t madeAt);
    static std::string encodeRemoveRows(const std::string &text, const std::vector<int> &rows,
                                        int64_t madeAt);
    static std::string encodeReorderRows(const std::string &text, const std::vector<int> &order,
                                         int64_t madeAt);
    static std::string encodeRemoveColumn(const std::string &text, int column, int64_t madeAt);
    static std::string encodeMove(bool undo, int64_t madeAt);
    // parts: the records of the group's steps (never a group themselves).
    static std::string encodeGroup(const std::string &text, const std::vector<std::string> &parts,
                                   int64_t madeAt);
    // The change was merged into the step before it when pushed.
    static void markMerged(std::string &record);
    static std::optional<JournalStep> decode(std::string_view record);
};

// Makes a step's record when called: a large change is encoded by the
// journal's thread, not by the one that made the change. It must hold
// (share, never refer to) what it encodes.
using RecordMaker = std::function<std::string()>;

// What a journal file holds, as far as it can be read.
struct JournalContents {
    enum class Status {
        Empty,       // cut short before its first change: nothing was written to restore
        Ok,          // every record read
        TornTail,    // the last record was cut short or damaged: the ones before it are read
        Unreadable,  // no header: nothing can be restored
    };
    Status status = Status::Unreadable;
    JournalSource source;
    int64_t startedAt = 0;
    std::vector<JournalStep> steps;
    std::string problem;  // why a journal is unreadable or torn

    static JournalContents read(const std::string &path);
    static JournalContents parse(std::string_view bytes);
};

// The recovery journal of one log with unsaved changes: a file of records,
// each framed by its length and a checksum, so a tail cut by a crash is
// recognised and left out. Records are appended and synced to the disk
// (fsync) by a thread of the journal's own, so the caller never waits for
// the disk. Beside the journal, the same thread keeps a copy of the loaded
// log's bytes (sourceCopyPath), so the changes can be restored even when
// the log was changed since.
class RecoveryJournal {
public:
    static constexpr std::string_view kMagic{"VAZIDUVU-JOURNAL-1\n"};
    static constexpr std::string_view kExtension{".journal"};

    // Starts a journal at `path` (a file that must not exist yet). `loaded`
    // is the text the log was loaded from (shared, not copied; none for a new
    // log); its hash and copy are made by the journal's thread.
    RecoveryJournal(std::string path, JournalSource source,
                    std::shared_ptr<const std::string> loaded, int64_t startedAt);
    // Stops the thread after writing what is queued; the file stays.
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;

    // Queues a step's record (made with JournalStep::encode...).
    void append(std::string record);
    // Queues a record that the journal's thread makes, in its turn.
    void append(RecordMaker make);
    // Blocks until everything queued is on the disk.
    void waitUntilWritten();
    // Stops and removes the journal and its copy of the log.
    void discard();
    const std::string &path() const { return path_; }
    // False once a write failed (a full disk): the journal then protects
    // only what was written before.
    bool healthy() const;

    static std::string sourceCopyPath(const std::string &journalPath);
    // Frames a record as it is stored: length, checksum, bytes.
    static std::string frame(std::string_view record);
    static void removeFiles(const std::string &journalPath);

private:
    void run();
    bool writeHeader(int fd);
    void writeSourceCopy();

    std::string path_;
    int fd_ = -1;
    JournalSource source_;
    std::shared_ptr<const std::string> loaded_;
    int64_t startedAt_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    std::deque<RecordMaker> queue_;
    bool stopping_ = false;
    bool discarding_ = false;
    bool busy_ = false;
    bool copyPending_ = false;
    bool healthy_ = true;
    std::thread thread_;
};

}  // namespace vaziduvu
