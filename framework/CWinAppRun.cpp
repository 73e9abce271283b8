// The program's entry into the framework.

#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/FilePath.h"
#include "platform/HostQueue.h"

int RunApplication(CWinApp& app, int argc, char** argv) {
    app.m_exeName = ProgramPath(argc > 0 && argv[0] != nullptr ? argv[0] : "");
    app.m_arguments.clear();
    for (int i = 1; i < argc; ++i) {
        app.m_arguments.emplace_back(argv[i]);
    }
    app.m_profileName = ProfileFileName(app.m_exeName);
    app.m_profilePath = ProfileFilePath(app.m_profileName);
    if (app.m_appTitle.empty()) {
        app.m_appTitle = app.AppTitle();
    }
    if (!app.InitInstance()) {
        if (app.m_pMainWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
        }
        return app.ExitInstance();
    }
    // Nothing to show and nobody else to wait for: end at once.
    if (app.m_pMainWnd == nullptr && app.m_userControl) {
        host::PostQuitMessage(0);
    }
    return app.RunMessageLoop();
}
