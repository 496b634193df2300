// The byte encoding every record of the state file relies on.
#include <gtest/gtest.h>

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

TEST(Archive, NumbersAndCountsAreLittleEndian) {
    std::uint16_t a = 0x1234;
    std::uint32_t b = 0x89ABCDEF;
    const Bytes bytes = Store([&](Archive& ar) {
        ar.U16(a);
        ar.U32(b);
        ar.WriteCount(25);
    });
    EXPECT_EQ(bytes, (Bytes{0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0x19, 0x00}));

    auto in = Archive::Loading(bytes);
    std::uint16_t a2 = 0;
    std::uint32_t b2 = 0;
    in.U16(a2);
    in.U32(b2);
    EXPECT_EQ(a2, a);
    EXPECT_EQ(b2, b);
    EXPECT_EQ(in.ReadCount(), 25u);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(Archive, CountsFromFFFFUpUseTheLongForm) {
    EXPECT_EQ(Store([](Archive& ar) { ar.WriteCount(0xFFFE); }), (Bytes{0xFE, 0xFF}));
    const Bytes longForm = Store([](Archive& ar) { ar.WriteCount(0xFFFF); });
    EXPECT_EQ(longForm, (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    auto in = Archive::Loading(longForm);
    EXPECT_EQ(in.ReadCount(), 0xFFFFu);
    EXPECT_EQ(Store([](Archive& ar) { ar.WriteCount(0x12345); }), (Bytes{0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}));
}

TEST(Archive, U16FieldsHeldIn32BitsKeepTheirLow16Bits) {
    std::int32_t wide = 0x00070002;
    const Bytes bytes = Store([&](Archive& ar) { ar.U16(wide); });
    EXPECT_EQ(bytes, (Bytes{0x02, 0x00}));
    std::int32_t back = -1;
    const Bytes ones{0xFF, 0xFF};
    auto in = Archive::Loading(ones);
    in.U16(back);
    EXPECT_EQ(back, 0xFFFF);  // zero-extended, never sign-extended
}

Bytes StringBytes(std::size_t length) {
    std::u16string s(length, u'x');
    return Store([&](Archive& ar) { ar.String(s); });
}

TEST(Archive, StringLengthTakesTheShortestForm) {
    EXPECT_EQ(StringBytes(0), (Bytes{0xFF, 0xFE, 0xFF, 0x00}));

    std::u16string vision = u"vision";
    EXPECT_EQ(Store([&](Archive& ar) { ar.String(vision); }),
              (Bytes{0xFF, 0xFE, 0xFF, 0x06, 0x76, 0, 0x69, 0, 0x73, 0, 0x69, 0, 0x6F, 0, 0x6E, 0}));

    const Bytes s254 = StringBytes(254);
    ASSERT_EQ(s254.size(), 4u + 508);
    EXPECT_EQ(s254[3], 0xFE);

    const Bytes s255 = StringBytes(255);
    ASSERT_EQ(s255.size(), 6u + 510);
    EXPECT_EQ((Bytes(s255.begin(), s255.begin() + 6)), (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}));

    const Bytes s300 = StringBytes(300);
    EXPECT_EQ((Bytes(s300.begin(), s300.begin() + 6)), (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));

    const Bytes s70000 = StringBytes(70000);
    EXPECT_EQ((Bytes(s70000.begin(), s70000.begin() + 10)),
              (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
}

TEST(Archive, StringsOfEveryLengthFormReadBack) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 300u, 0xFFFDu, 0xFFFEu, 70000u}) {
        std::u16string s(length, u'\0');
        for (std::size_t i = 0; i < length; ++i) s[i] = static_cast<char16_t>(0x20 + i % 0xD000);
        const Bytes bytes = Store([&](Archive& ar) { ar.String(s); });
        auto in = Archive::Loading(bytes);
        std::u16string back;
        in.String(back);
        EXPECT_EQ(back, s) << "length " << length;
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, PlainSingleByteStringsAreReadToo) {
    const Bytes narrow{0x03, 'a', 'b', 0xE9};
    auto shortForm = Archive::Loading(narrow);
    std::u16string s;
    shortForm.String(s);
    EXPECT_EQ(s, u"ab\u00E9");

    Bytes longForm{0xFF, 0x2C, 0x01};
    longForm.resize(3 + 300, 'q');
    auto in = Archive::Loading(longForm);
    in.String(s);
    EXPECT_EQ(s, std::u16string(300, u'q'));
}

TEST(Archive, ValuesCutShortFailWithoutTouchingTheField) {
    std::uint32_t value = 7;
    const Bytes three{1, 2, 3};
    auto in = Archive::Loading(three);
    EXPECT_THROW(in.U32(value), ArchiveError);
    EXPECT_EQ(value, 7u);

    // A string cut inside its characters fails rather than coming back shorter.
    Bytes cut = StringBytes(10);
    cut.pop_back();
    std::u16string s = u"before";
    auto cutIn = Archive::Loading(cut);
    EXPECT_THROW(cutIn.String(s), ArchiveError);
    EXPECT_EQ(s, u"before");
}

TEST(Archive, DeclaredSizesBeyondTheBytesLeftFailBeforeAllocating) {
    std::u16string s;
    // A 4-billion-unit string in a dozen bytes.
    const Bytes hugeString{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0};
    auto huge = Archive::Loading(hugeString);
    EXPECT_THROW(huge.String(s), ArchiveError);

    std::vector<std::uint16_t> numbers;
    const Bytes hugeCount{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0};
    auto manyNumbers = Archive::Loading(hugeCount);
    EXPECT_THROW(manyNumbers.U16Array(numbers), ArchiveError);

    std::vector<std::u16string> strings;
    const Bytes bigCount{0xFE, 0xFF, 0x00, 0x00};
    auto manyStrings = Archive::Loading(bigCount);
    EXPECT_THROW(manyStrings.StringArray(strings), ArchiveError);
    EXPECT_TRUE(strings.empty());
}

TEST(OptionsRecord, DefaultsAreSixteenBytes) {
    PalabrumOptions options;
    Bytes bytes;
    auto ar = Archive::Storing(bytes);
    options.Serialize(ar);
    EXPECT_EQ(bytes, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0, 0, 0, 0, 0}));
}

TEST(OptionsRecord, EveryFieldRoundTrips) {
    PalabrumOptions options;
    options.m_listPosition = kListTop;
    options.SetBingoMessage(kCustomPicture);
    options.m_randomBoard = 1;
    options.m_customPicturePath = std::u16string(255, u'p');
    options.m_boardColor = 0x00FF0000;  // pure blue
    Bytes bytes;
    auto out = Archive::Storing(bytes);
    options.Serialize(out);
    ASSERT_EQ(bytes.size(), 16u + 2 * 255 + 2);  // FF and a u16 stand for the length byte
    EXPECT_EQ((Bytes(bytes.end() - 4, bytes.end())), (Bytes{0x00, 0x00, 0xFF, 0x00}));

    PalabrumOptions back;
    auto in = Archive::Loading(bytes);
    back.Serialize(in);
    EXPECT_EQ(back, options);
}

}  // namespace
}  // namespace palabrum
