// Fuzzes the BMP decoder, which reads whatever file the player picks as a
// bingo picture. Beyond "no crash and no read outside the input", it checks
// what the rest of the program relies on, and two things the decoder promises
// about fields it does not examine.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/require.h"
#include "model/bingo_pictures.h"

namespace palabrum {
namespace {

bool SameOutcome(const DecodedBmp& a, const DecodedBmp& b) {
    if (a.refusal != b.refusal || a.whyNot != b.whyNot) return false;
    if (!a.picture || !b.picture) return !a.picture && !b.picture;
    return a.picture->pixels == b.picture->pixels;
}

}  // namespace
}  // namespace palabrum

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace palabrum;

    const std::span<const std::uint8_t> bytes(data, size);
    const DecodedBmp decoded = DecodeBmp(bytes);

    if (decoded.picture) {
        REQUIRE(decoded.refusal == BmpRefusal::kNone);
        REQUIRE(decoded.whyNot.empty());
        // The status pane draws these as they are: nothing may come out see-through.
        for (std::uint32_t pixel : decoded.picture->pixels) REQUIRE((pixel >> 24) == 0xFF);
        // Headers, and 40 rows of at least 8 bytes (1 bit per pixel, padded).
        REQUIRE(size >= 54 + 40 * 8);
    } else {
        REQUIRE(decoded.refusal != BmpRefusal::kNone);
        REQUIRE(!decoded.whyNot.empty());
    }

    // The signature, the file size field and the reserved words are not examined.
    if (size >= 10) {
        std::vector<std::uint8_t> other(data, data + size);
        for (std::size_t i = 0; i < 10; ++i) other[i] ^= 0xA5;
        REQUIRE(SameOutcome(decoded, DecodeBmp(other)));
    }
    // Nothing after the pixel rows is read, so a good file stays good with more behind it.
    if (decoded.picture) {
        std::vector<std::uint8_t> longer(data, data + size);
        longer.push_back(0x5A);
        REQUIRE(SameOutcome(decoded, DecodeBmp(longer)));
    }
    return 0;
}
