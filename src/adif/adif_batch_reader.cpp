#include "adif/adif_batch_reader.h"

#include "adif/adif_parser.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <sys/stat.h>

namespace vaziduvu {

namespace {

constexpr size_t kLargestText = static_cast<size_t>(std::numeric_limits<int32_t>::max());

}  // namespace

// The bytes of the file from `base` on that are in memory.
struct AdifBatchReader::Window {
    std::string bytes;
    size_t base = 0;

    size_t end() const { return base + bytes.size(); }
};

AdifBatchReader::AdifBatchReader(AdifMode mode)
    : window_(std::make_unique<Window>())
{
    file_.setMode(mode);
}

AdifBatchReader::~AdifBatchReader()
{
    if (stream_ != nullptr)
        std::fclose(stream_);
}

bool AdifBatchReader::open(const std::string &path)
{
    const AdifMode mode = file_.mode();
    file_.clear();
    file_.setMode(mode);
    if (stream_ != nullptr)
        std::fclose(stream_);
    stream_ = nullptr;
    bytes_ = {};
    size_ = 0;
    struct stat status { };
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        stream_ = std::fopen(path.c_str(), "rb");
    if (stream_ != nullptr)
        size_ = static_cast<size_t>(status.st_size);
    return start();
}

bool AdifBatchReader::openBytes(std::string_view bytes)
{
    const AdifMode mode = file_.mode();
    file_.clear();
    file_.setMode(mode);
    if (stream_ != nullptr)
        std::fclose(stream_);
    stream_ = nullptr;
    bytes_ = bytes;
    size_ = bytes.size();
    return start();
}

size_t AdifBatchReader::read(size_t offset, char *into, size_t count)
{
    if (offset >= size_)
        return 0;
    count = std::min(count, size_ - offset);
    if (stream_ == nullptr) {
        std::memcpy(into, bytes_.data() + offset, count);
        return count;
    }
    if (std::fseek(stream_, static_cast<long>(offset), SEEK_SET) != 0)
        return 0;
    return std::fread(into, 1, count, stream_);
}

// Moves the window to start at `keepFrom` and reads a chunk more after what
// it holds; false when there is nothing more to read.
bool AdifBatchReader::fill(size_t keepFrom)
{
    Window &window = *window_;
    if (keepFrom < window.base || keepFrom > window.end()) {
        window.bytes.clear();
        window.base = keepFrom;
    } else if (keepFrom > window.base) {
        window.bytes.erase(0, keepFrom - window.base);
        window.base = keepFrom;
    }
    // What is kept is still needed: the window at least doubles, so a long
    // record or value takes a few reads, not one per chunk.
    const size_t have = window.bytes.size();
    const size_t want = std::min(std::max(chunkSize_, have), size_ - std::min(size_, window.end()));
    if (want == 0)
        return false;
    window.bytes.resize(have + want);
    const size_t got = read(window.end() - want, window.bytes.data() + have, want);
    window.bytes.resize(have + got);
    if (got < want)
        size_ = window.end();  // the file ended early: its end is here
    return got > 0;
}

bool AdifBatchReader::start()
{
    // Offsets are 32-bit: a larger text is refused unread.
    if (size_ > kLargestText) {
        file_.fileSize_ = std::numeric_limits<uint32_t>::max();
        file_.outcome_.status = ParseStatus::TooBig;
        finished_ = true;
        return true;
    }
    finished_ = false;
    firstSlot_ = 0;
    nextSlot_ = 0;
    file_.fileSize_ = static_cast<uint32_t>(size_);
    window_->bytes.clear();
    window_->base = 0;
    try {
        const bool current = file_.mode() == AdifMode::Current;
        parser_ = std::make_unique<AdifParser>(file_, true);
        auto view = [this] {
            return TextWindow{window_->bytes, window_->base, window_->end() >= size_};
        };

        TextFacts facts;
        fill(0);
        while (!AdifParser::survey(facts, view(), current))
            fill(facts.surveyed);
        std::string header;
        if (facts.headerAt != std::string_view::npos && facts.zeroAt == std::string_view::npos) {
            header.resize(facts.headerAt - facts.start);
            header.resize(read(facts.start, header.data(), header.size()));
        }
        if (!parser_->readPreamble(facts, header)) {
            finished_ = true;
            return true;
        }

        fill(0);
        while (parser_->checkBrackets(view()) == AdifParser::Step::NeedMore)
            fill(parser_->bracketsNeedFrom());
        if (!file_.outcome_) {
            finished_ = true;
            return true;
        }
        fill(parser_->dataStart());
        return true;
    } catch (const std::bad_alloc &) {
        file_.failUnexpectedly();
        finished_ = true;
        return false;
    }
}

// The batch's tags go into a text of their own, unless a reader of the last
// batch still holds that one.
void AdifBatchReader::beginBatch()
{
    std::shared_ptr<LoadedText> &loaded = file_.loaded_;
    if (loaded.use_count() > 1) {
        auto fresh = std::make_shared<LoadedText>();
        fresh->tagNames = loaded->tagNames;
        fresh->nameFacts = loaded->nameFacts;
        loaded = std::move(fresh);
    }
    loaded->clearTags();
    loaded->source.clear();
    loaded->base = parser_->position();
}

bool AdifBatchReader::next(int records)
{
    if (finished_)
        return false;
    try {
        beginBatch();
        LoadedText &loaded = *file_.loaded_;
        parser_->pauseAfterRecords(std::max(records, 1));
        const size_t batchStart = loaded.base;
        if (batchStart < window_->base)
            fill(batchStart);
        AdifParser::Step step;
        for (;;) {
            const TextWindow view{window_->bytes, window_->base, window_->end() >= size_};
            step = parser_->readData(view, loaded, nullptr);
            if (step != AdifParser::Step::NeedMore)
                break;
            fill(batchStart);
        }
        const size_t batchEnd
            = step == AdifParser::Step::Paused ? parser_->position() : window_->end();
        const size_t from = std::max(batchStart, window_->base);
        if (batchEnd > from) {
            loaded.base = from;
            loaded.source.assign(window_->bytes, from - window_->base, batchEnd - from);
        }
        firstSlot_ = nextSlot_;
        nextSlot_ += static_cast<int>(loaded.tags.size());
        finished_ = step == AdifParser::Step::Done;
        return true;
    } catch (const std::bad_alloc &) {
        file_.failUnexpectedly();
        finished_ = true;
        return false;
    }
}

}  // namespace vaziduvu
