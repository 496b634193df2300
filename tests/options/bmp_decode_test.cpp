// The BMP decoder on bytes: which files it reads, how, and which it refuses.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "options/bingo_pictures.h"
#include "tests/options/bmp_writer.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::BmpFile;
using testing::ByteVector;
using testing::DistinctColours;
using testing::PackRows;
using testing::PalettedFile;
using testing::U16;

constexpr std::uint32_t kBlack = 0xFF000000;

DecodedBmp Decode(const BmpFile& file) {
    const ByteVector bytes = file.Bytes();
    return DecodeBmp(bytes);
}

std::uint32_t Opaque(std::uint32_t rgb) {
    return 0xFF000000 | rgb;
}

// Every pixel of `picture` against the table entry that the writer's pattern put there.
void ExpectPattern(const Picture& picture, const BmpFile& file) {
    const auto entries = static_cast<std::uint32_t>(file.palette.size());
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::uint32_t index = static_cast<std::uint32_t>(x + 7 * y) % entries;
            ASSERT_EQ(picture.At(x, y), Opaque(file.palette[index])) << "at " << x << "," << y;
        }
    }
}

void ExpectRefused(const BmpFile& file, const std::u16string& why) {
    const DecodedBmp decoded = Decode(file);
    EXPECT_EQ(decoded.picture, nullptr);
    EXPECT_EQ(decoded.refusal, BmpRefusal::kBadBitmap);
    EXPECT_EQ(decoded.whyNot, why);
}

// ------------------------------------------------------------ paletted files

TEST(BmpPalette, EveryPixelOfOneFourAndEightBitFilesTakesItsTableColour) {
    for (int bits : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE("bits " + std::to_string(bits) + (topDown ? " top-down" : " bottom-up"));
            const BmpFile file = PalettedFile(bits, topDown);
            const DecodedBmp decoded = Decode(file);
            ASSERT_NE(decoded.picture, nullptr) << std::string(decoded.whyNot.begin(), decoded.whyNot.end());
            EXPECT_EQ(decoded.refusal, BmpRefusal::kNone);
            EXPECT_TRUE(decoded.whyNot.empty());
            ExpectPattern(*decoded.picture, file);
        }
    }
}

// The first stored row is the bottom one unless the height is negative.
TEST(BmpPalette, FirstStoredRowIsTheBottomRowOfABottomUpFileAndTheTopRowOfATopDownOne) {
    BmpFile file;
    file.palette = {0x000000, 0xFF0000};
    file.colorsUsed = 2;
    file.pixels.assign(40 * 40, 0);
    for (int x = 0; x < 40; ++x) file.pixels[static_cast<std::size_t>(x)] = 1;

    const auto bottomUp = Decode(file);
    ASSERT_NE(bottomUp.picture, nullptr);
    EXPECT_EQ(bottomUp.picture->At(0, 39), 0xFFFF0000);
    EXPECT_EQ(bottomUp.picture->At(39, 39), 0xFFFF0000);
    EXPECT_EQ(bottomUp.picture->At(0, 0), kBlack);
    EXPECT_EQ(bottomUp.picture->At(0, 38), kBlack);

    file.height = -40;
    const auto topDown = Decode(file);
    ASSERT_NE(topDown.picture, nullptr);
    EXPECT_EQ(topDown.picture->At(0, 0), 0xFFFF0000);
    EXPECT_EQ(topDown.picture->At(39, 0), 0xFFFF0000);
    EXPECT_EQ(topDown.picture->At(0, 1), kBlack);
    EXPECT_EQ(topDown.picture->At(0, 39), kBlack);
}

TEST(BmpPalette, TheLeftmostPixelSitsInTheHighestBitsOfItsByte) {
    BmpFile one;
    one.bitCount = 1;
    one.palette = {0xFFFFFF, 0x0000FF};
    one.pixels.assign(8 * 40, 0);
    one.pixels[0] = 0x81;  // pixels 0 and 7 of the bottom row
    one.pixels[4] = 0x01;  // pixel 39, the last one; the three bytes after it are padding
    one.pixels[5] = 0xFF;
    const auto a = Decode(one);
    ASSERT_NE(a.picture, nullptr);
    EXPECT_EQ(a.picture->At(0, 39), 0xFF0000FF);
    EXPECT_EQ(a.picture->At(1, 39), 0xFFFFFFFF);
    EXPECT_EQ(a.picture->At(7, 39), 0xFF0000FF);
    EXPECT_EQ(a.picture->At(38, 39), 0xFFFFFFFF);
    EXPECT_EQ(a.picture->At(39, 39), 0xFF0000FF);
    EXPECT_EQ(a.picture->At(0, 38), 0xFFFFFFFF);  // the padding did not spill into the next row

    BmpFile four;
    four.bitCount = 4;
    four.palette = DistinctColours(16);
    four.pixels.assign(20 * 40, 0);
    four.pixels[0] = 0x3C;
    const auto b = Decode(four);
    ASSERT_NE(b.picture, nullptr);
    EXPECT_EQ(b.picture->At(0, 39), Opaque(four.palette[3]));
    EXPECT_EQ(b.picture->At(1, 39), Opaque(four.palette[12]));
    EXPECT_EQ(b.picture->At(2, 39), Opaque(four.palette[0]));
}

