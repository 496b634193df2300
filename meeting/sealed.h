// Every meeting message travels sealed: encrypted and authenticated with the
// room's key (XChaCha20-Poly1305), bound to the room's topic, a version byte
// in front, and never more than a few KiB. A broker, or anyone on it without
// the code, can neither read a message nor forge or move one between rooms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "meeting/room_code.h"

namespace palabrum {

using WireBytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kWireVersion = 1;
inline constexpr std::size_t kMaxWireBytes = 4096;
// The version byte, the nonce and the tag around the sealed text.
inline constexpr std::size_t kSealOverhead = 1 + 24 + 16;
inline constexpr std::size_t kMaxPlainBytes = kMaxWireBytes - kSealOverhead;

// `plain` sealed for `room` under a fresh random nonce; none when it is longer
// than kMaxPlainBytes.
std::optional<WireBytes> Seal(const RoomSecrets& room, std::span<const std::uint8_t> plain);

// The text sealed in `wire`, or none for anything not sealed by this room's key
// for this room's topic in this version, or over the size bound.
std::optional<WireBytes> Open(const RoomSecrets& room, std::span<const std::uint8_t> wire);

}  // namespace palabrum
