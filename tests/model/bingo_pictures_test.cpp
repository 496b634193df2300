// The bingo pictures: the colours the BMP decoder gives every file it reads, the one
// box the loader shows for every file it refuses, and the two pictures the program carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "model/file_name.h"
#include "model/bingo_pictures.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::ScriptedPort;
using testing::ShownBox;
using testing::TempDir;
using testing::U16;

using ByteVector = std::vector<std::uint8_t>;
using Colours = std::function<std::uint32_t(int x, int y)>;

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// Little-endian, growing `out` when the field lies past its end.
void Put(ByteVector& out, std::size_t at, std::uint32_t value, std::size_t bytes = 4) {
    if (out.size() < at + bytes) out.resize(at + bytes);
    for (std::size_t i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> 8 * i);
}

// Red changes along a row, green down a column, and blue, the low byte and so the
// table index, along both; the top byte is junk that a 32-bit pixel carries.
std::uint32_t Pattern(int x, int y) {
    return static_cast<std::uint32_t>(x * 13 + y) << 24 | static_cast<std::uint32_t>(x * 6 << 16 | y * 6 << 8) |
           static_cast<std::uint32_t>(x + 7 * y) % 256;
}

struct Poke { std::size_t at; std::uint32_t value; std::size_t bytes = 4; };  // a field at its file offset

// A good 40 by 40 file, so that each test states only what it changes; the
// pokes then overwrite fields as a careless or lying writer would.
struct Bmp {
    int bits = 8;
    std::int32_t height = 40;  // negative for top-down
    std::uint32_t headerSize = 40;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks;  // at 54: inside a long header, else right after it
    std::uint32_t colorsUsed = 0;
    std::size_t gap = 0;  // filler between the table and the pixels
    // Pixel (x, y) from the top left, stored in its low `bits`: a table index up
    // to 8 bits, else the raw little-endian pixel, which at 24 bits is 0xRRGGBB.
    Colours value = Pattern;
    std::vector<Poke> pokes;

    // colorsUsed distinct colours (2^bits when zero) as 0x00RRGGBB; none past 8 bits.
    std::vector<std::uint32_t> Table() const {
        std::vector<std::uint32_t> table;
        const std::uint32_t count = bits > 8 ? 0 : colorsUsed != 0 ? colorsUsed : 1u << bits;
        for (std::uint32_t i = 0; i < count; ++i) table.push_back(i << 16 | (255 - i) << 8 | (i * 37 + 11) % 256);
        return table;
    }

    ByteVector Bytes() const {
        ByteVector out = {'B', 'M'};
        for (const Poke& field : {Poke{14, headerSize}, {18, 40}, {22, static_cast<std::uint32_t>(height)},
                                  {26, 1, 2}, {28, static_cast<std::uint32_t>(bits), 2}, {30, compression},
                                  {46, colorsUsed}, {50, 0}}) {  // the other fields stay zero
            Put(out, field.at, field.value, field.bytes);
        }
        for (std::uint32_t mask : masks) Put(out, out.size(), mask);
        // A header claiming more than any real one is left short, as a lying file would be.
        if (headerSize <= 4096 && out.size() < 14 + headerSize) out.resize(14 + headerSize);
        for (std::uint32_t colour : Table()) Put(out, out.size(), colour);  // blue, green, red, 0
        out.resize(out.size() + gap, 0xEE);
        Put(out, 10, static_cast<std::uint32_t>(out.size()));

        const std::size_t used = (40 * static_cast<std::size_t>(bits) + 7) / 8;
        for (int stored = 0; stored < 40; ++stored) {
            const int y = height < 0 ? stored : 39 - stored;
            const std::size_t row = out.size();
            out.resize(row + used);
            for (int x = 0; x < 40; ++x) {
                const std::uint32_t v = value(x, y);
                if (bits >= 8) {
                    Put(out, row + x * bits / 8, v, static_cast<std::size_t>(bits) / 8);
                } else {  // the leftmost pixel in the highest bits
                    out[row + x * bits / 8] |= static_cast<std::uint8_t>(v % (1u << bits) << (8 - bits - x * bits % 8));
                }
            }
            out.resize(row + (used + 3) / 4 * 4, 0xAB);  // padding that shows if read as a pixel
        }
        Put(out, 2, static_cast<std::uint32_t>(out.size()));
        for (const Poke& poke : pokes) Put(out, poke.at, poke.value, poke.bytes);
        return out;
    }

