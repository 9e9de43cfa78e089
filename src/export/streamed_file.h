#pragma once

#include "export/export_host.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vaziduvu {

// An export file written while its text is still being built: the text goes
// to an unnamed file in the target folder a piece at a time, from a thread
// of its own, and the file gets its name only once the whole text is in it
// and on the disk. Destroyed before finish (a failed check, a stop, an
// error), it leaves nothing behind.
class StreamedExportFile {
public:
    // A piece of text worth handing on.
    static constexpr size_t kPieceSize = size_t{1} << 21;

    // Opens the unnamed file, showing and saying nothing. nullptr where the
    // file cannot be written this way: no name, not a writable local drive,
    // the name taken, a file system without unnamed files, no /proc to name
    // it through. The caller then builds the text whole, and writeExportFile
    // says why it cannot be written, after any check has spoken.
    static std::unique_ptr<StreamedExportFile> open(const std::string &path, ExportHost &host);

    ~StreamedExportFile();
    StreamedExportFile(const StreamedExportFile &) = delete;
    StreamedExportFile &operator=(const StreamedExportFile &) = delete;

    // Hands the text on to be written and leaves `text` empty, with room
    // for the next piece. Waits while two pieces are still being written,
    // so memory stays bounded.
    void write(std::string &text);

    // Writes the rest, flushes the file to the disk and gives it its name,
    // which never replaces an existing file. A refusal's reason names the
    // cause, as writeExportFile's does.
    ExportResult finish(std::string &rest);

private:
    StreamedExportFile(int descriptor, std::string path);
    // Queues the text and leaves it empty; with more to come, with room.
    void handOn(std::string &text, bool more);
    void writeQueued();  // the writing thread
    void stopWriting();

    int descriptor_;
    const std::string path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> queued_;  // pieces waiting for the disk, oldest first
    std::vector<std::string> spare_;  // written pieces, kept for their room
    bool closing_ = false;            // nothing more is coming
    int error_ = 0;                   // errno of the first failed write
    std::thread thread_;
};

}  // namespace vaziduvu
