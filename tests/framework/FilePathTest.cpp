#include "framework/FilePath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

/// A fresh directory that is the current directory for the test's duration.
class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/kovo-path-XXXXXX";
        m_path = mkdtemp(pattern);
        m_previous = fs::current_path();
        fs::current_path(m_path);
        // The scratch path itself may run through links (/tmp on some hosts).
        m_real = fs::canonical(m_path).string();
    }
    ~ScratchDir() {
        fs::current_path(m_previous);
        fs::remove_all(m_path);
    }
    std::string m_path;
    std::string m_real;
    fs::path m_previous;
};

/// Restores an environment variable when the test ends.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(const char* name) : m_name(name) {
        const char* value = std::getenv(name);
        m_had = value != nullptr;
        m_value = m_had ? value : "";
    }
    ~EnvironmentGuard() {
        if (m_had) {
            setenv(m_name, m_value.c_str(), 1);
            return;
        }
        unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_value;
};

std::string Full(const std::string& in) {
    std::string out;
    EXPECT_TRUE(FullPath(out, in)) << in;
    return out;
}

std::string Abbreviated(std::string text, int max, bool atLeastName = true) {
    AbbreviatePath(text, max, atLeastName ? host::TRUE : host::FALSE);
    return text;
}

} // namespace

TEST(FilePathTest, FullPathResolvesDotsTextually) {
    EXPECT_EQ(Full("/nonexistent-kovo/a/./b//c/../d.dat"), "/nonexistent-kovo/a/b/d.dat");
    EXPECT_EQ(Full("/nonexistent-kovo/../../x.dat"), "/x.dat");
    EXPECT_EQ(Full("/nonexistent-kovo/dir/"), "/nonexistent-kovo/dir");
    EXPECT_EQ(Full("/"), "/");
    EXPECT_EQ(Full("/nonexistent-kovo/.."), "/");
}

TEST(FilePathTest, FullPathMakesRelativePathsAbsoluteAndFollowsLinks) {
    ScratchDir dir;
    EXPECT_EQ(Full("missing.dat"), dir.m_real + "/missing.dat");
    EXPECT_EQ(Full("./sub/../missing.dat"), dir.m_real + "/missing.dat");

    std::ofstream(dir.m_path + "/model.dat") << "x";
    fs::create_symlink(dir.m_path + "/model.dat", dir.m_path + "/shortcut.dat");
    EXPECT_EQ(Full("shortcut.dat"), dir.m_real + "/model.dat");
    // A broken link is not resolved: there is nothing to resolve it to.
    fs::create_symlink(dir.m_path + "/gone.dat", dir.m_path + "/broken.dat");
    EXPECT_EQ(Full("broken.dat"), dir.m_real + "/broken.dat");
}

TEST(FilePathTest, FullPathKeepsTextItCannotUse) {
    std::string out = "stale";
    EXPECT_FALSE(FullPath(out, ""));
    EXPECT_EQ(out, "");
}

TEST(FilePathTest, SamePathIsCaseSensitiveAndTitleKeepsExtension) {
    EXPECT_TRUE(SamePath("/home/u/dom.dat", "/home/u/dom.dat"));
    EXPECT_FALSE(SamePath("/home/u/dom.dat", "/home/u/DOM.dat"));
    EXPECT_EQ(FileTitle("/home/u/dom.dat"), "dom.dat");
    EXPECT_EQ(FileTitle("dom.dat"), "dom.dat");
    EXPECT_EQ(FileTitle("/home/u/archive.tar.gz"), "archive.tar.gz");
    EXPECT_EQ(FileTitle("/home/u/"), "");
}

TEST(FilePathTest, AbbreviateKeepsFrontAndTrailingDirectories) {
    // 40 characters: the first directory of 10 letters, then 6, 9 and 3
    // letters and a 7-character name; 27 characters remain.
    const std::string path = "/projekty12/modely/zahradnej/old/dom.dat";
    ASSERT_EQ(path.size(), 40u);
    EXPECT_EQ(Abbreviated(path, 30), "/projekty12/.../old/dom.dat");
    EXPECT_EQ(Abbreviated(path, 40), path);
    EXPECT_EQ(Abbreviated(path, 38), "/projekty12/.../zahradnej/old/dom.dat");
    // Room for the front and the name only.
    EXPECT_EQ(Abbreviated(path, 23), "/projekty12/.../dom.dat");
    // Not even that: the name alone.
    EXPECT_EQ(Abbreviated(path, 22), "dom.dat");
}

TEST(FilePathTest, AbbreviateFallsBackToTheName) {
    EXPECT_EQ(Abbreviated("/a/very-long-file-name-of-a-model.dat", 10, true),
              "very-long-file-name-of-a-model.dat");
    EXPECT_EQ(Abbreviated("/a/very-long-file-name-of-a-model.dat", 10, false), "");
    // No directory besides the root: nothing to shorten but the name.
    EXPECT_EQ(Abbreviated("/a-file-at-the-root-of-it-all.dat", 20),
              "a-file-at-the-root-of-it-all.dat");
}

TEST(FilePathTest, AbbreviateCountsCharactersNotBytes) {
    // 29 characters in 34 bytes: it fits in 29.
    const std::string path = "/údaje/šťastné/modely/ľad.dat";
    EXPECT_EQ(Abbreviated(path, 29), path);
    EXPECT_EQ(Abbreviated(path, 25), "/údaje/.../modely/ľad.dat");
}

TEST(FilePathTest, ProfileLivesInTheConfigFolder) {
    EXPECT_EQ(ProfileFileName("/usr/local/bin/kovomodel"), "kovomodel.INI");
    EXPECT_EQ(ProfileFileName("./kovomodel.bin"), "kovomodel.INI");
    EXPECT_EQ(ProfileFileName("kovo.model.x"), "kovo.model.INI");

    const EnvironmentGuard config("XDG_CONFIG_HOME");
    const EnvironmentGuard home("HOME");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(ProfileFilePath("kovomodel.INI"), "/cfg/kovomodel.INI");
    // A relative setting is not a valid configuration folder.
    setenv("XDG_CONFIG_HOME", "cfg", 1);
    setenv("HOME", "/home/tester", 1);
    EXPECT_EQ(ProfileFilePath("kovomodel.INI"), "/home/tester/.config/kovomodel.INI");
}
