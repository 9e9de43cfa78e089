#include "export/file_system.h"
#include "export/writers.h"

#include <cerrno>
#include <csignal>
#include <cstring>
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
        const DriveType drive = host.driveTypeOf(path);
        if (drive != DriveType::Removable && drive != DriveType::Fixed) {
            host.showPlainMessage(kRefusedDriveMessage);
            return ExportResult::refused("The target is not on a writable local drive.");
        }
        // A full quota or a file-size limit must be an error, not a death.
        std::signal(SIGXFSZ, SIG_IGN);
        if (::access(path.c_str(), F_OK) == 0)
            return ExportResult::refused(reasonOf(EEXIST, path));

        // An unnamed file in the target folder gets its name only once it is
        // complete; where the file system cannot make one, a temporary name.
        const int descriptor
            = ::open(folderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
                return writeThroughTemporaryName(path, text);
            return ExportResult::refused(reasonOf(errno, path));
        }
        bool ok = writeAll(descriptor, text) && ::fsync(descriptor) == 0;
        int error = errno;
        if (ok) {
            const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
            ok = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
            error = errno;
        }
        ::close(descriptor);
        if (!ok && error == ENOENT && ::access(folderOf(path).c_str(), F_OK) == 0)
            return writeThroughTemporaryName(path, text);  // no /proc to link from
        if (!ok)
            return ExportResult::refused(reasonOf(error, path));
        return ExportResult::written();
    } catch (...) {
        return ExportResult::refused("The file could not be written (out of memory?).");
    }
}

void removeExportFile(const std::string &path)
{
    ::unlink(path.c_str());
}

}  // namespace vaziduvu
