// The program's arguments: how they are read, and what start-up does with them.

#include "FrameworkTestSupport.h"

#include "framework/CCommandLineInfo.h"
#include "framework/CRecentFileList.h"

#include <gtest/gtest.h>

namespace {

// "request file|printer|driver|port", then " embedded" and " automated".
std::string Describe(const CCommandLineInfo& info) {
    static const char* const names[] = {"new", "open", "print", "printto", "dde", "unregister"};
    std::string text =
        info.m_shellCommand == CCommandLineInfo::NoCommand ? "none" : names[info.m_shellCommand];
    text += " " + info.m_fileName + "|" + info.m_printerName + "|" + info.m_driverName + "|" +
            info.m_portName;
    text += info.m_runEmbedded ? " embedded" : "";
    text += info.m_runAutomated ? " automated" : "";
    return text;
}

TEST(CCommandLineInfoTest, FlagsCaseRulesAndPlainArgumentOrder) {
    const struct {
        std::vector<std::string> arguments;
        const char* expected;
    } cases[] = {
        {{}, "new |||"},
        // argv comes split already: blanks and quotes inside a name are kept.
        {{"my \"model\" file.dat", "ignored.dat"}, "open my \"model\" file.dat|||"},
        {{"-pt", "dom.dat", "Printer", "Driver", "Port", "extra"},
         "printto dom.dat|Printer|Driver|Port"},
        // Names before "pt" are no printer names; under "p" none are taken.
        {{"dom.dat", "early", "-pt", "Printer"}, "printto dom.dat|Printer||"},
        {{"-p", "dom.dat", "Printer"}, "print dom.dat|||"},
        {{"-dde"}, "dde |||"},
        // The print and shell flags must be lower case...
        {{"-P"}, "new |||"},
        {{"-PT"}, "new |||"},
        {{"-DDE"}, "new |||"},
        // ...the others may be in any case.
        {{"/UNREGISTER"}, "unregister |||"},
        {{"-unregserver"}, "unregister |||"},
        {{"/unregSERVER"}, "unregister |||"},
        {{"/embedding"}, "new ||| embedded"},
        {{"-AUTOMATION", "dom.dat"}, "open dom.dat||| automated"},
        {{"dom.dat", "-Unregister"}, "unregister dom.dat|||"},
        // Unknown flags are ignored, also ones that begin like a known one.
        {{"-verbose", "-", "-x"}, "new |||"},
        {{"-Embeddingx", "dom.dat", "-q"}, "open dom.dat|||"},
        // Only the table's flags follow a single "/"; anything else is a path.
        {{"/home/u/dom.dat"}, "open /home/u/dom.dat|||"},
        {{"/dom.dat"}, "open /dom.dat|||"},
        {{"/P"}, "open /P|||"},
        {{"/p", "/home/u/dom.dat"}, "print /home/u/dom.dat|||"},
    };
    for (const auto& c : cases) {
        CCommandLineInfo info;
        info.ParseArguments(c.arguments);
        EXPECT_EQ(Describe(info), c.expected) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(info.m_showSplash, !info.m_runEmbedded && !info.m_runAutomated);
    }

    // Only the last argument turns a file name into an open request.
    CCommandLineInfo info;
    info.ParseArgument("dom.dat", host::FALSE, host::FALSE);
    EXPECT_EQ(info.m_shellCommand, CCommandLineInfo::NewFile);
    info.ParseArgument("Embedding", host::TRUE, host::TRUE);
    EXPECT_EQ(Describe(info), "open dom.dat||| embedded");
}

class StartUpTest : public fwtest::FrameworkTest {
protected:
    host::BOOL Start(std::vector<std::string> arguments) {
        app.m_arguments = std::move(arguments);
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        return app.ProcessShellCommand(info);
    }
    bool Visible() const {
        return app.m_pMainWnd != nullptr && host::IsWindowVisible(app.m_pMainWnd->m_hWnd);
    }
};

TEST_F(StartUpTest, NoArgumentsMakeANewDocumentAndANameOpensIt) {
    app.LoadStdProfileSettings(4);
    EXPECT_TRUE(Start({}));
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(app.m_userControl);

    const std::string path = WriteFile("my model.dat");
    EXPECT_TRUE(Start({"-unknown", path}));
    ASSERT_NE(fwtest::TestDoc::s_live, nullptr);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_pathName, path);
    EXPECT_EQ(app.m_recentList->m_names[0], path);
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(StartUpTest, MissingFileEndsAfterItsMessageWithStatusOne) {
    const std::string path = dir + "/missing.dat";
    EXPECT_FALSE(Start({path}));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, path + " was not found.");
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.ExitInstance(), 1);
}

TEST_F(StartUpTest, PrintFlagsOpenUnseenAndEnd) {
    const std::string path = WriteFile("dom.dat");
    EXPECT_FALSE(Start({"-p", path}));
    ASSERT_NE(fwtest::TestDoc::s_live, nullptr);
    EXPECT_EQ(fwtest::TestDoc::s_live->m_pathName, path);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(app.ExitInstance(), 0) << "ending unprinted is what was asked for";
    app.m_pMainWnd->DestroyWindow();

    EXPECT_FALSE(Start({"/pt", path, "Printer", "Driver", "Port"}));
    ASSERT_NE(app.m_pMainWnd, nullptr);
    EXPECT_FALSE(Visible());
    app.m_pMainWnd->DestroyWindow();

    EXPECT_FALSE(Start({"-p", dir + "/missing.dat"}));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(app.ExitInstance(), 1);
}

TEST_F(StartUpTest, ShellRequestsEndUnseenAndUnregisterLeavesTheProfileUntouched) {
    // Nothing could ever send the shell request "dde" waits for.
    EXPECT_FALSE(Start({"-dde"}));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_FALSE(app.m_userControl);
    EXPECT_FALSE(app.m_unregisterRequested);

    const std::string before = "[Recent File List]\nFile2=/kept.dat\n[Settings]\nPreviewPages=0\n";
    WriteFile("config/test.INI", before);
    app.LoadStdProfileSettings(4);
    // An embedded request shows nothing.
    EXPECT_FALSE(Start({"-Embedding", "-Unregserver"}));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(Start({"/UNREGISTER"}));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text,
              "System registry entries have been removed and the INI file (if any) was deleted.");
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    app.AddToRecentList(WriteFile("new.dat"));
    app.ExitInstance();
    EXPECT_EQ(ReadFile(app.m_profilePath), before);
}

} // namespace
