#include "model/start_request.h"

#include <vector>

namespace palabrum {

namespace {

constexpr std::string_view kKeyword = "raise";
constexpr char kAbsent = '-';
constexpr char kDigits[] = "0123456789abcdef";

bool Sendable(std::string_view bytes, std::size_t limit) {
    return bytes.size() <= limit && bytes.find('\0') == std::string_view::npos;
}

void AppendField(std::string& out, std::string_view bytes) {
    out += ' ';
    if (bytes.empty()) {
        out += kAbsent;
        return;
    }
    for (unsigned char b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
    }
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;  // uppercase too: one spelling per request keeps the format simple to check
}

// The bytes a field stands for; nullopt for a malformed field, an empty
// string for "-". Bytes the sender would not send are refused as well.
std::optional<std::string> DecodeField(std::string_view field, std::size_t limit) {
    if (field.size() == 1 && field[0] == kAbsent) return std::string();
    if (field.empty() || field.size() % 2 != 0 || field.size() / 2 > limit) return std::nullopt;
    std::string bytes;
    bytes.reserve(field.size() / 2);
    for (std::size_t i = 0; i < field.size(); i += 2) {
        const int high = DigitValue(field[i]);
        const int low = DigitValue(field.at(i + 1));  // at(): an odd length let through above throws here
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high << 4 | low);
    }
    if (!Sendable(bytes, limit)) return std::nullopt;
    return bytes;
}

std::vector<std::string_view> SplitOnSpaces(std::string_view line) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto space = line.find(' ');
        parts.push_back(line.substr(0, space));
        if (space == std::string_view::npos) return parts;
        line.remove_prefix(space + 1);
    }
}

}  // namespace

std::optional<std::string> EncodeStartRequest(const StartRequest& request) {
    const std::string& file = request.file ? request.file->native() : std::string();
    if (!Sendable(request.activationToken, kMaxActivationTokenBytes) || !Sendable(file, kMaxStartFileBytes)) {
        return std::nullopt;
    }
    if (request.file && (file.empty() || file.front() != '/')) return std::nullopt;
    std::string line(kKeyword);
    AppendField(line, request.activationToken);
    AppendField(line, file);
    line += '\n';
    return line;
}

StartRequestReader::State StartRequestReader::Feed(std::string_view bytes) {
    if (m_state != State::kIncomplete) return m_state;
    const auto newline = bytes.find('\n');
    const std::size_t take = newline == std::string_view::npos ? bytes.size() : newline;
    // The newline counts towards the bound, so a line one byte too long is refused here.
    if (m_line.size() + take + 1 > kMaxStartRequestBytes) return m_state = State::kRefused;
    m_line.append(bytes.substr(0, take));
    if (newline == std::string_view::npos) return m_state;
    m_state = Parse();
    m_line = std::string();  // the bytes are of no further use
    return m_state;
}

StartRequestReader::State StartRequestReader::Parse() {
    const std::vector<std::string_view> parts = SplitOnSpaces(m_line);
    if (parts.size() != 3 || parts[0] != kKeyword) return State::kRefused;
    auto token = DecodeField(parts[1], kMaxActivationTokenBytes);
    auto file = DecodeField(parts[2], kMaxStartFileBytes);
    if (!token || !file) return State::kRefused;
    if (!file->empty() && file->front() != '/') return State::kRefused;  // only the sender knows its folder
    m_request.activationToken = std::move(*token);
    if (!file->empty()) m_request.file = std::filesystem::path(std::move(*file));
    return State::kComplete;
}

}  // namespace palabrum
