// Pictures made by the tools start from the view the viewer opens with.

#include "app/CKovomodelDoc.h"
#include "render/ViewSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(InitialViewTest, ThePicturesDefaultCameraIsTheDocumentsInitialOne) {
    const CKovomodelDoc document;
    const ViewSettings view;
    EXPECT_EQ(view.angleY, document.m_angleY);
    EXPECT_EQ(view.angleX, document.m_angleX);
    EXPECT_EQ(view.distance, document.m_distance);
}

} // namespace
