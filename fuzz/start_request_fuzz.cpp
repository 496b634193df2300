// Fuzzes the reader of what a second start sends to the running copy, which
// takes whatever any process of the user writes to its socket. Besides "no
// crash", each input is checked twice over:
//  - as bytes on the wire: read whole and one byte at a time, the verdict and
//    request are the same, and an accepted line is exactly the one the encoder
//    writes for that request (one spelling per request, nothing lax);
//  - as a request (token, NUL, file): whatever the encoder writes reads back
//    unchanged, and it refuses only what it promises to.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/require.h"
#include "model/start_request.h"

namespace palabrum {
namespace {

using State = StartRequestReader::State;

void CheckWire(std::string_view bytes) {
    StartRequestReader whole;
    whole.Feed(bytes);
    StartRequestReader pieces;
    for (char c : bytes) pieces.Feed(std::string_view(&c, 1));
    REQUIRE(whole.state() == pieces.state());

    const auto newline = bytes.find('\n');
    switch (whole.state()) {
    case State::kIncomplete:
        REQUIRE(newline == std::string_view::npos);
        REQUIRE(bytes.size() < kMaxStartRequestBytes);
        break;
    case State::kComplete:
        REQUIRE(whole.Request() == pieces.Request());
        REQUIRE(EncodeStartRequest(whole.Request()) == std::string(bytes.substr(0, newline + 1)));
        break;
    case State::kRefused:
        break;
    }
}

void CheckRoundTrip(std::string_view bytes) {
    const auto nul = bytes.find('\0');
    StartRequest request;
    request.activationToken = std::string(bytes.substr(0, nul));
    if (nul != std::string_view::npos && nul + 1 < bytes.size()) request.file = std::string(bytes.substr(nul + 1));

    const auto line = EncodeStartRequest(request);
    if (!line) {
        const std::string file = request.file ? request.file->native() : std::string();
        REQUIRE(request.activationToken.size() > kMaxActivationTokenBytes || file.size() > kMaxStartFileBytes ||
                file.find('\0') != std::string::npos || (request.file && file.front() != '/'));
        return;
    }
    REQUIRE(line->size() <= kMaxStartRequestBytes);
    StartRequestReader reader;
    REQUIRE(reader.Feed(*line) == State::kComplete);
    REQUIRE(reader.Request() == request);
}

}  // namespace
}  // namespace palabrum

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    palabrum::CheckWire(bytes);
    palabrum::CheckRoundTrip(bytes);
    return 0;
}
