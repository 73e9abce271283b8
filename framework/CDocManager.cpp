#include "framework/CDocManager.h"

#include "framework/AppMessage.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FilePath.h"
#include "framework/FrameworkIds.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostDialogs.h"

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

namespace {

void ShowFailure(UINT stringId) {
    ShowAppMessage(stringId);
}

// A name as a shell may pass it: one leading double quote is skipped and the
// name ends at its last double quote. The name is never cut short, since a
// shortened path could name another, existing file.
std::string Unquote(const std::string& path) {
    std::string copy = !path.empty() && path[0] == '"' ? path.substr(1) : path;
    const std::size_t quote = copy.rfind('"');
    if (quote != std::string::npos) {
        copy.erase(quote);
    }
    return copy;
}

void BringDocumentForward(CDocument* document) {
    if (document->m_views.empty()) {
        return;
    }
    CFrameWnd* frame = document->m_views.front()->GetParentFrame();
    if (frame == nullptr) {
        return;
    }
    frame->BringFrameForward(-1);
    CWinApp* app = CWinApp::Current();
    auto* main = app != nullptr ? dynamic_cast<CFrameWnd*>(app->m_pMainWnd) : nullptr;
    if (main != nullptr && main != frame) {
        main->BringFrameForward(-1);
    }
}

} // namespace

CDocManager::CDocManager() = default;
CDocManager::~CDocManager() = default;

void CDocManager::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate) {
    docTemplate->LoadTemplate();
    m_templates.push_back(std::move(docTemplate));
}

void CDocManager::NewDocument() {
    if (m_templates.empty()) {
        ShowFailure(fw::IDS_FAILED_TO_CREATE_DOC);
        return;
    }
    // With one template (always here) no chooser is needed.
    m_templates.front()->OpenOrCreate(nullptr, TRUE);
}

void CDocManager::PromptAndOpen() {
    std::string name;
    if (!PromptFileName(name, fw::IDS_OPENFILE, kFileMustExist | kHideReadOnly, TRUE, nullptr)) {
        return;
    }
    if (CWinApp* app = CWinApp::Current()) {
        app->OpenDocumentPath(name);
        return;
    }
    OpenPath(name);
}

BOOL CDocManager::PromptFileName(std::string& name, UINT titleId, host::DWORD flags, BOOL,
                                 CDocTemplate* docTemplate) {
    host::OPENFILENAME dialog;
    CWinApp* app = CWinApp::Current();
    dialog.owner = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
    dialog.title = ResourceRegistry::LoadString(titleId);
    for (const auto& each : m_templates) {
        if (docTemplate != nullptr && each.get() != docTemplate) {
            continue;
        }
        const std::string filterName = each->GetDocString(CDocTemplate::FilterName);
        const std::string extension = each->GetDocString(CDocTemplate::FilterExt);
        if (!filterName.empty() && !extension.empty()) {
            dialog.filters.emplace_back(filterName, "*" + extension);
        }
    }
    dialog.filters.emplace_back(ResourceRegistry::LoadString(fw::IDS_ALLFILTER), "*.*");
    dialog.fileMustExist = (flags & kFileMustExist) != 0;
    if (!host::GetOpenFileName(dialog)) {
        return FALSE;
    }
    name = dialog.file;
    return TRUE;
}

CDocument* CDocManager::OpenPath(const std::string& path) {
    std::string full;
    // A failed FullPath still leaves the best form of the name to try.
    FullPath(full, Unquote(path));
    CDocTemplate* best = nullptr;
    CDocument* open = nullptr;
    CDocTemplate::Confidence bestConfidence = CDocTemplate::NoAttempt;
    for (const auto& each : m_templates) {
        CDocument* match = nullptr;
        const CDocTemplate::Confidence confidence = each->MatchPath(full, match);
        if (confidence > bestConfidence) {
            bestConfidence = confidence;
            best = each.get();
            open = match;
        }
        if (confidence == CDocTemplate::AlreadyOpen) {
            break;
        }
    }
    if (bestConfidence == CDocTemplate::AlreadyOpen) {
        BringDocumentForward(open);
        return open;
    }
    if (best == nullptr) {
        ShowFailure(fw::IDS_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return best->OpenOrCreate(full.c_str(), TRUE);
}

void CDocManager::CloseAllDocuments() {
    for (CDocument* document : Documents()) {
        document->OnCloseDocument();
    }
}

std::vector<CDocument*> CDocManager::Documents() const {
    std::vector<CDocument*> all;
    for (const auto& each : m_templates) {
        for (CDocument* document : each->Documents()) {
            all.push_back(document);
        }
    }
    return all;
}
