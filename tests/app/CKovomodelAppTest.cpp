#include "KovomodelTestSupport.h"

#include "app/CMainFrame.h"
#include "app/PaintScope.h"
#include "app/Resource.h"
#include "app/StartupModels.h"
#include "framework/CRecentFileList.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"
#include "render/ReferenceObjects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <sys/resource.h>

using apptest::KovomodelTest;
using apptest::kPyramid;
using apptest::kWire;
using apptest::PaintPending;

TEST_F(KovomodelTest, ADocumentLoadsTheDefaultQuietlyAndStartsWithTheInitialCamera) {
    // A missing or broken default leaves the model empty and says nothing.
    const std::optional<std::string> defaults[] = {kPyramid, std::nullopt, "1\n3 1\n0 0 x\n"};
    for (const auto& text : defaults) {
        SCOPED_TRACE(text.value_or("(none)"));
        Write("dom.dat", text);
        CKovomodelDoc doc;
        EXPECT_EQ(doc.m_model.vertexCount, text == kPyramid ? 5 : 0);
        EXPECT_EQ(doc.m_model.vertices == nullptr, text != kPyramid);
        EXPECT_EQ(doc.m_angleY, 0.0);
        EXPECT_EQ(doc.m_angleX, 0.0);
        EXPECT_EQ(doc.m_distance, 1500.0);
    }
    EXPECT_TRUE(scratch.boxes.empty());
}

TEST_F(KovomodelTest, StartsAnUntitledFrameWhoseViewShowsTheDefaultModel) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame()->IsKindOf(&CMainFrame::classRecord));
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");
    ASSERT_TRUE(View()->IsKindOf(&CKovomodelView::classRecord));
    EXPECT_EQ(Doc()->m_model.vertexCount, 5);
    // OpenGL must not draw over its siblings or children.
    const host::UINT clip = host::WS_CLIPSIBLINGS | host::WS_CLIPCHILDREN;
    EXPECT_EQ(host::GetWindowStyle(View()->m_hWnd) & clip, clip);
    EXPECT_EQ(host::GetMenuItemCount(host::GetMenu(Frame()->m_hWnd)), 4);
    EXPECT_TRUE(scratch.boxes.empty());
}

TEST_F(KovomodelTest, AFileThatDoesNotLoadIsReportedOnceAndChangesNothing) {
    const std::string wire = Write("wire.dat", kWire);
    ASSERT_TRUE(Start({"wire.dat"}));
    const Vertex* vertices = Doc()->m_model.vertices;
    Doc()->m_angleX = 45.0;
    Doc()->m_distance = 900.0;
    struct Case {
        std::optional<std::string> text; // none: the file does not exist
        std::string message;
    };
    const Case cases[] = {
        {std::nullopt, Path("bad.dat") + " was not found."},
        {"1\n3 1\n0 0 0\n1 0 zero\n", "Unexpected file format."},
        {"1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 9\n", "Unexpected file format."}, // index too high
        {"", "Unexpected file format."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.value_or("(missing)"));
        scratch.boxes.clear();
        EXPECT_EQ(app.OpenDocumentPath(Write("bad.dat", c.text)), nullptr);
        ASSERT_EQ(scratch.boxes.size(), 1u);
        EXPECT_EQ(scratch.boxes[0].text, c.message);
        EXPECT_EQ(scratch.boxes[0].caption, "Kovomodel");
        EXPECT_EQ(Caption(), "wire.dat - Kovomodel");
        EXPECT_EQ(Doc()->m_pathName, wire);
        EXPECT_EQ(Doc()->m_model.vertices, vertices);
        EXPECT_EQ(Doc()->m_model.edgeCount, 6);
        ExpectCamera(0.0, 45.0, 900.0);
        EXPECT_EQ(app.m_recentList->m_names[0], wire);
        EXPECT_EQ(app.m_recentList->m_names[1], "");
    }
    EXPECT_EQ(scratch.boxes[0].type & host::MB_ICONMASK, host::MB_ICONEXCLAMATION)
        << "for a rejected file";
}

