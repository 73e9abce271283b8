#include "model/Model.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <string>

// A face line's tail is read as one piece of at most 19 characters; a fourth
// index must begin within it.

namespace {

// Four corners of a unit square and a fifth point, then the given face lines.
std::unique_ptr<Model> Square(int faceCount, const std::string& faceLines) {
    return OpenOk("1\n5 " + std::to_string(faceCount) + "\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n" +
                  faceLines);
}

const Vertex* V(const Model& model, int index) {
    return &model.GetVertex(index);
}

} // namespace

TEST(ModelLoaderFaceTailTest, WordsAfterTheThirdOrFourthIndexAreIgnored) {
    const auto model = Square(3, "1 2 3 front\n1 2 3 4 back\n1 2 3 4 5\n");
    const auto faces = Faces(*model);
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_EQ(faces[0]->d, nullptr);
    EXPECT_EQ(faces[1]->d, V(*model, 4));
    EXPECT_EQ(faces[2]->d, V(*model, 4));
}

TEST(ModelLoaderFaceTailTest, FourthIndexMustBeginWithinNineteenCharacters) {
    const std::string eighteen(18, ' ');
    const auto quad = Square(1, "1 2 3" + eighteen + "4\n");
    EXPECT_EQ(quad->faces->d, V(*quad, 4));

    // With 19 or 25 blanks the 4 lies beyond the piece and starts the next face.
    for (int blanks : {19, 25}) {
        const auto model = Square(2, "1 2 3" + std::string(blanks, ' ') + "4\n2 3\n");
        const auto faces = Faces(*model);
        ASSERT_EQ(faces.size(), 2u);
        EXPECT_EQ(faces[0]->d, nullptr) << blanks;
        EXPECT_EQ(faces[1]->a, V(*model, 4)) << blanks;
        EXPECT_EQ(faces[1]->b, V(*model, 2)) << blanks;
        EXPECT_EQ(faces[1]->c, V(*model, 3)) << blanks;
    }
}

TEST(ModelLoaderFaceTailTest, NumberCutByTheEndOfThePieceSplits) {
    // The piece ends after "4"; the "5" that follows starts the next face.
    const auto model = Square(2, "1 2 3" + std::string(18, ' ') + "45 1 2\n");
    const auto faces = Faces(*model);
    EXPECT_EQ(faces[0]->d, V(*model, 4));
    EXPECT_EQ(faces[1]->a, V(*model, 5));
}

TEST(ModelLoaderFaceTailTest, LineEndsAndBlanksMakeNoFourthIndex) {
    const auto model = Square(4, "1 2 3    \t\n1 2 3\r\n2 3 4\r\n  1 2\n3 4\n");
    const auto faces = Faces(*model);
    ASSERT_EQ(faces.size(), 4u);
    EXPECT_EQ(faces[0]->d, nullptr);
    EXPECT_EQ(faces[1]->d, nullptr);
    EXPECT_EQ(faces[2]->d, nullptr);
    // A record may be split over lines; its tail is the rest of the line on
    // which the third index stands.
    EXPECT_EQ(faces[3]->c, V(*model, 3));
    EXPECT_EQ(faces[3]->d, V(*model, 4));
}

TEST(ModelLoaderFaceTailTest, CrLfQuadrilateral) {
    const auto model = Square(2, "1 2 3 4\r\n1 2 5\r\n");
    EXPECT_EQ(model->faces->d, V(*model, 4));
    EXPECT_EQ(model->faces->next->d, nullptr);
}

TEST(ModelLoaderFaceTailTest, FourthIndexZeroOrNegativeSelectsTheFirstVertex) {
    const auto model = Square(2, "2 3 4 0\n0 3 4 -1\n");
    EXPECT_EQ(model->faces->d, V(*model, 1));
    EXPECT_EQ(model->faces->next->a, V(*model, 1));
    EXPECT_EQ(model->faces->next->d, V(*model, 1));
}

TEST(ModelLoaderFaceTailTest, LastFaceMayEndAtTheEndOfTheFile) {
    const auto quad = Square(1, "1 2 3 4");
    EXPECT_EQ(quad->faces->d, V(*quad, 4));
    EXPECT_EQ(Square(1, "1 2 3")->faces->d, nullptr);
    EXPECT_EQ(Square(1, "1 2 3 ")->faces->d, nullptr);
    EXPECT_EQ(Square(1, "1 2 3\x1a 4")->faces->d, nullptr);
}

TEST(ModelLoaderFaceTailTest, QuadrilateralNormalComesFromItsFirstThreeCorners) {
    // The fourth corner lies off the plane: it takes no part in the face normal,
    // yet receives that normal like the other corners.
    const auto model = Square(1, "1 2 3 5\n");
    EXPECT_EQ(Normal(*model->faces), (std::array<float, 3>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(Normal(model->GetVertex(5)), (std::array<float, 3>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(Normal(model->GetVertex(4)), (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
}

TEST(ModelLoaderFaceTailTest, FileWithEveryKindOfTail) {
    Model model;
    ASSERT_TRUE(model.Open(KOVO_TEST_DATA "/face-tails.dat"));
    const auto faces = Faces(model);
    ASSERT_EQ(faces.size(), 6u);
    const Vertex* four = V(model, 4);
    const std::vector<const Vertex*> fourth{nullptr, four, four, nullptr, nullptr, V(model, 1)};
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_EQ(faces[i]->d, fourth[i]) << "face " << i + 1;
    }
    EXPECT_EQ(faces[4]->a, four);
    EXPECT_EQ(faces[5]->a, V(model, 1));
}
