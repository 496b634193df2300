#include "shell/meeting_session.h"

#include <QDateTime>
#include <QStringList>
#include <algorithm>

#include "model/game_document.h"
#include "model/utf8.h"
#include "meeting/topics.h"
#include "shell/broker_link.h"
#include "views/qt_text.h"

namespace palabrum {

namespace {

std::uint64_t NowMs() { return static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()); }

}  // namespace

MeetingSession::MeetingSession(CPalabrumDoc& doc, MeetingSeat seat, RoomSecrets secrets, BrokerSettings settings,
                               std::string password)
    : m_doc(doc), m_seat(std::move(seat)), m_gate(secrets, m_seat.self), m_room(m_seat.self),
      m_outbox(secrets, m_seat.self, m_seat.name) {
    if (m_seat.starter && m_seat.dealtRound == 0) {
        for (const std::u16string& word : doc.GetBoard().Words()) m_startList.push_back(Utf8FromUtf16(word));
    }
    // The will is made on the network thread, for the round known then; a
    // round is never older than the will of the connection before.
    m_willRound = m_seat.dealtRound;
    m_link = std::make_unique<BrokerLink>(std::move(settings), std::move(password), RoomSubscription(secrets),
                                          [this] { return m_outbox.BeginConnection(NowMs(), m_willRound); });
    connect(m_link.get(), &BrokerLink::connected, this, &MeetingSession::OnConnected, Qt::QueuedConnection);
    connect(m_link.get(), &BrokerLink::connectionLost, this, &MeetingSession::OnConnectionLost, Qt::QueuedConnection);
    connect(m_link.get(), &BrokerLink::received, this, &MeetingSession::OnReceived, Qt::QueuedConnection);
    m_roomWait.setSingleShot(true);
    connect(&m_roomWait, &QTimer::timeout, this, &MeetingSession::OnRoomWaitOver);
    m_doc.AddView(*this);
    m_link->Start();
}

MeetingSession::~MeetingSession() {
    m_doc.RemoveView(*this);
    if (m_online && m_playing) Send(m_outbox.Presence(m_room.Round(), m_progress, m_bingo, true));
    m_link.reset();  // sends it, then disconnects
}

void MeetingSession::Send(const Outgoing& outgoing) {
    if (m_link) m_link->Publish(outgoing);
    // The player's own messages come back from the broker only to be
    // ignored: the room takes them here, at once, online or not.
    if (const std::optional<Message> mine = Outbox::Unsealed(m_outbox.Room(), outgoing)) {
        if (m_room.Apply(*mine) != Room::Change::kNone) emit roomChanged();
    }
}

void MeetingSession::OnConnected() {
    m_everConnected = true;
    m_online = true;
    emit onlineChanged(true, {});
    if (!m_startList.empty()) {
        Send(m_outbox.RoomList(1, m_startList));
        m_startList.clear();
        TakeRound();
    } else if (!m_playing) {
        m_roomWait.start(kRoomWaitMs);
    }
    // Again after every reconnection: the broker may have lost it, and the
    // presence carries the bingo, so one made offline arrives now.
    if (m_playing) SendPresence();
}

void MeetingSession::OnConnectionLost(const QString& reason) {
    if (!m_link) return;  // the join failed already
    // A first join that cannot connect fails; a player coming back after a
    // restart plays on offline until the server answers.
    if (!m_everConnected && m_seat.dealtRound == 0) {
        m_link.reset();
        emit joinFailed(reason);
        return;
    }
    if (m_online || !m_everConnected) {
        m_online = false;
        emit onlineChanged(false, reason);
    }
}

void MeetingSession::OnRoomWaitOver() {
    if (!m_playing) emit joinFailed({});
}

void MeetingSession::OnReceived(const QString& topic, const QByteArray& payload) {
    const std::optional<Message> message =
        m_gate.Admit(topic.toStdString(), {reinterpret_cast<const std::uint8_t*>(payload.data()),
                                           static_cast<std::size_t>(payload.size())}, NowMs());
    if (!message) return;
    switch (m_room.Apply(*message)) {
        case Room::Change::kNone: return;
        case Room::Change::kRound: TakeRound(); break;
        case Room::Change::kPlayers: break;
        case Room::Change::kBingo:
            if (const std::optional<PlayerEntry> bingo = m_room.Player(message->sender)) Announce(*bingo);
            break;
    }
    emit roomChanged();
}

void MeetingSession::Announce(const PlayerEntry& bingo) {
    QStringList words;
    for (const std::string& word : bingo.bingo->words) words << ToQString(word);
    emit bingoCalled(ToQString(bingo.name), words);
}

void MeetingSession::TakeRound() {
    m_roomWait.stop();
    m_willRound = m_room.Round();
    const bool keepBoard = m_seat.dealtRound == m_room.Round() && !m_playing;
    if (!keepBoard) {
        std::vector<std::u16string> words;
        for (const std::string& word : m_room.Words()) words.push_back(Utf16FromUtf8(word));
        m_bingo.reset();
        m_progress = -1;
        m_seat.dealtRound = m_room.Round();
        m_doc.DealAtRandom(words);
    }
    const bool first = !m_playing;
    m_playing = true;
    if (keepBoard) OnUpdate({DocumentChange::Kind::kMarksReplaced});
    SendPresence();
    if (first) emit joined();
}

void MeetingSession::NewRound() {
    if (!m_playing || !m_room.IsStarter(m_seat.self)) return;
    Send(m_outbox.RoomList(m_room.Round() + 1, m_room.Words()));
    TakeRound();
}

void MeetingSession::SendPresence() {
    m_progress = m_doc.GetBoard().MostMarksInALine();
    Send(m_outbox.Presence(m_room.Round(), m_progress, m_bingo));
}

void MeetingSession::OnInitialUpdate() {}

void MeetingSession::OnUpdate(const DocumentChange& change) {
    if (!m_playing || (change.kind != DocumentChange::Kind::kSquareChanged &&
                       change.kind != DocumentChange::Kind::kMarksReplaced)) {
        return;
    }
    const Board& board = m_doc.GetBoard();
    if (board.IsBingo() && !m_bingo) {
        BingoClaim claim{NowMs(), {}};
        for (int k = 0; k < kLineLength; ++k)
            claim.words[k] = Utf8FromUtf16(board.GetWord(board.LineStart() + k * board.LineStep()));
        m_bingo = claim;
        Send(m_outbox.Bingo(m_room.Round(), claim));
        SendPresence();
        Announce(*m_room.Player(m_seat.self));
        emit roomChanged();
    } else if (board.MostMarksInALine() != m_progress) {
        SendPresence();
        emit roomChanged();
    }
}

}  // namespace palabrum
