#include "file_io.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

namespace palabrum {

int SystemCalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t SystemCalls::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int SystemCalls::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int SystemCalls::Fsync(int fd) { return ::fsync(fd); }
int SystemCalls::Close(int fd) { return ::close(fd); }
int SystemCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int SystemCalls::Unlink(const char* path) { return ::unlink(path); }

SystemCalls& SystemCalls::Real() {
    static SystemCalls real;
    return real;
}

FileContents ReadFileContents(const std::filesystem::path& path, std::size_t limit) {
    FileContents file;
    // Looked at before opening: opening a FIFO can wait for a writer, and
    // opening a device can do things of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {  // swapped between the two looks
        ::close(fd);
        return file;
    }

    // The size may change while we read, so the limit holds on what arrives.
    file.bytes.reserve(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), limit) + 1);
    std::uint8_t buffer[65536];
    for (;;) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - file.bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return {};
        }
        if (got == 0) break;
        file.bytes.insert(file.bytes.end(), buffer, buffer + got);
        if (file.bytes.size() > limit) break;
    }
    ::close(fd);
    file.status = FileContents::Status::kWhole;
    if (file.bytes.size() > limit) {
        file.bytes.resize(limit);
        file.status = FileContents::Status::kTooLarge;
    }
    return file;
}

namespace {

bool WriteAll(SystemCalls& calls, int fd, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.Write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
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

// The file a chain of symbolic links at `path` ends in (which may not exist
// yet), or nothing for a chain that loops or cannot be read.
std::optional<std::filesystem::path> FinalTarget(std::filesystem::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Whether the file's own permissions let us write it. Root may write anything,
// but a file that nobody may write was made read-only on purpose, so it stays.
bool MayWrite(const std::filesystem::path& path, const struct stat& info) {
    if (::geteuid() == 0) return (info.st_mode & 0222) != 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);  // the only way to read it; set back at once
    ::umask(mask);
    return 0666 & ~mask;
}

// A name beside `target` that nobody can guess ahead of us.
std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    std::uint64_t random = 0;
    if (::getrandom(&random, sizeof random, 0) != sizeof random) random ^= static_cast<std::uint64_t>(::getpid());
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random));
    std::filesystem::path name = target;
    name.replace_filename("." + target.filename().native() + suffix);
    return name;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, const Bytes& bytes, SystemCalls& calls) {
    const auto target = FinalTarget(path);
    if (!target) return false;
    const std::filesystem::path dir = target->has_parent_path() ? target->parent_path() : ".";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);  // a failure shows up at the open below

    struct stat old {};
    const bool exists = ::lstat(target->c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    if (exists && !MayWrite(*target, old)) {
        errno = EACCES;
        return false;
    }
    const mode_t mode = exists ? old.st_mode & 07777 : NewFileMode();

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 8; ++attempt) {
        temp = TemporaryName(*target);
        fd = calls.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = WriteAll(calls, fd, bytes) && calls.Fchmod(fd, mode) == 0;
    // Another owner is kept where we may (as root); otherwise the file becomes ours.
    if (ok && exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        [[maybe_unused]] const int kept = ::fchown(fd, old.st_uid, old.st_gid);
    }
    ok = ok && calls.Fsync(fd) == 0;
    ok = calls.Close(fd) == 0 && ok;
    ok = ok && calls.Rename(temp.c_str(), target->c_str()) == 0;
    if (!ok) {
        const int why = errno;
        calls.Unlink(temp.c_str());
        errno = why;
        return false;
    }
    SyncDirectory(dir);
    return true;
}

}  // namespace palabrum
