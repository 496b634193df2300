// What players tell each other, before it is sealed: the room (its starter,
// round and word list), each player's presence (name, progress, bingo, or
// gone), and bingos as they happen. One encoding, little-endian and
// length-prefixed, and one bounded decoder that accepts nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace palabrum {

// A player's random identity in one meeting; it names their presence topic.
using PlayerId = std::array<std::uint8_t, 8>;

inline constexpr std::size_t kMaxNameLength = 40;  // characters
inline constexpr int kLineLength = 5;

// A player's bingo: when it happened (their clock, milliseconds since 1970)
// and the words of the line, in line order.
struct BingoClaim {
    std::uint64_t timeMs = 0;
    std::array<std::string, kLineLength> words;
    bool operator==(const BingoClaim&) const = default;
};

struct Message {
    enum class Kind : std::uint8_t { kRoom = 1, kPresence = 2, kBingo = 3 };
    Kind kind = Kind::kPresence;
    PlayerId sender{};
    // Grows with every message a sender sends (see meeting/sequence.h).
    std::uint64_t sequence = 0;
    std::uint32_t round = 0;
    std::string name;  // UTF-8: the starter's for a room, the player's otherwise

    std::vector<std::string> words;  // kRoom: the 25 words, UTF-8

    std::uint8_t progress = 0;  // kPresence: the most marks in one line, 0..5
    bool gone = false;          // kPresence: the player left (or their connection died)
    std::optional<BingoClaim> bingo;  // kPresence when they have one; kBingo always

    bool operator==(const Message&) const = default;
};

// Whether `name` may name a player: 1 to 40 characters of UTF-8, none a
// control character.
bool IsGoodName(std::string_view name);

// Whether a room of these 25 words, started by `name`, fits one sealed
// message: a list of very long words does not, and cannot be shared.
bool RoomListFits(const std::vector<std::string>& words, const std::string& name);

// The message's bytes; empty when a field breaks the rules the decoder
// enforces, so that nothing goes out that others would drop.
std::vector<std::uint8_t> EncodeMessage(const Message& message);

// The message in `bytes`, or none for anything not exactly one message of
// this version: an unknown kind, a length past the end or the bounds, bytes
// left over, text that is no UTF-8 or holds control characters, a name
// empty or over 40 characters, a word list that is no list of 25, progress
// over 5, a bingo without its five words.
std::optional<Message> DecodeMessage(std::span<const std::uint8_t> bytes);

}  // namespace palabrum
