#include "file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>

namespace palabrum {

int SystemCalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t SystemCalls::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int SystemCalls::Fsync(int fd) { return ::fsync(fd); }
int SystemCalls::Close(int fd) { return ::close(fd); }
int SystemCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int SystemCalls::Unlink(const char* path) { return ::unlink(path); }

SystemCalls& SystemCalls::Real() {
    static SystemCalls real;
    return real;
}

std::optional<Bytes> ReadFileBytes(const std::filesystem::path& path, std::size_t limit) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    Bytes bytes;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > limit) return std::nullopt;
        if (!in) break;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

namespace {

bool WriteAll(SystemCalls& calls, int fd, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.Write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a failure here loses nothing, so it is not reported.
void SyncDirectory(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, const Bytes& bytes, SystemCalls& calls) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);  // a failure shows up at the open below

    std::filesystem::path temp = path;
    temp += ".tmp";
    const int fd = calls.Open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;

    bool ok = WriteAll(calls, fd, bytes) && calls.Fsync(fd) == 0;
    ok = calls.Close(fd) == 0 && ok;
    ok = ok && calls.Rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        calls.Unlink(temp.c_str());
        return false;
    }
    SyncDirectory(dir);
    return true;
}

}  // namespace palabrum
