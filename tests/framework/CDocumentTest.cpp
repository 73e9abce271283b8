// Opening a file for a document: the failures the user is told about, and
// the texts they get.

#include "FrameworkTestSupport.h"

#include "framework/CArchiveException.h"
#include "framework/CFileException.h"
#include "framework/CUserException.h"
#include "framework/FrameworkText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class CDocumentTest : public fwtest::FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_NE(StartNew(), nullptr);
        good = WriteFile("good.dat", "x");
        ASSERT_NE(app.OpenDocumentPath(good), nullptr);
    }

    // Opens path and expects exactly one message, text; the document keeps
    // its file.
    void ExpectOpenFails(const std::string& path, const std::string& text) {
        dialogs.boxes.clear();
        EXPECT_EQ(app.OpenDocumentPath(path), nullptr);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, text);
        EXPECT_EQ(fwtest::TestDoc::s_live->m_pathName, good);
        EXPECT_EQ(host::GetWindowText(MainFrame()->m_hWnd), "good.dat - Kovomodel");
    }

    std::string good;
};

TEST_F(CDocumentTest, MissingFileNamesTheFullPath) {
    ExpectOpenFails(dir + "/nothing.dat", dir + "/nothing.dat was not found.");
}

TEST_F(CDocumentTest, MissingDirectoryIsAnInvalidPath) {
    const std::string path = good + "/inside.dat"; // a file used as a directory
    ExpectOpenFails(path, path + " contains an invalid path.");
}

TEST_F(CDocumentTest, DirectoryIsRefused) {
    ::mkdir((dir + "/sub").c_str(), 0755);
    ExpectOpenFails(dir + "/sub", "Access to " + dir + "/sub was denied.");
}

TEST_F(CDocumentTest, PipeIsRefusedWithoutWaitingForAWriter) {
    const std::string path = dir + "/pipe";
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    ExpectOpenFails(path, "Access to " + path + " was denied.");
}

TEST_F(CDocumentTest, UnreadableFileIsRefused) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root, every file is readable";
    }
    const std::string path = WriteFile("secret.dat", "x");
    ::chmod(path.c_str(), 0);
    ExpectOpenFails(path, "Access to " + path + " was denied.");
}

TEST_F(CDocumentTest, FileLockedByAnotherProgramIsASharingViolation) {
    const std::string path = WriteFile("locked.dat", "x");
    // Locks belong to the open file description, so this one conflicts with
    // the document's own open in the same process.
    const int holder = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    ExpectOpenFails(path, "A sharing violation occurred while accessing " + path + ".");
    ::close(holder);
    EXPECT_NE(app.OpenDocumentPath(path), nullptr) << "readable once the lock is gone";
}

TEST_F(CDocumentTest, FileTextsWithoutNameOrOwnText) {
    CDocument* document = fwtest::TestDoc::s_live;
    dialogs.boxes.clear();

    const CFileException unnamed(CFileException::AccessDenied, EACCES, "");
    document->ReportOpenError("/m/a.dat", &unnamed, host::FALSE, 61697);
    const CUserException reported;
    document->ReportOpenError("/m/a.dat", &reported, host::FALSE, 61697);
    const CArchiveException badSchema(CArchiveException::BadSchema);
    document->ReportOpenError("/m/a.dat", &badSchema, host::FALSE, 61697);
    const CArchiveException generic(CArchiveException::Generic);
    document->ReportOpenError("/m/a.dat", &generic, host::FALSE, 61697);

    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[0].text, "Access to /m/a.dat was denied.");
    EXPECT_EQ(dialogs.boxes[1].text, "Unexpected file format.");
    EXPECT_EQ(dialogs.boxes[2].text, "Failed to open document.");
    for (const fwtest::ShownBox& box : dialogs.boxes) {
        EXPECT_EQ(box.type & host::MB_ICONMASK, host::MB_ICONEXCLAMATION);
    }
    std::string text;
    CFileException(CFileException::HardIo, EIO, "").GetErrorMessage(text);
    EXPECT_EQ(text, "A hardware I/O error was reported while accessing an unnamed file.");
}

TEST(CFileExceptionTest, ErrnoMapsToCausesByMeaning) {
    EXPECT_EQ(CFileException::CauseFromErrno(0), CFileException::None);
    EXPECT_EQ(CFileException::CauseFromErrno(ENOENT), CFileException::FileNotFound);
    for (int e : {ENOTDIR, ENAMETOOLONG, ELOOP}) {
        EXPECT_EQ(CFileException::CauseFromErrno(e), CFileException::BadPath) << e;
    }
    for (int e : {EMFILE, ENFILE}) {
        EXPECT_EQ(CFileException::CauseFromErrno(e), CFileException::TooManyOpenFiles) << e;
    }
    for (int e : {EACCES, EPERM, EISDIR}) {
        EXPECT_EQ(CFileException::CauseFromErrno(e), CFileException::AccessDenied) << e;
    }
    EXPECT_EQ(CFileException::CauseFromErrno(EIO), CFileException::HardIo);
    EXPECT_EQ(CFileException::CauseFromErrno(EWOULDBLOCK), CFileException::SharingViolation);
    EXPECT_EQ(CFileException::CauseFromErrno(ENOSPC), CFileException::Generic);
}

TEST(FrameworkTextTest, PlaceholderAndDocumentStringFields) {
    EXPECT_EQ(FormatText("%1 was not found.", "/a/%1.dat"), "/a/%1.dat was not found.");
    EXPECT_EQ(FormatText("100% of %1", "x"), "100% of x");
    const std::string docString = "Kovomodel\n\nKovomo\n\n\nKovomodel.Document\nKovomo Document";
    EXPECT_EQ(DocStringField(docString, 0), "Kovomodel");
    EXPECT_EQ(DocStringField(docString, 1), "");
    EXPECT_EQ(DocStringField(docString, 2), "Kovomo");
    EXPECT_EQ(DocStringField(docString, 6), "Kovomo Document");
    EXPECT_EQ(DocStringField(docString, 7), "");
    EXPECT_EQ(DocStringField("", 0), "");
}

} // namespace