TEST(BmpPalette, ColoursUsedSetsTheTableLengthAndThePixelsFollowTheShortTable) {
    BmpFile file;
    file.colorsUsed = 3;
    file.palette = {0x102030, 0x405060, 0x708090};
    file.pixels = PackRows(8, false, [](int x, int y) { return static_cast<std::uint32_t>(x + y) % 3; });
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    EXPECT_EQ(decoded.picture->At(0, 0), 0xFF102030);
    EXPECT_EQ(decoded.picture->At(1, 0), 0xFF405060);
    EXPECT_EQ(decoded.picture->At(1, 1), 0xFF708090);
    EXPECT_EQ(decoded.picture->At(39, 39), 0xFF102030);
}

TEST(BmpPalette, IndicesPastTheTableReadAsBlack) {
    BmpFile file;
    file.colorsUsed = 2;
    file.palette = {0xFFFFFF, 0x00FF00};
    file.pixels = PackRows(8, false, [](int x, int) { return static_cast<std::uint32_t>(x); });
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    EXPECT_EQ(decoded.picture->At(0, 5), 0xFFFFFFFF);
    EXPECT_EQ(decoded.picture->At(1, 5), 0xFF00FF00);
    for (int x = 2; x < 40; ++x) EXPECT_EQ(decoded.picture->At(x, 5), kBlack) << x;
}

TEST(BmpPalette, ColoursUsedOfExactlyTwoToTheBitsIsAFullTable) {
    BmpFile file = PalettedFile(4);
    file.colorsUsed = 16;
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    ExpectPattern(*decoded.picture, file);
}

// ------------------------------------------------------------- file layout

TEST(BmpLayout, PixelsStartAtTheStatedOffsetPastAnyPadding) {
    BmpFile file = PalettedFile(8);
    file.gap = 37;
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    ExpectPattern(*decoded.picture, file);
}

TEST(BmpLayout, TheSignatureIsNotChecked) {
    BmpFile file = PalettedFile(4);
    file.signature[0] = 'X';
    file.signature[1] = '\0';
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    ExpectPattern(*decoded.picture, file);
}

// File size, planes, image size, resolutions and important colours do not shape the pixels,
// and writers fill them carelessly.
TEST(BmpLayout, FieldsThatDoNotShapeThePixelsMayHoldAnything) {
    BmpFile file = PalettedFile(8);
    file.fileSize = 0xFFFFFFFF;
    file.planes = 9;
    file.sizeImage = 12345678;
    file.xPelsPerMeter = -1;
    file.yPelsPerMeter = INT_MIN;
    file.colorsImportant = 0xFFFFFFFF;
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    ExpectPattern(*decoded.picture, file);
}

TEST(BmpLayout, BytesAfterThePixelsAreIgnored) {
    BmpFile file = PalettedFile(1);
    file.pixels.insert(file.pixels.end(), 500, 0x55);
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    ExpectPattern(*decoded.picture, file);
}

// Newer writers use the 108- and 124-byte headers; the table follows the header wherever it ends.
TEST(BmpLayout, TheTableFollowsALongerHeader) {
    for (std::uint32_t headerSize : {52u, 56u, 64u, 108u, 124u}) {
        SCOPED_TRACE(headerSize);
        BmpFile file = PalettedFile(8, true);
        file.headerSize = headerSize;
        const auto decoded = Decode(file);
        ASSERT_NE(decoded.picture, nullptr);
        ExpectPattern(*decoded.picture, file);
    }
}

// ----------------------------------------------------------- direct colour

