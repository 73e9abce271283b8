#include "tools/RenderArguments.h"
#include "tools/HelpRequest.h"
#include "tools/ThumbnailArguments.h"
#include "tools/UsageError.h"
#include "tools/VersionRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RenderArgumentsTest, WithoutOptionsThePictureIsTheViewersOpeningView) {
    const RenderArguments arguments = ParseRenderArguments({"model.dat", "out.png"});
    EXPECT_EQ(arguments.model, "model.dat");
    EXPECT_EQ(arguments.output, "out.png");
    const ViewSettings& view = arguments.view;
    EXPECT_EQ(view.width, 800);
    EXPECT_EQ(view.height, 575);
    EXPECT_EQ(view.angleY, 0.0);
    EXPECT_EQ(view.angleX, 0.0);
    EXPECT_EQ(view.distance, 1500.0);
    EXPECT_EQ(view.mode, ViewSettings::Mode::Solid);
    EXPECT_EQ(view.shading, ViewSettings::Shading::Smooth);
    EXPECT_FALSE(view.referenceObjects);
}

TEST(RenderArgumentsTest, EveryOptionSetsItsSetting) {
    const RenderArguments arguments = ParseRenderArguments(
        {"--size", "320x200", "--mode=wire", "--shading", "flat", "m.dat", "--turn=45,-10",
         "--distance", "2500.5", "--reference-objects", "o.png"});
    const ViewSettings& view = arguments.view;
    EXPECT_EQ(view.width, 320);
    EXPECT_EQ(view.height, 200);
    EXPECT_EQ(view.mode, ViewSettings::Mode::Wire);
    EXPECT_EQ(view.shading, ViewSettings::Shading::Flat);
    EXPECT_EQ(view.angleY, 45.0);
    EXPECT_EQ(view.angleX, -10.0);
    EXPECT_EQ(view.distance, 2500.5);
    EXPECT_TRUE(view.referenceObjects);
    EXPECT_EQ(arguments.model, "m.dat");
    EXPECT_EQ(arguments.output, "o.png");
    EXPECT_EQ(ParseRenderArguments({"--mode", "points", "a", "b"}).view.mode,
              ViewSettings::Mode::Points);
    // A file whose name starts with a dash follows "--".
    EXPECT_EQ(ParseRenderArguments({"--", "-m.dat", "-o.png"}).model, "-m.dat");
}

TEST(RenderArgumentsTest, HelpNeedsNoOperandsAndEverythingElseIsAUsageError) {
    EXPECT_THROW(ParseRenderArguments({"--help"}), HelpRequest);
    EXPECT_THROW(ParseRenderArguments({"a", "-h", "--bogus"}), HelpRequest);
    EXPECT_THROW(ParseRenderArguments({"--version"}), VersionRequest);
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"only.dat"},
        {"a", "b", "c"},
        {"--bogus", "a", "b"},
        {"--version=2", "a", "b"},
        {"--mode", "shaded", "a", "b"},
        {"--shading=phong", "a", "b"},
        {"--size", "0x10", "a", "b"},
        {"--size", "9000x10", "a", "b"},
        {"--turn", "45", "a", "b"},
        {"--distance", "far", "a", "b"},
        {"--reference-objects=yes", "a", "b"},
        {"a", "b", "--size"},
    };
    for (const auto& args : wrong) {
        EXPECT_THROW(ParseRenderArguments(args), UsageError) << args.size();
    }
}

TEST(ThumbnailArgumentsTest, TheThumbnailerEntrysCommandAndItsMistakes) {
    const ThumbnailArguments arguments = ParseThumbnailArguments({"-s", "256", "in.dat", "out"});
    EXPECT_EQ(arguments.size, 256);
    EXPECT_EQ(arguments.input, "in.dat");
    EXPECT_EQ(arguments.output, "out");
    EXPECT_EQ(ParseThumbnailArguments({"in", "out", "--size=1024"}).size, 1024);
    EXPECT_THROW(ParseThumbnailArguments({"--help"}), HelpRequest);
    const std::vector<std::vector<std::string>> wrong = {
        {"in", "out"},
        {"-s", "0", "in", "out"},
        {"-s", "1025", "in", "out"},
        {"-s", "big", "in", "out"},
        {"-s", "128", "in"},
        {"-s", "128", "a", "b", "c"},
        {"-x", "in", "out"},
    };
    for (const auto& args : wrong) {
        EXPECT_THROW(ParseThumbnailArguments(args), UsageError) << args.size();
    }
}

} // namespace
