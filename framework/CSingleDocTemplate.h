#pragma once
// The template of a single-document application: one document at a time,
// re-used by every new and open command, shown in the main frame.

#include "framework/CDocTemplate.h"

#include <memory>

class CSingleDocTemplate : public CDocTemplate {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CSingleDocTemplate)

    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    std::vector<CDocument*> Documents() const override;
    /// Re-uses the document (after ConfirmDiscard) or creates it with its
    /// frame, then makes it new or opens path. On failure the user has been
    /// told, null is returned, and a document that existed is unchanged.
    CDocument* OpenOrCreate(const char* path, host::BOOL makeVisible) override;
    CDocument* CreateDocument() override;
    void ReleaseDocument(CDocument* document) override;

    std::unique_ptr<CDocument> m_onlyDoc;

private:
    /// CreateFrame with the document kept alive whatever happens on the way.
    CFrameWnd* BuildFrame(CDocument* document);
    /// The failure of a step after the document was created now: its frame
    /// (and with it the document) is destroyed.
    void DiscardNew(CFrameWnd* frame);
    host::BOOL OpenInto(CDocument* document, const char* path, bool created, CFrameWnd* frame);
};