TEST(BmpDirectColour, TwentyFourBitPixelsAreBlueGreenRed) {
    BmpFile file;
    file.bitCount = 24;
    file.pixels.assign(120 * 40, 0);
    file.pixels[0] = 0x01;
    file.pixels[1] = 0x02;
    file.pixels[2] = 0x03;
    file.pixels[117] = 0xFF;  // blue of pixel 39
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    EXPECT_EQ(decoded.picture->At(0, 39), 0xFF030201);
    EXPECT_EQ(decoded.picture->At(39, 39), 0xFF0000FF);
    EXPECT_EQ(decoded.picture->At(1, 39), kBlack);
}

TEST(BmpDirectColour, TwentyFourBitPicturesComeOutRightEitherWayUp) {
    for (bool topDown : {false, true}) {
        BmpFile file;
        file.bitCount = 24;
        file.height = topDown ? -40 : 40;
        auto colour = [](int x, int y) { return static_cast<std::uint32_t>(x * 6 << 16 | y * 6 << 8 | (x ^ y)); };
        file.pixels = PackRows(24, topDown, colour);
        const auto decoded = Decode(file);
        ASSERT_NE(decoded.picture, nullptr);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) ASSERT_EQ(decoded.picture->At(x, y), Opaque(colour(x, y)));
        }
    }
}

TEST(BmpDirectColour, ThirtyTwoBitPixelsIgnoreTheFourthByteAndAreOpaque) {
    BmpFile file;
    file.bitCount = 32;
    auto pixel = [](int x, int y) {
        return static_cast<std::uint32_t>((x * 13 + y) & 0xFF) << 24 | static_cast<std::uint32_t>(x * 5 << 16 | y * 5 << 8 | (x + y));
    };
    file.pixels = PackRows(32, false, pixel);
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) ASSERT_EQ(decoded.picture->At(x, y), 0xFF000000 | (pixel(x, y) & 0xFFFFFF));
    }
}

TEST(BmpDirectColour, SixteenBitPixelsAreFiveFiveFiveByDefault) {
    BmpFile file;
    file.bitCount = 16;
    const std::vector<std::uint32_t> values = {0x7C00, 0x03E0, 0x001F, 0x8000, 0x7FFF, 0x4210};
    file.pixels = PackRows(16, true, [&](int x, int) { return values[static_cast<std::size_t>(x) % values.size()]; });
    file.height = -40;
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    const Picture& p = *decoded.picture;
    EXPECT_EQ(p.At(0, 0), 0xFFFF0000);
    EXPECT_EQ(p.At(1, 0), 0xFF00FF00);
    EXPECT_EQ(p.At(2, 0), 0xFF0000FF);
    EXPECT_EQ(p.At(3, 0), kBlack);  // the top bit is unused
    EXPECT_EQ(p.At(4, 0), 0xFFFFFFFF);
    EXPECT_EQ(p.At(5, 0), 0xFF848484);  // 16 of 31 is 131.6 of 255, rounded to 132
}

TEST(BmpDirectColour, BitfieldMasksPickTheChannelsOfSixteenBitPixels) {
    BmpFile file;
    file.bitCount = 16;
    file.compression = 3;
    file.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5
    const std::vector<std::uint32_t> values = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x0400};
    file.pixels = PackRows(16, false, [&](int x, int) { return values[static_cast<std::size_t>(x) % values.size()]; });
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr) << std::string(decoded.whyNot.begin(), decoded.whyNot.end());
    const Picture& p = *decoded.picture;
    EXPECT_EQ(p.At(0, 7), 0xFFFF0000);
    EXPECT_EQ(p.At(1, 7), 0xFF00FF00);
    EXPECT_EQ(p.At(2, 7), 0xFF0000FF);
    EXPECT_EQ(p.At(3, 7), 0xFFFFFFFF);
    EXPECT_EQ(p.At(4, 7), kBlack);
    EXPECT_EQ(p.At(5, 7), 0xFF008200);  // green 32 of 63 is 129.5 of 255, rounded to 130
}

TEST(BmpDirectColour, BitfieldMasksPickTheChannelsOfThirtyTwoBitPixels) {
    BmpFile file;
    file.bitCount = 32;
    file.compression = 3;
    file.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the first byte
    file.pixels = PackRows(32, false, [](int, int) { return 0x44332211u; });
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    EXPECT_EQ(decoded.picture->At(17, 23), 0xFF112233);
}

TEST(BmpDirectColour, BitfieldMasksInsideAVersionFiveHeaderAreUsed) {
    BmpFile file;
    file.headerSize = 124;
    file.bitCount = 32;
    file.compression = 3;
    file.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};  // the low byte is unused
    file.pixels = PackRows(32, false, [](int x, int) { return static_cast<std::uint32_t>(x) << 24 | 0x00C0A0EEu; });
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    EXPECT_EQ(decoded.picture->At(9, 0), 0xFF09C0A0);
}

