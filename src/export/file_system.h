#pragma once

#include "export/export_host.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vaziduvu {

// Where an export may go: the one classification of the file systems that
// Save As in the window and the command-line export both apply. Plain C++
// over the Linux system calls.

// Kind of storage of a mounted file system, from its statfs magic number,
// its read-only flag and, for FUSE mounts, its mount type ("fuse.sshfs").
// CD and DVD file systems are CdRom even though they are read-only; any
// other read-only mount is ReadOnly; network file systems are Remote; every
// other file system is a local one and counts as Fixed (Linux cannot tell a
// USB stick from a disk by the file system, and both may be written).
DriveType driveTypeOfFileSystem(uint64_t magic, bool readOnly, std::string_view mountType = {});

// The storage of the folder holding the path: the path itself when it is a
// directory, else its parent; a relative path is taken from the current
// directory; a folder that does not exist yet is replaced by its nearest
// existing ancestor. Unknown when statfs fails.
DriveType driveTypeOfPath(const std::string &path);

// The file-system type of the mount holding the folder, as /proc/self/mounts
// names it ("ext4", "fuse.sshfs"); empty when it cannot be read.
std::string mountTypeOf(const std::string &folder);

// The folder part of a path: "/" for a file in the root, "." for a bare name.
std::string folderOf(const std::string &path);

// The current directory's bytes as the system gives them; empty on failure.
std::string workingDirectory();

// True when anything carries the exact name: a file, a folder, also a
// symbolic link whose target is missing (writing through it would create a
// file elsewhere, so the name counts as taken).
bool pathExists(const std::string &path);

}  // namespace vaziduvu
