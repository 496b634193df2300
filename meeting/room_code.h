// A meeting room's code: what the starter reads out or pastes into the
// meeting's chat, and all that protects the room's traffic. Ten symbols of
// Crockford's base 32 (50 bits), shown as two groups of five; typed back in
// any case, with blanks or dashes, O read as 0 and I or L as 1.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace palabrum {

struct RoomCode {
    std::array<char, 10> symbols{};

    std::string Shown() const;  // "ABCDE-FGHJK"
    bool operator==(const RoomCode&) const = default;
};

// A fresh code from the system's random source.
RoomCode NewRoomCode();
// The code a player typed or pasted, or none when it cannot be one.
std::optional<RoomCode> ParseRoomCode(std::string_view typed);

// What a code gives everyone who has it, and nobody else: the broker topic the
// room lives under (the code itself never goes on the wire) and the key its
// messages are sealed with. Derived by a slow, memory-hard hash, so that a
// broker's user who sees the topic cannot try every code to find it.
struct RoomSecrets {
    std::string topic;  // "palabrum/v1/" and 32 hex digits
    std::array<unsigned char, 32> key{};
};
// None only when the machine lacks the memory the hash needs.
std::optional<RoomSecrets> DeriveRoomSecrets(const RoomCode& code);

}  // namespace palabrum
