#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using host::PrivateProfile;

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kovo-profile-XXXXXX";
        m_dir = mkdtemp(pattern);
        m_path = m_dir + "/kovomodel.INI";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Store(const std::string& content) const {
        std::ofstream(m_path, std::ios::binary) << content;
    }
    std::string Stored() const {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }

    std::string m_dir;
    std::string m_path;
};

} // namespace

TEST_F(PrivateProfileTest, MissingFileOrKeyReadsAsDefault) {
    PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadString("Recent File List", "File1", "none"), "none");
    EXPECT_EQ(profile.ReadString("Recent File List", "File1", nullptr), "");
    EXPECT_EQ(profile.ReadInt("Settings", "PreviewPages", 7), 7);
    Store("[Settings]\nOther=1\n");
    EXPECT_EQ(profile.ReadInt("Settings", "PreviewPages", 7), 7);
    EXPECT_EQ(profile.ReadString(nullptr, "Other", "d"), "d");
    EXPECT_FALSE(fs::exists(m_dir + "/missing.INI"));
}

TEST_F(PrivateProfileTest, NamesIgnoreCaseAndValuesAreTrimmed) {
    Store("[recent FILE list]\n  file1 =  /home/u/Dom.dat  \n[Settings]\nPreviewPages=3\n");
    PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadString("Recent File List", "File1", ""), "/home/u/Dom.dat");
    EXPECT_EQ(profile.ReadInt("SETTINGS", "previewpages", 0), 3);
    // A key of another section is not found.
    EXPECT_EQ(profile.ReadString("Settings", "File1", "-"), "-");
}

TEST_F(PrivateProfileTest, ReadIntTakesTheLeadingNumber) {
    Store("[S]\na=12abc\nb=abc\nc=\nd=-40\ne=99999999999999\n");
    PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadInt("S", "a", 5), 12);
    EXPECT_EQ(profile.ReadInt("S", "b", 5), 0);
    EXPECT_EQ(profile.ReadInt("S", "c", 5), 5);
    EXPECT_EQ(profile.ReadInt("S", "d", 5), -40);
    EXPECT_EQ(profile.ReadInt("S", "e", 5), 2147483647);
}

TEST_F(PrivateProfileTest, WritingKeepsEverythingElseByteForByte) {
    const std::string before = "; written by hand\r\n"
                               "[Unknown]\r\nkey=Value With Case\r\n\r\n"
                               "[Recent File List]\r\nFile1=/a.dat\r\nFile2=/b.dat\r\n"
                               "[Settings]\r\nPreviewPages=2";
    Store(before);
    PrivateProfile profile(m_path);
    ASSERT_TRUE(profile.WriteString("recent file list", "file2", "/c.dat"));
    ASSERT_TRUE(profile.WriteString("Recent File List", "File3", "/d.dat"));
    ASSERT_TRUE(profile.WriteInt("Settings", "Extra", 5));
    EXPECT_EQ(Stored(), "; written by hand\r\n"
                        "[Unknown]\r\nkey=Value With Case\r\n\r\n"
                        "[Recent File List]\r\nFile1=/a.dat\r\nfile2=/c.dat\r\nFile3=/d.dat\r\n"
                        "[Settings]\r\nPreviewPages=2\r\nExtra=5\r\n");
    // Writing a value that is already there changes no byte.
    const std::string now = Stored();
    ASSERT_TRUE(profile.WriteString("Recent File List", "File1", "/a.dat"));
    EXPECT_EQ(Stored(), now);
}

TEST_F(PrivateProfileTest, NullKeyDeletesSectionAndNullValueDeletesKey) {
    Store("[A]\nx=1\n[Recent File List]\nFile1=/a\nFile3=/c\n; note\n[B]\ny=2\n");
    PrivateProfile profile(m_path);
    ASSERT_TRUE(profile.WriteString("B", "y", nullptr));
    EXPECT_EQ(Stored(), "[A]\nx=1\n[Recent File List]\nFile1=/a\nFile3=/c\n; note\n[B]\n");
    ASSERT_TRUE(profile.WriteString("Recent File List", nullptr, nullptr));
    EXPECT_EQ(Stored(), "[A]\nx=1\n[B]\n");
    // Deleting what is not there succeeds and writes nothing.
    EXPECT_TRUE(profile.WriteString("Missing", nullptr, nullptr));
    EXPECT_TRUE(profile.WriteString("A", "missing", nullptr));
    EXPECT_EQ(Stored(), "[A]\nx=1\n[B]\n");
    PrivateProfile fresh(m_dir + "/fresh.INI");
    EXPECT_TRUE(fresh.WriteString("Recent File List", nullptr, nullptr));
    EXPECT_FALSE(fs::exists(m_dir + "/fresh.INI"));
}

