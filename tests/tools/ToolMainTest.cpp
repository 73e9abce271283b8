// What the tools share: reading their model, and reporting a failure in one line.

#include "tools/ToolMain.h"
#include "model/Model.h"
#include "platform/HeadlessGlError.h"
#include "tools/HelpRequest.h"
#include "tools/ModelInput.h"
#include "tools/OutputFileError.h"
#include "tools/UsageError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Outcome {
    int status;
    std::string stdoutText;
    std::string stderrText;
};

Outcome RunBody(const std::function<void()>& body) {
    char name[] = "kovo-tool";
    char* argv[] = {name, nullptr};
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = RunTool("kovo-tool", "Usage: kovo-tool\n", 1, argv, [&](const auto& args) {
        EXPECT_TRUE(args.empty());
        body();
    });
    const std::string stderrText = testing::internal::GetCapturedStderr();
    return {status, testing::internal::GetCapturedStdout(), stderrText};
}

TEST(ToolMainTest, EachFailureIsOneLineAndItsExitStatus) {
    const struct {
        std::function<void()> body;
        int status;
        std::string line;
    } cases[] = {
        {[] {}, 0, ""},
        {[] { throw UsageError("unknown option '-q'"); }, 2,
         "kovo-tool: unknown option '-q' (see kovo-tool --help)\n"},
        {[] { throw ModelFileError("m.dat", 2, 3, "the face count", "'x'"); }, 1,
         "kovo-tool: m.dat:2:3: expected the face count, found 'x'\n"},
        {[] { throw host::HeadlessGlError("EGL is missing"); }, 1,
         "kovo-tool: cannot draw without a display: EGL is missing\n"},
        {[] { throw OutputFileError("o.png: cannot be written: No space left on device"); }, 1,
         "kovo-tool: o.png: cannot be written: No space left on device\n"},
        {[] { throw std::bad_alloc(); }, 1, "kovo-tool: out of memory\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = RunBody(c.body);
        EXPECT_EQ(outcome.status, c.status) << c.line;
        EXPECT_EQ(outcome.stderrText, c.line);
        EXPECT_EQ(outcome.stdoutText, "");
    }
    const Outcome help = RunBody([] { throw HelpRequest(); });
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.stdoutText, "Usage: kovo-tool\n");
    EXPECT_EQ(help.stderrText, "");
}

TEST(ModelInputTest, TheLoadersReasonAndALimitCheckedBeforeReading) {
    const std::string path = testing::TempDir() + "kovo-input-" + std::to_string(::getpid());
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("1\n3 x\n", file);
    std::fclose(file);
    Model model;
    try {
        OpenModel(model, path);
        ADD_FAILURE() << "a malformed model was opened";
    } catch (const ModelFileError& error) {
        EXPECT_EQ(error.what(), path + ":2:3: expected the face count, found 'x'");
    }
    try {
        OpenModel(model, path, 5);
        ADD_FAILURE() << "a file over the limit was opened";
    } catch (const ModelFileError& error) {
        EXPECT_EQ(error.Line(), 0) << "refused before reading: " << error.what();
        EXPECT_NE(std::string(error.what()).find("larger than"), std::string::npos);
    }
    std::remove(path.c_str());
    EXPECT_THROW(OpenModel(model, path), ModelFileError);

    Model pyramid;
    OpenModel(pyramid, std::string(KOVO_SAMPLES) + "/pyramida.dat", 72);
    EXPECT_EQ(pyramid.faceCount, 5);
}

} // namespace
