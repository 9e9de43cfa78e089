#pragma once

#include "adif/adif_file.h"
#include "adif/adif_mode.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vaziduvu {

class AdifParser;
struct TextFacts;

// Reads a log a batch of records at a time, in memory bounded by the batch
// and a window of the file, whatever the file's size. The header is read
// once; each batch then holds complete records, their tags exactly as a
// whole load gives them (offsets in the file, name indices, counts so far)
// and the text they lie in. The outcome and its position are those of a
// whole load: the checks that look at the whole text (a zero byte, the
// encoding, the header, the bracket balance) run over the file first, a
// window at a time, before any batch is handed out; an error in a tag ends
// the batch it falls in.
//
// The steps are the whole load's own (AdifParser): only the window moves.
class AdifBatchReader {
public:
    explicit AdifBatchReader(AdifMode mode = AdifMode::Classic);
    ~AdifBatchReader();
    AdifBatchReader(const AdifBatchReader &) = delete;
    AdifBatchReader &operator=(const AdifBatchReader &) = delete;

    // The bytes read from the file at a time (tests make it tiny so that
    // windows end everywhere); the window grows past it when a record or
    // value needs more.
    void setChunkSize(size_t bytes) { chunkSize_ = bytes < 16 ? 16 : bytes; }

    // Opens the file and reads what comes before the records; the outcome
    // so far is file().result(). A file that cannot be opened reads as
    // empty, as in a whole load. False only when reading failed
    // unexpectedly (memory exhaustion).
    bool open(const std::string &path);
    // The same over bytes in memory (tests, fuzzing): they are read a chunk
    // at a time like a file's.
    bool openBytes(std::string_view bytes);

    // Reads the next batch of at most `records` records (a record without
    // its end marker at the end of the file, and the tag that failed,
    // included); false when the read was already over. The batch's tags
    // and text are file().loadedText() until the next call.
    bool next(int records);
    // True once the last batch was read (file().result() is final).
    bool finished() const { return finished_; }

    // The file as read so far: header, counts, names, outcome; its loaded
    // text is the current batch.
    const AdifFile &file() const { return file_; }
    // The index the batch's first tag has in a whole load's stored tags.
    int firstSlot() const { return firstSlot_; }

private:
    struct Window;

    bool start();
    bool fill(size_t keepFrom);
    size_t read(size_t offset, char *into, size_t count);
    void beginBatch();

    AdifFile file_;
    std::unique_ptr<AdifParser> parser_;
    std::unique_ptr<Window> window_;
    std::FILE *stream_ = nullptr;
    std::string_view bytes_;
    size_t size_ = 0;
    size_t chunkSize_ = size_t{1} << 20;
    int firstSlot_ = 0;
    int nextSlot_ = 0;
    bool finished_ = true;
};

}  // namespace vaziduvu
