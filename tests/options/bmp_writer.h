// Builds BMP files field by field, so that each test states only what it
// changes from a good 40 by 40 file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace palabrum::testing {

using ByteVector = std::vector<std::uint8_t>;

struct BmpFile {
    char signature[2] = {'B', 'M'};
    std::optional<std::uint32_t> fileSize;  // the real size unless set
    std::uint32_t headerSize = 40;          // the info header takes at least 40 bytes in the file
    std::int32_t width = 40;
    std::int32_t height = 40;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 2835;
    std::int32_t yPelsPerMeter = 2835;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
    // At offset 54: inside a header of 52 bytes or more, else right after it.
    std::vector<std::uint32_t> masks;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB, stored blue, green, red, 0
    std::size_t gap = 0;                 // filler bytes between the table and the pixels
    std::optional<std::uint32_t> pixelOffset;  // right after the gap unless set
    ByteVector pixels;                   // the rows as stored

    ByteVector Bytes() const {
        ByteVector info;
        Put32(info, headerSize);
        Put32(info, static_cast<std::uint32_t>(width));
        Put32(info, static_cast<std::uint32_t>(height));
        Put16(info, planes);
        Put16(info, bitCount);
        Put32(info, compression);
        Put32(info, sizeImage);
        Put32(info, static_cast<std::uint32_t>(xPelsPerMeter));
        Put32(info, static_cast<std::uint32_t>(yPelsPerMeter));
        Put32(info, colorsUsed);
        Put32(info, colorsImportant);
        for (std::uint32_t mask : masks) Put32(info, mask);
        // A header that claims more than a real one ever has is left short, as a lying file would be.
        if (info.size() < headerSize && headerSize <= 4096) info.resize(headerSize, 0);

        ByteVector middle = info;
        for (std::uint32_t colour : palette) {
            middle.push_back(static_cast<std::uint8_t>(colour));
            middle.push_back(static_cast<std::uint8_t>(colour >> 8));
            middle.push_back(static_cast<std::uint8_t>(colour >> 16));
            middle.push_back(0);
        }
        middle.insert(middle.end(), gap, 0xEE);

        const auto total = static_cast<std::uint32_t>(14 + middle.size() + pixels.size());
        ByteVector file = {static_cast<std::uint8_t>(signature[0]), static_cast<std::uint8_t>(signature[1])};
        Put32(file, fileSize.value_or(total));
        Put32(file, 0);  // the two reserved words
        Put32(file, pixelOffset.value_or(static_cast<std::uint32_t>(14 + middle.size())));
        file.insert(file.end(), middle.begin(), middle.end());
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }

    std::string String() const {
        const ByteVector bytes = Bytes();
        return {bytes.begin(), bytes.end()};
    }

    static void Put16(ByteVector& out, std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    static void Put32(ByteVector& out, std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
};

// Stores a 40 by 40 picture whose pixel (x, y), counted from the top left, is
// `value(x, y)`: a table index at 1, 4 and 8 bits (the leftmost pixel in the
// highest bits of a byte), the raw little-endian pixel at 16 and 32 bits, and
// 0xRRGGBB at 24 bits. Rows go bottom-up unless `topDown`, each padded to four
// bytes with 0xAB so that padding read as a pixel shows.
inline ByteVector PackRows(int bits, bool topDown, const std::function<std::uint32_t(int x, int y)>& value) {
    const std::size_t stride = (40 * static_cast<std::size_t>(bits) + 31) / 32 * 4;
    ByteVector out;
    for (int stored = 0; stored < 40; ++stored) {
        const int y = topDown ? stored : 39 - stored;
        ByteVector row;
        if (bits < 8) {
            const int perByte = 8 / bits;
            for (int x = 0; x < 40; x += perByte) {
                std::uint8_t byte = 0;
                for (int i = 0; i < perByte; ++i) {
                    byte = static_cast<std::uint8_t>(byte | value(x + i, y) << (8 - bits * (i + 1)));
                }
                row.push_back(byte);
            }
        } else {
            for (int x = 0; x < 40; ++x) {
                const std::uint32_t v = value(x, y);
                if (bits == 24) {
                    row.push_back(static_cast<std::uint8_t>(v));        // blue
                    row.push_back(static_cast<std::uint8_t>(v >> 8));   // green
                    row.push_back(static_cast<std::uint8_t>(v >> 16));  // red
                } else {
                    for (int shift = 0; shift < bits; shift += 8) row.push_back(static_cast<std::uint8_t>(v >> shift));
                }
            }
        }
        row.resize(stride, 0xAB);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// `count` different colours: red counts up, green down, blue hops about.
inline std::vector<std::uint32_t> DistinctColours(std::uint32_t count) {
    std::vector<std::uint32_t> colours;
    for (std::uint32_t i = 0; i < count; ++i) {
        colours.push_back(i << 16 | (255 - i) << 8 | ((i * 37 + 11) & 0xFF));
    }
    return colours;
}

// A good paletted file: a full table and a pattern that uses every entry.
inline BmpFile PalettedFile(int bits, bool topDown = false) {
    BmpFile file;
    file.bitCount = static_cast<std::uint16_t>(bits);
    file.height = topDown ? -40 : 40;
    file.palette = DistinctColours(1u << bits);
    const std::uint32_t entries = 1u << bits;
    file.pixels = PackRows(bits, topDown, [entries](int x, int y) {
        return static_cast<std::uint32_t>(x + 7 * y) % entries;
    });
    return file;
}

}  // namespace palabrum::testing
