// What a second start of the program hands to the copy already running: the
// desktop's activation token and, when one was named, the game to open.
//
// On the wire it is one line, "raise TOKEN FILE\n", each field the lowercase
// hex of its bytes or "-" when absent. File names are bytes that need not be
// UTF-8 and may hold a newline; hex carries every one of them unchanged.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace palabrum {

struct StartRequest {
    std::string activationToken;                // empty when the desktop gave none
    std::optional<std::filesystem::path> file;  // absolute

    bool operator==(const StartRequest&) const = default;
};

// Longest token and file name a request may carry; no longer path can be
// opened on Linux anyway (PATH_MAX).
inline constexpr std::size_t kMaxActivationTokenBytes = 1024;
inline constexpr std::size_t kMaxStartFileBytes = 4096;
// The longest line a reader accepts, newline included.
inline constexpr std::size_t kMaxStartRequestBytes =
    sizeof "raise " - 1 + 2 * kMaxActivationTokenBytes + 1 + 2 * kMaxStartFileBytes + 1;

// The request as one line; nullopt when the reader would refuse it: a field
// over its bound or holding a NUL byte, or a file name that is not absolute.
std::optional<std::string> EncodeStartRequest(const StartRequest& request);

// Reads one request from a connection, in pieces as they arrive. The request
// is the bytes up to the first newline; whatever follows is ignored, so the
// verdict never depends on how the bytes were split.
class StartRequestReader {
public:
    enum class State { kIncomplete, kComplete, kRefused };

    // Takes the next bytes. Once complete or refused, the state stays.
    State Feed(std::string_view bytes);
    State state() const { return m_state; }
    // The request read; meaningful only once complete.
    const StartRequest& Request() const { return m_request; }

private:
    State Parse();

    State m_state = State::kIncomplete;
    std::string m_line;
    StartRequest m_request;
};

}  // namespace palabrum