    std::string String() const {
        const ByteVector bytes = Bytes();
        return {bytes.begin(), bytes.end()};
    }
};

// Raw 16-bit pixels and their colours: each channel full, the unused top bit,
// and a half step that rounds up.
constexpr std::uint32_t k555[][2] = {{0x7C00, 0xFFFF0000}, {0x03E0, 0xFF00FF00}, {0x001F, 0xFF0000FF},
                                     {0x8000, kBlack},     {0x7FFF, 0xFFFFFFFF}, {0x4210, 0xFF848484}};
constexpr std::uint32_t k565[][2] = {{0xF800, 0xFFFF0000}, {0x07E0, 0xFF00FF00}, {0x001F, 0xFF0000FF},
                                     {0xFFFF, 0xFFFFFFFF}, {0x0000, kBlack},     {0x0400, 0xFF008200}};

struct Good {
    std::string name;
    Bmp file;
    Colours want;  // unless set, a pixel's table colour (black past the table), or the pattern's colour
};

std::vector<Good> GoodFiles() {
    std::vector<Good> rows;
    for (int bits : {1, 4, 8, 24, 32}) {
        for (std::int32_t height : {40, -40}) {
            rows.push_back({std::to_string(bits) + " bits, height " + std::to_string(height),
                            {.bits = bits, .height = height}});
        }
    }
    for (std::uint32_t size : {52u, 56u, 64u, 108u, 124u}) {
        rows.push_back({"table after a header of " + std::to_string(size), {.height = -40, .headerSize = size}});
    }
    rows.push_back({"3 colours used, higher indices", {.colorsUsed = 3}});
    rows.push_back({"16 colours used at 4 bits", {.bits = 4, .colorsUsed = 16}});
    rows.push_back({"gap before the pixels", {.gap = 37}});
    // Signature, file size, planes, image size, resolutions, important colours.
    rows.push_back({"fields that do not shape the pixels",
                    {.bits = 4, .pokes = {{0, 'X', 2}, {2, 0xFFFFFFFF}, {26, 9, 2}, {34, 12345678},
                                          {38, 0xFFFFFFFF}, {42, 0x80000000}, {50, 0xFFFFFFFF}}}});
    rows.push_back({"16 bits, 5-5-5",
                    {.bits = 16, .height = -40, .value = [](int x, int y) { return k555[(x + y) % 6][0]; }},
                    [](int x, int y) { return k555[(x + y) % 6][1]; }});
    rows.push_back({"16 bits, 5-6-5 masks",
                    {.bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
                     .value = [](int x, int y) { return k565[(x + y) % 6][0]; }},
                    [](int x, int y) { return k565[(x + y) % 6][1]; }});
    const Colours redFirst = [](int x, int y) {
        const std::uint32_t p = Pattern(x, y);
        return kBlack | (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
    };
    for (std::uint32_t size : {40u, 124u}) {
        rows.push_back({"32 bits, red in the first byte, header of " + std::to_string(size),
                        {.bits = 32, .headerSize = size, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000}},
                        redFirst});
    }
    // A long header keeps masks for plain files too; without the bitfields compression they are not used.
    rows.push_back({"32 bits, unused masks", {.bits = 32, .headerSize = 124, .masks = {0xFF, 0xFF00, 0xFF0000}}});
    return rows;
}

TEST(BmpDecode, EveryPixelOfAGoodFileComesOutInItsExactColour) {
    for (const Good& row : GoodFiles()) {
        SCOPED_TRACE(row.name);
        const DecodedBmp decoded = DecodeBmp(row.file.Bytes());
        ASSERT_NE(decoded.picture, nullptr) << std::string(decoded.whyNot.begin(), decoded.whyNot.end());
        EXPECT_EQ(decoded.refusal, BmpRefusal::kNone);
        EXPECT_TRUE(decoded.whyNot.empty());

        const std::vector<std::uint32_t> table = row.file.Table();
        const Colours want = row.want ? row.want : [&](int x, int y) {
            const std::uint32_t v = row.file.value(x, y);
            if (row.file.bits > 8) return kBlack | (v & 0xFFFFFF);
            const std::uint32_t index = v % (1u << row.file.bits);
            return index < table.size() ? kBlack | table[index] : kBlack;
        };
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) ASSERT_EQ(decoded.picture->At(x, y), want(x, y)) << "at " << x << "," << y;
        }
    }
}

