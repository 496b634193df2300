#include "meeting/message.h"

#include <string_view>

#include "meeting/sealed.h"
#include "model/utf8.h"
#include "model/word_list.h"

namespace palabrum {

namespace {

// One line of text as a list, a name or a word needs it: well-formed UTF-8,
// 1 to `most` characters, no control characters but tab.
bool IsPlainText(std::string_view text, std::size_t most) {
    std::size_t count = 0;
    while (!text.empty()) {
        const Utf8Char one = DecodeUtf8(text);
        if (one.length == 0 || (one.code < 0x20 && one.code != '\t') || (one.code >= 0x80 && one.code < 0xA0))
            return false;
        text.remove_prefix(one.length);
        ++count;
    }
    return count >= 1 && count <= most;
}

bool IsGoodBingo(const BingoClaim& bingo) {
    for (const std::string& word : bingo.words)
        if (!IsPlainText(word, kMaxLineLength)) return false;
    return true;
}

bool IsGood(const Message& m) {
    if (!IsGoodName(m.name)) return false;
    switch (m.kind) {
        case Message::Kind::kRoom: {
            if (m.words.size() != kListSize) return false;
            for (const std::string& word : m.words)
                if (!IsPlainText(word, kMaxLineLength)) return false;
            return true;
        }
        case Message::Kind::kPresence:
            return m.progress <= kLineLength && (!m.bingo || IsGoodBingo(*m.bingo)) &&
                   (!m.bingo || m.progress == kLineLength);
        case Message::Kind::kBingo:
            return m.bingo && IsGoodBingo(*m.bingo);
    }
    return false;
}

class Writer {
public:
    void Byte(std::uint8_t b) { bytes.push_back(b); }
    void Number(std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void Text(const std::string& text) {
        Number(text.size(), 2);
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    std::vector<std::uint8_t> bytes;
};

// Reads forwards and never past the end: every read that would fails the
// whole message.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    bool AtEnd() const { return m_at == m_bytes.size(); }
    std::uint64_t Number(int size) {
        if (!Take(size)) return 0;
        std::uint64_t value = 0;
        for (int i = size - 1; i >= 0; --i) value = value << 8 | m_bytes[m_at - size + i];
        return value;
    }
    std::string Text() {
        const std::size_t size = Number(2);
        if (!Take(size)) return {};
        return {reinterpret_cast<const char*>(m_bytes.data() + m_at - size), size};
    }

private:
    bool Take(std::size_t size) {
        if (!m_ok || size > m_bytes.size() - m_at) return m_ok = false;
        m_at += size;
        return true;
    }
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

void WriteBingo(Writer& w, const BingoClaim& bingo) {
    w.Number(bingo.timeMs, 8);
    for (const std::string& word : bingo.words) w.Text(word);
}

BingoClaim ReadBingo(Reader& r) {
    BingoClaim bingo;
    bingo.timeMs = r.Number(8);
    for (std::string& word : bingo.words) word = r.Text();
    return bingo;
}

}  // namespace

bool IsGoodName(std::string_view name) { return IsPlainText(name, kMaxNameLength) && name.find('\t') == name.npos; }

bool RoomListFits(const std::vector<std::string>& words, const std::string& name) {
    Message room;
    room.kind = Message::Kind::kRoom, room.name = name, room.words = words;
    const std::size_t size = EncodeMessage(room).size();
    return size > 0 && size <= kMaxPlainBytes;
}

std::vector<std::uint8_t> EncodeMessage(const Message& m) {
    if (!IsGood(m)) return {};
    Writer w;
    w.Byte(static_cast<std::uint8_t>(m.kind));
    for (std::uint8_t b : m.sender) w.Byte(b);
    w.Number(m.sequence, 8);
    w.Number(m.round, 4);
    w.Text(m.name);
    switch (m.kind) {
        case Message::Kind::kRoom:
            for (const std::string& word : m.words) w.Text(word);
            break;
        case Message::Kind::kPresence:
            w.Byte(m.progress);
            w.Byte(m.gone);
            w.Byte(m.bingo.has_value());
            if (m.bingo) WriteBingo(w, *m.bingo);
            break;
        case Message::Kind::kBingo:
            WriteBingo(w, *m.bingo);
            break;
    }
    return std::move(w.bytes);
}

std::optional<Message> DecodeMessage(std::span<const std::uint8_t> bytes) {
    Reader r(bytes);
    Message m;
    const std::uint64_t kind = r.Number(1);
    if (kind < 1 || kind > 3) return std::nullopt;
    m.kind = static_cast<Message::Kind>(kind);
    for (std::uint8_t& b : m.sender) b = static_cast<std::uint8_t>(r.Number(1));
    m.sequence = r.Number(8);
    m.round = static_cast<std::uint32_t>(r.Number(4));
    m.name = r.Text();
    switch (m.kind) {
        case Message::Kind::kRoom:
            for (int i = 0; i < kListSize && r.ok(); ++i) m.words.push_back(r.Text());
            break;
        case Message::Kind::kPresence: {
            m.progress = static_cast<std::uint8_t>(r.Number(1));
            const std::uint64_t gone = r.Number(1), hasBingo = r.Number(1);
            if (gone > 1 || hasBingo > 1) return std::nullopt;
            m.gone = gone == 1;
            if (hasBingo) m.bingo = ReadBingo(r);
            break;
        }
        case Message::Kind::kBingo:
            m.bingo = ReadBingo(r);
            break;
    }
    if (!r.ok() || !r.AtEnd() || !IsGood(m)) return std::nullopt;
    return m;
}

}  // namespace palabrum
