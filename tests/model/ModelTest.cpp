#include "model/Model.h"

#include <gtest/gtest.h>

TEST(ModelTest, Smoke) {
    Model model;
    ASSERT_TRUE(model.OpenText("0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n",
                               "t.dat"));
    EXPECT_EQ(model.vertices->x, -250);
}
