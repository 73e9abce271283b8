#include "app/CKovomodelDoc.h"
#include "app/CKovomodelApp.h"
#include "app/Resource.h"
#include "render/ReferenceObjects.h"

#include "AppTestFolder.h"
#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CKovomodelDocTest : public ::testing::Test {
protected:
    AppTestFolder folder;
    MessageBoxRecorder recorder;
    CKovomodelApp app; // message boxes need an application for their caption
};

void ExpectCamera(const CKovomodelDoc& doc, double angleY, double angleX, double distance) {
    EXPECT_EQ(doc.m_angleY, angleY);
    EXPECT_EQ(doc.m_angleX, angleX);
    EXPECT_EQ(doc.m_distance, distance);
}

} // namespace

TEST_F(CKovomodelDocTest, LoadsTheDefaultModelAndStartsWithTheInitialCamera) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    CKovomodelDoc doc;
    EXPECT_EQ(doc.m_model.type, 1);
    EXPECT_EQ(doc.m_model.vertexCount, 5);
    EXPECT_EQ(doc.m_model.faceCount, 5);
    ExpectCamera(doc, 0.0, 0.0, 1500.0);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(CKovomodelDocTest, AMissingOrBrokenDefaultLeavesAnEmptyModelWithoutAMessage) {
    {
        CKovomodelDoc doc;
        EXPECT_EQ(doc.m_model.vertices, nullptr);
        EXPECT_EQ(doc.m_model.faces, nullptr);
        ExpectCamera(doc, 0.0, 0.0, 1500.0);
    }
    folder.Write("dom.dat", "1\n3 1\n0 0 0\n1 0 zero\n");
    CKovomodelDoc doc;
    EXPECT_EQ(doc.m_model.vertices, nullptr);
    EXPECT_EQ(doc.m_model.vertexCount, 0);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(CKovomodelDocTest, ANewDocumentKeepsTheModelAndTheCamera) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    CKovomodelDoc doc;
    const Vertex* vertices = doc.m_model.vertices;
    doc.m_angleY = 725.0;
    doc.m_angleX = -31.0;
    doc.m_distance = -40.0;
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_model.vertices, vertices);
    EXPECT_EQ(doc.m_model.vertexCount, 5);
    ExpectCamera(doc, 725.0, -31.0, -40.0);
}

TEST_F(CKovomodelDocTest, OpeningAFileReplacesTheModelAndKeepsTheCamera) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    const std::string wire = folder.Write("wire.dat", AppTestFolder::kTetrahedron);
    CKovomodelDoc doc;
    doc.m_angleY = 12.0;
    doc.m_distance = 2100.0;
    EXPECT_TRUE(doc.OnOpenDocument(wire));
    EXPECT_EQ(doc.m_model.type, 0);
    EXPECT_EQ(doc.m_model.vertexCount, 4);
    EXPECT_EQ(doc.m_model.edgeCount, 6);
    EXPECT_EQ(doc.m_model.faces, nullptr);
    ExpectCamera(doc, 12.0, 0.0, 2100.0);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(CKovomodelDocTest, ARejectedFileIsReportedAndLeavesTheModelOnShow) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    const std::vector<std::string> rejected = {
        "1\n3 1\n0 0 0\n1 0 zero\n",            // text where a number must stand
        "1\n5 5\n-2 -2 0\n",                    // ends early
        "",                                     // empty
        "1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 9\n", // index above the count
    };
    for (const std::string& text : rejected) {
        SCOPED_TRACE(text);
        recorder.boxes.clear();
        CKovomodelDoc doc;
        doc.m_angleX = 45.0;
        const Vertex* vertices = doc.m_model.vertices;
        EXPECT_FALSE(doc.OnOpenDocument(folder.Write("broken.dat", text)));
        EXPECT_EQ(doc.m_model.vertices, vertices);
        EXPECT_EQ(doc.m_model.type, 1);
        EXPECT_EQ(doc.m_model.vertexCount, 5);
        EXPECT_EQ(doc.m_model.faceCount, 5);
        ExpectCamera(doc, 0.0, 45.0, 1500.0);
        ASSERT_EQ(recorder.boxes.size(), 1u);
        EXPECT_EQ(recorder.boxes[0].text, "Unexpected file format.");
        EXPECT_EQ(recorder.boxes[0].caption, "Kovomodel");
        EXPECT_EQ(recorder.boxes[0].type & host::MB_ICONMASK, host::MB_ICONEXCLAMATION);
    }
}

TEST_F(CKovomodelDocTest, AFileThatCannotBeOpenedIsReportedOnceByTheFramework) {
    folder.Write("dom.dat", AppTestFolder::kPyramid);
    CKovomodelDoc doc;
    const std::string missing = folder.Path("missing.dat");
    EXPECT_FALSE(doc.OnOpenDocument(missing));
    EXPECT_EQ(doc.m_model.vertexCount, 5);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, missing + " was not found.");
}

TEST_F(CKovomodelDocTest, TheReferenceObjectsCommandTogglesTheFlagWithoutAContext) {
    CKovomodelDoc doc;
    const bool before = g_showReferenceObjects;
    EXPECT_TRUE(doc.RouteCommand(ID_DATA_OBJECTS, 0, nullptr, nullptr));
    EXPECT_NE(g_showReferenceObjects, before);
    EXPECT_TRUE(doc.RouteCommand(ID_DATA_OBJECTS, 0, nullptr, nullptr));
    EXPECT_EQ(g_showReferenceObjects, before);
    for (host::UINT id = ID_MODEL_POINTS; id <= ID_SHADING_SMOOTH; ++id) {
        EXPECT_TRUE(doc.RouteCommand(id, 0, nullptr, nullptr)) << id;
    }
}

TEST_F(CKovomodelDocTest, TheTableHoldsTheSixDisplayCommandsInOrderAndNoUpdates) {
    std::vector<host::UINT> ids;
    for (const MessageMapEntry* e = CKovomodelDoc::s_messageMap.entries;
         e->signature != MessageSignature::End; ++e) {
        EXPECT_EQ(e->message, host::WM_COMMAND);
        EXPECT_EQ(e->code, 0u) << "no menu-update entries: items stay enabled and unchecked";
        EXPECT_EQ(e->firstId, e->lastId);
        ids.push_back(e->firstId);
    }
    EXPECT_EQ(ids, (std::vector<host::UINT>{32771, 32772, 32773, 32774, 32775, 32776}));
}
