#include "meeting/sealed.h"

#include <sodium.h>

namespace palabrum {

namespace {

static_assert(crypto_aead_xchacha20poly1305_ietf_NPUBBYTES == 24 && crypto_aead_xchacha20poly1305_ietf_ABYTES == 16 &&
              crypto_aead_xchacha20poly1305_ietf_KEYBYTES == sizeof(RoomSecrets::key));

// The additional data: the version and the room's topic, so that a message
// replayed into another room, or read as another version, fails to open.
WireBytes AdditionalData(const RoomSecrets& room) {
    WireBytes ad{kWireVersion};
    ad.insert(ad.end(), room.topic.begin(), room.topic.end());
    return ad;
}

}  // namespace

std::optional<WireBytes> Seal(const RoomSecrets& room, std::span<const std::uint8_t> plain) {
    if (plain.size() > kMaxPlainBytes || sodium_init() < 0) return std::nullopt;
    WireBytes wire(kSealOverhead + plain.size());
    wire[0] = kWireVersion;
    randombytes_buf(wire.data() + 1, 24);
    const WireBytes ad = AdditionalData(room);
    unsigned long long sealed = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(wire.data() + 25, &sealed, plain.data(), plain.size(), ad.data(),
                                               ad.size(), nullptr, wire.data() + 1, room.key.data());
    wire.resize(25 + sealed);
    return wire;
}

std::optional<WireBytes> Open(const RoomSecrets& room, std::span<const std::uint8_t> wire) {
    if (wire.size() < kSealOverhead || wire.size() > kMaxWireBytes || wire[0] != kWireVersion) return std::nullopt;
    if (sodium_init() < 0) return std::nullopt;
    WireBytes plain(wire.size() - kSealOverhead);
    unsigned long long opened = 0;
    const WireBytes ad = AdditionalData(room);
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(plain.data(), &opened, nullptr, wire.data() + 25, wire.size() - 25,
                                                   ad.data(), ad.size(), wire.data() + 1, room.key.data()) != 0) {
        return std::nullopt;
    }
    plain.resize(opened);
    return plain;
}

}  // namespace palabrum
