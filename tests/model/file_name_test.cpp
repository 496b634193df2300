// File names are bytes: every name survives the trip through UTF-16, shows
// as readably as it can, and is found again from what a lossy dialog shows.
#include <gtest/gtest.h>

#include <fstream>

#include "model/file_name.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

TEST(FileNames, SurviveUtf16AndShowUndecodableBytesAsReplacements) {
    const std::pair<std::string, std::u16string> names[] = {
        {"plain.txt", u"plain.txt"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", u"caf\u00E9 \u20AC \U0001F600"},
        {"caf\xE9.txt", u"caf\uFFFD.txt"},                     // Latin-1
        {"\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80", std::u16string(9, u'\uFFFD')},  // overlong, surrogate, too high
        {"cut \xE2\x82", u"cut \uFFFD\uFFFD"},
        {"\xF0\x9F\x98\x80\xE9", u"\U0001F600\uFFFD"},        // an escape right after a pair
    };
    for (const auto& [bytes, shown] : names) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(PathFromUtf16(Utf16FromPath(bytes)).native(), bytes);
        EXPECT_EQ(DisplayName(bytes), shown);
    }
    EXPECT_EQ(PathFromUtf16(u"lone \xD800 and \xDC41").native(), "lone \xEF\xBF\xBD and \xEF\xBF\xBD");
}

TEST(FileNames, AreFoundAgainFromWhatALossyDialogShows) {
    testing::TempDir dir;
    std::filesystem::create_directory(dir.File("d\xE9j\xE0"));
    std::ofstream(dir.File("d\xE9j\xE0") / "caf\xE9.dat") << "game";
    std::ofstream(dir.File("a\xE9")) << "one";
    std::ofstream(dir.File("a\xE8")) << "two";  // shows the same as the one before
    const auto shown = [&](const std::filesystem::path& p) { return DisplayName(p); };

    EXPECT_EQ(ResolveDisplayedName(shown(dir.File("d\xE9j\xE0") / "caf\xE9.dat")),
              dir.File("d\xE9j\xE0") / "caf\xE9.dat");
    EXPECT_EQ(ResolveDisplayedName(shown(dir.File("d\xE9j\xE0") / "new.dat")), dir.File("d\xE9j\xE0") / "new.dat");
    const std::u16string ambiguous = shown(dir.File("a\xE9"));
    EXPECT_EQ(ResolveDisplayedName(ambiguous), PathFromUtf16(ambiguous));
    EXPECT_EQ(ResolveDisplayedName(u"/no/such/\uFFFD"), PathFromUtf16(u"/no/such/\uFFFD"));
}

}  // namespace
}  // namespace palabrum
