// One running copy per user and data folder: a second start asks the first to
// come to the front, then ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace palabrum {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // True when this process is now the running copy. False when another copy
    // answered; it has been asked to come to the front.
    bool Claim();

    // The socket name for a data folder: per user, and per folder so that
    // separate data folders (tests) run side by side.
    static QString NameFor(const QString& dataDir);

signals:
    // Another start asked us to come to the front; `token` is its activation token.
    void activationRequested(const QByteArray& token);

private:
    void OnConnection();

    QString m_name;
    QLocalServer m_server;
};

}  // namespace palabrum
