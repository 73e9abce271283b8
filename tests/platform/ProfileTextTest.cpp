#include "platform/ProfileText.h"

#include <gtest/gtest.h>

using host::ProfileText;

TEST(ProfileTextTest, FirstSectionAndFirstKeyWin) {
    const ProfileText text("[S]\nk=one\nk=two\n[s]\nk=three\nj=four\n");
    EXPECT_EQ(text.Find("S", "K"), "one");
    // Only the first section of a name is read.
    EXPECT_EQ(text.Find("S", "j"), std::nullopt);
    EXPECT_EQ(text.Find("T", "k"), std::nullopt);
}

TEST(ProfileTextTest, OddLinesAreToleratedAndKept) {
    ProfileText text("k=outside\n[Open\nx=1\nno equals sign\n  [ Spaced ]  \ny = 2 \n");
    EXPECT_EQ(text.Find("Open", "x"), "1");
    EXPECT_EQ(text.Find("Spaced", "y"), "2");
    EXPECT_EQ(text.Find("", "k"), std::nullopt);
    ASSERT_TRUE(text.Set("Open", "z", "3"));
    EXPECT_EQ(text.Content(),
              "k=outside\n[Open\nx=1\nno equals sign\nz=3\n  [ Spaced ]  \ny = 2 \n");
}

TEST(ProfileTextTest, DeletingASectionRemovesEveryCopy) {
    ProfileText text("[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n");
    ASSERT_TRUE(text.DeleteSection("a"));
    EXPECT_EQ(text.Content(), "[B]\nk=2\n");
    EXPECT_FALSE(text.DeleteSection("a"));
}

TEST(ProfileTextTest, AddedLinesEndTheUnterminatedLastLine) {
    ProfileText text("[A]\r\nk=1");
    ASSERT_TRUE(text.Set("A", "j", "2"));
    ASSERT_TRUE(text.Set("B", "k", "3"));
    EXPECT_EQ(text.Content(), "[A]\r\nk=1\r\nj=2\r\n[B]\r\nk=3\r\n");
    ProfileText empty("");
    ASSERT_TRUE(empty.Set("S", "k", "v"));
    EXPECT_EQ(empty.Content(), "[S]\nk=v\n");
}

TEST(ProfileTextTest, NewEntriesGoAfterTheLastLineOfTheirSection) {
    ProfileText text("[A]\nk=1\n; comment\n\n[B]\n");
    ASSERT_TRUE(text.Set("A", "j", "2"));
    EXPECT_EQ(text.Content(), "[A]\nk=1\n; comment\nj=2\n\n[B]\n");
}
