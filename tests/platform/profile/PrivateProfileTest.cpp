#include "platform/PrivateProfile.h"
#include "platform/profile/ProfileText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using host::PrivateProfile;
using host::ProfileText;

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kovo-profile-XXXXXX";
        m_dir = mkdtemp(pattern);
        m_path = m_dir + "/kovomodel.INI";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Store(const std::string& content) const { std::ofstream(m_path) << content; }
    std::string Stored() const {
        std::ostringstream text;
        text << std::ifstream(m_path).rdbuf();
        return text.str();
    }

    std::string m_dir;
    std::string m_path;
};

} // namespace

TEST_F(PrivateProfileTest, MissingEntriesReadAsDefaults) {
    PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadString("Recent File List", "File1", nullptr), "");
    EXPECT_EQ(profile.ReadInt("Settings", "PreviewPages", 7), 7);
    Store("[S]\na=12abc\nb=abc\nc=\nd=-40\ne=99999999999999\n");
    const std::pair<const char*, int> ints[] = {
        {"a", 12}, {"b", 0}, {"c", 5}, {"d", -40}, {"e", 2147483647}};
    for (const auto& [key, value] : ints)
        EXPECT_EQ(profile.ReadInt("S", key, 5), value) << key;
    EXPECT_EQ(profile.ReadString(nullptr, "a", "d"), "d");
}

TEST_F(PrivateProfileTest, AFirstWriteMakesTheFolderAndDeletingNothingMakesNothing) {
    PrivateProfile fresh(m_dir + "/new/folder/kovomodel.INI");
    EXPECT_TRUE(fresh.WriteString("Recent File List", nullptr, nullptr));
    EXPECT_FALSE(fs::exists(m_dir + "/new")) << "deleting nothing creates nothing";
    ASSERT_TRUE(fresh.WriteInt("Settings", "PreviewPages", 2));
    EXPECT_EQ(fresh.ReadInt("settings", "previewpages", 0), 2);
}

TEST_F(PrivateProfileTest, RefusesTextThatWouldBreakTheFormat) {
    Store("[S]\nk=v\n");
    PrivateProfile profile(m_path);
    // A file name may contain a line break; written raw it would forge entries.
    EXPECT_FALSE(profile.WriteString("S", "k", "/tmp/x\n[Settings]\nPreviewPages=9"));
    for (const char* key : {"a=b", "[T]", "  ", "a\rb"}) {
        EXPECT_FALSE(profile.WriteString("S", key, "v")) << key;
    }
    EXPECT_FALSE(profile.WriteString("S]x", "k", "v"));
    EXPECT_FALSE(profile.WriteString(nullptr, "k", "v"));
    EXPECT_EQ(Stored(), "[S]\nk=v\n");
}

TEST_F(PrivateProfileTest, HugeLinesAndValuesAreSurvived) {
    const std::string huge = std::string(3'000'000, 'x') +
                             "\n[Recent File List]\nFile1=" + std::string(10'000, 'p') + "\nFile2=";
    Store(huge + "/ok.dat\n");
    PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadString("Recent File List", "File2", ""), "/ok.dat");
    EXPECT_EQ(profile.ReadString("Recent File List", "File1", "").size(),
              PrivateProfile::kMaxValueLength);
    ASSERT_TRUE(profile.WriteString("Recent File List", "File2", "/new.dat"));
    EXPECT_EQ(Stored(), huge + "/new.dat\n");

    // Beyond the size limit the file is still read, but never rewritten.
    fs::resize_file(m_path, PrivateProfile::kMaxFileSize + 10);
    EXPECT_EQ(profile.ReadString("Recent File List", "File2", ""), "/new.dat");
    EXPECT_FALSE(profile.WriteString("Recent File List", "File2", "/other.dat"));
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
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1)
            << "a temporary file was left behind";
    }
}

TEST_F(PrivateProfileTest, UnreadableOrLinkedFilesAreNotReplacedBlindly) {
    // What cannot be read cannot be kept: a folder in the file's place stays.
    fs::create_directory(m_path);
    PrivateProfile folder(m_path);
    EXPECT_FALSE(folder.WriteString("S", "k", "v"));
    EXPECT_FALSE(folder.BeginBatch());
    EXPECT_FALSE(folder.WriteString("S", "k", "v"));
    EXPECT_FALSE(folder.CommitBatch());
    EXPECT_TRUE(fs::is_directory(m_path));
    fs::remove(m_path);
    if (geteuid() != 0) { // root reads every file
        Store("[S]\nk=v\n");
        fs::permissions(m_path, fs::perms::none);
        EXPECT_FALSE(PrivateProfile(m_path).WriteString("S", "other", "x"));
        fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(Stored(), "[S]\nk=v\n");
        fs::remove(m_path);
    }
    // A linked profile is written through the link, which stays.
    std::ofstream(m_dir + "/real.INI") << "[S]\nk=v\n";
    fs::create_symlink(m_dir + "/real.INI", m_path);
    ASSERT_TRUE(PrivateProfile(m_path).WriteString("S", "k", "w"));
    EXPECT_TRUE(fs::is_symlink(m_path));
    EXPECT_EQ(PrivateProfile(m_dir + "/real.INI").ReadString("S", "k", ""), "w");
}

