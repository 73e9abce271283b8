#include "tools/OptionReader.h"
#include "tools/OptionValues.h"
#include "tools/UsageError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Reads args, recording each option with its value ("--name=value"), or the
// name alone for the flags listed.
std::vector<std::string> Walk(const std::vector<std::string>& args,
                              std::vector<std::string>& options) {
    OptionReader reader(args);
    return reader.ReadAll([&](const std::string& option) {
        if (option == "--flag") {
            reader.NoValue();
            options.push_back(option);
            return;
        }
        options.push_back(option + "=" + reader.Value());
    });
}

TEST(OptionReaderTest, OptionsValuesAndOperandsInAnyOrder) {
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> operands;
        std::vector<std::string> options;
    } cases[] = {
        {{"a", "--size", "2x3", "b"}, {"a", "b"}, {"--size=2x3"}},
        {{"--size=2x3", "--flag", "a"}, {"a"}, {"--size=2x3", "--flag"}},
        {{"--turn=-5,3", "a"}, {"a"}, {"--turn=-5,3"}},
        // A value may look like an option, as a negative number does.
        {{"--distance", "-200", "a"}, {"a"}, {"--distance=-200"}},
        {{"-s", "128", "in", "out"}, {"in", "out"}, {"-s=128"}},
        // "-" is an operand; after "--" everything is.
        {{"-", "--", "--flag", "-s"}, {"-", "--flag", "-s"}, {}},
        {{"--", "--"}, {"--"}, {}},
        {{}, {}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> options;
        EXPECT_EQ(Walk(c.args, options), c.operands) << c.args.size();
        EXPECT_EQ(options, c.options) << c.args.size();
    }
}

TEST(OptionReaderTest, AMissingOrUnwantedValueIsAUsageError) {
    std::vector<std::string> options;
    EXPECT_THROW(Walk({"a", "--size"}, options), UsageError);
    EXPECT_THROW(Walk({"--flag=yes"}, options), UsageError);
    EXPECT_THROW(OptionReader::ExpectOperands({"a"}, 2, "two"), UsageError);
    EXPECT_THROW(OptionReader::ExpectOperands({"a", "b", "c"}, 2, "two"), UsageError);
    EXPECT_NO_THROW(OptionReader::ExpectOperands({"a", "b"}, 2, "two"));
}

TEST(OptionValuesTest, NumbersIntegersSizesAndPairsAreReadWholeOrRefused) {
    EXPECT_EQ(ParseInteger("-s", "256", 1, 1024), 256);
    EXPECT_EQ(ParseInteger("-s", "+1", 1, 1024), 1);
    EXPECT_DOUBLE_EQ(ParseNumber("--distance", "-1e3"), -1000.0);
    EXPECT_DOUBLE_EQ(ParseNumber("--distance", "2.5"), 2.5);
    const PixelSize size = ParseSize("--size", "800x575", 8192);
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 575);
    double y = 0.0;
    double x = 0.0;
    ParsePair("--turn", "30,-12.5", y, x);
    EXPECT_DOUBLE_EQ(y, 30.0);
    EXPECT_DOUBLE_EQ(x, -12.5);

    for (const char* text : {"", " 5", "5 ", "0", "1025", "0x10", "5.0", "99999999999999999999"}) {
        EXPECT_THROW(ParseInteger("-s", text, 1, 1024), UsageError) << text;
    }
    for (const char* text : {"", "x", "1e", "inf", "nan", "0x1p3", "1,5", " 1", "1e999"}) {
        EXPECT_THROW(ParseNumber("--distance", text), UsageError) << text;
    }
    for (const char* text : {"800", "800x", "x575", "0x5", "5x0", "8193x1", "800X575", "-8x8"}) {
        EXPECT_THROW(ParseSize("--size", text, 8192), UsageError) << text;
    }
    for (const char* text : {"30", "30,", ",5", "a,b", "1,2,3"}) {
        EXPECT_THROW(ParsePair("--turn", text, y, x), UsageError) << text;
    }
}

TEST(OptionValuesTest, TheMessageNamesTheOptionTheTextAndWhatWasExpected) {
    try {
        ParseSize("--size", "big", 8192);
        FAIL();
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(),
                     "option '--size' expects WIDTHxHEIGHT, each from 1 to 8192, not 'big'");
    }
}

} // namespace
