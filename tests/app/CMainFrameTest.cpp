// The main window's menu and keys on the program's own classes and resources:
// what each popup shows when it opens, and which keys reach a command.

#include "KovomodelTestSupport.h"

#include "app/AppResources.h"
#include "app/Resource.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

using Items = std::vector<std::string>;

// The key-state flags that go with an accelerator's modifiers.
host::UINT Modifiers(const host::ACCEL& accel) {
    return (accel.fVirt & host::FCONTROL ? host::MK_CONTROL : 0) |
           (accel.fVirt & host::FALT ? host::MK_ALT : 0) |
           (accel.fVirt & host::FSHIFT ? host::MK_SHIFT : 0);
}

class MainFrameTest : public apptest::KovomodelTest {
protected:
    /// Posts a key press to the view and offers it to the message loop's
    /// filter, as the loop does; true when the filter took it, that is when
    /// the key table holds the key and its command was sent. Keys the filter
    /// leaves are dispatched.
    bool PressKey(host::UINT key, host::UINT modifiers) {
        apptest::PaintPending(nullptr);
        host::SetKeyState(modifiers);
        const bool alt = (modifiers & host::MK_ALT) != 0;
        host::PostMessage(View()->m_hWnd, alt ? host::WM_SYSKEYDOWN : host::WM_KEYDOWN, key, 0);
        host::MSG msg;
        bool taken = false;
        if (host::PeekMessage(&msg, host::PM_REMOVE)) {
            taken = app.FilterMessage(&msg) != host::FALSE;
            if (!taken) {
                host::TranslateMessage(&msg);
                host::DispatchMessage(&msg);
            }
        }
        host::SetKeyState(0);
        return taken;
    }

    /// Every file of the scratch folder with its bytes and modification time.
    std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> Files() const {
        std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> files;
        for (const auto& entry : std::filesystem::directory_iterator(scratch.dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            files[entry.path().filename()] = {bytes, entry.last_write_time()};
        }
        return files;
    }
};

TEST_F(MainFrameTest, PopupsEnableEveryItemOfTheProgramAndGrayOnlyAnEmptyRecentList) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(OpenPopup(0), (Items{"&Načítať...\tCtrl+O", "", "Recent File (grayed)",
                                   "aj objekty v strede?", "", "&Koniec"}));
    EXPECT_EQ(OpenPopup(1), (Items{"Bodový", "Drôtený", "Stenový"}));
    EXPECT_EQ(OpenPopup(2), (Items{"Konštantné", "Hladké"}));
    ASSERT_NE(app.OpenDocumentPath(Write("wire.dat", apptest::kWire)), nullptr);
    EXPECT_EQ(OpenPopup(0), (Items{"&Načítať...\tCtrl+O", "", "&1 wire.dat", "aj objekty v strede?",
                                   "", "&Koniec"}));
}

TEST_F(MainFrameTest, EditingPaneAndSaveKeysReachTheKeyTableAndDoNothing) {
    const std::string wire = Write("wire.dat", apptest::kWire);
    ASSERT_TRUE(Start({wire}));
    Doc()->m_angleY = 30.0;
    const Vertex* vertices = Doc()->m_model.vertices;
    const auto files = Files();
    // Every key of the table but Ctrl+N and Ctrl+O: save, the editing keys
    // and the pane keys.
    int inert = 0;
    for (const host::ACCEL& accel : MainAccelerators()) {
        if (accel.cmd != ID_FILE_NEW && accel.cmd != ID_FILE_OPEN) {
            EXPECT_TRUE(PressKey(accel.key, Modifiers(accel))) << "key " << accel.key;
            ++inert;
        }
    }
    EXPECT_EQ(inert, 11);
    EXPECT_TRUE(scratch.boxes.empty());
    EXPECT_TRUE(scratch.dialogs.empty());
    EXPECT_EQ(scratch.openDialogs, 0);
    EXPECT_EQ(Caption(), "wire.dat - Kovomodel");
    EXPECT_EQ(Doc()->m_pathName, wire);
    EXPECT_EQ(Doc()->m_model.vertices, vertices);
    ExpectCamera(30.0, 0.0, 1500.0);
    EXPECT_EQ(Files(), files) << "no file was written, the profile neither";

    // The same way, a key with a command of the program reaches it, and one
    // outside the table is left to the view.
    EXPECT_TRUE(PressKey('O', host::MK_CONTROL));
    EXPECT_EQ(scratch.openDialogs, 1);
    EXPECT_FALSE(PressKey('Q', host::MK_CONTROL));
}

} // namespace
