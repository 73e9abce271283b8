// ASCII case folding that no locale changes, and UTF-8 counting and cutting
// that never splits a character.

#include "platform/AsciiText.h"
#include "platform/Utf8Text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(AsciiTextTest, OnlyAsciiLettersFoldAndLengthsMustMatch) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"Recent File List", "recent file list", true},
        {"UNREGISTER", "unregister", true},
        {".DAT", ".dat", true},
        {"", "", true},
        {"File1", "File10", false},
        {"Embedding", "Embeddin", false},
        {"Súbor", "SúBOR", true},        // the two bytes of "ú" compare exactly
        {"\xC3\xBA", "\xC3\x9A", false}, // "ú" and "Ú" are not ASCII letters
        {"[", "{", false},               // 0x5B and 0x7B differ by the case bit only
        {"@", "`", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host::EqualsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
    EXPECT_EQ(host::AsciiLowered("Ctrl+Shift+F6 Ä"), "ctrl+shift+f6 Ä");
    EXPECT_EQ(host::AsciiUpper('q'), 'Q');
    EXPECT_EQ(host::AsciiUpper('\xE1'), '\xE1');
}

TEST(AsciiTextTest, ALocaleWithOtherCaseRulesChangesNothing) {
    // Under a Turkish locale, tolower('I') is not 'i'; names must still match.
    if (std::setlocale(LC_ALL, "tr_TR.UTF-8") == nullptr) {
        GTEST_SKIP() << "the Turkish locale is not installed";
    }
    const bool equal = host::EqualsIgnoringAsciiCase("FILE1", "file1");
    const std::string lowered = host::AsciiLowered("INI");
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(equal);
    EXPECT_EQ(lowered, "ini");
}

TEST(Utf8TextTest, CountingSkipsContinuationBytesAndClampsTheRange) {
    const std::string text = "a\xC3\xBA\xE2\x82\xAC"
                             "b"; // a, ú, €, b
    EXPECT_EQ(host::Utf8Length(text), 4u);
    EXPECT_EQ(host::Utf8Length(text, 1, 3), 1u) << "ú alone";
    EXPECT_EQ(host::Utf8Length(text, 2), 2u) << "a start inside ú counts from the next character";
    EXPECT_EQ(host::Utf8Length(text, 100), 0u);
    EXPECT_EQ(host::Utf8Length(text, 0, 100), 4u);
    EXPECT_EQ(host::Utf8Length(""), 0u);
}

TEST(Utf8TextTest, APrefixEndsOnACharacterBoundary) {
    const std::string text = "a\xC3\xBA\xE2\x82\xAC"
                             "b";
    const std::pair<std::size_t, std::string> cases[] = {
        {0, ""},
        {1, "a"},
        {2, "a"}, // ú would not fit whole
        {3, "a\xC3\xBA"},
        {5, "a\xC3\xBA"}, // nor would €
        {6, "a\xC3\xBA\xE2\x82\xAC"},
        {7, text},
        {1000, text},
    };
    for (const auto& [bytes, prefix] : cases) {
        EXPECT_EQ(host::Utf8Prefix(text, bytes), prefix) << bytes;
    }
    // Stray continuation bytes with no lead are cut back to the start.
    EXPECT_EQ(host::Utf8Prefix("\x80\x80\x80", 2), "");
}

} // namespace
