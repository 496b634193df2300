// Loading the player's picture file: what lands in the holder and which one box is shown.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "options/bingo_pictures.h"
#include "tests/options/bmp_writer.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using testing::BmpFile;
using testing::PalettedFile;
using testing::ScriptedPort;
using testing::ShownBox;
using testing::TempDir;
using testing::U16;

class CustomPicture : public ::testing::Test {
protected:
    // A holder that already holds something, so that emptying it shows.
    void SetUp() override { LoadBuiltInPicture(kBingoPictureId, holder); }

    bool Load(const std::u16string& path) { return LoadCustomPicture(port, holder, path); }

    void ExpectOneError(const std::u16string& text, std::u16string_view caption) {
        ASSERT_EQ(port.boxes.size(), 1u);
        EXPECT_EQ(port.boxes[0], (ShownBox{ShownBox::kError, text, std::u16string(caption)}));
    }

    TempDir dir;
    ScriptedPort port;
    PictureHolder holder;
};

TEST_F(CustomPicture, AGoodFileFillsTheHolderWithoutABox) {
    const BmpFile file = PalettedFile(4);
    const auto path = dir.Write("good.bmp", file.String());
    ASSERT_FALSE(holder.IsEmpty());

    EXPECT_TRUE(Load(path));
    EXPECT_TRUE(port.boxes.empty());
    ASSERT_FALSE(holder.IsEmpty());
    // The file's colours, none of which the built-in picture held before.
    EXPECT_EQ(holder.Get()->At(0, 0), 0xFF000000 | file.palette[(7 * 0 + 0) % 16]);
    EXPECT_EQ(holder.Get()->At(3, 2), 0xFF000000 | file.palette[(3 + 7 * 2) % 16]);
    EXPECT_EQ(holder.Get()->At(39, 39), 0xFF000000 | file.palette[(39 + 7 * 39) % 16]);
}

TEST_F(CustomPicture, AFileWhoseSignatureIsNotBmLoads) {
    BmpFile file = PalettedFile(8, true);
    file.signature[0] = 'P';
    file.signature[1] = 'K';
    EXPECT_TRUE(Load(dir.Write("renamed.zip.bmp", file.String())));
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_FALSE(holder.IsEmpty());
}

TEST_F(CustomPicture, AnEmptyPathGivesFalseWithoutABoxAndEmptiesTheHolder) {
    EXPECT_FALSE(Load(u""));
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_TRUE(holder.IsEmpty());
}

TEST_F(CustomPicture, AMissingFileSaysItCouldNotBeOpened) {
    const std::u16string path = dir.File("nowhere.bmp").u16string();
    EXPECT_FALSE(Load(path));
    ExpectOneError(u"Could not open " + path, u"Open Failed");
    EXPECT_TRUE(holder.IsEmpty());
}

TEST_F(CustomPicture, AFolderCannotBeOpenedAsAPicture) {
    const std::u16string path = dir.Path().u16string();
    EXPECT_FALSE(Load(path));
    ExpectOneError(u"Could not open " + path, u"Open Failed");
    EXPECT_TRUE(holder.IsEmpty());
}

TEST_F(CustomPicture, ANameOutsideAsciiOpens) {
    const auto path = dir.Write("bild-\xc3\xbc\xe2\x82\xac.bmp", PalettedFile(1).String());
    ASSERT_NE(path.find(u'\u00FC'), std::u16string::npos);
    EXPECT_TRUE(Load(path));
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(CustomPicture, AnyOtherSizeShowsTheBadSizeBox) {
    struct Case {
        std::int32_t width, height;
    };
    for (const Case c : {Case{40, 41}, Case{41, 40}, Case{40, -41}, Case{40, INT_MIN}, Case{32, 32}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        SetUp();
        port.boxes.clear();
        BmpFile file = PalettedFile(8);
        file.width = c.width;
        file.height = c.height;
        EXPECT_FALSE(Load(dir.Write("size.bmp", file.String())));
        ExpectOneError(u"Bitmap must be 40x40 pixels.", u"Bad Size");
        EXPECT_TRUE(holder.IsEmpty());
    }
}

TEST_F(CustomPicture, ATopDownFileLoads) {
    EXPECT_TRUE(Load(dir.Write("top-down.bmp", PalettedFile(8, true).String())));
    EXPECT_TRUE(port.boxes.empty());
}

// Each refusal names the file and the problem in one box.
TEST_F(CustomPicture, OtherRefusalsNameTheFileAndTheProblem) {
    BmpFile rle = PalettedFile(8);
    rle.compression = 1;
    BmpFile depth = PalettedFile(8);
    depth.bitCount = 2;
    BmpFile colours = PalettedFile(8);
    colours.colorsUsed = 0xFFFFFFFF;
    BmpFile inside = PalettedFile(8);
    inside.pixelOffset = 20;
    const struct {
        const BmpFile& file;
        std::u16string why;
    } cases[] = {
        {rle, u"is compressed, which is not supported."},
        {depth, u"has an unsupported colour depth (2 bits per pixel)."},
        {colours, u"lists more colours (4294967295) than 8 bits per pixel can show."},
        {inside, u"has its pixel data inside its headers."},
    };
    for (const auto& c : cases) {
        SetUp();
        port.boxes.clear();
        const auto path = dir.Write("refused.bmp", c.file.String());
        EXPECT_FALSE(Load(path));
        ExpectOneError(path + u" " + c.why, u"Bad Bitmap");
        EXPECT_TRUE(holder.IsEmpty());
    }
}

TEST_F(CustomPicture, AFileCutAtAnyByteShowsExactlyOneBoxAndLeavesTheHolderEmpty) {
    const std::string whole = PalettedFile(1).String();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SetUp();
        port.boxes.clear();
        const auto path = dir.Write("cut.bmp", whole.substr(0, length));
        ASSERT_FALSE(Load(path)) << "cut at " << length;
        ASSERT_EQ(port.boxes.size(), 1u) << "cut at " << length;
        EXPECT_EQ(port.boxes[0], (ShownBox{ShownBox::kError, path + u" is cut short.", u"Bad Bitmap"}));
        ASSERT_TRUE(holder.IsEmpty()) << "cut at " << length;
    }
}

// Trailing bytes are harmless, so the limit alone decides between these two.
TEST_F(CustomPicture, AFileOverTheSizeLimitIsRefusedAndOneAtTheLimitLoads) {
    std::string atLimit = PalettedFile(8).String();
    atLimit.resize(kMaxPictureFileBytes, '\0');
    EXPECT_TRUE(Load(dir.Write("at-limit.bmp", atLimit)));
    EXPECT_TRUE(port.boxes.empty());

    const auto path = dir.Write("over-limit.bmp", atLimit + '\0');
    EXPECT_FALSE(Load(path));
    ExpectOneError(path + u" is too large for a 40 by 40 bitmap.", u"Bad Bitmap");
    EXPECT_TRUE(holder.IsEmpty());
}

}  // namespace
}  // namespace palabrum
