#include "platform/FileDialog.h"
#include "platform/HostDisplay.h"
#include "platform/HostQueue.h"
#include "platform/HostWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace host;

namespace {

using Filters = std::vector<std::pair<std::string, std::string>>;

TEST(FileDialogFilterTest, AllFilesMatchesNamesWithoutADot) {
    EXPECT_EQ(FileDialog::FilterText({{"All Files (*.*)", "*.*"}}), "All Files (*.*)\t*");
}

TEST(FileDialogFilterTest, SeveralFiltersAndPatternListsAreTranslated) {
    const Filters filters = {
        {"Models (*.dat)", "*.dat"}, {"Text", "*.txt;*.*;;*.log"}, {"All Files (*.*)", "*.*"}};
    EXPECT_EQ(FileDialog::FilterText(filters),
              "Models (*.dat)\t*.dat\nText\t{*.txt,*,*.log}\nAll Files (*.*)\t*");
}

TEST(FileDialogFilterTest, OddEntriesAreMadeHarmless) {
    EXPECT_EQ(FileDialog::FilterText({}), "");
    EXPECT_EQ(FileDialog::FilterText({{"Nothing", ""}, {"Nor this", ";;"}}), "");
    EXPECT_EQ(FileDialog::FilterText({{"", "*.dat"}}), "*.dat\t*.dat");
    EXPECT_EQ(FileDialog::FilterText({{"Bad\tla\nbel", "*.dat"}}), "Bad la bel\t*.dat");
}

/// Answers the open dialog from a list of names (an empty one cancels) and
/// records the message boxes shown meanwhile.
class FileDialogRunTest : public ::testing::Test {
protected:
    struct Shown {
        HWND owner;
        std::string text;
        std::string caption;
        UINT type;
    };

    void SetUp() override {
        DialogHooks hooks;
        hooks.messageBox = [this](HWND owner, const std::string& text, const std::string& caption,
                                  UINT type) {
            messages_.push_back({owner, text, caption, type});
            return IDOK;
        };
        SetDialogHooks(hooks);
        existing_ = (std::filesystem::temp_directory_path() / "kovo-file-dialog-test.dat").string();
        std::ofstream(existing_) << "x";
        missing_ = existing_ + ".missing";
        std::filesystem::remove(missing_);
    }

    void TearDown() override {
        SetDialogHooks({});
        std::filesystem::remove(existing_);
    }

    BOOL Run(OPENFILENAME& ofn, std::vector<std::string> answers) {
        size_t next = 0;
        return FileDialog::Run(ofn, [&](const OPENFILENAME&) -> std::optional<std::string> {
            ++asked_;
            if (next >= answers.size() || answers[next].empty())
                return std::nullopt;
            return answers[next++];
        });
    }

    std::vector<Shown> messages_;
    int asked_ = 0;
    std::string existing_;
    std::string missing_;
    HWND owner_ = reinterpret_cast<HWND>(0x1234);
};

TEST_F(FileDialogRunTest, AnExistingFileIsTakenAtOnce) {
    OPENFILENAME ofn;
    EXPECT_TRUE(Run(ofn, {existing_}));
    EXPECT_EQ(ofn.file, existing_);
    EXPECT_EQ(asked_, 1);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileDialogRunTest, AMissingFileIsRefusedWithAMessageAndTheUserAskedAgain) {
    OPENFILENAME ofn;
    ofn.owner = owner_;
    ofn.title = "Open";
    EXPECT_TRUE(Run(ofn, {missing_, existing_}));
    EXPECT_EQ(ofn.file, existing_);
    EXPECT_EQ(asked_, 2);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].owner, owner_);
    EXPECT_EQ(messages_[0].text,
              missing_ + "\nFile not found.\nCheck the file name and try again.");
    EXPECT_EQ(messages_[0].caption, "Open");
    EXPECT_EQ(messages_[0].type & MB_TYPEMASK, MB_OK);
}

