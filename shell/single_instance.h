// One running copy per user and data folder: a second start asks the first to
// come to the front, then ends. A plain local socket does it, so the program
// needs no network library.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace palabrum {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `socketPath` is where the running copy listens.
    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy. False when another copy
    // answered; it has been asked to come to the front.
    bool Claim();

    // The socket for a data folder: in the user's runtime folder (else the
    // temporary folder), named per user and per data folder, so that separate
    // data folders (tests) run side by side.
    static QString SocketPathFor(const QString& dataDir);

signals:
    // Another start asked us to come to the front; `token` is its activation token.
    void activationRequested(const QByteArray& token);

private:
    void OnConnection();

    QString m_path;
    int m_listener = -1;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace palabrum
