// The application's start-up request: parsing the arguments and carrying the
// request out.

#include "framework/AppMessage.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CMemoryException.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "platform/HostQueue.h"

#include <new>

using host::BOOL;
using host::FALSE;
using host::TRUE;

namespace {

/// A start-up that could not show what it was asked for ends the program
/// with a failure status, so that a script or a desktop can tell.
BOOL Failed(CWinApp& app) {
    app.m_exitCode = 1;
    return FALSE;
}

/// Opens path as the start-up request asks. Memory running out on the way is
/// told as it is for a file opened later, and the open fails.
CDocument* OpenAtStartup(CWinApp& app, const std::string& path) {
    try {
        return app.OpenDocumentPath(path);
    } catch (const CMemoryException&) {
    } catch (const std::bad_alloc&) {
    }
    ShowAppMessage(fw::IDS_MEMORY_EXCEPTION, host::MB_ICONEXCLAMATION | host::MB_SYSTEMMODAL);
    return nullptr;
}

BOOL NewFile(CWinApp& app) {
    if (!app.RouteCommand(fw::ID_FILE_NEW, fw::kCommandCode, nullptr, nullptr)) {
        app.OnFileNew();
    }
    return app.m_pMainWnd != nullptr ? TRUE : Failed(app);
}

/// Opens the file unseen and asks the main window to print it; nothing in the
/// program prints, so the program then ends.
BOOL Print(CWinApp& app, const CCommandLineInfo& info) {
    app.m_showCommand = host::SW_HIDE;
    if (OpenAtStartup(app, info.m_fileName) == nullptr) {
        return Failed(app);
    }
    if (app.m_pMainWnd != nullptr) {
        host::SendMessage(app.m_pMainWnd->m_hWnd, host::WM_COMMAND, fw::ID_FILE_PRINT_DIRECT, 0);
    }
    return FALSE;
}

/// The program registers nothing with the desktop, so there is nothing to
/// remove; the profile must stay as it is.
BOOL Unregister(CWinApp& app, const CCommandLineInfo& info) {
    app.m_unregisterRequested = true;
    if (!info.m_runEmbedded) {
        app.ShowMessage(fw::IDS_UNREGISTERED);
    }
    return FALSE;
}

} // namespace

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    info.ParseArguments(m_arguments);
    if (info.m_shellCommand == CCommandLineInfo::ShellDde || info.m_runEmbedded ||
        info.m_runAutomated) {
        m_userControl = false;
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_shellCommand) {
    case CCommandLineInfo::NewFile:
        return NewFile(*this);
    case CCommandLineInfo::OpenNamedFile:
        return OpenAtStartup(*this, info.m_fileName) != nullptr ? TRUE : Failed(*this);
    case CCommandLineInfo::PrintFile:
    case CCommandLineInfo::PrintFileTo:
        return Print(*this, info);
    case CCommandLineInfo::ShellDde:
        // The shell request it waits for can never arrive: nothing here
        // listens for one. End now instead of running on with no window.
        return FALSE;
    case CCommandLineInfo::UnregisterRequest:
        return Unregister(*this, info);
    case CCommandLineInfo::NoCommand:
        return TRUE;
    }
    return TRUE;
}