// Each cut is copied into a buffer of exactly its length, so that a read past
// its end trips the sanitizers whatever the fields claim.
TEST(BmpDecode, AFileCutAtAnyByteIsCutShort) {
    const std::pair<const char*, Bmp> files[] = {
        {"1 bit", {.bits = 1}},
        {"4 bits, top-down", {.bits = 4, .height = -40}},
        {"8 bits", {}},
        {"5 colours used", {.colorsUsed = 5}},
        {"gap before the pixels", {.bits = 4, .gap = 10}},
        {"16 bits, masks in a long header",
         {.bits = 16, .headerSize = 124, .compression = 3, .masks = {0xF800, 0x7E0, 0x1F}}},
    };
    for (const auto& [name, file] : files) {
        SCOPED_TRACE(name);
        const ByteVector whole = file.Bytes();
        ASSERT_NE(DecodeBmp(whole).picture, nullptr);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const ByteVector cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            const DecodedBmp decoded = DecodeBmp(cut);
            ASSERT_EQ(decoded.picture, nullptr) << "cut at " << length;
            ASSERT_EQ(decoded.refusal, BmpRefusal::kBadBitmap) << "cut at " << length;
            ASSERT_EQ(decoded.whyNot, u"is cut short.") << "cut at " << length;
        }
    }
}

class CustomPicture : public ::testing::Test {
protected:
    // Into a holder that already holds a picture, so that emptying it shows.
    // As the state file keeps the name: bytes that are not UTF-8 escaped.
    bool Load(const std::filesystem::path& path) {
        port.boxes.clear();
        LoadBuiltInPicture(kBingoPictureId, holder);
        return LoadCustomPicture(port, holder, Utf16FromPath(path));
    }

    void ExpectRefused(const std::filesystem::path& path, const std::u16string& text, std::u16string_view caption) {
        EXPECT_FALSE(Load(path));
        EXPECT_EQ(port.boxes, (std::vector<ShownBox>{{ShownBox::kError, text, std::u16string(caption)}}));
        EXPECT_TRUE(holder.IsEmpty());
    }

    TempDir dir;
    ScriptedPort port;
    PictureHolder holder;
};

TEST_F(CustomPicture, AGoodFileFillsTheHolderWithItsPictureWithoutABox) {
    const std::pair<const char*, Bmp> files[] = {
        {"good.bmp", {.bits = 4}},
        {"renamed.zip.bmp", {.height = -40, .pokes = {{0, 'P' | 'K' << 8, 2}}}},
        {"bild-\xc3\xbc\xe2\x82\xac.bmp", {.bits = 1}},
        {"caf\xe9.bmp", {.bits = 8}},  // not UTF-8
    };
    for (const auto& [name, file] : files) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Load(dir.Write(name, file.String())));
        EXPECT_TRUE(port.boxes.empty());
        ASSERT_FALSE(holder.IsEmpty());
        EXPECT_EQ(holder.Get()->pixels, DecodeBmp(file.Bytes()).picture->pixels);
    }
}

struct Refused {
    std::string name;
    Bmp file;
    std::u16string why;  // follows the path in the Bad Bitmap box; empty for the Bad Size box
};

