#include "app/CKovomodelApp.h"
#include "app/CKovomodelDoc.h"
#include "app/CKovomodelView.h"
#include "app/CMainFrame.h"
#include "app/Resource.h"
#include "framework/CFrameWnd.h"
#include "framework/CRecentFileList.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

#include "AppTestFolder.h"
#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Runs the program's start-up without a display: windows, menus and queues
// exist as data, dialogs are answered by the recorder, OpenGL is absent.
class CKovomodelAppTest : public ::testing::Test {
protected:
    ~CKovomodelAppTest() override {
        if (app.m_pMainWnd != nullptr) {
            host::SendMessage(app.m_pMainWnd->m_hWnd, host::WM_CLOSE, 0, 0);
        }
        DrainQueue();
    }

    static void DrainQueue() {
        host::MSG msg;
        while (host::PeekMessage(&msg, host::PM_REMOVE)) {
        }
    }

    bool Start(std::vector<std::string> arguments = {}) {
        app.m_arguments = std::move(arguments);
        return app.InitInstance() != host::FALSE;
    }

    CFrameWnd* Frame() const { return static_cast<CFrameWnd*>(app.m_pMainWnd); }
    CKovomodelView* View() const { return static_cast<CKovomodelView*>(Frame()->GetActiveView()); }
    CKovomodelDoc* Doc() const { return View()->GetDocument(); }
    std::string Caption() const { return host::GetWindowText(Frame()->m_hWnd); }

    AppTestFolder folder;
    MessageBoxRecorder recorder;
    CKovomodelApp app;
};

std::vector<host::UINT> CommandIds(const MessageMap& map) {
    std::vector<host::UINT> ids;
    for (const MessageMapEntry* e = map.entries; e->signature != MessageSignature::End; ++e) {
        ids.push_back(e->firstId);
    }
    return ids;
}

} // namespace

TEST_F(CKovomodelAppTest, StartsWithAnUntitledFrameHoldingTheViewOfTheDefaultModel) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    ASSERT_TRUE(Start());
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->IsKindOf(&CMainFrame::classRecord));
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");
    ASSERT_NE(View(), nullptr);
    EXPECT_TRUE(View()->IsKindOf(&CKovomodelView::classRecord));
    EXPECT_EQ(Doc()->m_model.vertexCount, 5);
    const host::UINT clip = host::WS_CLIPSIBLINGS | host::WS_CLIPCHILDREN;
    EXPECT_EQ(host::GetWindowStyle(View()->m_hWnd) & clip, clip);
    EXPECT_EQ(host::GetMenuItemCount(host::GetMenu(Frame()->m_hWnd)), 4);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(CKovomodelAppTest, StartingWithANamedFileShowsItsTitle) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    folder.Write("wire.dat", AppTestFolder::kTetrahedron);
    ASSERT_TRUE(Start({"wire.dat"}));
    EXPECT_EQ(Caption(), "wire.dat - Kovomodel");
    EXPECT_EQ(Doc()->m_model.type, 0);
    EXPECT_EQ(Doc()->m_model.edgeCount, 6);
}

TEST_F(CKovomodelAppTest, StartingWithAMissingFileReportsItAndFails) {
    EXPECT_FALSE(Start({"missing.dat"}));
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].caption, "Kovomodel");
    EXPECT_EQ(recorder.boxes[0].text, folder.Path("missing.dat") + " was not found.");
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(CKovomodelAppTest, StartingWithARejectedFileReportsItAndFailsLikeAMissingOne) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    folder.Write("broken.dat", "1\n2 1\n0 0 0\n");
    EXPECT_FALSE(Start({"broken.dat"}));
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "Unexpected file format.");
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.m_recentList->m_names[0], "") << "a failed open never joins the list";
}

TEST_F(CKovomodelAppTest, ARejectedModelKeepsTitlePathModelAndRecentList) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    const std::string wire = folder.Write("wire.dat", AppTestFolder::kTetrahedron);
    const std::string broken = folder.Write("broken.dat", "0\n2 1\n0 0 0\n");
    ASSERT_TRUE(Start({"wire.dat"}));
    Doc()->m_distance = 900.0;

    EXPECT_EQ(app.OpenDocumentPath(broken), nullptr);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "Unexpected file format.");
    EXPECT_EQ(Caption(), "wire.dat - Kovomodel");
    EXPECT_EQ(Doc()->m_pathName, wire);
    EXPECT_EQ(Doc()->m_model.edgeCount, 6);
    EXPECT_EQ(Doc()->m_distance, 900.0);
    ASSERT_NE(app.m_recentList, nullptr);
    EXPECT_EQ(app.m_recentList->m_names[0], wire);
    EXPECT_EQ(app.m_recentList->m_names[1], "");
}

TEST_F(CKovomodelAppTest, ARecentEntryThatTheLoaderRejectsIsDropped) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    const std::string wire = folder.Write("wire.dat", AppTestFolder::kTetrahedron);
    ASSERT_TRUE(Start({"wire.dat"}));
    ASSERT_TRUE(app.OpenDocumentPath(folder.Write("later.dat", AppTestFolder::kPyramid)));
    folder.Write("wire.dat", "garbage");
    EXPECT_TRUE(app.OpenRecent(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(Caption(), "later.dat - Kovomodel");
    EXPECT_EQ(app.m_recentList->m_names[0], folder.Path("later.dat"));
    EXPECT_EQ(app.m_recentList->m_names[1], "");
}

TEST_F(CKovomodelAppTest, NewDocumentKeepsModelAndCameraAndRetitles) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    folder.Write("wire.dat", AppTestFolder::kTetrahedron);
    ASSERT_TRUE(Start({"wire.dat"}));
    Doc()->m_angleY = 30.0;
    EXPECT_TRUE(Frame()->RouteCommand(ID_FILE_NEW, 0, nullptr, nullptr));
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");
    EXPECT_EQ(Doc()->m_pathName, "");
    EXPECT_EQ(Doc()->m_model.edgeCount, 6);
    EXPECT_EQ(Doc()->m_angleY, 30.0);
}

