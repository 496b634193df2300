// The player's own messages, numbered and sealed for the room: what the
// program publishes, and the last will the broker keeps for each connection.
// The network thread asks for a new will before every connection while the
// program's thread publishes, so every call takes a lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "meeting/message.h"
#include "meeting/room_code.h"
#include "meeting/sealed.h"
#include "meeting/sequence.h"

namespace palabrum {

struct Outgoing {
    std::string topic;
    WireBytes wire;
    int qos = 0;
    bool retain = false;
};

class Outbox {
public:
    Outbox(RoomSecrets room, PlayerId self, std::string name);

    const RoomSecrets& Room() const { return m_room; }
    const PlayerId& Self() const { return m_self; }
    const std::string& Name() const { return m_name; }

    // The room's list and round (retained, at least once), from its starter.
    Outgoing RoomList(std::uint32_t round, const std::vector<std::string>& words);
    // The player's presence (retained): at least once when it carries a bingo
    // or says they left, since those must not be lost.
    Outgoing Presence(std::uint32_t round, int progress, const std::optional<BingoClaim>& bingo, bool gone = false);
    // The bingo itself, at least once.
    Outgoing Bingo(std::uint32_t round, const BingoClaim& bingo);
    // Begins a connection at `nowMs` and gives the will to set for it:
    // the player's presence as gone in `round`.
    Outgoing BeginConnection(std::uint64_t nowMs, std::uint32_t round);

    // The message as sent, for the player's own room to take.
    static std::optional<Message> Unsealed(const RoomSecrets& room, const Outgoing& outgoing);

private:
    Outgoing Sealed(Message message, std::string topic, int qos, bool retain);

    const RoomSecrets m_room;
    const PlayerId m_self;
    const std::string m_name;
    std::mutex m_lock;
    SequenceCounter m_counter;
};

}  // namespace palabrum
