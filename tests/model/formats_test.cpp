// The byte formats: the archive and options record, file names, word lists, a second start's line, and the bingo
// pictures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "model/archive.h"
#include "model/bingo_pictures.h"
#include "model/file_name.h"
#include "model/palabrum_options.h"
#include "model/start_request.h"
#include "model/word_list.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

Bytes Store(const std::function<void(Archive&)>& write) {
    Bytes out;
    auto ar = Archive::Storing(out);
    write(ar);
    return out;
}

TEST(Archive, WritesTheShortestLittleEndianFormsAndReadsThemBack) {
    const std::pair<std::uint32_t, Bytes> counts[] = {
        {0xFFFE, {0xFE, 0xFF}}, {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0}}, {0x12345, {0xFF, 0xFF, 0x45, 0x23, 1, 0}}};
    for (const auto& [count, bytes] : counts) {
        EXPECT_EQ(Store([&](Archive& ar) { ar.WriteCount(count); }), bytes);
        EXPECT_EQ(Archive::Loading(bytes).ReadCount(), count);
    }
    // Every string opens with FF FE FF, then its length.
    const std::pair<std::size_t, Bytes> lengths[] = {
        {254, {0xFE}}, {255, {0xFF, 0xFF, 0}}, {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}}, {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 1, 0}}};
    for (const auto& [length, header] : lengths) {
        SCOPED_TRACE(length);
        std::u16string s(length, u'\u20AC'), back;
        const Bytes bytes = Store([&](Archive& ar) { ar.String(s); });
        ASSERT_EQ(bytes.size(), 3 + header.size() + 2 * length);
        EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin() + 3));
        EXPECT_EQ(std::vector(bytes.end() - 2, bytes.end()), (Bytes{0xAC, 0x20}));
        auto in = Archive::Loading(bytes);
        in.String(back);
        EXPECT_EQ(back, s);
        EXPECT_EQ(in.Remaining(), 0u);
    }
    PalabrumOptions options{kListTop, kCustomPicture, 1, u"p", 0x00FFFF00};
    EXPECT_EQ(Store([&](Archive& ar) { options.Serialize(ar); }),
              (Bytes{1, 0, 2, 0, 1, 0, 0, 0, 0xFF, 0xFE, 0xFF, 1, 'p', 0, 0, 0xFF, 0xFF, 0}));
}

TEST(FileNames, SurviveUtf16AndAreFoundAgainFromWhatIsShown) {
    const std::pair<std::string, std::u16string> names[] = {
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", u"caf\u00E9 \u20AC \U0001F600"},
        {"caf\xE9.txt", u"caf\uFFFD.txt"},                                       // Latin-1
        {"\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80", std::u16string(9, u'\uFFFD')},  // overlong, surrogate, too high
        {"cut \xE2\x82", u"cut \uFFFD\uFFFD"},
        {"\xE2\x82(", u"\uFFFD\uFFFD("},                // the third byte is no continuation
        {"\xF0\x9F\x98\x80\xE9", u"\U0001F600\uFFFD"},  // an escape right after a pair
    };
    for (const auto& [bytes, shown] : names) {
        EXPECT_EQ(PathFromUtf16(Utf16FromPath(bytes)).native(), bytes);
        EXPECT_EQ(DisplayName(bytes), shown);
    }
    // Found again from what a lossy dialog shows, unless two show alike.
    testing::TempDir dir;
    const auto folder = dir.File("d\xE9j\xE0");
    std::filesystem::create_directory(folder);
    for (const auto& file : {folder / "caf\xE9.dat", dir.File("a\xE9"), dir.File("a\xE8")}) std::ofstream(file) << "x";
    EXPECT_EQ(ResolveDisplayedName(DisplayName(folder / "caf\xE9.dat")), folder / "caf\xE9.dat");
    EXPECT_EQ(ResolveDisplayedName(DisplayName(folder / "new.dat")), folder / "new.dat");
    for (const std::u16string& shown : {DisplayName(dir.File("a\xE9")), std::u16string(u"/no/such/\uFFFD")})
        EXPECT_EQ(ResolveDisplayedName(shown), PathFromUtf16(shown));
}