TEST_F(PrivateProfileTest, ABatchReplacesTheFileOnceOrNotAtAll) {
    const std::string before = "[Recent File List]\nFile1=/a.dat\nFile2=/b.dat\n[Mine]\nkeep=1\n";
    Store(before);
    PrivateProfile profile(m_path);
    ASSERT_TRUE(profile.BeginBatch());
    EXPECT_TRUE(profile.WriteString("Recent File List", nullptr, nullptr));
    EXPECT_EQ(Stored(), before) << "a batch writes nothing before its commit";
    EXPECT_EQ(profile.ReadString("Recent File List", "File2", "gone"), "gone");
    EXPECT_TRUE(profile.WriteString("Recent File List", "File1", "/c.dat"));
    ASSERT_TRUE(profile.CommitBatch());
    EXPECT_EQ(Stored(), "[Mine]\nkeep=1\n[Recent File List]\nFile1=/c.dat\n");

    // The list is deleted and written again in one go: a failure half-way
    // through must not leave the profile without it.
    Store(before);
    profile.SetFaultInjection(
        [](PrivateProfile::WriteStep at) { return at == PrivateProfile::WriteStep::Rename; });
    ASSERT_TRUE(profile.BeginBatch());
    EXPECT_TRUE(profile.WriteString("Recent File List", nullptr, nullptr));
    EXPECT_TRUE(profile.WriteString("Recent File List", "File1", "/x.dat"));
    EXPECT_FALSE(profile.CommitBatch());
    EXPECT_EQ(Stored(), before);

    // Written back as it stood, the list leaves the file alone: a commit that
    // tried to replace it would meet the failure still injected.
    const std::string listLast = "[Mine]\nkeep=1\n[Recent File List]\nFile1=/a.dat\n";
    Store(listLast);
    ASSERT_TRUE(profile.BeginBatch());
    EXPECT_TRUE(profile.WriteString("Recent File List", nullptr, nullptr));
    EXPECT_TRUE(profile.WriteString("Recent File List", "File1", "/a.dat"));
    EXPECT_TRUE(profile.CommitBatch());
    EXPECT_EQ(Stored(), listLast);
}

TEST(ProfileTextTest, NamesIgnoreCaseAndTheFirstMatchWins) {
    const ProfileText text("[recent FILE list]\n  file1 =  /m/Dom.dat  \nfile1=/second\n"
                           "[Recent File List]\nFile2=/hidden\n[Settings]\nFile2=/other\n");
    EXPECT_EQ(text.Find("Recent File List", "FILE1"), "/m/Dom.dat");
    // Only the first section of a name is read; keys of others are not found.
    EXPECT_EQ(text.Find("Recent File List", "File2"), std::nullopt);
    EXPECT_EQ(text.Find("Missing", "File1"), std::nullopt);
}

TEST(ProfileTextTest, JunkIsToleratedAndKept) {
    const char before[] = "k=outside\n\0\xff=\x01\n[Open\nx=1\nno equals\n  [ Sp ] \ny = 2";
    const char after[] = "k=outside\n\0\xff=\x01\n[Open\nx=1\nno equals\nz=3\n  [ Sp ] \ny = 2";
    ProfileText text(std::string(before, sizeof before - 1));
    EXPECT_EQ(text.Find("Open", "x"), "1");
    EXPECT_EQ(text.Find("Sp", "y"), "2");
    ASSERT_TRUE(text.Set("Open", "z", "3"));
    EXPECT_EQ(text.Content(), std::string(after, sizeof after - 1));
}

TEST(ProfileTextTest, EditsTouchOnlyTheirLines) {
    ProfileText text("; mine\r\n[A]\r\nk=1\r\n; note\r\n\r\n[B]\r\nk=2\r\n[a]\r\nk=3");
    EXPECT_FALSE(text.Set("A", "K", "1")) << "the same value changes nothing";
    ASSERT_TRUE(text.Set("A", "j", "2"));
    ASSERT_TRUE(text.Set("C", "k", "4"));
    EXPECT_EQ(text.Content(), "; mine\r\n[A]\r\nk=1\r\n; note\r\nj=2\r\n\r\n[B]\r\nk=2\r\n"
                              "[a]\r\nk=3\r\n[C]\r\nk=4\r\n");
    ASSERT_TRUE(text.DeleteKey("b", "K"));
    ASSERT_TRUE(text.DeleteSection("a"));
    EXPECT_FALSE(text.DeleteSection("a"));
    EXPECT_EQ(text.Content(), "; mine\r\n[B]\r\n[C]\r\nk=4\r\n");
}

