#include "shell/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace palabrum {

namespace fs = std::filesystem;

namespace {

bool ToAddress(const fs::path& path, sockaddr_un& address) {
    const std::string& native = path.native();
    if (native.size() >= sizeof address.sun_path) return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, native.data(), native.size());
    return true;
}

// A real directory (not a link to one) of this user that nobody else may
// enter: nobody else can then plant a socket or lock file in it, or swap it.
bool IsPrivateFolder(const fs::path& folder) {
    struct stat st;
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// Whether the process at the other end of a local socket runs as this user.
bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer &&
           peer.uid == ::getuid();
}

enum class Sent { kDelivered, kForeign, kNobody };

// Hands `message` to whoever listens at `address`, unless that is another user.
Sent SendTo(const sockaddr_un& address, const std::string& message) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return Sent::kNobody;
    // Bounds a connect to a full backlog and a send to a copy that stopped reading.
    const timeval limit{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    Sent result = Sent::kNobody;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        if (!PeerIsThisUser(fd)) {
            result = Sent::kForeign;
        } else {
            std::size_t done = 0;
            while (done < message.size()) {
                const ssize_t n = ::send(fd, message.data() + done, message.size() - done, MSG_NOSIGNAL);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) break;
                done += static_cast<std::size_t>(n);
            }
            if (done == message.size()) result = Sent::kDelivered;
        }
    }
    ::close(fd);
    return result;
}

// The request as sent; what cannot travel is left out, and a file left out is
// named on stderr so that the player learns why it did not open.
std::string Message(const StartRequest& request) {
    if (auto line = EncodeStartRequest(request)) return *line;
    StartRequest plain{request.activationToken, std::nullopt};
    if (request.file) {
        std::fprintf(stderr, "palabrum: cannot pass %s to the running copy: the name is too long\n",
                     request.file->c_str());
    }
    if (auto line = EncodeStartRequest(plain)) return *line;
    return *EncodeStartRequest({});
}

}  // namespace

// One second start being read: its socket, what arrived so far, and its deadline.
class SingleInstance::Peer : public QObject {
public:
    Peer(int socket, QObject* parent) : QObject(parent), fd(socket), notifier(socket, QSocketNotifier::Read) {
        deadline.setSingleShot(true);
        deadline.start(kReadDeadlineMs);
    }
    ~Peer() override {
        notifier.setEnabled(false);
        if (fd >= 0) ::close(fd);
    }

    int fd;
    QSocketNotifier notifier;
    QTimer deadline;
    StartRequestReader reader;
};

SingleInstance::SingleInstance(fs::path folder, std::string name, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_name(std::move(name)) {}

SingleInstance::~SingleInstance() {
    delete m_notifier;
    if (m_listener >= 0) {
        // Removed while the lock is still ours, so never a newer copy's socket.
        ::unlink(SocketPath().c_str());
        ::close(m_listener);
    }
    if (m_lock >= 0) ::close(m_lock);
}

fs::path SingleInstance::SocketPath() const { return m_folder / (m_name + ".socket"); }
fs::path SingleInstance::LockPath() const { return m_folder / (m_name + ".lock"); }

std::optional<fs::path> SingleInstance::TrustedFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsPrivateFolder(runtime)) return fs::path(runtime);
    std::error_code error;
    fs::path temp = fs::temp_directory_path(error);
    if (error || !temp.is_absolute()) temp = "/tmp";
    const fs::path own = temp / ("palabrum-" + std::to_string(::getuid()));
    ::mkdir(own.c_str(), S_IRWXU);  // may exist already; what is there is checked next
    if (IsPrivateFolder(own)) return own;
    return std::nullopt;
}

std::string SingleInstance::NameFor(const fs::path& dataFolder) {
    std::error_code error;
    fs::create_directories(dataFolder, error);
    fs::path canonical = fs::weakly_canonical(dataFolder, error);
    if (error) canonical = fs::absolute(dataFolder, error).lexically_normal();
    if (!canonical.has_filename() && canonical != canonical.root_path()) canonical = canonical.parent_path();
    const QByteArray bytes = QByteArray::fromStdString(canonical.native());
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12);
    return "palabrum-" + std::to_string(::getuid()) + "-" + hash.toStdString();
}

