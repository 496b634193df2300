// The two pictures the program carries: their file format, and what they show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "options/bingo_pictures.h"

namespace palabrum {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

std::uint32_t Field32(std::span<const std::uint8_t> file, std::size_t at) {
    return static_cast<std::uint32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16) |
           static_cast<std::uint32_t>(file[at + 3]) << 24;
}

std::uint16_t Field16(std::span<const std::uint8_t> file, std::size_t at) {
    return static_cast<std::uint16_t>(file[at] | file[at + 1] << 8);
}

std::vector<std::uint8_t> SourceFile(const std::string& name) {
    std::ifstream in(std::string(PALABRUM_PICTURE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Bounds {
    int left = 40, top = 40, right = -1, bottom = -1;  // of the black pixels, inclusive
    int count = 0;
};

Bounds BlackBounds(const Picture& picture, int top, int bottom) {
    Bounds b;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (picture.At(x, y) != kBlack) continue;
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.top = std::min(b.top, y);
            b.bottom = std::max(b.bottom, y);
            ++b.count;
        }
    }
    return b;
}

class BuiltInPicture : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(BothPictures, BuiltInPicture, ::testing::Values(kBingoPictureId, kBullPictureId));

TEST_P(BuiltInPicture, IsTheProgramsOwnFormat) {
    const auto file = BuiltInPictureFile(GetParam());
    ASSERT_EQ(file.size(), 14u + 40u + 64u + 800u);
    EXPECT_EQ(Field32(file, 10), 118u);  // pixels right after the table
    EXPECT_EQ(Field32(file, 14), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(Field32(file, 18)), 40);
    EXPECT_EQ(static_cast<std::int32_t>(Field32(file, 22)), 40);  // bottom-up
    EXPECT_EQ(Field16(file, 28), 4);
    EXPECT_EQ(Field32(file, 30), 0u);  // uncompressed

    // The standard 16-colour table, stored blue, green, red, 0.
    const std::uint32_t table[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                     0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                     0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (std::size_t i = 0; i < 16; ++i) {
        const std::size_t at = 54 + 4 * i;
        EXPECT_EQ(static_cast<std::uint32_t>(file[at + 2] << 16 | file[at + 1] << 8 | file[at]), table[i]) << i;
        EXPECT_EQ(file[at + 3], 0) << i;
    }
    // Only black and white are drawn with.
    for (std::size_t at = 118; at < file.size(); ++at) {
        for (int nibble : {file[at] >> 4, file[at] & 15}) ASSERT_TRUE(nibble == 0 || nibble == 15) << at;
    }
}

TEST_P(BuiltInPicture, IsEmbeddedExactlyAsTheResourceFile) {
    const std::string name = GetParam() == kBingoPictureId ? "bingo_132.bmp" : "bull_134.bmp";
    const auto embedded = BuiltInPictureFile(GetParam());
    const auto source = SourceFile(name);
    ASSERT_FALSE(source.empty()) << name;
    EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), source.begin(), source.end()));
}

TEST_P(BuiltInPicture, DecodesToBlackLetteringOnWhiteInBothHalves) {
    PictureHolder holder;
    LoadBuiltInPicture(GetParam(), holder);
    ASSERT_FALSE(holder.IsEmpty());
    const Picture& picture = *holder.Get();

    int black = 0;
    for (std::uint32_t pixel : picture.pixels) {
        ASSERT_TRUE(pixel == kBlack || pixel == kWhite) << std::hex << pixel;
        black += pixel == kBlack;
    }
    EXPECT_GT(black, 100);                 // bold enough to read
    EXPECT_LT(black, 40 * 40 / 2);         // on a white ground
    EXPECT_GT(BlackBounds(picture, 0, 20).count, 0);
    EXPECT_GT(BlackBounds(picture, 20, 40).count, 0);
    // A white margin round the edges keeps the lettering off the frame.
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(picture.At(i, 0), kWhite);
        EXPECT_EQ(picture.At(i, 39), kWhite);
    }
}

TEST(BuiltInPictures, TheTwoPicturesDiffer) {
    PictureHolder bingo, bull;
    LoadBuiltInPicture(kBingoPictureId, bingo);
    LoadBuiltInPicture(kBullPictureId, bull);
    ASSERT_FALSE(bingo.IsEmpty());
    ASSERT_FALSE(bull.IsEmpty());
    EXPECT_NE(bingo.Get()->pixels, bull.Get()->pixels);
}

// "Bingo" across the top, and beneath it one mark standing on the middle column.
TEST(BuiltInPictures, TheBingoPictureHasItsExclamationMarkCentredBeneathTheWord) {
    PictureHolder holder;
    LoadBuiltInPicture(kBingoPictureId, holder);
    ASSERT_FALSE(holder.IsEmpty());
    const Bounds word = BlackBounds(*holder.Get(), 0, 20);
    const Bounds mark = BlackBounds(*holder.Get(), 20, 40);
    EXPECT_GE(word.right - word.left + 1, 32);  // across the picture
    EXPECT_LT(word.bottom, mark.top);
    EXPECT_EQ(mark.left + mark.right, 39);      // as far from either edge
    EXPECT_LE(mark.right - mark.left + 1, 10);  // one mark, not a word
    EXPECT_GE(mark.bottom - mark.top + 1, 15);  // and a large one
}

// Two lines of lettering, each wide, with white between them.
TEST(BuiltInPictures, TheSecondPictureHasTwoLinesOfLettering) {
    PictureHolder holder;
    LoadBuiltInPicture(kBullPictureId, holder);
    ASSERT_FALSE(holder.IsEmpty());
    const Bounds top = BlackBounds(*holder.Get(), 0, 20);
    const Bounds bottom = BlackBounds(*holder.Get(), 20, 40);
    EXPECT_GE(top.right - top.left + 1, 20);
    EXPECT_GE(bottom.right - bottom.left + 1, 30);  // the longer line
    EXPECT_LT(top.bottom + 1, bottom.top);
}

TEST(BuiltInPictures, AnyOtherIdLeavesTheHolderEmpty) {
    for (int id : {0, 1, 2, 128, 131, 133, 135, -132, 132 + 65536}) {
        SCOPED_TRACE(id);
        PictureHolder holder;
        LoadBuiltInPicture(kBullPictureId, holder);
        ASSERT_FALSE(holder.IsEmpty());
        LoadBuiltInPicture(id, holder);
        EXPECT_TRUE(holder.IsEmpty());
        EXPECT_TRUE(BuiltInPictureFile(id).empty());
    }
}

TEST(BuiltInPictures, LoadingReplacesWhatTheHolderHeld) {
    PictureHolder holder;
    LoadBuiltInPicture(kBullPictureId, holder);
    PictureHolder bingo;
    LoadBuiltInPicture(kBingoPictureId, bingo);
    LoadBuiltInPicture(kBingoPictureId, holder);
    ASSERT_FALSE(holder.IsEmpty());
    EXPECT_EQ(holder.Get()->pixels, bingo.Get()->pixels);
}

}  // namespace
}  // namespace palabrum
