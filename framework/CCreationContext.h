#pragma once
// What a frame needs to build its contents, passed through window creation:
// the view class to create and the document and template it belongs to.

struct CRuntimeClass;
class CDocument;
class CDocTemplate;

struct CCreationContext {
    const CRuntimeClass* m_newViewClass = nullptr; ///< the view to create, or null
    CDocument* m_currentDoc = nullptr;             ///< the document the view shows
    CDocTemplate* m_newDocTemplate = nullptr;
};