TEST(ProfileTextTest, ValuesReadBackAsWritten) {
    ProfileText text("");
    for (const char* value : {"/m/my model.dat", " leading", "trailing ", "\"quoted\"", "'single'",
                              "a=b", "/údaje/dom.dat", ""}) {
        text.Set("S", "k", value);
        EXPECT_EQ(text.Find("S", "k"), value);
    }
}

TEST(ProfileTextTest, NamesAsGivenAreTrimmedAsNamesAsWritten) {
    ProfileText text("[ Recent File List ]\n  File1 = /m/a.dat\n");
    EXPECT_EQ(text.Find(" Recent File List\t", " FILE1 "), "/m/a.dat");
    ASSERT_TRUE(text.Set(" New ", " k ", "v"));
    EXPECT_EQ(text.Find("New", "k"), "v");
    EXPECT_EQ(text.Find(" new", "K "), "v");
    EXPECT_FALSE(text.Set("new", "k", "v")) << "the same entry, found again";
    EXPECT_EQ(text.Content(), "[ Recent File List ]\n  File1 = /m/a.dat\n[New]\nk=v\n");
}

TEST(ProfileTextTest, EverySectionOfANameGoesInOnePassAndTheRestStaysFindable) {
    ProfileText text("top=1\n[L]\nFile1=/a\n[O]\nx=1\n[l]\n\n[L2]\ny=2\n  [ L ]\nz=3\n[O2]\nw=4");
    ASSERT_TRUE(text.DeleteSection("L"));
    EXPECT_EQ(text.Content(), "top=1\n[O]\nx=1\n[L2]\ny=2\n[O2]\nw=4");
    EXPECT_FALSE(text.DeleteSection("l"));
    // The sections behind the deleted ones are where they now are.
    ASSERT_TRUE(text.Set("O", "x2", "5"));
    ASSERT_TRUE(text.Set("O2", "w", "6"));
    ASSERT_TRUE(text.DeleteKey("L2", "y"));
    ASSERT_TRUE(text.Set("L", "File1", "/b"));
    EXPECT_EQ(text.Content(), "top=1\n[O]\nx=1\nx2=5\n[L2]\n[O2]\nw=6\n[L]\nFile1=/b\n");
    EXPECT_EQ(text.Find("O2", "w"), "6");
    EXPECT_EQ(text.Find("L", "File1"), "/b");
}

TEST(ProfileTextTest, EndingAnUnendedLastLineKeepsItsText) {
    // A last line "[S\r" is the section "S\r"; ended by a bare "\n" it
    // would become the section "S" and hide the one added after it.
    ProfileText text("[S\r");
    ASSERT_TRUE(text.Set("S", "k", "v"));
    EXPECT_EQ(text.Content(), "[S\r\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(ProfileText(text.Content()).Find("S", "k"), "v");
}

TEST(ProfileTextTest, BlankLinesLongLinesAndBracketsInsideLinesAreNoHeaders) {
    const std::string longValue(100'000, 'v');
    ProfileText text("[S]\nk=a[b]\n\t\n x [T]\n" + longValue + "=" + longValue +
                     "\n\n\n[T]\nj=2\n");
    EXPECT_EQ(text.Find("S", "k"), "a[b]");
    EXPECT_EQ(text.Find("T", "j"), "2");
    ASSERT_TRUE(text.Set("S", "n", "1"));
    EXPECT_EQ(text.Find("S", longValue), longValue);
    EXPECT_EQ(text.Content(),
              "[S]\nk=a[b]\n\t\n x [T]\n" + longValue + "=" + longValue + "\nn=1\n\n\n[T]\nj=2\n");
}

// Also: temporaries that killed writes left go at a write once an hour old.
TEST_F(PrivateProfileTest, WhatIsAcceptedReadsBackExactlyAndWhatIsRefusedChangesNothing) {
    const std::string longest(PrivateProfile::kMaxValueLength, 'p');
    const std::string accepted[] = {" a",  "b\t", "\"q\"",  "'", "\"",
                                    "a=b", "[S]", "/ú.dat", "",  longest};
    const std::string refused[] = {"\n", "\r", "a\nb", "a\r\n", longest + "p"};
    for (const char* name : {"kovomodel.INI.a1B2c3", "kovomodel.INI.bak", "x.INI.a1B2c3"}) {
        std::ofstream(m_dir + "/" + name) << "x";
        fs::last_write_time(m_dir + "/" + name, fs::file_time_type::clock::now() - 61min);
    }
    std::ofstream(m_dir + "/kovomodel.INI.young1") << "x";
    PrivateProfile profile(m_path);
    for (const std::string& value : accepted) {
        EXPECT_TRUE(profile.WriteString("S", "k", value.c_str())) << value;
        EXPECT_EQ(profile.ReadString("S", "k", "none"), value);
    }
    const std::string before = Stored();
    for (const std::string& value : refused) {
        EXPECT_FALSE(profile.WriteString("S", "k", value.c_str())) << value.size();
        EXPECT_EQ(Stored(), before);
    }
    EXPECT_FALSE(fs::exists(m_dir + "/kovomodel.INI.a1B2c3"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 4);
}
