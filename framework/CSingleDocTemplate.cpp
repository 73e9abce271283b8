#include "framework/CSingleDocTemplate.h"

#include "framework/AppMessage.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/WaitCursor.h"
#include "platform/ScopedValue.h"

using host::BOOL;
using host::FALSE;
using host::TRUE;

KOVO_IMPLEMENT_RUNTIME_CLASS(CSingleDocTemplate, CDocTemplate)

namespace {

void ShowCreateFailure() {
    ShowAppMessage(fw::IDS_FAILED_TO_CREATE_DOC);
}

CFrameWnd* MainFrame() {
    CWinApp* app = CWinApp::Current();
    return app != nullptr ? dynamic_cast<CFrameWnd*>(app->m_pMainWnd) : nullptr;
}

} // namespace

CSingleDocTemplate::~CSingleDocTemplate() = default;

std::vector<CDocument*> CSingleDocTemplate::Documents() const {
    if (m_onlyDoc == nullptr) {
        return {};
    }
    return {m_onlyDoc.get()};
}

CDocument* CSingleDocTemplate::CreateDocument() {
    std::unique_ptr<CObject> object = m_docClass->CreateObject();
    auto* document = dynamic_cast<CDocument*>(object.get());
    if (document == nullptr) {
        return nullptr;
    }
    object.release();
    m_onlyDoc.reset(document);
    document->m_docTemplate = this;
    return document;
}

void CSingleDocTemplate::ReleaseDocument(CDocument* document) {
    if (m_onlyDoc.get() == document) {
        m_onlyDoc.reset();
    }
}

CFrameWnd* CSingleDocTemplate::BuildFrame(CDocument* document) {
    // The view joins the document while the frame is built; a failure half
    // way must not delete the document under us.
    const host::ScopedValue<BOOL> keepAlive(document->m_autoDelete, FALSE);
    return CreateFrame(document);
}

void CSingleDocTemplate::DiscardNew(CFrameWnd* frame) {
    if (frame != nullptr) {
        frame->DestroyWindow(); // its view leaves the document, which closes
    }
    m_onlyDoc.reset(); // in case no view had joined it
}

CDocument* CSingleDocTemplate::OpenOrCreate(const char* path, BOOL makeVisible) {
    CDocument* document = m_onlyDoc.get();
    CFrameWnd* frame = nullptr;
    const bool created = document == nullptr;
    if (document != nullptr) {
        if (!document->ConfirmDiscard()) {
            return nullptr;
        }
        frame = MainFrame();
    } else {
        document = CreateDocument();
    }
    if (document == nullptr) {
        ShowCreateFailure();
        return nullptr;
    }
    if (frame == nullptr) {
        frame = BuildFrame(document);
        if (frame == nullptr) {
            ShowCreateFailure();
            ReleaseDocument(document);
            return nullptr;
        }
    }
    if (path == nullptr && !makeVisible) {
        document->m_embedded = TRUE;
    }
    if (!OpenInto(document, path, created, frame)) {
        return nullptr;
    }
    CWinApp* app = CWinApp::Current();
    if (created && app != nullptr && app->m_pMainWnd == nullptr) {
        app->m_pMainWnd = frame;
    }
    frame->PresentFrame(document, makeVisible);
    return document;
}

BOOL CSingleDocTemplate::OpenInto(CDocument* document, const char* path, bool created,
                                  CFrameWnd* frame) {
    if (path == nullptr) {
        ApplyDefaultTitle(document);
        if (!document->OnNewDocument()) {
            if (created) {
                DiscardNew(frame);
            }
            return FALSE;
        }
        return TRUE;
    }
    WaitCursor wait;
    const BOOL wasModified = document->m_modified;
    document->m_modified = FALSE;
    if (document->OnOpenDocument(path)) {
        document->SetPath(path, TRUE);
        return TRUE;
    }
    if (created) {
        DiscardNew(frame);
    } else if (!document->m_modified) {
        document->m_modified = wasModified; // the document is unchanged
    } else {
        // The document was emptied before the failure: it becomes new.
        ApplyDefaultTitle(document);
        document->OnNewDocument();
    }
    return FALSE;
}
