#include "archive.h"

#include <utility>

namespace palabrum {

namespace {
constexpr std::uint8_t kShortMax = 0xFF;       // a length byte of FF means "longer form follows"
constexpr std::uint16_t kWideTag = 0xFFFE;     // FF FE FF opens every string we write
constexpr std::uint16_t kLongForm = 0xFFFF;    // a u16 of FFFF means "a u32 follows"
}  // namespace

void Archive::Need(std::uint64_t bytes) const {
    if (bytes > Remaining()) throw ArchiveError("archive ends inside a value");
}

std::uint8_t Archive::TakeByte() {
    Need(1);
    return m_in[m_pos++];
}

std::uint16_t Archive::TakeU16() {
    Need(2);
    const auto v = static_cast<std::uint16_t>(m_in[m_pos] | (m_in[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::uint32_t Archive::TakeU32() {
    Need(4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | m_in[m_pos + static_cast<std::size_t>(i)];
    m_pos += 4;
    return v;
}

void Archive::PutU16(std::uint16_t v) {
    m_out->push_back(static_cast<std::uint8_t>(v));
    m_out->push_back(static_cast<std::uint8_t>(v >> 8));
}

void Archive::PutU32(std::uint32_t v) {
    PutU16(static_cast<std::uint16_t>(v));
    PutU16(static_cast<std::uint16_t>(v >> 16));
}

void Archive::U16(std::uint16_t& value) {
    if (IsLoading()) value = TakeU16();
    else PutU16(value);
}

void Archive::U16(std::int32_t& value) {
    if (IsLoading()) value = TakeU16();
    else PutU16(static_cast<std::uint16_t>(value));
}

void Archive::U32(std::uint32_t& value) {
    if (IsLoading()) value = TakeU32();
    else PutU32(value);
}

void Archive::U32(std::int32_t& value) {
    if (IsLoading()) value = static_cast<std::int32_t>(TakeU32());
    else PutU32(static_cast<std::uint32_t>(value));
}

void Archive::WriteCount(std::uint32_t count) {
    if (count < kLongForm) {
        PutU16(static_cast<std::uint16_t>(count));
    } else {
        PutU16(kLongForm);
        PutU32(count);
    }
}

std::uint32_t Archive::ReadCount() {
    const std::uint16_t shortCount = TakeU16();
    return shortCount < kLongForm ? shortCount : TakeU32();
}

void Archive::PutString(const std::u16string& s) {
    m_out->push_back(kShortMax);
    PutU16(kWideTag);
    const auto length = s.size();
    if (length < kShortMax) {
        m_out->push_back(static_cast<std::uint8_t>(length));
    } else {
        m_out->push_back(kShortMax);
        if (length < kWideTag) {
            PutU16(static_cast<std::uint16_t>(length));
        } else {
            PutU16(kLongForm);
            PutU32(static_cast<std::uint32_t>(length));
        }
    }
    for (char16_t c : s) PutU16(static_cast<std::uint16_t>(c));
}

// We only ever write the tagged wide form, but a plain length followed by
// single-byte characters is read too, as older writers of this layout did.
std::u16string Archive::TakeString() {
    bool wide = false;
    std::uint32_t length = TakeByte();
    if (length == kShortMax) {
        length = TakeU16();
        if (length == kWideTag) {
            wide = true;
            length = TakeByte();
            if (length == kShortMax) length = TakeU16();
        }
        if (length == kLongForm) length = TakeU32();
    }
    // Checked before allocating: a declared length can never claim more
    // than the bytes that are left.
    const std::uint64_t bytes = wide ? 2ULL * length : length;
    Need(bytes);
    std::u16string s(length, u'\0');
    for (auto& c : s) c = wide ? static_cast<char16_t>(TakeU16()) : static_cast<char16_t>(TakeByte());
    return s;
}

void Archive::String(std::u16string& value) {
    if (IsLoading()) value = TakeString();
    else PutString(value);
}

void Archive::StringArray(std::vector<std::u16string>& values) {
    if (!IsLoading()) {
        WriteCount(static_cast<std::uint32_t>(values.size()));
        for (const auto& s : values) PutString(s);
        return;
    }
    const std::uint32_t count = ReadCount();
    Need(count);  // every string takes at least its length byte
    std::vector<std::u16string> loaded;
    loaded.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) loaded.push_back(TakeString());
    values = std::move(loaded);
}

void Archive::U16Array(std::vector<std::uint16_t>& values) {
    if (!IsLoading()) {
        WriteCount(static_cast<std::uint32_t>(values.size()));
        for (auto v : values) PutU16(v);
        return;
    }
    const std::uint32_t count = ReadCount();
    Need(2ULL * count);
    std::vector<std::uint16_t> loaded(count);
    for (auto& v : loaded) v = TakeU16();
    values = std::move(loaded);
}

}  // namespace palabrum
