#include "shell/single_instance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>

namespace palabrum {

namespace {
constexpr int kAnswerTimeout = 1000;
}

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

QString SingleInstance::NameFor(const QString& dataDir) {
    const QByteArray folder = QCryptographicHash::hash(dataDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("palabrum-%1-%2").arg(::getuid()).arg(QString::fromLatin1(folder));
}

bool SingleInstance::Claim() {
    QLocalSocket peer;
    peer.connectToServer(m_name);
    if (peer.waitForConnected(kAnswerTimeout)) {
        peer.write("raise " + qgetenv("XDG_ACTIVATION_TOKEN") + "\n");
        peer.waitForBytesWritten(kAnswerTimeout);
        peer.disconnectFromServer();
        return false;
    }
    // Nobody answered: any socket file left is from a copy that crashed.
    QLocalServer::removeServer(m_name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(m_name) || true;  // without the server we still run, just unreachable
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine().trimmed();
                if (line.startsWith("raise")) emit activationRequested(line.mid(6));
            }
        });
    }
}

}  // namespace palabrum
