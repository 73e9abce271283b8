#include "framework/CCommandLineInfo.h"

#include <gtest/gtest.h>

namespace {

CCommandLineInfo Parse(const std::vector<std::string>& arguments) {
    CCommandLineInfo info;
    info.ParseArguments(arguments);
    return info;
}

} // namespace

TEST(CCommandLineInfoTest, NoArgumentsMakeANewFile) {
    const CCommandLineInfo info = Parse({});
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::NewFile);
    EXPECT_TRUE(info.m_showSplash);
    EXPECT_FALSE(info.m_runEmbedded);
    EXPECT_FALSE(info.m_runAutomated);
    EXPECT_EQ(info.m_fileName, "");
}

TEST(CCommandLineInfoTest, PlainArgumentsFillFieldsInOrder) {
    // argv comes split already: blanks and quotes inside a name are kept.
    CCommandLineInfo info = Parse({"my \"model\" file.dat", "ignored.dat"});
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::OpenNamedFile);
    EXPECT_EQ(info.m_fileName, "my \"model\" file.dat");
    EXPECT_EQ(info.m_printerName, "");

    info = Parse({"-pt", "dom.dat", "Printer", "Driver", "Port", "extra"});
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::PrintFileTo);
    EXPECT_EQ(info.m_fileName, "dom.dat");
    EXPECT_EQ(info.m_printerName, "Printer");
    EXPECT_EQ(info.m_driverName, "Driver");
    EXPECT_EQ(info.m_portName, "Port");

    // Names before "pt" do not count as printer names.
    info = Parse({"dom.dat", "early", "-pt", "Printer"});
    EXPECT_EQ(info.m_printerName, "Printer");
    EXPECT_EQ(info.m_driverName, "");

    // Under "p" only the file name is taken.
    info = Parse({"-p", "dom.dat", "Printer"});
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::PrintFile);
    EXPECT_EQ(info.m_printerName, "");
}

TEST(CCommandLineInfoTest, FlagTableAndItsCaseRules) {
    EXPECT_EQ(Parse({"-p"}).m_shellCommand, CCommandLineInfo::PrintFile);
    EXPECT_EQ(Parse({"-pt"}).m_shellCommand, CCommandLineInfo::PrintFileTo);
    EXPECT_EQ(Parse({"-dde"}).m_shellCommand, CCommandLineInfo::ShellDde);
    EXPECT_EQ(Parse({"-P"}).m_shellCommand, CCommandLineInfo::NewFile);
    EXPECT_EQ(Parse({"-PT"}).m_shellCommand, CCommandLineInfo::NewFile);
    EXPECT_EQ(Parse({"-DDE"}).m_shellCommand, CCommandLineInfo::NewFile);
    for (const char* flag :
         {"-Unregister", "-unregister", "/UNREGISTER", "-Unregserver", "/unregSERVER"}) {
        EXPECT_EQ(Parse({flag}).m_shellCommand, CCommandLineInfo::UnregisterRequest) << flag;
    }
    CCommandLineInfo info = Parse({"/embedding"});
    EXPECT_TRUE(info.m_runEmbedded);
    EXPECT_FALSE(info.m_showSplash);
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::NewFile);
    info = Parse({"-AUTOMATION", "dom.dat"});
    EXPECT_TRUE(info.m_runAutomated);
    EXPECT_FALSE(info.m_showSplash);
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::OpenNamedFile);
    // A request flag wins over a file name.
    EXPECT_EQ(Parse({"dom.dat", "-Unregister"}).m_shellCommand,
              CCommandLineInfo::UnregisterRequest);
}

TEST(CCommandLineInfoTest, UnknownFlagsAreIgnored) {
    CCommandLineInfo info = Parse({"-verbose", "-", "-x"});
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::NewFile);
    EXPECT_EQ(info.m_fileName, "");
    info = Parse({"-Embeddingx", "dom.dat", "-q"});
    EXPECT_FALSE(info.m_runEmbedded);
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::OpenNamedFile);
    EXPECT_EQ(info.m_fileName, "dom.dat");
}

TEST(CCommandLineInfoTest, AbsolutePathsAreFileNames) {
    CCommandLineInfo info = Parse({"/home/u/dom.dat"});
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::OpenNamedFile);
    EXPECT_EQ(info.m_fileName, "/home/u/dom.dat");
    // Only the table's flags follow a single "/"; anything else is a path.
    info = Parse({"/dom.dat"});
    EXPECT_EQ(info.m_fileName, "/dom.dat");
    info = Parse({"/P"});
    EXPECT_EQ(info.m_fileName, "/P");
    info = Parse({"/p", "/home/u/dom.dat"});
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::PrintFile);
    EXPECT_EQ(info.m_fileName, "/home/u/dom.dat");
}

TEST(CCommandLineInfoTest, OnlyTheLastArgumentFinishesTheRequest) {
    CCommandLineInfo info;
    info.ParseArgument("dom.dat", host::FALSE, host::FALSE);
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::NewFile);
    info.ParseArgument("Embedding", host::TRUE, host::TRUE);
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::OpenNamedFile);
    EXPECT_FALSE(info.m_showSplash);
}
