// The archive: the byte encoding shared by every record of the state file.
//
// One object serves both directions, so a record's Serialize walks its fields
// once and the same code reads and writes them. Numbers are little-endian;
// strings are tagged UTF-16 with a variable-length size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace palabrum {

using Bytes = std::vector<std::uint8_t>;

// Raised by a loading archive when the bytes end early or declare a size that
// cannot be in them. The values already taken stay where they were stored.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Archive {
public:
    // A storing archive that appends to `out`.
    static Archive Storing(Bytes& out) { return Archive(&out, {}); }
    // A loading archive over `in`, which must outlive it.
    static Archive Loading(std::span<const std::uint8_t> in) { return Archive(nullptr, in); }
    static Archive Loading(Bytes&&) = delete;  // the bytes would be gone before the reading

    bool IsLoading() const { return m_out == nullptr; }
    // Bytes not yet taken by a loading archive.
    std::size_t Remaining() const { return m_in.size() - m_pos; }

    // Each transfers one field: written from it when storing, read into it
    // when loading. A u16 field held in 32 bits is written as its low 16 bits
    // and read back zero-extended. Loading throws ArchiveError and leaves the
    // field unchanged when the value is not complete.
    void U16(std::uint16_t& value);
    void U16(std::int32_t& value);
    void U32(std::uint32_t& value);
    void U32(std::int32_t& value);
    void String(std::u16string& value);
    void StringArray(std::vector<std::u16string>& values);
    void U16Array(std::vector<std::uint16_t>& values);

    // The element count of an array: 2 bytes below 0xFFFF, else FF FF and a u32.
    void WriteCount(std::uint32_t count);
    std::uint32_t ReadCount();

private:
    Archive(Bytes* out, std::span<const std::uint8_t> in) : m_out(out), m_in(in) {}

    std::uint8_t TakeByte();
    std::uint16_t TakeU16();
    std::uint32_t TakeU32();
    void PutU16(std::uint16_t v);
    void PutU32(std::uint32_t v);
    void Need(std::uint64_t bytes) const;
    std::u16string TakeString();
    void PutString(const std::u16string& s);

    Bytes* m_out = nullptr;
    std::span<const std::uint8_t> m_in;
    std::size_t m_pos = 0;
};

}  // namespace palabrum
