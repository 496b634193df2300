#include "meeting/room_code.h"

#include <sodium.h>

#include <algorithm>
#include <cstdlib>

namespace palabrum {

namespace {

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";  // Crockford's: no I, L, O, U

void InitSodium() {
    // Fails only without a random source, where no code could be made safely.
    if (sodium_init() < 0) std::abort();
}

}  // namespace

std::string RoomCode::Shown() const {
    std::string shown(symbols.begin(), symbols.end());
    return shown.insert(5, 1, '-');
}

RoomCode NewRoomCode() {
    InitSodium();
    RoomCode code;
    for (char& symbol : code.symbols) symbol = kAlphabet[randombytes_uniform(kAlphabet.size())];
    return code;
}

std::optional<RoomCode> ParseRoomCode(std::string_view typed) {
    RoomCode code;
    std::size_t n = 0;
    for (char c : typed) {
        if (c == ' ' || c == '-' || c == '\t') continue;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c == 'O') c = '0';
        if (c == 'I' || c == 'L') c = '1';
        if (kAlphabet.find(c) == std::string_view::npos || n == code.symbols.size()) return std::nullopt;
        code.symbols[n++] = c;
    }
    if (n != code.symbols.size()) return std::nullopt;
    return code;
}

std::optional<RoomSecrets> DeriveRoomSecrets(const RoomCode& code) {
    InitSodium();
    // One salt for every room: the code is the secret, and the same code must give the same room.
    static constexpr unsigned char kSalt[crypto_pwhash_SALTBYTES] = {'p', 'a', 'l', 'a', 'b', 'r', 'u', 'm',
                                                                     ' ', 'r', 'o', 'o', 'm', ' ', 'v', '1'};
    std::array<unsigned char, 16 + 32> out{};
    if (crypto_pwhash(out.data(), out.size(), code.symbols.data(), code.symbols.size(), kSalt,
                      crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                      crypto_pwhash_ALG_ARGON2ID13) != 0) {
        return std::nullopt;
    }
    RoomSecrets secrets;
    char hex[2 * 16 + 1];
    sodium_bin2hex(hex, sizeof hex, out.data(), 16);
    secrets.topic = std::string("palabrum/v1/") + hex;
    std::copy(out.begin() + 16, out.end(), secrets.key.begin());
    sodium_memzero(out.data(), out.size());
    return secrets;
}

}  // namespace palabrum
