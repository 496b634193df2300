// One player's part in a meeting: joins the room through the broker link,
// lets in only what the gate passes, keeps the room, deals the room's list
// onto the player's board each round, and tells the room the player's
// progress and bingo whenever they change, again after every reconnection
// (so that a bingo made offline arrives when the connection returns).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "meeting/broker_settings.h"
#include "meeting/message_gate.h"
#include "meeting/outbox.h"
#include "meeting/room.h"
#include "meeting/room_code.h"
#include "model/document_view.h"

namespace palabrum {

class BrokerLink;
class CPalabrumDoc;

struct MeetingSeat {
    RoomCode code;
    std::string name;  // UTF-8, 1 to 40 characters
    PlayerId self{};
    bool starter = false;
    // The round the player's board was dealt for, when coming back to a
    // meeting after a restart: that round's board and marks are kept.
    std::uint32_t dealtRound = 0;
};

class MeetingSession : public QObject, private DocumentView {
    Q_OBJECT
public:
    // How long a joining player waits for the room's list before deciding
    // that there is no such room.
    static constexpr int kRoomWaitMs = 5000;

    // Joins (or, for a starter, opens with the board's current list) the room
    // of `seat`; `secrets` are the code's. Nothing is sent before connecting.
    MeetingSession(CPalabrumDoc& doc, MeetingSeat seat, RoomSecrets secrets, BrokerSettings settings,
                   std::string password);
    // Leaves: the room hears that the player has gone.
    ~MeetingSession() override;

    // The starter deals a new round for everyone.
    void NewRound();

    const MeetingSeat& Seat() const { return m_seat; }
    const Room& GetRoom() const { return m_room; }
    const DropCounts& Drops() const { return m_gate.Drops(); }
    bool IsPlaying() const { return m_playing; }
    bool IsOnline() const { return m_online; }

signals:
    // The room's list is on the board: the player is in.
    void joined();
    // The meeting could not be joined (no such room, no broker): nothing changed.
    void joinFailed(const QString& why);
    // Players, progress or bingos changed.
    void roomChanged();
    // A new bingo, in the order they happened; `name` and words as plain text.
    void bingoCalled(const QString& name, const QStringList& words);
    void onlineChanged(bool online, const QString& reason);

private:
    void OnConnected();
    void OnConnectionLost(const QString& reason);
    void OnReceived(const QString& topic, const QByteArray& payload);
    void OnRoomWaitOver();
    void TakeRound();
    void Send(const Outgoing& outgoing);
    void SendPresence();
    void OnInitialUpdate() override;
    void OnUpdate(const DocumentChange& change) override;
    void Announce(const PlayerEntry& bingo);

    CPalabrumDoc& m_doc;
    MeetingSeat m_seat;
    MessageGate m_gate;
    Room m_room;
    Outbox m_outbox;
    std::unique_ptr<BrokerLink> m_link;
    QTimer m_roomWait;
    bool m_everConnected = false;
    bool m_online = false;
    bool m_playing = false;
    int m_progress = -1;  // as last told to the room
    std::optional<BingoClaim> m_bingo;  // the player's, in the room's round
    std::vector<std::string> m_startList;  // a starter's list until the room has it
    std::atomic<std::uint32_t> m_willRound{0};  // read by the network thread for each will
};

}  // namespace palabrum
