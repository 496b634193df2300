// The one way in for whatever arrives from the broker: a message passes only
// sealed by the room's key, well formed, on the topic its kind belongs on,
// newer than the last of its kind from its sender, and within its sender's
// pace. Everything else is dropped and counted by why.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string_view>

#include "meeting/message.h"
#include "meeting/room_code.h"

namespace palabrum {

struct DropCounts {
    std::uint64_t oversized = 0;    // over the wire's size bound
    std::uint64_t unsealed = 0;     // not sealed by this room's key (forged, damaged, another version)
    std::uint64_t malformed = 0;    // sealed, but no message
    std::uint64_t misplaced = 0;    // a message on a topic not its own
    std::uint64_t replayed = 0;     // no newer than one already taken from its sender
    std::uint64_t tooFrequent = 0;  // past its sender's pace
    std::uint64_t crowded = 0;      // a new sender when the room is full
    std::uint64_t Total() const {
        return oversized + unsealed + malformed + misplaced + replayed + tooFrequent + crowded;
    }
};

// A sender may send a burst of kBurst messages, then kPerSecond a second.
inline constexpr double kBurst = 20;
inline constexpr double kPerSecond = 4;
// No room follows more senders than this; the largest meeting is some 1,000.
inline constexpr std::size_t kMostSenders = 5000;

class MessageGate {
public:
    MessageGate(RoomSecrets room, PlayerId self) : m_room(std::move(room)), m_self(self) {}

    // The message in `wire`, arrived on `topic` at `nowMs`, or none when it is
    // dropped, or when it is the player's own presence or bingo coming back.
    std::optional<Message> Admit(std::string_view topic, std::span<const std::uint8_t> wire, std::uint64_t nowMs);

    const DropCounts& Drops() const { return m_drops; }

private:
    struct Sender {
        std::uint64_t last[4] = {};  // the newest sequence taken, by kind
        double tokens = kBurst;
        std::uint64_t refilledMs = 0;
    };
    RoomSecrets m_room;
    PlayerId m_self;
    std::map<PlayerId, Sender> m_senders;
    DropCounts m_drops;
};

}  // namespace palabrum
