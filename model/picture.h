// A 40 by 40 bingo picture and the holder that owns one or none.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <utility>

namespace palabrum {

inline constexpr int kPictureSide = 40;

// Pixels row by row from the top left, each 0xFFRRGGBB.
struct Picture {
    std::array<std::uint32_t, kPictureSide * kPictureSide> pixels{};

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * kPictureSide + x)]; }
};

// Owns one picture or none. A picture moves between holders without a copy.
class PictureHolder {
public:
    bool IsEmpty() const { return !m_picture; }
    const Picture* Get() const { return m_picture.get(); }
    void Empty() { m_picture.reset(); }
    void Give(std::unique_ptr<Picture> picture) { m_picture = std::move(picture); }
    // Hands the picture over, leaving the holder empty.
    std::unique_ptr<Picture> Release() { return std::move(m_picture); }
    // Takes the other holder's picture, releasing our own; the other is left empty.
    void TakeFrom(PictureHolder& other) { m_picture = std::move(other.m_picture); }

private:
    std::unique_ptr<Picture> m_picture;
};

}  // namespace palabrum
