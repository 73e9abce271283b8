#include "framework/FrameworkText.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameworkTextTest, ControlCharactersAreWrittenOutAndTheRestIsKept) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"plain name.dat", "plain name.dat"},
        {"tab\there", "tab\\there"},
        {"two\nlines\r", "two\\nlines\\r"},
        {"\a\b\v\f", "\\a\\b\\v\\f"},
        {std::string("nul\0esc\x1b del\x7f", 13), "nul\\000esc\\033 del\\177"},
        {"next\xc2\x85line", "next\\302\\205line"}, // U+0085 in UTF-8
        {"\xc2\xa0\xc5\xa1", "\xc2\xa0\xc5\xa1"},   // a no-break space and "š" are text
        {"back\\slash \xff", "back\\slash \xff"},
        {"cut\xc2", "cut\xc2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VisibleText(c.in), c.out) << c.out;
    }
}

} // namespace
