#include "ShellTestApp.h"

#include "framework/CDocManager.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CView.h"
#include "framework/CWnd.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostDialogs.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ShellTestDoc : public CDocument {
public:
    KOVO_DECLARE_CREATABLE(ShellTestDoc)
};
KOVO_IMPLEMENT_CREATABLE(ShellTestDoc, CDocument)

class ShellTestView : public CView {
public:
    KOVO_DECLARE_CREATABLE(ShellTestView)
};
KOVO_IMPLEMENT_CREATABLE(ShellTestView, CView)

void RegisterResources() {
    ResourceRegistry::Reset();
    ResourceRegistry::RegisterString(128, "Skúška\n\nSkuska\n\n\nSkuska.Document\nSkuska Document");
    ResourceRegistry::RegisterString(57344, "Skúška");
    ResourceRegistry::RegisterMenu(128, {{"&Súbor",
                                          0,
                                          host::MF_POPUP,
                                          {{"&Načítať...", 57601, 0, {}},
                                           {"", 0, host::MF_SEPARATOR, {}},
                                           {"Recent File", 57616, 0, {}},
                                           {"", 0, host::MF_SEPARATOR, {}},
                                           {"&Koniec", 57665, 0, {}}}}});
}

} // namespace

ShellTestApp::ShellTestApp() {
    char pattern[] = "/tmp/kovo-shell-XXXXXX";
    m_folder = fs::canonical(mkdtemp(pattern)).string();
    m_profileName = "kovomodel.INI";
    m_profilePath = m_folder + "/config/" + m_profileName;
    host::DialogHooks hooks;
    hooks.messageBox = [this](host::HWND, const std::string& text, const std::string&, host::UINT) {
        m_messages.push_back(text);
        return host::IDOK;
    };
    host::SetDialogHooks(hooks);
}

ShellTestApp::~ShellTestApp() {
    CloseMainWindow();
    m_docManager.reset();
    host::SetDialogHooks({});
    fs::remove_all(m_folder);
}

host::BOOL ShellTestApp::InitInstance() {
    RegisterResources();
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        128, &ShellTestDoc::classRecord, &CFrameWnd::classRecord, &ShellTestView::classRecord));
    return host::TRUE;
}

std::string ShellTestApp::MakeFile(const std::string& name, const std::string& content) const {
    const std::string path = m_folder + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string ShellTestApp::ProfileText() const {
    std::ifstream in(m_profilePath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ShellTestApp::StoreProfile(const std::string& text) const {
    fs::create_directories(fs::path(m_profilePath).parent_path());
    std::ofstream(m_profilePath, std::ios::binary) << text;
}

void ShellTestApp::CloseMainWindow() {
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        m_pMainWnd->DestroyWindow();
    }
    m_pMainWnd = nullptr;
}