// A version-five header keeps masks for plain 32-bit files too; without BI_BITFIELDS they are not used.
TEST(BmpDirectColour, MasksInAHeaderAreIgnoredWithoutBitfieldsCompression) {
    BmpFile file;
    file.headerSize = 124;
    file.bitCount = 32;
    file.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    file.pixels = PackRows(32, false, [](int, int) { return 0x00112233u; });
    const auto decoded = Decode(file);
    ASSERT_NE(decoded.picture, nullptr);
    EXPECT_EQ(decoded.picture->At(3, 3), 0xFF112233);
}

// ------------------------------------------------------------------ sizes

TEST(BmpSize, OnlyFortyByFortyEitherWayUpPasses) {
    struct Case {
        std::int32_t width, height;
    };
    for (const Case c : {Case{40, 41}, Case{41, 40}, Case{40, -41}, Case{39, 40}, Case{-40, 40}, Case{0, 0},
                         Case{40, 0}, Case{INT_MIN, 40}, Case{40, INT_MIN}, Case{INT_MAX, INT_MAX}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        BmpFile file = PalettedFile(8);
        file.width = c.width;
        file.height = c.height;
        const auto decoded = Decode(file);
        EXPECT_EQ(decoded.picture, nullptr);
        EXPECT_EQ(decoded.refusal, BmpRefusal::kBadSize);
        EXPECT_FALSE(decoded.whyNot.empty());
    }
}

// ---------------------------------------------------------------- refusals

TEST(BmpRefusal, UnsupportedBitCountsAreRefusedByNumber) {
    for (std::uint16_t bits : {0, 2, 3, 5, 7, 9, 12, 15, 31, 48, 64, 65535}) {
        SCOPED_TRACE(bits);
        BmpFile file = PalettedFile(8);
        file.bitCount = bits;
        ExpectRefused(file, u"has an unsupported colour depth (" + U16(std::to_string(bits)) + u" bits per pixel).");
    }
}

TEST(BmpRefusal, CompressedFilesAreRefused) {
    struct Case {
        std::uint16_t bits;
        std::uint32_t compression;
    };
    // RLE8, RLE4, JPEG, PNG, alpha bitfields, and values no writer uses.
    for (const Case c : {Case{8, 1}, Case{4, 2}, Case{24, 4}, Case{24, 5}, Case{32, 6}, Case{8, 7}, Case{8, 0xFFFFFFFF}}) {
        SCOPED_TRACE(c.compression);
        BmpFile file = PalettedFile(8);
        file.bitCount = c.bits;
        file.compression = c.compression;
        ExpectRefused(file, u"is compressed, which is not supported.");
    }
}

TEST(BmpRefusal, BitfieldsOutsideSixteenAndThirtyTwoBitsAreRefused) {
    for (std::uint16_t bits : {1, 4, 8, 24}) {
        SCOPED_TRACE(bits);
        BmpFile file = PalettedFile(8);
        file.bitCount = bits;
        file.compression = 3;
        ExpectRefused(file, u"has colour masks, which only 16- and 32-bit bitmaps can have.");
    }
}

TEST(BmpRefusal, MasksThatAreEmptyBrokenOverlappingOrTooWideAreRefused) {
    struct Case {
        std::uint16_t bits;
        std::uint32_t r, g, b;
    };
    for (const Case c : {Case{16, 0, 0x07E0, 0x001F}, Case{16, 0xF800, 0x07E0, 0x0015}, Case{16, 0xF800, 0x0FE0, 0x001F},
                         Case{16, 0x1F0000, 0x07E0, 0x001F}, Case{32, 0xFF0000, 0xFF00, 0xFF0000},
                         Case{32, 0xF0F00000, 0xFF00, 0xFF}}) {
        SCOPED_TRACE(std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b));
        BmpFile file;
        file.bitCount = c.bits;
        file.compression = 3;
        file.masks = {c.r, c.g, c.b};
        file.pixels.assign(static_cast<std::size_t>(c.bits) * 5 * 40, 0);
        ExpectRefused(file, u"has colour masks that are not supported.");
    }
}