TEST_F(FileDialogRunTest, CancelAfterARefusalLeavesTheFileAlone) {
    OPENFILENAME ofn;
    ofn.file = "before";
    EXPECT_FALSE(Run(ofn, {missing_, missing_, ""}));
    EXPECT_EQ(ofn.file, "before");
    EXPECT_EQ(asked_, 3);
    EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(FileDialogRunTest, CancelAndAnEmptyNameGiveFalse) {
    OPENFILENAME ofn;
    EXPECT_FALSE(Run(ofn, {}));
    EXPECT_FALSE(FileDialog::Run(ofn, [](const OPENFILENAME&) { return std::string(); }));
    EXPECT_TRUE(ofn.file.empty());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileDialogRunTest, AMissingFileIsTakenWhenItNeedNotExist) {
    OPENFILENAME ofn;
    ofn.fileMustExist = false;
    EXPECT_TRUE(Run(ofn, {missing_}));
    EXPECT_EQ(ofn.file, missing_);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileDialogRunTest, TheOwnerStaysDisabledAcrossRefusalsAndIsEnabledAfter) {
    CREATESTRUCT cs;
    cs.style = WS_OVERLAPPEDWINDOW;
    const HWND owner = CreateWindow(cs, DefWindowProc, nullptr);
    ASSERT_NE(owner, nullptr);
    std::vector<BOOL> enabled;
    DialogHooks hooks;
    hooks.messageBox = [&](HWND, const std::string&, const std::string&, UINT) {
        enabled.push_back(IsWindowEnabled(owner));
        return IDOK;
    };
    SetDialogHooks(hooks);
    OPENFILENAME ofn;
    ofn.owner = owner;
    int answers = 0;
    const BOOL chosen = FileDialog::Run(ofn, [&](const OPENFILENAME&) {
        enabled.push_back(IsWindowEnabled(owner));
        return ++answers == 1 ? missing_ : existing_;
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(enabled, (std::vector<BOOL>{FALSE, FALSE, FALSE}));
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(FileDialogRunTest, AnUntitledDialogIsCalledOpen) {
    OPENFILENAME ofn;
    ofn.title.clear();
    EXPECT_EQ(FileDialog::Title(ofn), "Open");
    Run(ofn, {missing_, ""});
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "Open");
}

} // namespace

namespace {

int g_userMessages = 0;

LRESULT CountUserMessages(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER)
        ++g_userMessages;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

/// The native chooser runs its own loop; it is answered from outside, as a
/// user would, and is meanwhile left alone long enough for our queue to run.
TEST(FileDialogNativeTest, TheChooserIsFoundByItsTitleKeepsOurQueueRunningAndEscapeCancels) {
    if (!OpenDisplay())
        GTEST_SKIP() << "no display";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool is not installed";
    CREATESTRUCT cs;
    cs.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const HWND owner = CreateWindow(cs, CountUserMessages, nullptr);
    g_userMessages = 0;
    PostMessage(owner, WM_USER, 0, 0);
    std::thread user([] {
        std::system("for i in $(seq 100); do"
                    "  id=$(xdotool search --name '^Open kovo-dialog-test$' | head -1);"
                    "  [ -n \"$id\" ] && break; sleep 0.1; done;"
                    "sleep 0.3; [ -n \"$id\" ] && xdotool key --window \"$id\" Escape");
    });
    OPENFILENAME ofn;
    ofn.owner = owner;
    ofn.title = "Open kovo-dialog-test";
    ofn.filters = {{"All Files (*.*)", "*.*"}};
    ofn.file = "unchanged";
    const BOOL chosen = GetOpenFileName(ofn);
    user.join();
    EXPECT_FALSE(chosen);
    EXPECT_EQ(ofn.file, "unchanged");
    EXPECT_EQ(g_userMessages, 1)
        << "the message posted before was handled while the chooser was up";
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

} // namespace