// Good 8-bit files with one field wrong, the depth too where the fault needs it.
std::vector<Refused> RefusedFiles() {
    const auto num = [](std::uint64_t n) { return U16(std::to_string(n)); };
    std::vector<Refused> rows;
    constexpr std::int32_t kSizes[][2] = {{40, 41}, {41, 40}, {40, -41}, {39, 40},     {-40, 40},    {0, 0},
                                          {40, 0},  {32, 32}, {40, INT_MIN}, {INT_MIN, 40}, {INT_MAX, INT_MAX}};
    for (const auto& [w, h] : kSizes) {
        rows.push_back({std::to_string(w) + "x" + std::to_string(h),
                        {.pokes = {{18, static_cast<std::uint32_t>(w)}, {22, static_cast<std::uint32_t>(h)}}}});
    }
    for (std::uint32_t bits : {0u, 2u, 3u, 5u, 7u, 9u, 12u, 15u, 31u, 48u, 64u, 65535u}) {
        rows.push_back({"depth " + std::to_string(bits), {.pokes = {{28, bits, 2}}},
                        u"has an unsupported colour depth (" + num(bits) + u" bits per pixel)."});
    }
    // {depth, compression}: run-length, JPEG, PNG, alpha bitfields, values no writer uses, and
    // masks where only 16- and 32-bit pixels can have them.
    constexpr std::uint32_t kCompressed[][2] = {{8, 1},   {4, 2}, {24, 4}, {24, 5}, {32, 6}, {8, 7},
                                                {8, ~0u}, {1, 3}, {4, 3},  {8, 3},  {24, 3}};
    for (const auto& [bits, compression] : kCompressed) {
        rows.push_back({"depth " + std::to_string(bits) + ", compression " + std::to_string(compression),
                        {.pokes = {{28, bits, 2}, {30, compression}}},
                        compression == 3 ? u"has colour masks, which only 16- and 32-bit bitmaps can have."
                                         : u"is compressed, which is not supported."});
    }
    // {depth, red, green, blue}: empty, broken, overlapping, and wider than the pixel.
    constexpr std::uint32_t kMasks[][4] = {{16, 0, 0x7E0, 0x1F},        {16, 0xF800, 0x7E0, 0x15},
                                           {16, 0xF800, 0xFE0, 0x1F},     {16, 0x1F0000, 0x7E0, 0x1F},
                                           {32, 0xFF0000, 0xFF00, 0xFF0000}, {32, 0xF0F00000, 0xFF00, 0xFF}};
    for (const auto& [bits, r, g, b] : kMasks) {
        rows.push_back({"masks " + std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b),
                        {.bits = static_cast<int>(bits), .compression = 3, .masks = {r, g, b}},
                        u"has colour masks that are not supported."});
    }
    for (std::uint32_t size : {0u, 12u, 16u, 39u}) {
        rows.push_back({"header of " + std::to_string(size), {.pokes = {{14, size}}},
                        u"has an unsupported header (" + num(size) + u" bytes)."});
    }
    constexpr std::uint32_t kUsed[][2] = {{1, 3}, {4, 17}, {8, 257}, {8, 0x40000000}, {8, 0xFFFFFFFF}};
    for (const auto& [bits, used] : kUsed) {
        rows.push_back({std::to_string(used) + " colours used", {.bits = static_cast<int>(bits), .pokes = {{46, used}}},
                        u"lists more colours (" + num(used) + u") than " + num(bits) + u" bits per pixel can show."});
    }
    // {header size, pixel offset, depth, compression}; masks take 12 bytes past a 40-byte header.
    constexpr std::uint32_t kInside[][4] = {{40, 0, 8, 0},  {40, 14, 8, 0},  {40, 53, 8, 0}, {124, 137, 8, 0},
                                            {40, 0, 24, 0}, {40, 53, 24, 0}, {40, 65, 16, 3}};
    for (const auto& [size, offset, bits, compression] : kInside) {
        Bmp file{.bits = static_cast<int>(bits), .headerSize = size, .compression = compression,
                 .pokes = {{10, offset}}};
        if (compression == 3) file.masks = {0x7C00, 0x03E0, 0x001F};
        rows.push_back({"pixels at " + std::to_string(offset), file, u"has its pixel data inside its headers."});
    }
    rows.push_back({"pixels at the last table entry", {.pokes = {{10, 54 + 255 * 4}}},
                    u"has a colour table that runs into its pixel data."});
    rows.push_back({"huge header", {.pokes = {{14, 0xFFFFFFF0}}}, u"is cut short."});
    rows.push_back({"huge pixel offset", {.pokes = {{10, 0xFFFFFFFF}}}, u"is cut short."});
    return rows;
}

TEST_F(CustomPicture, EveryRefusalShowsOneBoxAndLeavesTheHolderEmpty) {
    for (const Refused& row : RefusedFiles()) {
        SCOPED_TRACE(row.name);
        const auto path = dir.Write("refused.bmp", row.file.String());
        if (row.why.empty()) {
            ExpectRefused(path, u"Bitmap must be 40x40 pixels.", u"Bad Size");
        } else {
            ExpectRefused(path, path.u16string() + u" " + row.why, u"Bad Bitmap");
        }
        EXPECT_FALSE(DecodeBmp(row.file.Bytes()).whyNot.empty());
    }
}

TEST_F(CustomPicture, AFileCutAtAnyByteShowsOneCutShortBox) {
    const std::string whole = Bmp{.bits = 1}.String();
    for (std::size_t length = 0; length < whole.size() && !HasFailure(); ++length) {
        SCOPED_TRACE("cut at " + std::to_string(length));
        const auto path = dir.Write("cut.bmp", whole.substr(0, length));
        ExpectRefused(path, path.u16string() + u" is cut short.", u"Bad Bitmap");
    }
}