TEST(BmpRefusal, HeadersShorterThanFortyBytesAreRefused) {
    for (std::uint32_t size : {0u, 12u, 16u, 39u}) {
        SCOPED_TRACE(size);
        BmpFile file = PalettedFile(8);
        file.headerSize = size;
        const auto decoded = Decode(file);
        EXPECT_EQ(decoded.picture, nullptr);
        EXPECT_EQ(decoded.refusal, BmpRefusal::kBadBitmap);
        EXPECT_NE(decoded.whyNot.find(u"unsupported header"), std::u16string::npos);
    }
}

TEST(BmpRefusal, MoreColoursUsedThanTheDepthAllowsAreRefused) {
    struct Case {
        int bits;
        std::uint32_t used;
    };
    for (const Case c : {Case{1, 3}, Case{4, 17}, Case{8, 257}, Case{8, 0x40000000}, Case{8, 0xFFFFFFFF}}) {
        SCOPED_TRACE(c.used);
        BmpFile file = PalettedFile(c.bits);
        file.colorsUsed = c.used;
        const auto decoded = Decode(file);
        EXPECT_EQ(decoded.picture, nullptr);
        EXPECT_EQ(decoded.refusal, BmpRefusal::kBadBitmap);
        EXPECT_NE(decoded.whyNot.find(u"more colours"), std::u16string::npos);
    }
}

TEST(BmpRefusal, APixelOffsetInsideTheHeadersIsRefused) {
    struct Case {
        std::uint32_t headerSize, offset;
        std::uint16_t bits;
        std::uint32_t compression;
    };
    for (const Case c : {Case{40, 0, 8, 0}, Case{40, 14, 8, 0}, Case{40, 53, 8, 0}, Case{124, 137, 8, 0},
                         Case{40, 0, 24, 0}, Case{40, 53, 24, 0}, Case{40, 65, 16, 3}}) {
        SCOPED_TRACE(c.offset);
        BmpFile file = PalettedFile(8);
        file.headerSize = c.headerSize;
        file.bitCount = c.bits;
        file.compression = c.compression;
        if (c.compression == 3) file.masks = {0x7C00, 0x03E0, 0x001F};
        file.pixelOffset = c.offset;
        ExpectRefused(file, u"has its pixel data inside its headers.");
    }
}

TEST(BmpRefusal, ATableThatRunsIntoThePixelsIsRefused) {
    BmpFile file = PalettedFile(8);
    file.pixelOffset = 54 + 1020;  // one entry short of the 256 the table holds
    ExpectRefused(file, u"has a colour table that runs into its pixel data.");
}

TEST(BmpRefusal, HugeSizesAndOffsetsAreACutShortFile) {
    BmpFile header = PalettedFile(8);
    header.headerSize = 0xFFFFFFF0;
    ExpectRefused(header, u"is cut short.");

    BmpFile offset = PalettedFile(8);
    offset.pixelOffset = 0xFFFFFFFF;
    ExpectRefused(offset, u"is cut short.");
}

// Whatever the file claims, a decoder that reads past its bytes would trip the sanitizers here:
// each cut is copied into a buffer of exactly its length.
TEST(BmpRefusal, AFileCutAtAnyByteIsRefusedAsCutShort) {
    BmpFile masked;
    masked.headerSize = 124;
    masked.bitCount = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.pixels = PackRows(16, false, [](int x, int y) { return static_cast<std::uint32_t>(x * 1000 + y); });
    BmpFile shortTable = PalettedFile(8);
    shortTable.colorsUsed = 5;
    shortTable.palette.resize(5);
    BmpFile padded = PalettedFile(4);
    padded.gap = 10;

    for (const BmpFile& file : {PalettedFile(1), PalettedFile(4, true), PalettedFile(8), shortTable, padded, masked}) {
        const ByteVector whole = file.Bytes();
        ASSERT_NE(DecodeBmp(whole).picture, nullptr);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const ByteVector cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            const auto decoded = DecodeBmp(cut);
            ASSERT_EQ(decoded.picture, nullptr) << "cut at " << length;
            ASSERT_EQ(decoded.refusal, BmpRefusal::kBadBitmap) << "cut at " << length;
            ASSERT_EQ(decoded.whyNot, u"is cut short.") << "cut at " << length;
        }
    }
}

TEST(BmpRefusal, AnEightBitFileWithTheLowestHeightIsRefusedCleanly) {
    BmpFile file = PalettedFile(8);
    file.height = INT_MIN;
    const auto decoded = Decode(file);
    EXPECT_EQ(decoded.picture, nullptr);
    EXPECT_EQ(decoded.refusal, BmpRefusal::kBadSize);
}

}  // namespace
}  // namespace palabrum
