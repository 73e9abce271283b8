// The single-document template when things go wrong: a document that cannot
// be created or refuses to become new, and how the first frame is shown.

#include "FrameworkTestSupport.h"

#include "framework/CDocManager.h"
#include "platform/HostWindow.h"

#include <gtest/gtest.h>

namespace {

using fwtest::TestDoc;
using host::BOOL;

// A test document whose OnNewDocument fails while s_refuse is set.
class RefusingDoc : public TestDoc {
public:
    KOVO_DECLARE_CREATABLE(RefusingDoc)
    BOOL OnNewDocument() override { return s_refuse ? host::FALSE : TestDoc::OnNewDocument(); }
    static bool s_refuse;
};

KOVO_IMPLEMENT_CREATABLE(RefusingDoc, TestDoc)
bool RefusingDoc::s_refuse = false;

class CSingleDocTemplateTest : public fwtest::FrameworkTest {
protected:
    void TearDown() override {
        RefusingDoc::s_refuse = false;
        FrameworkTest::TearDown();
    }
    /// Registers, in place of the test template, one for documents of docClass.
    void UseDocumentClass(const CRuntimeClass* docClass) {
        app.m_docManager.reset();
        auto owned = std::make_unique<CSingleDocTemplate>(
            128, docClass, &fwtest::TestFrame::classRecord, &fwtest::TestView::classRecord);
        docTemplate = owned.get();
        app.AddDocTemplate(std::move(owned));
    }
    bool Shows(host::HWND hwnd, bool visible, bool minimised) const {
        return (host::IsWindowVisible(hwnd) != host::FALSE) == visible &&
               (host::IsIconic(hwnd) != host::FALSE) == minimised;
    }
};

TEST_F(CSingleDocTemplateTest, TheStartUpShowCommandShowsTheFirstFrameOnce) {
    const struct {
        int command;
        bool visible, minimised;
    } cases[] = {
        {host::SW_SHOWNORMAL, true, false},
        {host::SW_SHOWMINIMIZED, true, true},
        {host::SW_HIDE, false, false}, // printing from the command line
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        app.m_showCommand = c.command;
        ASSERT_NE(StartNew(), nullptr);
        const host::HWND frame = MainFrame()->m_hWnd;
        EXPECT_TRUE(Shows(frame, c.visible, c.minimised));
        // A later document shows the frame as a normal window again.
        app.OnFileNew();
        EXPECT_EQ(MainFrame()->m_hWnd, frame);
        EXPECT_TRUE(Shows(frame, true, false));
        MainFrame()->DestroyWindow();
        ASSERT_EQ(TestDoc::s_live, nullptr);
    }
}

TEST_F(CSingleDocTemplateTest, ARefusedNewDocumentLeavesNothingOrTheDocumentItReused) {
    UseDocumentClass(&RefusingDoc::classRecord);
    RefusingDoc::s_refuse = true;
    EXPECT_EQ(docTemplate->OpenOrCreate(nullptr, host::TRUE), nullptr);
    EXPECT_EQ(TestDoc::s_live, nullptr) << "the document just created is gone";
    EXPECT_EQ(docTemplate->m_onlyDoc, nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr);

    RefusingDoc::s_refuse = false;
    const std::string path = WriteFile("kept.dat");
    CDocument* document = app.OpenDocumentPath(path);
    ASSERT_NE(document, nullptr);
    CFrameWnd* frame = MainFrame();
    RefusingDoc::s_refuse = true;
    EXPECT_EQ(docTemplate->OpenOrCreate(nullptr, host::TRUE), nullptr);
    EXPECT_EQ(TestDoc::s_live, document) << "a re-used document stays";
    EXPECT_EQ(MainFrame(), frame);
    EXPECT_TRUE(host::IsWindowVisible(frame->m_hWnd));
    EXPECT_EQ(View()->GetDocument(), document);
    EXPECT_EQ(document->m_pathName, path) << "only OnNewDocument would have emptied it";
    EXPECT_EQ(Caption(), document->m_title + " - Kovomodel");
    EXPECT_TRUE(dialogs.boxes.empty()) << "the document tells of its own failure";
}

TEST_F(CSingleDocTemplateTest, ADocumentThatCannotBeCreatedIsReportedAndNothingOpens) {
    // A base class that has no factory, and a class that is no document.
    for (const CRuntimeClass* docClass :
         {&CDocument::classRecord, &fwtest::TestFrame::classRecord}) {
        SCOPED_TRACE(docClass->m_className);
        UseDocumentClass(docClass);
        dialogs.boxes.clear();
        EXPECT_EQ(docTemplate->CreateDocument(), nullptr);
        app.OnFileNew();
        EXPECT_EQ(app.OpenDocumentPath(WriteFile("a.dat")), nullptr);
        ASSERT_EQ(dialogs.boxes.size(), 2u);
        for (const fwtest::ShownBox& box : dialogs.boxes) {
            EXPECT_EQ(box.text, "Failed to create empty document.");
        }
        EXPECT_EQ(docTemplate->m_onlyDoc, nullptr);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
}

} // namespace
