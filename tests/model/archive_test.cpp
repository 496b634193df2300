// The byte encoding every record of the state file relies on.
#include <gtest/gtest.h>

#include <functional>

#include "model/archive.h"
#include "model/palabrum_options.h"

namespace palabrum {
namespace {

Bytes Store(const std::function<void(Archive&)>& write) {
    Bytes out;
    auto ar = Archive::Storing(out);
    write(ar);
    return out;
}

TEST(Archive, U16FieldsHeldIn32BitsKeepTheirLow16BitsAndZeroExtend) {
    std::int32_t wide = 0x00070002;
    EXPECT_EQ(Store([&](Archive& ar) { ar.U16(wide); }), (Bytes{0x02, 0x00}));
    const Bytes ones{0xFF, 0xFF};
    auto in = Archive::Loading(ones);
    in.U16(wide);
    EXPECT_EQ(wide, 0xFFFF);
}

TEST(Archive, CountsFromFFFFUpTakeTheLongForm) {
    const std::pair<std::uint32_t, Bytes> cases[] = {
        {0, {0x00, 0x00}},
        {25, {0x19, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const auto& [count, bytes] : cases) {
        SCOPED_TRACE(count);
        EXPECT_EQ(Store([&](Archive& ar) { ar.WriteCount(count); }), bytes);
        auto in = Archive::Loading(bytes);
        EXPECT_EQ(in.ReadCount(), count);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, StringsTakeTheShortestLengthFormAndReadBack) {
    const std::pair<std::size_t, Bytes> cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& [length, header] : cases) {
        SCOPED_TRACE(length);
        std::u16string s(length, u'\0');
        for (std::size_t i = 0; i < length; ++i) s[i] = static_cast<char16_t>(0x20 + i % 0xD000);
        const Bytes bytes = Store([&](Archive& ar) { ar.String(s); });
        ASSERT_EQ(bytes.size(), header.size() + 2 * length);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(header.size())), header);
        auto in = Archive::Loading(bytes);
        std::u16string back;
        in.String(back);
        EXPECT_EQ(back, s);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, PlainSingleByteStringsAreReadToo) {
    Bytes longForm{0xFF, 0x2C, 0x01};
    longForm.resize(3 + 300, 'q');
    const std::pair<Bytes, std::u16string> cases[] = {
        {{0x03, 'a', 'b', 0xE9}, u"ab\u00E9"},
        {longForm, std::u16string(300, u'q')},
    };
    for (const auto& [bytes, text] : cases) {
        auto in = Archive::Loading(bytes);
        std::u16string s;
        in.String(s);
        EXPECT_EQ(s, text);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, ValuesCutShortFailWithoutTouchingTheField) {
    std::uint32_t number = 7;
    const Bytes three{1, 2, 3};
    auto in = Archive::Loading(three);
    EXPECT_THROW(in.U32(number), ArchiveError);
    EXPECT_EQ(number, 7u);

    // Cut anywhere, a string fails rather than coming back shorter.
    std::u16string whole(300, u'x');
    const Bytes bytes = Store([&](Archive& ar) { ar.String(whole); });
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        std::u16string s = u"before";
        auto cutIn = Archive::Loading(std::span(bytes.data(), cut));
        EXPECT_THROW(cutIn.String(s), ArchiveError) << "cut at " << cut;
        EXPECT_EQ(s, u"before");
    }
}

TEST(Archive, DeclaredSizesBeyondTheBytesLeftFailBeforeAllocating) {
    std::u16string s;
    std::vector<std::uint16_t> numbers{9};
    std::vector<std::u16string> strings{u"kept"};
    // Each declares some 4 billion entries in a dozen bytes.
    const std::pair<Bytes, std::function<void(Archive&)>> cases[] = {
        {{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}, [&](Archive& ar) { ar.String(s); }},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0}, [&](Archive& ar) { ar.U16Array(numbers); }},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, [&](Archive& ar) { ar.StringArray(strings); }},
    };
    for (const auto& [bytes, read] : cases) {
        auto in = Archive::Loading(bytes);
        EXPECT_THROW(read(in), ArchiveError);
    }
    EXPECT_EQ(numbers, std::vector<std::uint16_t>{9});
    EXPECT_EQ(strings, std::vector<std::u16string>{u"kept"});
}

TEST(OptionsRecord, DefaultsTakeSixteenBytes) {
    PalabrumOptions options;
    EXPECT_EQ(Store([&](Archive& ar) { options.Serialize(ar); }),
              (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace palabrum