// UTF-8 deals as ASCII does, with or without its mark, 240 characters (not bytes) a line; what is no UTF-8 (overlong,
// a surrogate, Latin-1, UTF-16) or holds a control character but tab is no text.
TEST(WordList, ReadsUtf8ByCharacters) {
    std::u16string e240, notText = u"l.txt is not a text file";
    std::string e241;  // 241 emoji, four bytes and two UTF-16 units each
    for (int i = 0; i < 241; ++i) e241 += "\xF0\x9F\x98\x80", e240 += i < 240 ? u"\U0001F600" : u"";
    struct Case { std::string first; std::u16string word, error; };
    for (const Case& c :
         {Case{"r\xC3\xA9union", u"r\u00E9union"}, Case{"\xEF\xBB\xBF\xE4\xBC\x9A\xE8\xAE\xAE", u"\u4F1A\u8BAE"},
          Case{"\xF0\x9F\x98\x80\ta\x7F", u"\U0001F600 a\x7F"}, Case{e241.substr(4), e240},
          Case{e241, u"", u"Line too long: " + e240 + u"\U0001F600"}, Case{"a\xC0\xAF", u"", notText},
          Case{"\xED\xA0\x80", u"", notText}, Case{"caf\xE9", u"", notText}, Case{"\xC2\x85", u"", notText},
          Case{"\xFF\xFEw", u"", notText}, Case{"\xEF\xBB", u"", notText}, Case{" \x1F", u"", notText}}) {
        const std::string text = c.first + "\n" + testing::NumberedLines(24);
        const WordListRead read = ReadWordList(Bytes(text.begin(), text.end()), u"l.txt");
        EXPECT_EQ(std::pair(read.ok() ? read.words.at(0) : u"", read.error), std::pair(c.word, c.error)) << c.first;
    }
}

TEST(StartRequest, EveryNameRoundTripsAndWhatTheReaderWouldRefuseIsNeverSent) {
    using State = StartRequestReader::State;
    const std::string token(kMaxActivationTokenBytes, 'k'), file = "/" + std::string(kMaxStartFileBytes - 1, 'f');
    const StartRequest sent[] = {{"", std::nullopt}, {"t0 k\n", std::string("/a b/caf\xE9\n.dat")}, {token, file}};
    for (const auto& request : sent) {
        StartRequestReader reader;
        EXPECT_EQ(reader.Feed(EncodeStartRequest(request).value()), State::kComplete);
        EXPECT_EQ(reader.Request(), request);
    }
    const StartRequest unsent[] = {{std::string("a\0b", 3), std::nullopt}, {"", std::string("/a\0b", 4)},
                                   {"", "relative.dat"}, {token + "k", std::nullopt}};
    for (const auto& request : unsent) EXPECT_EQ(EncodeStartRequest(request), std::nullopt);
    // Uppercase hex, a relative file, an odd field, a NUL, a fourth field, the bound reached unended.
    const std::string refused[] = {"raise 4A -\n", "raise - 61\n", "raise - 2f6\n", "raise 00 -\n", "raise - - -\n",
                                   std::string(kMaxStartRequestBytes, 'r')};
    for (const auto& line : refused) EXPECT_EQ(StartRequestReader().Feed(line), State::kRefused) << line;
}

using Colours = std::function<std::uint32_t(int x, int y)>;
constexpr std::uint32_t kBlack = 0xFF000000;

// Little-endian, growing `out` when the field lies past its end.
void Put(std::string& out, std::size_t at, std::uint32_t value, std::size_t bytes = 4) {
    if (out.size() < at + bytes) out.resize(at + bytes);
    for (std::size_t i = 0; i < bytes; ++i) out[at + i] = static_cast<char>(value >> 8 * i);
}

// Red along a row, green down a column, blue (the table index) along both; a junk top byte.
std::uint32_t Pattern(int x, int y) {
    return static_cast<std::uint32_t>(x * 13 + y) << 24 | static_cast<std::uint32_t>(x * 6 << 16 | y * 6 << 8) |
           static_cast<std::uint32_t>(x + 7 * y) % 256;
}

// Colour table entry i as 0x00RRGGBB, all of them different.
std::uint32_t Entry(std::uint32_t i) { return i << 16 | (255 - i) << 8 | (i * 37 + 11) % 256; }

