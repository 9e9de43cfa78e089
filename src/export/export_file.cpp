#include "export/file_system.h"
#include "export/streamed_file.h"
#include "export/writers.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <new>
#include <string>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vaziduvu {

const char *const kRefusedDriveMessage
    = "Could not save file ... Target was CDROM or READ-ONLY device ...";

namespace {

// One sentence for the errno of a failed create, write or link.
std::string reasonOf(int error, const std::string &path)
{
    switch (error) {
    case EEXIST:
        return "The file " + path + " already exists.";
    case ENOENT:
    case ENOTDIR:
        return "The folder " + folderOf(path) + " does not exist.";
    case EACCES:
    case EPERM:
        return "The folder " + folderOf(path) + " may not be written to.";
    case EROFS:
        return "The folder " + folderOf(path) + " is on a read-only file system.";
    case ENOSPC:
        return "The disk is full.";
    case EDQUOT:
        return "The disk quota is used up.";
    case EFBIG:
        return "The file would be larger than this system allows.";
    case ENAMETOOLONG:
        return "The file name is too long.";
    default:
        return std::string("The file could not be written: ") + std::strerror(error) + ".";
    }
}

// The link a complete unnamed file is given its name through.
std::string selfLinkOf(int descriptor)
{
    return "/proc/self/fd/" + std::to_string(descriptor);
}

bool isWritableDrive(DriveType drive)
{
    return drive == DriveType::Removable || drive == DriveType::Fixed;
}

// An unnamed file in the target folder, which gets its name only once it is
// complete; -1 (errno set) where the file system cannot make one.
int openUnnamedFile(const std::string &path)
{
    // A full quota or a file-size limit must be an error, not a death.
    std::signal(SIGXFSZ, SIG_IGN);
    return ::open(folderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

// Flushes a complete unnamed file to the disk and gives it its name, which
// never replaces an existing file: 0, or the errno of what failed.
int nameUnnamedFile(int descriptor, const std::string &path)
{
    if (::fsync(descriptor) != 0)
        return errno;
    if (::linkat(AT_FDCWD, selfLinkOf(descriptor).c_str(), AT_FDCWD, path.c_str(),
                 AT_SYMLINK_FOLLOW)
        != 0)
        return errno;
    return 0;
}

bool writeAll(int descriptor, std::string_view text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// Gives a complete temporary file its final name without ever replacing
// an existing file: a hard link fails when the name is taken.
bool linkNoReplace(const std::string &from, const std::string &to)
{
    return ::link(from.c_str(), to.c_str()) == 0;
}

mode_t creationMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

ExportResult writeThroughTemporaryName(const std::string &path, std::string_view text)
{
    std::string temporary = folderOf(path) + "/.vaziduvu-XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return ExportResult::refused(reasonOf(errno, path));
    // mkstemp makes the file private; an export gets the usual mode.
    bool ok = ::fchmod(descriptor, creationMode()) == 0 && writeAll(descriptor, text)
        && ::fsync(descriptor) == 0;
    int error = errno;
    ok = ::close(descriptor) == 0 && ok;
    if (ok) {
        ok = linkNoReplace(temporary, path);
        error = errno;
    }
    ::unlink(temporary.c_str());
    if (!ok)
        return ExportResult::refused(reasonOf(error, path));
    return ExportResult::written();
}

}  // namespace

ExportResult writeExportFile(const std::string &path, std::string_view text, ExportHost &host)
{
    try {
        if (path.empty())
            return ExportResult::refused("No file name was given.");
        if (!isWritableDrive(host.driveTypeOf(path))) {
            host.showPlainMessage(kRefusedDriveMessage);
            return ExportResult::refused("The target is not on a writable local drive.");
        }
        if (::access(path.c_str(), F_OK) == 0)
            return ExportResult::refused(reasonOf(EEXIST, path));

        // Where the file system cannot make an unnamed file, a temporary name.
        const int descriptor = openUnnamedFile(path);
        if (descriptor < 0) {
            if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
                return writeThroughTemporaryName(path, text);
            return ExportResult::refused(reasonOf(errno, path));
        }
        const int error = writeAll(descriptor, text) ? nameUnnamedFile(descriptor, path) : errno;
        ::close(descriptor);
        if (error == ENOENT && ::access(folderOf(path).c_str(), F_OK) == 0)
            return writeThroughTemporaryName(path, text);  // no /proc to link from
        if (error != 0)
            return ExportResult::refused(reasonOf(error, path));
        return ExportResult::written();
    } catch (const std::bad_alloc &) {
        return ExportResult::refused("The file could not be written (out of memory?).");
    }
}

void removeExportFile(const std::string &path)
{
    ::unlink(path.c_str());
}

std::unique_ptr<StreamedExportFile> StreamedExportFile::open(const std::string &path,
                                                             ExportHost &host)
{
    if (path.empty() || !isWritableDrive(host.driveTypeOf(path))
        || ::access(path.c_str(), F_OK) == 0)
        return nullptr;
    const int descriptor = openUnnamedFile(path);
    if (descriptor < 0)
        return nullptr;
    try {
        struct stat selfLink { };
        if (::lstat(selfLinkOf(descriptor).c_str(), &selfLink) == 0)
            return std::unique_ptr<StreamedExportFile>(new StreamedExportFile(descriptor, path));
    } catch (const std::exception &) {
        // No thread to write with (or no memory for one): the caller writes
        // from memory.
    }
    ::close(descriptor);
    return nullptr;
}

StreamedExportFile::StreamedExportFile(int descriptor, std::string path)
    : descriptor_(descriptor)
    , path_(std::move(path))
{
    spare_.reserve(4);  // the writing thread keeps its pieces without allocating
    thread_ = std::thread([this] { writeQueued(); });
}

StreamedExportFile::~StreamedExportFile()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        queued_.clear();  // abandoned: what was not written yet need not be
    }
    stopWriting();
    if (descriptor_ >= 0)
        ::close(descriptor_);  // never named: the file goes with its descriptor
}

void StreamedExportFile::stopWriting()
{
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void StreamedExportFile::writeQueued()
{
    off_t written = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return closing_ || !queued_.empty(); });
        if (queued_.empty())
            return;
        std::string piece = std::move(queued_.front());
        queued_.pop_front();
        const bool wanted = error_ == 0;  // after a failure the rest has nowhere to go
        lock.unlock();
        const int error = wanted && !writeAll(descriptor_, piece) ? errno : 0;
        if (wanted && error == 0) {
            // The disk starts on it now, so the flush at the end has little left to do.
            ::sync_file_range(descriptor_, written, static_cast<off_t>(piece.size()),
                              SYNC_FILE_RANGE_WRITE);
            written += static_cast<off_t>(piece.size());
        }
        piece.clear();
        lock.lock();
        if (error != 0)
            error_ = error;
        spare_.push_back(std::move(piece));
        changed_.notify_all();
    }
}

void StreamedExportFile::write(std::string &text)
{
    handOn(text, true);
}

void StreamedExportFile::handOn(std::string &text, bool more)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queued_.size() < 2; });
    queued_.push_back(std::move(text));
    text.clear();
    if (!more) {
        // The last piece: no room is needed for another.
    } else if (!spare_.empty()) {
        text.swap(spare_.back());
        spare_.pop_back();
    } else {
        text.reserve(kPieceSize + kPieceSize / 4);
    }
    lock.unlock();
    changed_.notify_all();
}

ExportResult StreamedExportFile::finish(std::string &rest)
{
    if (!rest.empty())
        handOn(rest, false);
    stopWriting();
    const int error = error_ != 0 ? error_ : nameUnnamedFile(descriptor_, path_);
    ::close(descriptor_);
    descriptor_ = -1;
    if (error != 0)
        return ExportResult::refused(reasonOf(error, path_));
    return ExportResult::written();
}

}  // namespace vaziduvu