TEST_F(CKovomodelAppTest, InfoShowsTheAboutDialog) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame()->RouteCommand(ID_APP_ABOUT, 0, nullptr, nullptr));
    EXPECT_EQ(recorder.dialogs, (std::vector<std::string>{"Prezerak - info"}));
}

TEST_F(CKovomodelAppTest, MouseDragsOverTheViewMoveTheCamera) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    ASSERT_TRUE(Start());
    const host::HWND view = View()->m_hWnd;
    host::SendMessage(view, host::WM_LBUTTONDOWN, host::MK_LBUTTON, host::MAKELPARAM(100, 100));
    host::SendMessage(view, host::WM_MOUSEMOVE, host::MK_LBUTTON, host::MAKELPARAM(106, 96));
    EXPECT_EQ(Doc()->m_angleY, 3.0); // right by 6 pixels: the near side follows
    EXPECT_EQ(Doc()->m_angleX, -2.0);
    host::SendMessage(view, host::WM_LBUTTONUP, 0, host::MAKELPARAM(106, 96));
    host::SendMessage(view, host::WM_RBUTTONDOWN, host::MK_RBUTTON, host::MAKELPARAM(10, 10));
    host::SendMessage(view, host::WM_MOUSEMOVE, host::MK_RBUTTON, host::MAKELPARAM(50, 15));
    EXPECT_EQ(Doc()->m_distance, 1550.0); // 5 pixels down: 50 units away
    EXPECT_EQ(Doc()->m_angleY, 3.0) << "the left drag has ended";
    host::SendMessage(view, host::WM_RBUTTONUP, 0, host::MAKELPARAM(50, 15));
    host::SendMessage(view, host::WM_MOUSEMOVE, 0, host::MAKELPARAM(0, 0));
    EXPECT_EQ(Doc()->m_distance, 1550.0);
}

TEST(CKovomodelClassesTest, TablesAndRunTimeRecords) {
    EXPECT_EQ(CommandIds(CKovomodelApp::s_messageMap),
              (std::vector<host::UINT>{57664, 57600, 57601}));
    EXPECT_TRUE(CommandIds(CMainFrame::s_messageMap).empty());

    std::vector<host::UINT> viewMessages;
    for (const MessageMapEntry* e = CKovomodelView::s_messageMap.entries;
         e->signature != MessageSignature::End; ++e) {
        viewMessages.push_back(e->message);
    }
    EXPECT_EQ(viewMessages, (std::vector<host::UINT>{
                                host::WM_CREATE, host::WM_DESTROY, host::WM_SIZE, host::WM_PAINT,
                                host::WM_LBUTTONDOWN, host::WM_LBUTTONUP, host::WM_MOUSEMOVE,
                                host::WM_RBUTTONDOWN, host::WM_RBUTTONUP}));

    struct Record {
        const CRuntimeClass& record;
        const char* name;
        const CRuntimeClass& base;
    };
    const Record records[] = {
        {CKovomodelDoc::classRecord, "CKovomodelDoc", CDocument::classRecord},
        {CMainFrame::classRecord, "CMainFrame", CFrameWnd::classRecord},
        {CKovomodelView::classRecord, "CKovomodelView", CView::classRecord},
    };
    for (const Record& r : records) {
        EXPECT_STREQ(r.record.m_className, r.name);
        EXPECT_EQ(r.record.m_baseClass, &r.base);
        EXPECT_EQ(r.record.m_schema, 0xFFFFu);
        EXPECT_NE(r.record.m_factory, nullptr);
    }
}

TEST_F(CKovomodelAppTest, WithoutOpenGLTheViewStaysEmptyButPaintsSizesAndTakesCommands) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    ASSERT_TRUE(Start());
    EXPECT_EQ(View()->m_surface.m_hGLContext, nullptr);
    host::MoveWindow(View()->m_hWnd, 0, 0, 300, 0, host::TRUE); // no height: no division
    host::InvalidateRect(View()->m_hWnd, nullptr, host::FALSE);
    host::SendMessage(View()->m_hWnd, host::WM_PAINT, 0, 0);
    host::MSG msg;
    while (host::PeekMessage(&msg, host::PM_REMOVE)) {
        EXPECT_FALSE(msg.message == host::WM_PAINT && msg.hwnd == View()->m_hWnd)
            << "the paint validated the view";
        if (msg.message == host::WM_PAINT) {
            host::ValidateRect(msg.hwnd, nullptr);
        }
    }
    // The display commands reach the document through the frame and the view.
    for (host::UINT id = ID_DATA_OBJECTS; id <= ID_SHADING_SMOOTH; ++id) {
        EXPECT_TRUE(Frame()->RouteCommand(id, 0, nullptr, nullptr)) << id;
    }
    EXPECT_TRUE(Frame()->RouteCommand(ID_DATA_OBJECTS, 0, nullptr, nullptr));
}
