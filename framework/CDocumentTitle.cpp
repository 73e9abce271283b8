// The document's path, title and open-error messages.

#include "framework/AppMessage.h"
#include "framework/CArchiveException.h"
#include "framework/CDocument.h"
#include "framework/CFileException.h"
#include "framework/CFrameWnd.h"
#include "framework/CUserException.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FilePath.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkText.h"
#include "framework/ResourceRegistry.h"
#include "platform/Utf8Text.h"

#include <algorithm>

using host::BOOL;
using host::UINT;

namespace {

// The longest title taken from a file name, in bytes.
constexpr std::size_t kMaxTitle = 256;

void ShowOpenError(const std::string& text, UINT helpId) {
    ShowAppMessage(text, host::MB_ICONEXCLAMATION, helpId);
}

} // namespace

void CDocument::SetPath(const std::string& path, BOOL addToRecent) {
    std::string full;
    FullPath(full, path);
    m_pathName = full;
    m_embedded = host::FALSE;
    const std::string title = FileTitle(m_pathName);
    if (!title.empty()) {
        SetDocTitle(host::Utf8Prefix(title, kMaxTitle));
    }
    if (addToRecent) {
        if (CWinApp* app = CWinApp::Current()) {
            app->AddToRecentList(m_pathName);
        }
    }
}

void CDocument::SetDocTitle(const std::string& title) {
    m_title = title;
    UpdateFrameTitles();
}

void CDocument::UpdateFrameTitles() {
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_views) {
        CFrameWnd* frame = view->GetParentFrame();
        const bool visible =
            view->m_hWnd != nullptr && (host::GetWindowStyle(view->m_hWnd) & host::WS_VISIBLE) != 0;
        if (frame != nullptr && visible &&
            std::find(frames.begin(), frames.end(), frame) == frames.end()) {
            frames.push_back(frame);
        }
    }
    // Frames are numbered only when a document shows in several.
    int number = frames.size() > 1 ? 1 : 0;
    for (CFrameWnd* frame : frames) {
        frame->m_windowNumber = number != 0 ? number++ : 0;
        frame->UpdateTitle(host::TRUE);
    }
}

void CDocument::ReportOpenError(const std::string& path, const CException* failure, BOOL saving,
                                UINT defaultMessageId) {
    (void)saving; // documents are never saved here
    if (failure != nullptr && failure->IsKindOf(&CUserException::classRecord)) {
        return; // already reported
    }
    if (const auto* archive = dynamic_cast<const CArchiveException*>(failure)) {
        if (archive->IsFormatError()) {
            ShowOpenError(ResourceRegistry::LoadString(fw::IDS_ARCH_BADFORMAT),
                          fw::IDS_ARCH_BADFORMAT);
            return;
        }
    }
    if (const auto* file = dynamic_cast<const CFileException*>(failure)) {
        CFileException named = *file;
        if (named.m_fileName.empty()) {
            named.m_fileName = path;
        }
        std::string text;
        named.GetErrorMessage(text);
        ShowOpenError(text, fw::IDS_FILE_CAUSE_FIRST + static_cast<UINT>(named.m_cause));
        return;
    }
    ShowOpenError(FormatText(ResourceRegistry::LoadString(defaultMessageId), FileTitle(path)),
                  defaultMessageId);
}
