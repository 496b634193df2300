// Numbers a player's messages so that every receiver can tell newer from
// replayed: the connection's number in the high 42 bits (its start in
// milliseconds, enough until 2109, and always past the one before, so that a
// restart is newer than anything of the last run), a count in the low 22
// bits, and all ones there for the connection's last will, which the broker
// may send long after but which is still older than anything of the next
// connection.
#pragma once

#include <algorithm>
#include <cstdint>

namespace palabrum {

class SequenceCounter {
public:
    static constexpr int kCountBits = 22;
    static constexpr std::uint64_t kWill = (std::uint64_t{1} << kCountBits) - 1;

    void BeginConnection(std::uint64_t nowMs) {
        m_connection = std::max(nowMs & ((std::uint64_t{1} << (64 - kCountBits)) - 1), m_connection + 1);
        m_count = 0;
    }
    std::uint64_t Next() { return m_connection << kCountBits | std::min(++m_count, kWill - 1); }
    std::uint64_t Will() const { return m_connection << kCountBits | kWill; }

private:
    std::uint64_t m_connection = 0;
    std::uint64_t m_count = 0;
};

}  // namespace palabrum
