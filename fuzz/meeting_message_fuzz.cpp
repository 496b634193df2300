// Fuzzes the meeting message decoder, which reads what any other player's
// program sends once it is opened. Beyond "no crash": a message has exactly
// one encoding, so whatever decodes must encode back to the very same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/require.h"
#include "meeting/message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<palabrum::Message> message = palabrum::DecodeMessage(bytes);
    if (message) {
        const std::vector<std::uint8_t> again = palabrum::EncodeMessage(*message);
        REQUIRE(std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()));
    }
    return 0;
}