// A good 40 by 40 file; the pokes then overwrite 4-byte fields as a careless or lying writer would.
struct Bmp {
    int bits = 8;
    std::int32_t height = 40;  // negative for top-down
    std::uint32_t headerSize = 40, compression = 0, colorsUsed = 0;
    std::vector<std::uint32_t> masks = {};  // at 54: inside a long header, else right after it
    Colours value = Pattern;  // pixel (x, y) from the top left: a table index (its low bits), or the raw pixel
    Colours want = {};        // the colour each pixel comes out in, when not the raw pixel's or its table entry's
    std::vector<std::pair<std::size_t, std::uint32_t>> pokes = {};
    std::size_t size = 0;  // zeros up to this size, which are harmless, so that only the size limit decides

    std::uint32_t TableSize() const { return bits > 8 ? 0 : colorsUsed ? colorsUsed : 1u << bits; }
    std::string Bytes() const {
        std::string out = "BM";
        for (auto [at, field] : {std::pair<std::size_t, std::uint32_t>{14, headerSize}, {18, 40},
                                 {22, static_cast<std::uint32_t>(height)}, {26, 1u | bits << 16}, {30, compression},
                                 {46, colorsUsed}, {50, 0}})  // the other fields stay zero
            Put(out, at, field);
        for (std::uint32_t mask : masks) Put(out, out.size(), mask);
        out.resize(std::max<std::size_t>(out.size(), 14 + headerSize));
        for (std::uint32_t i = 0; i < TableSize(); ++i) Put(out, out.size(), Entry(i));  // blue, green, red, 0
        Put(out, 10, static_cast<std::uint32_t>(out.size()));
        const std::size_t used = (40 * static_cast<std::size_t>(bits) + 7) / 8;
        for (int stored = 0; stored < 40; ++stored) {
            const std::size_t row = out.size();
            out.resize(row + used);
            for (int x = 0; x < 40; ++x) {
                const std::uint32_t v = value(x, height < 0 ? stored : 39 - stored);
                if (bits >= 8) Put(out, row + x * bits / 8, v, static_cast<std::size_t>(bits) / 8);
                else out[row + x * bits / 8] |= static_cast<char>(v % (1u << bits) << (8 - bits - x * bits % 8));
            }
            out.resize(row + (used + 3) / 4 * 4, '\xAB');  // padding that shows if read as a pixel
        }
        for (auto [at, field] : pokes) Put(out, at, field);
        out.resize(std::max(out.size(), size));
        return out;
    }
};

// Raw 5-5-5 pixels and their colours: each channel full, the unused top bit, a half step that rounds up.
constexpr std::uint32_t k555[][2] = {
    {0x7C00, 0xFFFF0000}, {0x03E0, 0xFF00FF00}, {0x001F, 0xFF0000FF}, {0x8000, kBlack}, {0x4210, 0xFF848484}};

