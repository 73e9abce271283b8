#include "app/CKovomodelApp.h"

#include "app/AppResources.h"
#include "app/CInfoDlg.h"
#include "app/CKovomodelDoc.h"
#include "app/CKovomodelView.h"
#include "app/CMainFrame.h"
#include "app/Resource.h"
#include "app/StartupModels.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CSingleDocTemplate.h"

#include <memory>

KOVO_BEGIN_MESSAGE_MAP(CKovomodelApp, CWinApp)
KOVO_ON_COMMAND(ID_APP_ABOUT, &CKovomodelApp::OnAppAbout)
KOVO_ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
KOVO_ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
KOVO_END_MESSAGE_MAP()

CKovomodelApp::CKovomodelApp() : CWinApp(nullptr) {
    // The framework reads the title, and the frame its menu, accelerators and
    // icon, by id; registering here makes them known before anyone asks.
    RegisterAppResources();
}

namespace {

// Ends start-up when it leaves, however it leaves.
struct StartupEnd {
    StartupEnd() = default;
    StartupEnd(const StartupEnd&) = delete;
    StartupEnd& operator=(const StartupEnd&) = delete;
    ~StartupEnd() { StartupModels::EndStartup(); }
};

} // namespace

host::BOOL CKovomodelApp::InitInstance() {
    const StartupEnd ending;
    // The toolkit draws dialog controls three-dimensionally already, so there
    // is nothing to ask of it for that.
    LoadStdProfileSettings(4);
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, &CKovomodelDoc::classRecord,
                                                        &CMainFrame::classRecord,
                                                        &CKovomodelView::classRecord));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    return host::ToBOOL(ProcessShellCommand(commandLine) != host::FALSE);
}

void CKovomodelApp::OnAppAbout() {
    CInfoDlg dialog;
    dialog.DoModal();
}
