// The program's one way to read a file and one way to replace one.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>

#include "archive.h"

namespace palabrum {

// The system calls a save makes, behind one seam so that tests can make each
// of them fail in turn. Each behaves as its POSIX namesake, errno included.
class SystemCalls {
public:
    virtual ~SystemCalls() = default;
    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
    virtual int Fchmod(int fd, mode_t mode);
    virtual int Fsync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);

    static SystemCalls& Real();
};

// What reading a file came to.
struct FileContents {
    enum class Status {
        kWhole,       // `bytes` is the whole file
        kTooLarge,    // the file goes on past `limit`; `bytes` holds its first `limit` bytes
        kUnreadable,  // missing, not allowed, a read error, or not a regular file
    };
    Status status = Status::kUnreadable;
    Bytes bytes;
};

// Reads a regular file, never more than `limit` + 1 bytes of it, and never
// waits: a FIFO, a device, a socket or a directory is unreadable at once,
// without being opened for reading at all.
FileContents ReadFileContents(const std::filesystem::path& path, std::size_t limit);

// Replaces the file at `path` with `bytes` so that a crash or a failure at any
// step leaves either the old file or the new one, never a mix. A symbolic link
// at `path` is followed and stays a link: the file it leads to is replaced.
// The bytes go to a temporary under a fresh unpredictable name beside that
// file (created exclusively, never through a link, readable only by us), reach
// the disk, take the old file's mode and owner (or the usual mode of a new
// file), and are renamed over it. Creates the folder when missing.
// False, with the old file untouched, no temporary left and errno telling
// why, when any step fails, or when the file there is not a regular file or
// its own permissions do not let us write it.
bool WriteFileAtomically(const std::filesystem::path& path, const Bytes& bytes,
                         SystemCalls& calls = SystemCalls::Real());

}  // namespace palabrum
