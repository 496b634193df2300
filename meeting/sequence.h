// Numbers a player's messages so that every receiver can tell newer from
// replayed: the connection's number in the high half (its start in seconds,
// and always past the one before), a count in the low half, and all ones in
// the low half for the connection's last will, which the broker may send long
// after but which is still older than anything of the next connection.
#pragma once

#include <algorithm>
#include <cstdint>

namespace palabrum {

class SequenceCounter {
public:
    void BeginConnection(std::uint64_t nowSeconds) {
        m_connection = std::max<std::uint64_t>(nowSeconds & 0xFFFFFFFF, m_connection + 1);
        m_count = 0;
    }
    std::uint64_t Next() { return m_connection << 32 | std::min<std::uint64_t>(++m_count, 0xFFFFFFFE); }
    std::uint64_t Will() const { return m_connection << 32 | 0xFFFFFFFF; }

private:
    std::uint64_t m_connection = 0;
    std::uint64_t m_count = 0;
};

}  // namespace palabrum
