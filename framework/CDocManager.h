#pragma once
// The application's document templates and the flows that start at the new
// and open commands.

#include "platform/HostTypes.h"

#include <memory>
#include <string>
#include <vector>

class CDocTemplate;
class CDocument;

class CDocManager {
public:
    CDocManager();
    ~CDocManager();
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    /// Loads the template's document string and appends it.
    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);

    /// A new document in the first template; "Failed to create empty
    /// document." when there is none.
    void NewDocument();
    /// Asks for a file with the open dialog and opens it; cancel does nothing.
    void PromptAndOpen();
    /// Runs the open-file dialog titled with string titleId, offering each
    /// template's filter (all templates when docTemplate is null) and
    /// "All Files (*.*)". TRUE with name set when the user confirmed.
    host::BOOL PromptFileName(std::string& name, host::UINT titleId, host::DWORD flags,
                              host::BOOL openDialog, CDocTemplate* docTemplate);
    /// Opens path (quotes and relative forms allowed) in the best-matching
    /// template; a document already open on it is brought forward without
    /// reading the file again. Null on failure, already reported.
    CDocument* OpenPath(const std::string& path);
    /// Closes every document of every template.
    void CloseAllDocuments();
    /// Every document of every template.
    std::vector<CDocument*> Documents() const;

    /// Flags of PromptFileName.
    static constexpr host::DWORD kFileMustExist = 0x1000;
    static constexpr host::DWORD kHideReadOnly = 0x0004;

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};
