#include "meeting/outbox.h"

#include "meeting/topics.h"

namespace palabrum {

namespace {

Message Head(Message::Kind kind, std::uint32_t round, const std::string& name) {
    Message m;
    m.kind = kind, m.round = round, m.name = name;
    return m;
}

}  // namespace

Outbox::Outbox(RoomSecrets room, PlayerId self, std::string name)
    : m_room(std::move(room)), m_self(self), m_name(std::move(name)) {}

Outgoing Outbox::RoomList(std::uint32_t round, const std::vector<std::string>& words) {
    Message m = Head(Message::Kind::kRoom, round, m_name);
    m.words = words;
    return Sealed(std::move(m), RoomTopic(m_room), 1, true);
}

Outgoing Outbox::Presence(std::uint32_t round, int progress, const std::optional<BingoClaim>& bingo, bool gone) {
    Message m = Head(Message::Kind::kPresence, round, m_name);
    m.progress = static_cast<std::uint8_t>(progress), m.gone = gone, m.bingo = bingo;
    return Sealed(std::move(m), PresenceTopic(m_room, m_self), bingo || gone ? 1 : 0, true);
}

Outgoing Outbox::Bingo(std::uint32_t round, const BingoClaim& bingo) {
    Message m = Head(Message::Kind::kBingo, round, m_name);
    m.bingo = bingo;
    return Sealed(std::move(m), BingoTopic(m_room), 1, false);
}

Outgoing Outbox::BeginConnection(std::uint64_t nowMs, std::uint32_t round) {
    Message m = Head(Message::Kind::kPresence, round, m_name);
    m.gone = true;
    std::lock_guard lock(m_lock);
    m_counter.BeginConnection(nowMs);
    m.sender = m_self;
    m.sequence = m_counter.Will();
    return {PresenceTopic(m_room, m_self), Seal(m_room, EncodeMessage(m)).value_or(WireBytes{}), 1, true};
}

Outgoing Outbox::Sealed(Message message, std::string topic, int qos, bool retain) {
    message.sender = m_self;
    {
        std::lock_guard lock(m_lock);
        message.sequence = m_counter.Next();
    }
    // Empty when the message breaks a rule (a list too long to seal): the
    // caller checks before it publishes.
    return {std::move(topic), Seal(m_room, EncodeMessage(message)).value_or(WireBytes{}), qos, retain};
}

std::optional<Message> Outbox::Unsealed(const RoomSecrets& room, const Outgoing& outgoing) {
    const std::optional<WireBytes> plain = Open(room, outgoing.wire);
    return plain ? DecodeMessage(*plain) : std::nullopt;
}

}  // namespace palabrum