TEST_F(KovomodelTest, OpenReplacesTheModelAndNewKeepsItWhileBothKeepTheCamera) {
    ASSERT_TRUE(Start({Write("wire.dat", kWire)}));
    ASSERT_TRUE(app.OpenDocumentPath(Write("later.dat", kPyramid)));
    Doc()->m_angleY = 12.0;
    // A recent entry that the loader now rejects is dropped from the list.
    Write("wire.dat", "garbage");
    EXPECT_TRUE(app.OpenRecent(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(app.m_recentList->m_names[0], Path("later.dat"));
    EXPECT_EQ(app.m_recentList->m_names[1], "");

    ASSERT_TRUE(app.OpenDocumentPath(Write("wire.dat", kWire)));
    EXPECT_EQ(Caption(), "wire.dat - Kovomodel");
    EXPECT_EQ(Doc()->m_model.type, 0);
    EXPECT_EQ(Doc()->m_model.edgeCount, 6);
    EXPECT_EQ(Doc()->m_model.faces, nullptr);
    ExpectCamera(12.0, 0.0, 1500.0);
    EXPECT_EQ(scratch.boxes.size(), 1u);

    const Vertex* vertices = Doc()->m_model.vertices;
    Doc()->m_angleX = -31.0;
    Doc()->m_distance = -40.0;
    EXPECT_TRUE(Frame()->RouteCommand(ID_FILE_NEW, 0, nullptr, nullptr));
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");
    EXPECT_EQ(Doc()->m_pathName, "");
    EXPECT_EQ(Doc()->m_model.vertices, vertices);
    ExpectCamera(12.0, -31.0, -40.0);
}

TEST_F(KovomodelTest, TheRecentListKeepsTheFourLatestFilesInTheMenuAndTheProfile) {
    ASSERT_TRUE(Start());
    for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"}) {
        ASSERT_NE(app.OpenDocumentPath(Write(name, kWire)), nullptr) << name;
    }
    EXPECT_EQ(OpenPopup(0), (std::vector<std::string>{"&Načítať...\tCtrl+O", "", "&1 e.dat",
                                                      "&2 d.dat", "&3 c.dat", "&4 b.dat",
                                                      "aj objekty v strede?", "", "&Koniec"}));
    app.ExitInstance();
    std::ostringstream profile;
    profile << std::ifstream(app.m_profilePath).rdbuf();
    EXPECT_EQ(profile.str(), "[Recent File List]\nFile1=" + Path("e.dat") +
                                 "\nFile2=" + Path("d.dat") + "\nFile3=" + Path("c.dat") +
                                 "\nFile4=" + Path("b.dat") + "\n");
}

TEST_F(KovomodelTest, InfoShowsTheAboutDialogOverTheMainWindowAndNothingElse) {
    ASSERT_TRUE(Start());
    host::SendMessage(Frame()->m_hWnd, host::WM_COMMAND, host::MAKEWPARAM(ID_APP_ABOUT, 0), 0);
    ASSERT_EQ(scratch.dialogs.size(), 1u);
    EXPECT_EQ(scratch.dialogs[0].caption, "Prezerak - info");
    EXPECT_EQ(scratch.dialogs[0].owner, Frame()->m_hWnd);
    EXPECT_TRUE(scratch.boxes.empty());
    EXPECT_EQ(Caption(), "Untitled - Kovomodel");
    ExpectCamera(0.0, 0.0, 1500.0);
}

TEST_F(KovomodelTest, WithoutOpenGLTheViewPaintsSizesAndTakesTheDisplayCommands) {
    ASSERT_TRUE(Start());
    const host::HWND view = View()->m_hWnd;
    EXPECT_EQ(View()->m_surface.m_hGLContext, nullptr);
    host::MoveWindow(view, 0, 0, 300, 0, host::TRUE); // no height: no division by it
    host::InvalidateRect(view, nullptr, host::FALSE);
    host::SendMessage(view, host::WM_PAINT, 0, 0);
    EXPECT_FALSE(PaintPending(view)) << "the paint validates the view";
    // The commands reach the document through the frame and the view.
    const bool shown = g_showReferenceObjects;
    EXPECT_TRUE(Frame()->RouteCommand(ID_DATA_OBJECTS, 0, nullptr, nullptr));
    EXPECT_NE(g_showReferenceObjects, shown);
    EXPECT_TRUE(Frame()->RouteCommand(ID_DATA_OBJECTS, 0, nullptr, nullptr));
    EXPECT_EQ(g_showReferenceObjects, shown);
    for (host::UINT id = ID_MODEL_POINTS; id <= ID_SHADING_SMOOTH; ++id) {
        EXPECT_TRUE(Frame()->RouteCommand(id, 0, nullptr, nullptr)) << id;
    }
}

TEST_F(KovomodelTest, StartUpTakesTheModelsReadAheadAndOpensLaterFilesItself) {
    Write("wire.dat", kWire);
    const char* argv[] = {"kovomodel", "wire.dat"};
    StartupModels startupModels(2, const_cast<char**>(argv));
    ASSERT_TRUE(Start({"wire.dat"}));
    EXPECT_EQ(StartupModels::Hits(), 2) << "the default model and the named file";
    EXPECT_EQ(Doc()->m_model.edgeCount, 6);
    EXPECT_EQ(Caption(), "wire.dat - Kovomodel");
    ASSERT_TRUE(app.OpenDocumentPath(Path("dom.dat")));
    EXPECT_EQ(StartupModels::Hits(), 2);
    EXPECT_EQ(Doc()->m_model.faceCount, 5);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// The records of a model take several times the bytes of its text: with the
// address space limited to little more than the program uses, opening one
// that is large enough fails for memory alone, at start-up as it would later.
TEST_F(KovomodelTest, MemoryRunningOutAtStartUpIsToldAndFailsTheStartUp) {
    constexpr int kVertices = 3'000'000;
    std::string text = "0\n" + std::to_string(kVertices) + " 1\n";
    for (int i = 0; i < kVertices; ++i) {
        text += "1 2 3\n";
    }
    text += "1 2\n";
    Write("big.dat", text);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto startWithLittleMemory = [&] {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t used = static_cast<rlim_t>(pages) * 4096;
        const rlimit limit{used + (rlim_t{64} << 20), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
        const char* argv[] = {"kovomodel", "big.dat"};
        StartupModels startupModels(2, const_cast<char**>(argv));
        const bool started = Start({"big.dat"});
        const bool told = scratch.boxes.size() == 1 && scratch.boxes[0].text == "Out of memory.";
        for (const apptest::Scratch::Box& box : scratch.boxes) {
            std::fprintf(stderr, "told: %s\n", box.text.c_str());
        }
        std::fprintf(stderr, "started %d, status %d\n", started, app.m_exitCode);
        const bool passed = !started && told && app.m_exitCode == 1;
        // The child ends without running the fixture's clean-up.
        std::error_code ignored;
        std::filesystem::remove_all(scratch.dir, ignored);
        std::_Exit(passed ? 0 : 1);
    };
    EXPECT_EXIT(startWithLittleMemory(), ::testing::ExitedWithCode(0), "");
}
#endif

TEST(StartupModelsTest, ReadsTheDefaultThenTheFileThatTheCommandLineOpensOrPrints) {
    using Files = std::vector<std::string>;
    const std::pair<Files, Files> cases[] = {
        {{}, {"dom.dat"}},
        {{"m.dat"}, {"dom.dat", "m.dat"}},
        {{"-p", "m.dat"}, {"dom.dat", "m.dat"}},
        {{"/pt", "m.dat", "printer", "driver", "port"}, {"dom.dat", "m.dat"}},
        {{"-Unregister"}, {"dom.dat"}},
        {{"-dde", "m.dat"}, {"dom.dat"}},
        {{"/home/u/m.dat"}, {"dom.dat", "/home/u/m.dat"}},
    };
    for (const auto& [arguments, files] : cases) {
        EXPECT_EQ(StartupModels::FilesToRead(arguments), files) << arguments.size();
    }
}

TEST(PaintScopeTest, EndsThePaintAndValidatesTheWindowAlsoWhenAnExceptionPasses) {
    host::CREATESTRUCT cs;
    cs.cx = 40;
    cs.cy = 30;
    const host::HWND hwnd = host::CreateWindow(cs, &host::DefWindowProc, nullptr);
    ASSERT_NE(hwnd, nullptr);
    PaintPending(hwnd);
    host::InvalidateRect(hwnd, nullptr, host::FALSE);
    {
        PaintScope paint(hwnd);
        EXPECT_NE(paint.Dc(), nullptr);
    }
    EXPECT_FALSE(PaintPending(hwnd));
    host::InvalidateRect(hwnd, nullptr, host::FALSE);
    EXPECT_THROW(
        {
            PaintScope paint(hwnd);
            throw std::runtime_error("drawing failed");
        },
        std::runtime_error);
    EXPECT_FALSE(PaintPending(hwnd)) << "a failed paint is not repeated for ever";
    host::DestroyWindow(hwnd);
}
