#pragma once
// A document: its title and path, its views, and the framework's steps of
// making it new and opening it from a file.

#include "framework/CCmdTarget.h"
#include "platform/HostTypes.h"

#include <string>
#include <vector>

class CArchive;
class CDocTemplate;
class CException;
class CView;

class CDocument : public CCmdTarget {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CDocument)

    CDocument() = default;
    /// Detaches the views that still point here.
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    /// Own tables first, then the template's.
    host::BOOL RouteCommand(host::UINT id, int code, void* extra, CommandProbe* probe) override;

    /// Empties the document: DeleteContents, no path, not modified. TRUE.
    virtual host::BOOL OnNewDocument();
    /// Opens path for reading (others may read, not write), empties the
    /// document and runs Serialize over a non-empty file. On failure the user
    /// is told (ReportOpenError) and FALSE is returned.
    virtual host::BOOL OnOpenDocument(const std::string& path);
    /// Removes the document's contents. The base has none.
    virtual void DeleteContents();
    /// Reads or writes the contents through ar. The base reads nothing.
    virtual void Serialize(CArchive& ar);
    /// TRUE when the document may be discarded (always when not modified).
    virtual host::BOOL ConfirmDiscard();
    /// Destroys the frames of the views and then, with autoDelete, the
    /// document itself (through its template).
    virtual void OnCloseDocument();
    /// The document's own accelerator table, or null to use the frame's.
    virtual host::HACCEL GetDefaultAccelerator();

    /// Takes the full form of path as the document's path and its file name
    /// as title; with addToRecent the path joins the recent-file list.
    void SetPath(const std::string& path, host::BOOL addToRecent);
    /// Stores the title and refreshes the frames' captions.
    virtual void SetDocTitle(const std::string& title);
    /// Refreshes the caption of every frame that shows a visible view.
    void UpdateFrameTitles();
    /// Shows the message for a failed open of path: nothing for a failure
    /// already reported, the file text for a file failure, "Unexpected file
    /// format." for a malformed archive, else defaultMessageId with the file
    /// title for "%1".
    void ReportOpenError(const std::string& path, const CException* failure, host::BOOL saving,
                         host::UINT defaultMessageId);

    void AddView(CView* view);
    /// Removes view; the last one leaving closes an auto-deleting document.
    void RemoveView(CView* view);

    std::string m_title;
    std::string m_pathName;
    CDocTemplate* m_docTemplate = nullptr; ///< back link; the template owns the document
    std::vector<CView*> m_views;           ///< back links; the frames own the views
    host::BOOL m_modified = host::FALSE;
    host::BOOL m_autoDelete = host::TRUE;
    host::BOOL m_embedded = host::FALSE;

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    /// Save, save as and close: this program never writes a document, so the
    /// commands are accepted and do nothing.
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();
};