bool SingleInstance::Claim(const StartRequest& request) {
    if (m_lock >= 0) return true;
    sockaddr_un address;
    if (!IsPrivateFolder(m_folder) || !ToAddress(SocketPath(), address)) return true;
    m_lock = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (m_lock < 0) return true;

    std::optional<std::string> message;  // made once there is someone to send it to
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kConnectPatienceMs);
    for (;;) {
        if (::flock(m_lock, LOCK_EX | LOCK_NB) == 0) {
            if (!Listen()) {
                ::close(m_lock);  // let the next start try for itself
                m_lock = -1;
            }
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        if (!message) message = Message(request);
        const Sent sent = SendTo(address, *message);
        if (sent == Sent::kDelivered) {
            ::close(m_lock);
            m_lock = -1;
            return false;
        }
        // Another user's process must not learn our token; and while it sits
        // there, we cannot be reached, so we run on our own.
        if (sent == Sent::kForeign || std::chrono::steady_clock::now() > giveUp) break;
        // The lock is held but nobody listens yet: the running copy is starting up.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::close(m_lock);
    m_lock = -1;
    return true;
}

bool SingleInstance::Listen() {
    const fs::path path = SocketPath();
    sockaddr_un address;
    if (!ToAddress(path, address)) return false;
    // We hold the lock, so whatever is at the path was left by a copy that ended.
    ::unlink(path.c_str());
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listener < 0) return false;
    if (::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return false;
    }
    if (::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(m_listener, SOMAXCONN) != 0) {
        ::unlink(path.c_str());
        ::close(m_listener);
        m_listener = -1;
        return false;
    }
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::OnConnection);
    return true;
}

void SingleInstance::OnConnection() {
    while (m_open < kMaxConnections) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors or memory: the connection stays queued; look again shortly
                // rather than spin on a listener that keeps saying it is ready.
                m_notifier->setEnabled(false);
                QTimer::singleShot(200, this, [this] { m_notifier->setEnabled(m_open < kMaxConnections); });
            }
            return;
        }
        if (!PeerIsThisUser(fd)) {
            ::close(fd);
            continue;
        }
        auto* peer = new Peer(fd, this);
        ++m_open;
        connect(&peer->notifier, &QSocketNotifier::activated, peer, [this, peer] { OnReadable(peer); });
        connect(&peer->deadline, &QTimer::timeout, peer, [this, peer] { Drop(peer); });
    }
    // Enough are being read; the rest wait in the queue until one is done.
    m_notifier->setEnabled(false);
}

void SingleInstance::OnReadable(Peer* peer) {
    char buffer[4096];
    while (peer->fd >= 0) {
        const ssize_t got = ::recv(peer->fd, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (got <= 0) break;  // ended before the request was whole, or failed
        const auto state = peer->reader.Feed({buffer, static_cast<std::size_t>(got)});
        if (state == StartRequestReader::State::kIncomplete) continue;
        if (state == StartRequestReader::State::kComplete) Deliver(peer->reader.Request());
        break;
    }
    Drop(peer);
}

void SingleInstance::Drop(Peer* peer) {
    if (peer->fd < 0) return;
    peer->notifier.setEnabled(false);
    peer->deadline.stop();
    ::close(peer->fd);
    peer->fd = -1;
    peer->deleteLater();
    --m_open;
    if (m_notifier) m_notifier->setEnabled(true);
}

void SingleInstance::Deliver(const StartRequest& request) {
    // Queued: the handlers may open a modal box, which must not run inside a
    // socket's callback.
    QMetaObject::invokeMethod(
        this,
        [this, request] {
            emit activationRequested(QByteArray::fromStdString(request.activationToken));
            if (request.file) emit openRequested(*request.file);
        },
        Qt::QueuedConnection);
}

}  // namespace palabrum
