// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>

#include "archive.h"

namespace palabrum {

// The system calls a save makes, behind one seam so that tests can make each
// of them fail in turn. Each behaves as its POSIX namesake, errno included.
class SystemCalls {
public:
    virtual ~SystemCalls() = default;
    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
    virtual int Fsync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);

    static SystemCalls& Real();
};

// The whole file, or nothing when it cannot be opened or read, or is larger
// than `limit` bytes (nothing we read is ever that large).
std::optional<Bytes> ReadFileBytes(const std::filesystem::path& path, std::size_t limit = 1u << 20);

// Replaces `path` with `bytes` so that a crash or a failure at any step leaves
// either the old file or the new one, never a mix: the bytes go to a temporary
// beside it, reach the disk, and are renamed over it. Creates the directory
// when missing. False, with the old file untouched, when any step fails.
bool WriteFileAtomically(const std::filesystem::path& path, const Bytes& bytes,
                         SystemCalls& calls = SystemCalls::Real());

}  // namespace palabrum
