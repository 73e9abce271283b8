// The new and open flows of the single-document template.

#include "FrameworkTestSupport.h"

#include "framework/CRecentFileList.h"
#include "framework/FrameworkIds.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class CSingleDocTemplateTest : public fwtest::FrameworkTest {
protected:
    std::string Caption() const { return host::GetWindowText(MainFrame()->m_hWnd); }
    fwtest::TestDoc* Doc() const { return fwtest::TestDoc::s_live; }
};

TEST_F(CSingleDocTemplateTest, StartingWithoutAFileShowsTheUntitledDocument) {
    app.m_showCommand = host::SW_SHOWMAXIMIZED;
    CDocument* document = StartNew();
    ASSERT_NE(document, nullptr);
    ASSERT_NE(MainFrame(), nullptr);
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");
    EXPECT_EQ(document->m_title, "Untitled");
    EXPECT_TRUE(document->m_pathName.empty());
    EXPECT_TRUE(host::IsWindowVisible(MainFrame()->m_hWnd));
    EXPECT_EQ(app.m_showCommand, -1) << "the start-up show command serves once";
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->GetDocument(), document);
    EXPECT_EQ(View()->m_initialUpdates, 1);
    EXPECT_EQ(host::GetDlgCtrlID(View()->m_hWnd), fw::kFirstPaneId);
    EXPECT_EQ(Doc()->m_newCalls, 1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CSingleDocTemplateTest, HiddenStartShowCommandKeepsTheWindowHidden) {
    app.m_showCommand = host::SW_HIDE;
    ASSERT_NE(StartNew(), nullptr);
    EXPECT_FALSE(host::IsWindowVisible(MainFrame()->m_hWnd));
}

TEST_F(CSingleDocTemplateTest, OpeningAFileSetsPathTitleCaptionAndRecentList) {
    app.LoadStdProfileSettings(4);
    StartNew();
    const std::string path = WriteFile("house.dat", "x");
    CDocument* opened = app.OpenDocumentPath(path);
    ASSERT_EQ(opened, Doc()) << "the single document is re-used";
    EXPECT_EQ(opened->m_pathName, path);
    EXPECT_EQ(opened->m_title, "house.dat");
    EXPECT_EQ(Caption(), "house.dat - Kovomodel");
    EXPECT_EQ(app.m_recentList->m_names[0], path);
    EXPECT_EQ(Doc()->m_serializeCalls, 1);
    EXPECT_TRUE(Doc()->m_waitCursorSeen);
    EXPECT_FALSE(host::IsWaitCursorShown());
    EXPECT_FALSE(opened->m_modified);
}

TEST_F(CSingleDocTemplateTest, NewAfterOpenReturnsToTheUntitledCaption) {
    StartNew();
    CDocument* opened = app.OpenDocumentPath(WriteFile("house.dat", "x"));
    ASSERT_NE(opened, nullptr);
    app.OnFileNew();
    EXPECT_EQ(Doc(), opened);
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");
    EXPECT_TRUE(opened->m_pathName.empty());
    EXPECT_EQ(Doc()->m_newCalls, 2);
}

TEST_F(CSingleDocTemplateTest, RelativeAndQuotedNamesOpenTheFullPath) {
    StartNew();
    const std::string path = WriteFile("q.dat", "x");
    char saved[4096];
    ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(::chdir(dir.c_str()), 0);
    CDocument* relative = app.OpenDocumentPath("q.dat");
    ASSERT_EQ(::chdir(saved), 0);
    ASSERT_NE(relative, nullptr);
    EXPECT_EQ(relative->m_pathName, path);

    app.OnFileNew();
    CDocument* quoted = app.OpenDocumentPath("\"" + path + "\"");
    ASSERT_NE(quoted, nullptr);
    EXPECT_EQ(quoted->m_pathName, path);
}

TEST_F(CSingleDocTemplateTest, LinkOpensItsTargetAndCountsAsTheSameFile) {
    StartNew();
    const std::string target = WriteFile("target.dat", "x");
    const std::string link = dir + "/link.dat";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    CDocument* opened = app.OpenDocumentPath(link);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->m_pathName, target);
    EXPECT_EQ(opened->m_title, "target.dat");
    EXPECT_EQ(app.OpenDocumentPath(target), opened);
    EXPECT_EQ(Doc()->m_openCalls, 1) << "the target is already open";
}

TEST_F(CSingleDocTemplateTest, WaitCursorEndsAlsoAfterAFailedOpen) {
    StartNew();
    app.OpenDocumentPath(dir + "/missing.dat");
    EXPECT_TRUE(Doc()->m_waitCursorSeen);
    EXPECT_FALSE(host::IsWaitCursorShown());
}

