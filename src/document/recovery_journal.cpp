#include "document/recovery_journal.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vaziduvu {

namespace {

constexpr uint8_t kHeaderKind = 'H';
constexpr size_t kFrameHead = 8;         // length and checksum
constexpr size_t kMergedFlagOffset = 9;  // after the kind and the time

void putU32(std::string &out, uint32_t value)
{
    const char bytes[4]
        = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
           static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 24) & 0xFF)};
    out.append(bytes, 4);
}

uint32_t getU32(std::string_view bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The folder's entry of a new or renamed file reaches the disk too.
void syncFolderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void appendFramed(std::string &out, std::string_view record)
{
    out.reserve(out.size() + kFrameHead + record.size());
    putU32(out, static_cast<uint32_t>(record.size()));
    putU32(out, crc32Of(record));
    out.append(record);
}

std::string encodeHeader(const JournalSource &source, int64_t startedAt)
{
    RecordWriter out;
    out.u8(kHeaderKind);
    out.text(source.path);
    out.i64(source.size);
    out.i64(source.modifiedNs);
    out.i64(static_cast<int64_t>(source.hash));
    out.u8(static_cast<uint8_t>(source.mode));
    out.i64(startedAt);
    return std::move(out.bytes());
}

bool decodeHeader(std::string_view record, JournalSource &source, int64_t &startedAt)
{
    RecordReader in(record);
    uint8_t kind = 0;
    uint8_t mode = 0;
    int64_t hash = 0;
    if (!in.u8(kind) || kind != kHeaderKind || !in.text(source.path) || !in.i64(source.size)
        || !in.i64(source.modifiedNs) || !in.i64(hash) || !in.u8(mode) || !in.i64(startedAt)
        || !in.atEnd())
        return false;
    if (mode != static_cast<uint8_t>(AdifMode::Classic)
        && mode != static_cast<uint8_t>(AdifMode::Current))
        return false;
    source.hash = static_cast<uint64_t>(hash);
    source.mode = static_cast<AdifMode>(mode);
    return true;
}

}  // namespace

void RecordWriter::i32(int32_t value)
{
    putU32(bytes_, static_cast<uint32_t>(value));
}

