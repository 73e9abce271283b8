#include "FrameworkTestSupport.h"

#include "framework/FilePath.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Full(const std::string& in) {
    std::string out;
    EXPECT_TRUE(FullPath(out, in)) << in;
    return out;
}

std::string Abbreviated(std::string text, int max, bool atLeastName = true) {
    AbbreviatePath(text, max, host::ToBOOL(atLeastName));
    return text;
}

// What open(2) makes of a name: the same file, or the same refusal.
std::string OpenOutcome(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return std::strerror(errno);
    }
    struct stat info {};
    ::fstat(fd, &info);
    ::close(fd);
    return "inode " + std::to_string(info.st_ino);
}

TEST(FilePathTest, FullPathNamesTheFileThatTheSystemWouldOpen) {
    char pattern[] = "/tmp/kovo-path-XXXXXX";
    const std::string dir = fs::canonical(mkdtemp(pattern)).string();
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    fs::create_directories("real/sub");
    fs::create_directories("d");
    std::ofstream("m.dat") << "x";
    std::ofstream("real/x.dat") << "x";
    std::ofstream("d/x.dat") << "x"; // what resolving ".." as text would open
    fs::create_symlink("../real/sub", "d/link");
    fs::create_symlink(dir + "/m.dat", "shortcut.dat");
    fs::create_symlink(dir + "/gone.dat", "broken.dat");

    const struct {
        const char* in;
        std::string out;
    } cases[] = {
        {"m.dat", dir + "/m.dat"},
        {"shortcut.dat", dir + "/m.dat"},
        {"broken.dat", dir + "/broken.dat"},
        {"d/link/../x.dat", dir + "/real/x.dat"},
        {"d/link/../new.dat", dir + "/real/new.dat"},
        {"real//sub/", dir + "/real/sub"},
        // Names the system refuses stay refused, for the same reason.
        {"missing/../m.dat", dir + "/missing/../m.dat"},
        {"./sub/../missing.dat", dir + "/sub/../missing.dat"},
        {"m.dat/", dir + "/m.dat/"},
        {"m.dat/.", dir + "/m.dat/."},
        {"m.dat/../m.dat", dir + "/m.dat/../m.dat"},
        {"/nonexistent-kovo/a/./b//c/../d.dat", "/nonexistent-kovo/a/./b/c/../d.dat"},
        {"/nonexistent-kovo/..", "/nonexistent-kovo/.."},
        {"/nonexistent-kovo/dir/", "/nonexistent-kovo/dir/"},
        {"//", "/"},
        {"/..", "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Full(c.in), c.out) << c.in;
        EXPECT_EQ(OpenOutcome(Full(c.in)), OpenOutcome(c.in)) << c.in;
    }
    std::string out = "stale";
    EXPECT_FALSE(FullPath(out, ""));
    EXPECT_EQ(out, "");
    fs::current_path(previous);
    fs::remove_all(dir);
}

TEST(FilePathTest, NamesAreCaseSensitiveAndTitlesKeepExtensions) {
    EXPECT_TRUE(SamePath("/home/u/dom.dat", "/home/u/dom.dat"));
    EXPECT_FALSE(SamePath("", "")) << "an empty name names no file";
    EXPECT_FALSE(SamePath("/home/u/dom.dat", "/home/u/DOM.dat"));
    EXPECT_EQ(FileTitle("/home/u/archive.tar.gz"), "archive.tar.gz");
    EXPECT_EQ(FileTitle("dom.dat"), "dom.dat");
    EXPECT_EQ(FileTitle("/home/u/"), "");
}

TEST(FilePathTest, AbbreviateKeepsTheFirstAndTrailingDirectoriesOrTheName) {
    // 40 characters: "/" with a first directory of 10 letters, then 6, 9 and
    // 3 letters and a 7-character name.
    const std::string path = "/projekty12/modely/zahradnej/old/dom.dat";
    ASSERT_EQ(path.size(), 40u);
    EXPECT_EQ(Abbreviated(path, 30), "/projekty12/.../old/dom.dat");
    EXPECT_EQ(Abbreviated(path, 40), path);
    EXPECT_EQ(Abbreviated(path, 38), "/projekty12/.../zahradnej/old/dom.dat");
    EXPECT_EQ(Abbreviated(path, 23), "/projekty12/.../dom.dat");
    EXPECT_EQ(Abbreviated(path, 22), "dom.dat");

    const std::string longName = "/a/very-long-file-name-of-a-model.dat";
    EXPECT_EQ(Abbreviated(longName, 10, true), "very-long-file-name-of-a-model.dat");
    EXPECT_EQ(Abbreviated(longName, 10, false), "");
    EXPECT_EQ(Abbreviated("/a-file-at-the-root-of-it-all.dat", 20),
              "a-file-at-the-root-of-it-all.dat");
    // Lengths are characters: 29 of them in 34 bytes fit in 29.
    const std::string slovak = "/údaje/šťastné/modely/ľad.dat";
    EXPECT_EQ(Abbreviated(slovak, 29), slovak);
    EXPECT_EQ(Abbreviated(slovak, 25), "/údaje/.../modely/ľad.dat");
}

TEST(FilePathTest, ProfileIsNamedAfterTheExecutable) {
    EXPECT_EQ(ProfileFileName("/usr/local/bin/kovomodel"), "kovomodel.INI");
    EXPECT_EQ(ProfileFileName("./kovo.model.bin"), "kovo.model.INI");
    EXPECT_EQ(ProfileFileName("/opt/.kovo"), ".kovo.INI") << "a leading dot starts no extension";
    EXPECT_EQ(ProfileFileName(""), "") << "no name, no profile";
    EXPECT_EQ(ProfileFileName("/usr/bin/"), "");

    // Without a name in argv[0] the system's name for the program serves.
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(ProgramPath(""), self);
    EXPECT_EQ(ProgramPath("/usr/bin/"), self);
    EXPECT_EQ(ProgramPath("kovomodel"), "kovomodel");
}

TEST(FilePathTest, ProfileLivesInTheConfigFolderOrNowhere) {
    const struct {
        const char* config;
        const char* home;
        std::string path;
    } cases[] = {
        {"/cfg", "/home/u", "/cfg/kovomodel.INI"},
        {"cfg", "/home/u", "/home/u/.config/kovomodel.INI"}, // relative: no config folder
        {nullptr, "/home/u", "/home/u/.config/kovomodel.INI"},
        {"", "/home/u", "/home/u/.config/kovomodel.INI"},
        {nullptr, nullptr, ""}, // never the folder the program was started from
        {nullptr, "", ""},
        {"cfg", "home/u", ""},
    };
    for (const auto& c : cases) {
        const fwtest::ScopedVariable config("XDG_CONFIG_HOME", c.config);
        const fwtest::ScopedVariable home("HOME", c.home);
        EXPECT_EQ(ProfileFilePath("kovomodel.INI"), c.path) << (c.home ? c.home : "(unset)");
    }
    const fwtest::ScopedVariable config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(ProfileFilePath(""), "");
}

} // namespace