// Trailing bytes are harmless, so the limit alone decides between these two.
TEST_F(CustomPicture, AFileOverTheSizeLimitIsRefusedAndOneAtTheLimitLoads) {
    std::string atLimit = Bmp{}.String();
    atLimit.resize(kMaxPictureFileBytes, '\0');
    EXPECT_TRUE(Load(dir.Write("at-limit.bmp", atLimit)));
    EXPECT_TRUE(port.boxes.empty());

    const auto path = dir.Write("over-limit.bmp", atLimit + '\0');
    ExpectRefused(path, path.u16string() + u" is too large for a 40 by 40 bitmap.", u"Bad Bitmap");
}

TEST_F(CustomPicture, AMissingFileAFolderOrAFifoCouldNotBeOpened) {
    ASSERT_EQ(::mkfifo(dir.File("fifo.bmp").c_str(), 0600), 0);  // never waited on
    for (const auto& path : {dir.File("nowhere.bmp"), dir.Path(), dir.File("fifo.bmp")}) {
        ExpectRefused(path, u"Could not open " + path.u16string(), u"Open Failed");
    }
}

TEST_F(CustomPicture, AnEmptyPathGivesFalseWithoutABoxAndEmptiesTheHolder) {
    EXPECT_FALSE(Load(""));
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_TRUE(holder.IsEmpty());
}

TEST(BuiltInPictures, AreEmbeddedExactlyAsTheResourceFiles) {
    for (const auto& [id, name] : {std::pair{kBingoPictureId, "bingo_132.bmp"}, {kBullPictureId, "bull_134.bmp"}}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(PALABRUM_PICTURE_DIR) + "/" + name, std::ios::binary);
        const ByteVector source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto embedded = BuiltInPictureFile(id);
        EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), source.begin(), source.end()));
    }
}

// Loaded one after the other into one holder, so that the second must replace the first.
TEST(BuiltInPictures, AreTwoDifferentUprightPicturesInBlackOnWhite) {
    PictureHolder bull, bingo;
    LoadBuiltInPicture(kBullPictureId, bull);
    LoadBuiltInPicture(kBullPictureId, bingo);
    LoadBuiltInPicture(kBingoPictureId, bingo);
    ASSERT_FALSE(bull.IsEmpty() || bingo.IsEmpty());
    EXPECT_NE(bingo.Get()->pixels, bull.Get()->pixels);

    const auto black = [](const PictureHolder& holder, int top, int bottom) {  // in those rows, inclusive
        const auto& pixels = holder.Get()->pixels;
        return std::count(pixels.begin() + 40 * top, pixels.begin() + 40 * (bottom + 1), kBlack);
    };
    for (const PictureHolder* holder : {&bingo, &bull}) {
        SCOPED_TRACE(holder == &bingo ? "bingo" : "bull");
        const auto& pixels = holder->Get()->pixels;
        EXPECT_EQ(black(*holder, 0, 39) + std::count(pixels.begin(), pixels.end(), kWhite), 40 * 40);
        EXPECT_GT(black(*holder, 0, 39), 100);                        // bold enough to read
        EXPECT_LT(black(*holder, 0, 39), 40 * 20);                    // on a white ground
        EXPECT_EQ(black(*holder, 0, 0) + black(*holder, 39, 39), 0);  // off the frame
    }
    // "Bingo" above a large "!" centred beneath it; "Bull" above the longer "sh#t!".
    EXPECT_GT(black(bingo, 0, 17), 2 * black(bingo, 20, 39));
    EXPECT_EQ(black(bingo, 18, 19), 0);
    for (int y = 20; y < 40; ++y) {
        for (int x = 0; x < 20; ++x) EXPECT_EQ(bingo.Get()->At(x, y), bingo.Get()->At(39 - x, y)) << x << "," << y;
    }
    EXPECT_GT(black(bull, 23, 39), black(bull, 0, 16));
    EXPECT_EQ(black(bull, 17, 22), 0);
}

TEST(BuiltInPictures, AnyOtherIdHasNoFileAndEmptiesTheHolder) {
    for (int id : {0, 1, 2, 128, 131, 133, 135, -132, 132 + 65536}) {
        SCOPED_TRACE(id);
        PictureHolder holder;
        LoadBuiltInPicture(kBullPictureId, holder);
        LoadBuiltInPicture(id, holder);
        EXPECT_TRUE(holder.IsEmpty());
        EXPECT_TRUE(BuiltInPictureFile(id).empty());
    }
}

}  // namespace
}  // namespace palabrum