void RecordWriter::i64(int64_t value)
{
    const auto bits = static_cast<uint64_t>(value);
    putU32(bytes_, static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    putU32(bytes_, static_cast<uint32_t>(bits >> 32));
}

void RecordWriter::text(std::string_view value)
{
    i32(static_cast<int32_t>(value.size()));
    bytes_.append(value);
}

bool RecordReader::u8(uint8_t &value)
{
    if (at_ >= bytes_.size())
        return false;
    value = static_cast<uint8_t>(bytes_[at_++]);
    return true;
}

bool RecordReader::i32(int32_t &value)
{
    if (bytes_.size() - at_ < 4)
        return false;
    value = static_cast<int32_t>(getU32(bytes_, at_));
    at_ += 4;
    return true;
}

bool RecordReader::i64(int64_t &value)
{
    if (bytes_.size() - at_ < 8)
        return false;
    const uint64_t low = getU32(bytes_, at_);
    const uint64_t high = getU32(bytes_, at_ + 4);
    value = static_cast<int64_t>(low | (high << 32));
    at_ += 8;
    return true;
}

bool RecordReader::text(std::string &value)
{
    int32_t length = 0;
    if (!i32(length) || length < 0 || static_cast<size_t>(length) > bytes_.size() - at_)
        return false;
    value.assign(bytes_.substr(at_, static_cast<size_t>(length)));
    at_ += static_cast<size_t>(length);
    return true;
}

uint32_t crc32Of(std::string_view bytes)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> made{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            made[i] = c;
        }
        return made;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint64_t contentHash(std::string_view bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (const char byte : bytes) {
        hash ^= static_cast<uint8_t>(byte);
        hash *= 1099511628211ull;
    }
    return hash;
}

// --- steps --------------------------------------------------------------------

std::string JournalStep::encodeChange(const std::string &text, int column, int row,
                                      const GridChange &change, int64_t madeAt)
{
    RecordWriter out;
    out.u8(static_cast<uint8_t>(Kind::Change));
    out.i64(madeAt);
    out.u8(0);  // merged, at kMergedFlagOffset
    out.text(text);
    out.i32(column);
    out.i32(row);
    change.writeTo(out);
    return std::move(out.bytes());
}

namespace {

std::string encodeRows(JournalStep::Kind kind, const std::string &text,
                       const std::vector<int> &rows, int64_t madeAt)
{
    RecordWriter out;
    out.u8(static_cast<uint8_t>(kind));
    out.i64(madeAt);
    out.text(text);
    out.i32(static_cast<int32_t>(rows.size()));
    for (const int row : rows)
        out.i32(row);
    return std::move(out.bytes());
}

}  // namespace

std::string JournalStep::encodeRemoveRows(const std::string &text, const std::vector<int> &rows,
                                          int64_t madeAt)
{
    return encodeRows(Kind::RemoveRows, text, rows, madeAt);
}

std::string JournalStep::encodeReorderRows(const std::string &text, const std::vector<int> &order,
                                           int64_t madeAt)
{
    return encodeRows(Kind::ReorderRows, text, order, madeAt);
}

std::string JournalStep::encodeRemoveColumn(const std::string &text, int column, int64_t madeAt)
{
    RecordWriter out;
    out.u8(static_cast<uint8_t>(Kind::RemoveColumn));
    out.i64(madeAt);
    out.text(text);
    out.i32(column);
    return std::move(out.bytes());
}

std::string JournalStep::encodeMove(bool undo, int64_t madeAt)
{
    RecordWriter out;
    out.u8(static_cast<uint8_t>(undo ? Kind::Undo : Kind::Redo));
    out.i64(madeAt);
    return std::move(out.bytes());
}

std::string JournalStep::encodeGroup(const std::string &text, const std::vector<std::string> &parts,
                                     int64_t madeAt)
{
    RecordWriter out;
    out.u8(static_cast<uint8_t>(Kind::Group));
    out.i64(madeAt);
    out.text(text);
    out.i32(static_cast<int32_t>(parts.size()));
    for (const std::string &part : parts)
        out.text(part);
    return std::move(out.bytes());
}

void JournalStep::markMerged(std::string &record)
{
    if (record.size() > kMergedFlagOffset
        && static_cast<uint8_t>(record[0]) == static_cast<uint8_t>(Kind::Change))
        record[kMergedFlagOffset] = 1;
}

std::optional<JournalStep> JournalStep::decode(std::string_view record)
{
    RecordReader in(record);
    JournalStep step;
    uint8_t kind = 0;
    if (!in.u8(kind) || !in.i64(step.madeAt))
        return std::nullopt;
    step.kind = static_cast<Kind>(kind);
    int32_t number = 0;
    switch (step.kind) {
    case Kind::Change: {
        uint8_t merged = 0;
        int32_t column = 0;
        int32_t row = 0;
        if (!in.u8(merged) || merged > 1 || !in.text(step.text) || !in.i32(column) || !in.i32(row))
            return std::nullopt;
        std::optional<GridChange> change = GridChange::readFrom(in);
        if (!change)
            return std::nullopt;
        step.merged = merged == 1;
        step.column = column;
        step.row = row;
        step.change = std::move(*change);
        break;
    }
    case Kind::RemoveRows:
    case Kind::ReorderRows:
        if (!in.text(step.text) || !in.i32(number) || number < 0)
            return std::nullopt;
        for (int32_t i = 0; i < number; ++i) {
            int32_t row = 0;
            if (!in.i32(row))
                return std::nullopt;
            step.rows.push_back(row);
        }
        break;
    case Kind::RemoveColumn:
        if (!in.text(step.text) || !in.i32(number))
            return std::nullopt;
        step.column = number;
        break;
    case Kind::Group:
        if (!in.text(step.text) || !in.i32(number) || number < 1)
            return std::nullopt;
        for (int32_t i = 0; i < number; ++i) {
            std::string bytes;
            std::optional<JournalStep> part;
            if (!in.text(bytes) || !(part = decode(bytes)) || part->kind == Kind::Group
                || part->kind == Kind::Undo || part->kind == Kind::Redo)
                return std::nullopt;
            step.parts.push_back(std::move(*part));
        }
        break;
    case Kind::Undo:
    case Kind::Redo:
        break;
    default:
        return std::nullopt;
    }
    if (!in.atEnd())
        return std::nullopt;
    return step;
}

// --- reading ------------------------------------------------------------------

JournalContents JournalContents::read(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        JournalContents contents;
        contents.problem = "it cannot be opened: " + std::string(std::strerror(errno));
        return contents;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parse(bytes);
}

JournalContents JournalContents::parse(std::string_view bytes)
{
    JournalContents contents;
    const std::string_view magic = RecoveryJournal::kMagic;
    if (bytes.size() < magic.size()) {
        if (magic.substr(0, bytes.size()) == bytes) {
            contents.status = Status::Empty;
            return contents;
        }
        contents.problem = "it is not a recovery journal";
        return contents;
    }
    if (bytes.substr(0, magic.size()) != magic) {
        contents.problem = "it is not a recovery journal";
        return contents;
    }
    size_t at = magic.size();
    bool headerRead = false;
    while (at < bytes.size()) {
        const size_t left = bytes.size() - at;
        const uint32_t length = left >= kFrameHead ? getU32(bytes, at) : 0;
        if (left < kFrameHead || length > left - kFrameHead) {
            // Cut short by a crash while it was being written.
            contents.status = headerRead ? Status::TornTail : Status::Empty;
            contents.problem = "its last record was cut short";
            return contents;
        }
        const std::string_view record = bytes.substr(at + kFrameHead, length);
        if (crc32Of(record) != getU32(bytes, at + 4)) {
            contents.status = headerRead ? Status::TornTail : Status::Unreadable;
            contents.problem = "a record is damaged at byte " + std::to_string(at);
            return contents;
        }
        if (!headerRead) {
            if (!decodeHeader(record, contents.source, contents.startedAt)) {
                contents.problem = "its header cannot be read";
                return contents;
            }
            headerRead = true;
        } else {
            std::optional<JournalStep> step = JournalStep::decode(record);
            if (!step) {
                contents.status = Status::TornTail;
                contents.problem = "a record cannot be read at byte " + std::to_string(at);
                return contents;
            }
            contents.steps.push_back(std::move(*step));
        }
        at += kFrameHead + length;
    }
    contents.status = headerRead ? Status::Ok : Status::Empty;
    return contents;
}

// --- writing ------------------------------------------------------------------

RecoveryJournal::RecoveryJournal(std::string path, JournalSource source,
                                 std::shared_ptr<const std::string> loaded, int64_t startedAt)
    : path_(std::move(path))
    , source_(std::move(source))
    , loaded_(std::move(loaded))
    , startedAt_(startedAt)
    , busy_(true)
{
    // Made here, so the journal is there (or known to be missing) when the
    // constructor returns; the thread writes its header.
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    thread_ = std::thread([this] { run(); });
}

RecoveryJournal::~RecoveryJournal()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

std::string RecoveryJournal::sourceCopyPath(const std::string &journalPath)
{
    std::string stem = journalPath;
    if (stem.size() > kExtension.size()
        && stem.compare(stem.size() - kExtension.size(), kExtension.size(), kExtension) == 0)
        stem.resize(stem.size() - kExtension.size());
    return stem + ".source";
}

std::string RecoveryJournal::frame(std::string_view record)
{
    std::string framed;
    appendFramed(framed, record);
    return framed;
}

void RecoveryJournal::removeFiles(const std::string &journalPath)
{
    const std::string copy = sourceCopyPath(journalPath);
    std::remove(journalPath.c_str());
    std::remove(copy.c_str());
    std::remove((copy + ".part").c_str());
}

void RecoveryJournal::append(std::string record)
{
    append(RecordMaker([record = std::move(record)]() mutable { return std::move(record); }));
}

void RecoveryJournal::append(RecordMaker make)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(make));
    }
    wake_.notify_all();
}