TEST_F(PrivateProfileTest, ValuesReadBackAsWritten) {
    PrivateProfile profile(m_dir + "/new/folder/kovomodel.INI");
    const char* values[] = {"/home/u/my model.dat", " leading", "trailing ",
                            "\"quoted\"",           "'single'", "a=b",
                            "/údaje/dom.dat",       ""};
    for (const char* value : values) {
        ASSERT_TRUE(profile.WriteString("S", "k", value)) << value;
        EXPECT_EQ(profile.ReadString("S", "k", "default"), value);
    }
}

TEST_F(PrivateProfileTest, RefusesTextThatWouldBreakTheFormat) {
    Store("[S]\nk=v\n");
    PrivateProfile profile(m_path);
    // A file name may contain a line break; written raw it would forge entries.
    EXPECT_FALSE(profile.WriteString("S", "k", "/tmp/x\n[Settings]\nPreviewPages=9"));
    EXPECT_FALSE(profile.WriteString("S", "a=b", "v"));
    EXPECT_FALSE(profile.WriteString("S", "[T]", "v"));
    EXPECT_FALSE(profile.WriteString("S", "  ", "v"));
    EXPECT_FALSE(profile.WriteString("S]x", "k", "v"));
    EXPECT_FALSE(profile.WriteString(nullptr, "k", "v"));
    EXPECT_EQ(Stored(), "[S]\nk=v\n");
}

TEST_F(PrivateProfileTest, JunkAndHugeLinesReadAsTheValidEntries) {
    std::string junk("\x01\xff\xfe[\0\0=\0junk", 12);
    junk += "\n" + std::string(3'000'000, 'x') +
            "\n[Recent File List]\nFile1=" + std::string(10'000, 'p') + "\nFile2=/ok.dat\n" +
            std::string("\0\0\0", 3);
    Store(junk);
    PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadString("Recent File List", "File2", ""), "/ok.dat");
    EXPECT_EQ(profile.ReadString("Recent File List", "File1", "").size(),
              PrivateProfile::kMaxValueLength);
    ASSERT_TRUE(profile.WriteString("Recent File List", "File2", "/new.dat"));
    const std::string after = Stored();
    EXPECT_EQ(after.substr(0, 12), junk.substr(0, 12));
    EXPECT_EQ(profile.ReadString("Recent File List", "File2", ""), "/new.dat");
}

TEST_F(PrivateProfileTest, OversizedFileIsReadButNeverRewritten) {
    Store("[S]\nk=v\n");
    fs::resize_file(m_path, PrivateProfile::kMaxFileSize + 10);
    PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadString("S", "k", ""), "v");
    EXPECT_FALSE(profile.WriteString("S", "k", "w"));
    EXPECT_EQ(fs::file_size(m_path), PrivateProfile::kMaxFileSize + 10);
}

TEST_F(PrivateProfileTest, FailedWriteLeavesTheOldFile) {
    const std::string before = "[Recent File List]\nFile1=/a.dat\n[Mine]\nkeep=1\n";
    using Step = PrivateProfile::WriteStep;
    for (Step step : {Step::CreateFolder, Step::Open, Step::Write, Step::Sync, Step::Rename}) {
        Store(before);
        PrivateProfile profile(m_path);
        profile.SetFaultInjection([step](Step at) { return at == step; });
        EXPECT_FALSE(profile.WriteString("Recent File List", "File1", "/b.dat"));
        EXPECT_EQ(Stored(), before) << static_cast<int>(step);
        EXPECT_EQ(FilesInFolder(), 1u) << "a temporary file was left behind";
    }
    PrivateProfile profile(m_path);
    EXPECT_TRUE(profile.WriteString("Recent File List", "File1", "/b.dat"));
    EXPECT_EQ(profile.ReadString("Recent File List", "File1", ""), "/b.dat");
}

TEST_F(PrivateProfileTest, UnreadableFileIsNotReplaced) {
    // A folder where the file should be cannot be read; it must survive.
    fs::create_directory(m_path);
    std::ofstream(m_path + "/inside") << "x";
    PrivateProfile folder(m_path);
    EXPECT_FALSE(folder.WriteString("S", "k", "v"));
    EXPECT_TRUE(fs::exists(m_path + "/inside"));
    fs::remove_all(m_path);
    if (geteuid() == 0) {
        return; // root reads every file
    }
    Store("[S]\nk=v\n");
    fs::permissions(m_path, fs::perms::none);
    PrivateProfile profile(m_path);
    EXPECT_FALSE(profile.WriteString("S", "other", "x"));
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Stored(), "[S]\nk=v\n");
}

TEST_F(PrivateProfileTest, LinkedProfileStaysLinked) {
    const std::string real = m_dir + "/real.INI";
    std::ofstream(real) << "[S]\nk=v\n";
    fs::create_symlink(real, m_path);
    PrivateProfile profile(m_path);
    ASSERT_TRUE(profile.WriteString("S", "k", "w"));
    EXPECT_TRUE(fs::is_symlink(m_path));
    EXPECT_EQ(profile.ReadString("S", "k", ""), "w");
}
