#include "platform/ProfileText.h"

#include <gtest/gtest.h>

using host::ProfileText;

TEST(ProfileTextTest, NamesIgnoreCaseAndTheFirstMatchWins) {
    const ProfileText text("[recent FILE list]\n  file1 =  /m/Dom.dat  \nfile1=/second\n"
                           "[Recent File List]\nFile2=/hidden\n[Settings]\nFile2=/other\n");
    EXPECT_EQ(text.Find("Recent File List", "FILE1"), "/m/Dom.dat");
    // Only the first section of a name is read; keys of others are not found.
    EXPECT_EQ(text.Find("Recent File List", "File2"), std::nullopt);
    EXPECT_EQ(text.Find("Missing", "File1"), std::nullopt);
}

TEST(ProfileTextTest, JunkIsToleratedAndKept) {
    const char before[] = "k=outside\n\0\xff=\x01\n[Open\nx=1\nno equals\n  [ Sp ] \ny = 2";
    const char after[] = "k=outside\n\0\xff=\x01\n[Open\nx=1\nno equals\nz=3\n  [ Sp ] \ny = 2";
    ProfileText text(std::string(before, sizeof before - 1));
    EXPECT_EQ(text.Find("Open", "x"), "1");
    EXPECT_EQ(text.Find("Sp", "y"), "2");
    ASSERT_TRUE(text.Set("Open", "z", "3"));
    EXPECT_EQ(text.Content(), std::string(after, sizeof after - 1));
}

TEST(ProfileTextTest, EditsTouchOnlyTheirLines) {
    ProfileText text("; mine\r\n[A]\r\nk=1\r\n; note\r\n\r\n[B]\r\nk=2\r\n[a]\r\nk=3");
    EXPECT_FALSE(text.Set("A", "K", "1")) << "the same value changes nothing";
    ASSERT_TRUE(text.Set("A", "j", "2"));
    ASSERT_TRUE(text.Set("C", "k", "4"));
    EXPECT_EQ(text.Content(), "; mine\r\n[A]\r\nk=1\r\n; note\r\nj=2\r\n\r\n[B]\r\nk=2\r\n"
                              "[a]\r\nk=3\r\n[C]\r\nk=4\r\n");
    ASSERT_TRUE(text.DeleteKey("b", "K"));
    ASSERT_TRUE(text.DeleteSection("a"));
    EXPECT_FALSE(text.DeleteSection("a"));
    EXPECT_EQ(text.Content(), "; mine\r\n[B]\r\n[C]\r\nk=4\r\n");
}

TEST(ProfileTextTest, ValuesReadBackAsWritten) {
    ProfileText text("");
    for (const char* value : {"/m/my model.dat", " leading", "trailing ", "\"quoted\"", "'single'",
                              "a=b", "/údaje/dom.dat", ""}) {
        text.Set("S", "k", value);
        EXPECT_EQ(text.Find("S", "k"), value);
    }
}