TEST_F(CSingleDocTemplateTest, OpeningTheDocumentsOwnPathReadsNothing) {
    StartNew();
    const std::string path = WriteFile("house.dat", "x");
    ASSERT_NE(app.OpenDocumentPath(path), nullptr);
    host::ShowWindow(MainFrame()->m_hWnd, host::SW_MINIMIZE);
    EXPECT_EQ(app.OpenDocumentPath(path), Doc());
    EXPECT_EQ(Doc()->m_openCalls, 1);
    EXPECT_FALSE(host::IsIconic(MainFrame()->m_hWnd)) << "the frame is brought forward";
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CSingleDocTemplateTest, FailedOpenLeavesTitlePathAndCaption) {
    StartNew();
    const std::string good = WriteFile("good.dat", "x");
    ASSERT_NE(app.OpenDocumentPath(good), nullptr);
    const std::string missing = dir + "/missing.dat";
    EXPECT_EQ(app.OpenDocumentPath(missing), nullptr);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, missing + " was not found.");
    EXPECT_EQ(dialogs.boxes[0].caption, "Kovomodel");
    EXPECT_EQ(dialogs.boxes[0].type & host::MB_ICONMASK, host::MB_ICONEXCLAMATION);
    EXPECT_EQ(dialogs.boxes[0].owner, MainFrame()->m_hWnd);
    EXPECT_EQ(Doc()->m_pathName, good);
    EXPECT_EQ(Doc()->m_title, "good.dat");
    EXPECT_EQ(Caption(), "good.dat - Kovomodel");
    EXPECT_FALSE(Doc()->m_modified);
}

TEST_F(CSingleDocTemplateTest, FailedFirstOpenLeavesNoDocumentAndNoWindow) {
    EXPECT_EQ(app.OpenDocumentPath(dir + "/missing.dat"), nullptr);
    EXPECT_EQ(docTemplate->m_onlyDoc, nullptr);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(CSingleDocTemplateTest, ViewThatCannotBeCreatedFailsTheNewDocument) {
    fwtest::TestView::s_refuseCreation = true;
    EXPECT_EQ(StartNew(), nullptr);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Failed to create empty document.");
    EXPECT_EQ(docTemplate->m_onlyDoc, nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(CSingleDocTemplateTest, MalformedContentsMakeTheDocumentNew) {
    StartNew();
    const std::string good = WriteFile("good.dat", "x");
    ASSERT_NE(app.OpenDocumentPath(good), nullptr);
    Doc()->m_readPastEnd = true;
    EXPECT_EQ(app.OpenDocumentPath(WriteFile("short.dat", "abc")), nullptr);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Unexpected file format.");
    // Its contents were already emptied: it cannot keep the old file's name.
    EXPECT_EQ(Doc()->m_title, "Untitled");
    EXPECT_TRUE(Doc()->m_pathName.empty());
}

TEST_F(CSingleDocTemplateTest, EmptyFileIsNotSerialized) {
    StartNew();
    ASSERT_NE(app.OpenDocumentPath(WriteFile("empty.dat", "")), nullptr);
    EXPECT_EQ(Doc()->m_serializeCalls, 0);
}

TEST_F(CSingleDocTemplateTest, OpenCommandOpensTheChosenFileAndCancelDoesNothing) {
    StartNew();
    app.OnFileOpen();
    EXPECT_EQ(Doc()->m_openCalls, 0);
    dialogs.fileToChoose = WriteFile("chosen.dat", "x");
    app.OnFileOpen();
    EXPECT_EQ(Doc()->m_pathName, dialogs.fileToChoose);
    EXPECT_EQ(Caption(), "chosen.dat - Kovomodel");
}

TEST_F(CSingleDocTemplateTest, MatchPathConfidences) {
    StartNew();
    const std::string path = WriteFile("a.dat", "x");
    CDocument* match = nullptr;
    EXPECT_EQ(docTemplate->MatchPath(path, match), CDocTemplate::ForeignAttempt);
    EXPECT_EQ(match, nullptr);
    app.OpenDocumentPath(path);
    EXPECT_EQ(docTemplate->MatchPath(path, match), CDocTemplate::AlreadyOpen);
    EXPECT_EQ(match, Doc());
    // Names differing in case are different files here.
    EXPECT_EQ(docTemplate->MatchPath(dir + "/A.dat", match), CDocTemplate::ForeignAttempt);
}

TEST(CDocManagerTest, WithoutTemplatesNewAndOpenReportFailure) {
    fwtest::TestApp app;
    fwtest::DialogRecorder dialogs;
    app.OnFileNew();
    EXPECT_EQ(app.OpenDocumentPath("/tmp/x.dat"), nullptr);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].text, "Failed to create empty document.");
    EXPECT_EQ(dialogs.boxes[1].text, "Failed to open document.");
}

} // namespace
