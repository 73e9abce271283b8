#include "framework/CDocument.h"

#include "framework/CArchive.h"
#include "framework/CDocTemplate.h"
#include "framework/CFileException.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FilePath.h"
#include "framework/FrameworkIds.h"
#include "framework/ReadOnlyFile.h"
#include "framework/WaitCursor.h"
#include "platform/ScopedValue.h"

#include <algorithm>

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

KOVO_IMPLEMENT_RUNTIME_CLASS(CDocument, CCmdTarget)

KOVO_BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
KOVO_ON_COMMAND(fw::ID_FILE_CLOSE, &CDocument::OnFileClose)
KOVO_ON_COMMAND(fw::ID_FILE_SAVE, &CDocument::OnFileSave)
KOVO_ON_COMMAND(fw::ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
KOVO_END_MESSAGE_MAP()

CDocument::~CDocument() {
    for (CView* view : m_views) {
        view->m_document = nullptr;
    }
}

BOOL CDocument::RouteCommand(UINT id, int code, void* extra, CommandProbe* probe) {
    if (CCmdTarget::RouteCommand(id, code, extra, probe)) {
        return TRUE;
    }
    return m_docTemplate != nullptr && m_docTemplate->RouteCommand(id, code, extra, probe);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_modified = FALSE;
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const std::string& path) {
    bool emptied = false;
    try {
        ReadOnlyFile file(path);
        DeleteContents();
        emptied = true;
        m_modified = TRUE;
        WaitCursor wait;
        if (file.Length() != 0) {
            CArchive archive(file.Descriptor(), path);
            Serialize(archive);
            archive.Close();
        }
    } catch (const CException& failure) {
        if (emptied) {
            DeleteContents();
        }
        ReportOpenError(path, &failure, FALSE, fw::IDS_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    m_modified = FALSE;
    return TRUE;
}

void CDocument::DeleteContents() {}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::ConfirmDiscard() {
    // Nothing of this program's documents is ever unsaved.
    return TRUE;
}

host::HACCEL CDocument::GetDefaultAccelerator() {
    return nullptr;
}

void CDocument::OnFileSave() {}
void CDocument::OnFileSaveAs() {}
void CDocument::OnFileClose() {}

void CDocument::OnCloseDocument() {
    {
        // The frames go first; the document must outlive their views' leaving.
        const host::ScopedValue<BOOL> keepAlive(m_autoDelete, FALSE);
        while (!m_views.empty()) {
            CView* view = m_views.front();
            CFrameWnd* frame = view->GetParentFrame();
            if (frame == nullptr || !frame->DestroyWindow()) {
                RemoveView(view);
            }
        }
    }
    DeleteContents();
    if (m_autoDelete && m_docTemplate != nullptr) {
        m_docTemplate->ReleaseDocument(this); // deletes this
    }
}

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) {
        return;
    }
    m_views.push_back(view);
    view->m_document = this;
}

void CDocument::RemoveView(CView* view) {
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end()) {
        return;
    }
    m_views.erase(it);
    view->m_document = nullptr;
    if (m_views.empty() && m_autoDelete) {
        OnCloseDocument();
    }
}
