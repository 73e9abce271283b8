#include "KovomodelTestSupport.h"

#include "platform/HostMenu.h"
#include "platform/HostQueue.h"
#include "platform/HostWindow.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace apptest {

bool PaintPending(host::HWND hwnd) {
    bool pending = false;
    for (host::MSG msg; host::PeekMessage(&msg, host::PM_REMOVE);) {
        if (msg.message == host::WM_PAINT) {
            pending = pending || msg.hwnd == hwnd;
            host::ValidateRect(msg.hwnd, nullptr);
        }
    }
    return pending;
}

Scratch::Scratch() : previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kovo-app-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    dir = pattern;
    std::filesystem::current_path(dir);
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1); // never the user's profile
    host::DialogHooks hooks;
    hooks.messageBox = [this](host::HWND, const std::string& text, const std::string& caption,
                              host::UINT type) {
        boxes.push_back({caption, text, type});
        return host::IDOK;
    };
    hooks.dialogBox = [this](host::HWND owner, const host::DialogTemplate& dialog) {
        dialogs.push_back({owner, dialog.caption});
        return host::IDOK;
    };
    hooks.openFileName = [this](host::OPENFILENAME&) {
        ++openDialogs;
        return host::FALSE;
    };
    host::SetDialogHooks(hooks);
    std::ofstream(dir + "/dom.dat") << kPyramid;
}

Scratch::~Scratch() {
    host::SetDialogHooks(host::DialogHooks{});
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(dir, ignored);
}

KovomodelTest::~KovomodelTest() {
    if (app.m_pMainWnd != nullptr) {
        host::SendMessage(app.m_pMainWnd->m_hWnd, host::WM_CLOSE, 0, 0);
    }
    for (host::MSG msg; host::PeekMessage(&msg, host::PM_REMOVE);) {
    }
}

std::string KovomodelTest::Write(const std::string& name,
                                 const std::optional<std::string>& text) const {
    std::filesystem::remove(Path(name));
    if (text) {
        std::ofstream(Path(name), std::ios::binary) << *text;
    }
    return Path(name);
}

bool KovomodelTest::Start(std::vector<std::string> arguments) {
    app.m_profileName = "kovomodel.INI";
    app.m_profilePath = Path(app.m_profileName);
    app.m_arguments = std::move(arguments);
    return app.InitInstance() != host::FALSE;
}

std::string KovomodelTest::Caption() const {
    return host::GetWindowText(Frame()->m_hWnd);
}

void KovomodelTest::ExpectCamera(double angleY, double angleX, double distance) const {
    EXPECT_EQ(Doc()->m_angleY, angleY);
    EXPECT_EQ(Doc()->m_angleX, angleX);
    EXPECT_EQ(Doc()->m_distance, distance);
}

void KovomodelTest::Mouse(host::UINT message, int x, int y, host::HWND window) const {
    host::SendMessage(window != nullptr ? window : View()->m_hWnd, message, 0,
                      host::MAKELPARAM(x, y));
}

std::vector<std::string> KovomodelTest::OpenPopup(int index) const {
    const host::HMENU popup = host::GetSubMenu(host::GetMenu(Frame()->m_hWnd), index);
    host::SendMessage(Frame()->m_hWnd, host::WM_INITMENUPOPUP,
                      reinterpret_cast<host::WPARAM>(popup), host::MAKELPARAM(index, 0));
    std::vector<std::string> items;
    for (int i = 0; i < host::GetMenuItemCount(popup); ++i) {
        const host::UINT state = host::GetMenuState(popup, i, host::MF_BYPOSITION);
        items.push_back(host::GetMenuString(popup, i, host::MF_BYPOSITION) +
                        (state & host::MF_GRAYED ? " (grayed)" : "") +
                        (state & host::MF_CHECKED ? " (checked)" : ""));
    }
    return items;
}

} // namespace apptest
