#include "shell/single_instance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <cstring>

namespace palabrum {

namespace {

bool ToAddress(const QString& path, sockaddr_un& address) {
    const QByteArray native = QFile::encodeName(path);
    if (native.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    return true;
}

// Waits no longer than this for a peer that connected but says nothing.
void SetReceiveTimeout(int fd) {
    const timeval limit{0, 500'000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

}  // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent) : QObject(parent), m_path(std::move(socketPath)) {}

SingleInstance::~SingleInstance() {
    if (m_listener < 0) return;
    ::close(m_listener);
    ::unlink(QFile::encodeName(m_path).constData());
}

QString SingleInstance::SocketPathFor(const QString& dataDir) {
    const QByteArray folder = QCryptographicHash::hash(dataDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("palabrum-%1-%2.socket").arg(::getuid()).arg(QString::fromLatin1(folder)));
}

bool SingleInstance::Claim() {
    sockaddr_un address;
    if (!ToAddress(m_path, address)) return true;  // no usable socket name: just run
    const auto* where = reinterpret_cast<const sockaddr*>(&address);

    const int peer = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (peer >= 0 && ::connect(peer, where, sizeof address) == 0) {
        const QByteArray message = "raise " + qgetenv("XDG_ACTIVATION_TOKEN") + "\n";
        [[maybe_unused]] const auto sent = ::send(peer, message.constData(), static_cast<std::size_t>(message.size()),
                                                  MSG_NOSIGNAL);
        ::close(peer);
        return false;
    }
    if (peer >= 0) ::close(peer);

    // Nobody answered: whatever is left at the path is from a copy that crashed.
    ::unlink(address.sun_path);
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listener < 0) return true;
    if (::bind(m_listener, where, sizeof address) != 0 || ::listen(m_listener, 4) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return true;  // we still run, only unreachable for a second start
    }
    ::chmod(address.sun_path, S_IRUSR | S_IWUSR);
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::OnConnection);
    return true;
}

void SingleInstance::OnConnection() {
    for (;;) {
        const int peer = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0) return;
        SetReceiveTimeout(peer);
        QByteArray line;
        char buffer[256];
        while (!line.contains('\n') && line.size() < 4096) {
            const ssize_t got = ::recv(peer, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            line.append(buffer, got);
        }
        ::close(peer);
        line = line.left(line.indexOf('\n')).trimmed();
        if (line.startsWith("raise")) emit activationRequested(line.mid(6));
    }
}

}  // namespace palabrum