// The 32-bit file's colours: its masks put red in the low byte.
std::uint32_t RedInTheLowByte(int x, int y) {
    const std::uint32_t p = Pattern(x, y);
    return kBlack | (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
}

using Boxes = std::vector<testing::ShownBox>;
constexpr auto kError = testing::ShownBox::kError;

TEST(CustomPicture, IsReadPixelForPixelOrRefusedWithOneBox) {
    testing::TempDir dir;
    testing::ScriptedPort port;
    PictureHolder holder;
    // Each file's text after its name in the Bad Bitmap box; empty for the Bad Size box, none when it loads.
    const std::pair<Bmp, std::optional<std::u16string>> cases[] = {
        {{.bits = 1, .pokes = {{0, 'P' | 'K' << 8}, {34, 123456}}}, {}},  // fields not read
        {{.bits = 4, .height = -40, .colorsUsed = 16, .size = kMaxPictureFileBytes}, {}},
        {{.colorsUsed = 3}, {}},  // the higher indices are black
        {{.bits = 24, .headerSize = 124}, {}},
        {{.bits = 32, .height = -40, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000}, .want = RedInTheLowByte}, {}},
        {{.bits = 16, .value = [](int x, int y) { return k555[(x + y) % 5][0]; },
          .want = [](int x, int y) { return k555[(x + y) % 5][1]; }}, {}},
        {{.size = kMaxPictureFileBytes + 1}, u"is too large for a 40 by 40 bitmap."},
        {{.pokes = {{18, 41}}}, u""},
        {{.pokes = {{28, 2}}}, u"has an unsupported colour depth (2 bits per pixel)."},
        {{.pokes = {{30, 1}}}, u"is compressed, which is not supported."},
        {{.compression = 3}, u"has colour masks, which only 16- and 32-bit bitmaps can have."},
        {{.bits = 16, .compression = 3, .masks = {0xF800, 0xFE0, 0x1F}}, u"has colour masks that are not supported."},
        {{.pokes = {{14, 39}}}, u"has an unsupported header (39 bytes)."},
        {{.pokes = {{46, 257}}}, u"lists more colours (257) than 8 bits per pixel can show."},
        {{.pokes = {{10, 53}}}, u"has its pixel data inside its headers."},
        {{.pokes = {{10, 54 + 255 * 4}}}, u"has a colour table that runs into its pixel data."},
        {{.pokes = {{10, 0xFFFFFFFF}}}, u"is cut short."},
    };
    for (const auto& [file, why] : cases) {
        const auto path = dir.Write("caf\xE9.bmp", file.Bytes());  // a name that is not UTF-8 reaches the file
        SCOPED_TRACE(::testing::Message() << file.bits << " bits, " << std::filesystem::file_size(path) << " bytes");
        port.boxes.clear();
        LoadBuiltInPicture(kBingoPictureId, holder);
        EXPECT_EQ(LoadCustomPicture(port, holder, Utf16FromPath(path)), !why);
        EXPECT_EQ(port.boxes, (!why          ? Boxes{}
                               : why->empty() ? Boxes{{kError, u"Bitmap must be 40x40 pixels.", u"Bad Size"}}
                                              : Boxes{{kError, DisplayName(path) + u" " + *why, u"Bad Bitmap"}}));
        ASSERT_EQ(holder.IsEmpty(), why.has_value());  // the pixels below are read only from a loaded picture
        for (int i = 0; i < 40 * 40 && !why; ++i) {
            const int x = i % 40, y = i / 40;
            const std::uint32_t v = file.value(x, y), index = v % (1u << std::min(file.bits, 8));
            const std::uint32_t colour = file.want      ? file.want(x, y)
                                         : file.bits > 8 ? kBlack | (v & 0xFFFFFF)
                                                         : kBlack | (index < file.TableSize() ? Entry(index) : 0);
            ASSERT_EQ(holder.Get()->At(x, y), colour) << "at " << x << "," << y;
        }
    }
    ASSERT_EQ(::mkfifo(dir.File("fifo.bmp").c_str(), 0600), 0);  // never waited on
    for (const auto& path : {dir.File("nowhere.bmp"), dir.File("fifo.bmp"), std::filesystem::path()}) {
        port.boxes.clear();
        EXPECT_TRUE(!LoadCustomPicture(port, holder, path.u16string()) && holder.IsEmpty());
        EXPECT_EQ(port.boxes, (path.empty() ? Boxes{}
                                            : Boxes{{kError, u"Could not open " + path.u16string(), u"Open Failed"}}));
    }
}

// Each choice loaded over the other picture, so that it must replace it.
TEST(BuiltInPictures, AreTheResourceFilesAndTheOnlyTwo) {
    testing::ScriptedPort port;
    PictureHolder holders[2];
    const std::tuple<int, int, const char*> pictures[] = {{kBingoPicture, kBingoPictureId, "/bingo_132.bmp"},
                                                          {kBullPicture, kBullPictureId, "/bull_134.bmp"}};
    for (const auto& [choice, id, name] : pictures) {
        std::ifstream in(PALABRUM_PICTURE_DIR + std::string(name), std::ios::binary);
        const std::vector<std::uint8_t> source{std::istreambuf_iterator<char>(in), {}};
        EXPECT_TRUE(std::ranges::equal(BuiltInPictureFile(id), source));
        PictureHolder& holder = holders[choice];
        LoadBuiltInPicture(kBingoPictureId + kBullPictureId - id, holder);
        EXPECT_TRUE(LoadChosenPicture(port, choice, u"", holder));
        EXPECT_EQ(holder.Get()->pixels, DecodeBmp(source).picture->pixels);
    }
    EXPECT_NE(holders[0].Get()->pixels, holders[1].Get()->pixels);
    for (int id : {0, 131, 133, 135, 132 + 65536}) EXPECT_TRUE(BuiltInPictureFile(id).empty()) << id;
    LoadBuiltInPicture(135, holders[0]);
    EXPECT_TRUE(holders[0].IsEmpty());
}

}  // namespace
}  // namespace palabrum
