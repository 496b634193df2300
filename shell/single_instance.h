// One running copy per user and data folder. The first start takes a lock
// file and listens on a local socket beside it; a later start finds the lock
// taken, hands its request (activation token, file to open) to the running
// copy over the socket and ends. Both live in a folder only this user can
// write, and each side checks that the other is the same user.
#pragma once

#include <QByteArray>
#include <QObject>
#include <filesystem>
#include <optional>
#include <string>

#include "model/start_request.h"

class QSocketNotifier;

namespace palabrum {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // At most this many second starts are read at once; more wait their turn.
    static constexpr int kMaxConnections = 8;
    // A second start that has not sent its whole request by then is dropped.
    static constexpr int kReadDeadlineMs = 2000;
    // How long a start waits for a running copy that has the lock but is not
    // listening yet, before it runs anyway.
    static constexpr int kConnectPatienceMs = 5000;

    // The lock and socket are `folder`/`name`.lock and .socket. A folder that is
    // not this user's private folder is not used at all (see TrustedFolder).
    SingleInstance(std::filesystem::path folder, std::string name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy, or must run anyway (no
    // private folder, no socket to be had, the running copy not answering, or
    // another user's process in its place). False when `request` reached the
    // running copy: end now.
    bool Claim(const StartRequest& request);

    // $XDG_RUNTIME_DIR when it is an absolute path to this user's directory
    // that nobody else may enter; else <temp>/palabrum-<uid>, created 0700
    // when missing. nullopt when neither is safe: run without the claim.
    static std::optional<std::filesystem::path> TrustedFolder();
    // The lock and socket name for a data folder, the same for every spelling
    // of it (symlinks, trailing or doubled slashes). Creates the folder when
    // missing, since only an existing folder has a canonical name.
    static std::string NameFor(const std::filesystem::path& dataFolder);

    std::filesystem::path SocketPath() const;
    std::filesystem::path LockPath() const;

signals:
    // A second start asked us to come to the front; `token` is its activation token.
    void activationRequested(const QByteArray& token);
    // A second start was given this file (absolute) to open.
    void openRequested(const std::filesystem::path& file);

private:
    class Peer;

    bool Listen();
    void OnConnection();
    void OnReadable(Peer* peer);
    void Drop(Peer* peer);
    void Deliver(const StartRequest& request);

    std::filesystem::path m_folder;
    std::string m_name;
    int m_lock = -1;
    int m_listener = -1;
    QSocketNotifier* m_notifier = nullptr;
    int m_open = 0;  // connections being read
};

}  // namespace palabrum
