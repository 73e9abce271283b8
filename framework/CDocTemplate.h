#pragma once
// A document template binds a document class, a frame class, a view class and
// the resource id that names their menu, accelerators, icon and document
// string. It creates documents and frames and handles no commands itself.

#include "framework/CCmdTarget.h"

#include <string>
#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CDocTemplate)

    /// How well a template suits a path.
    enum Confidence {
        NoAttempt = 0,
        ForeignAttempt = 3,
        NativeExtension = 4,
        AlreadyOpen = 5,
    };

    /// The fields of the document string.
    enum DocStringIndex {
        WindowTitle = 0,
        DocName = 1,
        FileNewName = 2,
        FilterName = 3,
        FilterExt = 4,
        RegFileTypeId = 5,
        RegFileTypeName = 6,
    };

    CDocTemplate(host::UINT resourceId, const CRuntimeClass* docClass,
                 const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    /// Loads the document string (string resourceId).
    virtual void LoadTemplate();
    /// Field index of the document string; "" when it is empty or missing.
    std::string GetDocString(DocStringIndex index) const;

    /// The template's documents.
    virtual std::vector<CDocument*> Documents() const = 0;
    /// AlreadyOpen (with match set) when one of the documents has path as its
    /// path; NativeExtension when the path ends in the filter extension
    /// (ignoring case); ForeignAttempt otherwise.
    virtual Confidence MatchPath(const std::string& path, CDocument*& match) const;
    /// Opens path into a document (null path: a new document) and shows its
    /// frame. Null on failure, already reported to the user.
    virtual CDocument* OpenOrCreate(const char* path, host::BOOL makeVisible) = 0;
    /// Creates a document of the template's class, owned by the template;
    /// null when the class cannot be created.
    virtual CDocument* CreateDocument() = 0;
    /// Deletes document, which the template owns.
    virtual void ReleaseDocument(CDocument* document) = 0;
    /// Creates the frame with its view for document; null on failure.
    virtual CFrameWnd* CreateFrame(CDocument* document);
    /// Gives a new document its default title: the document name field, else
    /// "Untitled".
    virtual void ApplyDefaultTitle(CDocument* document);

    host::UINT m_resourceId;
    const CRuntimeClass* m_docClass;
    const CRuntimeClass* m_frameClass;
    const CRuntimeClass* m_viewClass;
    std::string m_docStrings;
};