void RecoveryJournal::waitUntilWritten()
{
    std::unique_lock<std::mutex> lock(mutex_);
    written_.wait(lock, [this] { return queue_.empty() && !busy_ && !copyPending_; });
}

void RecoveryJournal::discard()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        discarding_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
    removeFiles(path_);
}

bool RecoveryJournal::healthy() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return healthy_;
}

bool RecoveryJournal::writeHeader(int fd)
{
    if (loaded_)
        source_.hash = contentHash(*loaded_);
    const std::string head = std::string(kMagic) + frame(encodeHeader(source_, startedAt_));
    if (!writeAll(fd, head) || ::fsync(fd) != 0)
        return false;
    syncFolderOf(path_);
    return true;
}

void RecoveryJournal::writeSourceCopy()
{
    const std::string copy = sourceCopyPath(path_);
    const std::string part = copy + ".part";
    const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const bool written = writeAll(fd, *loaded_) && ::fsync(fd) == 0;
    ::close(fd);
    if (written && std::rename(part.c_str(), copy.c_str()) == 0)
        syncFolderOf(copy);
    else
        std::remove(part.c_str());
}

void RecoveryJournal::run()
{
    const int fd = fd_;
    bool good = fd >= 0 && writeHeader(fd);
    std::unique_lock<std::mutex> lock(mutex_);
    healthy_ = good;
    copyPending_ = good && loaded_;
    for (;;) {
        busy_ = false;
        written_.notify_all();
        wake_.wait(lock, [&] { return stopping_ || !queue_.empty() || copyPending_; });
        if (queue_.empty() && (discarding_ || (stopping_ && !copyPending_)))
            break;
        std::deque<RecordMaker> makers;
        makers.swap(queue_);
        busy_ = true;
        const bool copyNow = copyPending_;
        lock.unlock();
        std::string batch;
        bool madeAll = true;
        try {
            for (RecordMaker &make : makers) {
                appendFramed(batch, make());
                make = nullptr;  // what it shared goes now
            }
        } catch (const std::exception &) {
            madeAll = false;  // out of memory: the records made so far are still written
        }
        if (good && !batch.empty())
            good = writeAll(fd, batch) && ::fsync(fd) == 0;
        good = good && madeAll;
        // The records first: the copy of a large log takes longer.
        if (good && copyNow)
            writeSourceCopy();
        lock.lock();
        healthy_ = good;
        if (copyNow || !good)
            copyPending_ = false;
    }
    busy_ = false;
    copyPending_ = false;
    written_.notify_all();
    lock.unlock();
    if (fd >= 0)
        ::close(fd);
}

}  // namespace vaziduvu
