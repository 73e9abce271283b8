#include "framework/CDocTemplate.h"

#include "framework/CCreationContext.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/FilePath.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkText.h"
#include "framework/ResourceRegistry.h"
#include "platform/AsciiText.h"

using host::UINT;

KOVO_IMPLEMENT_RUNTIME_CLASS(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_resourceId(resourceId), m_docClass(docClass), m_frameClass(frameClass),
      m_viewClass(viewClass) {}

void CDocTemplate::LoadTemplate() {
    m_docStrings = ResourceRegistry::LoadString(m_resourceId);
}

std::string CDocTemplate::GetDocString(DocStringIndex index) const {
    return DocStringField(m_docStrings, index);
}

CDocTemplate::Confidence CDocTemplate::MatchPath(const std::string& path, CDocument*& match) const {
    match = nullptr;
    for (CDocument* document : Documents()) {
        if (SamePath(document->m_pathName, path)) {
            match = document;
            return AlreadyOpen;
        }
    }
    const std::string extension = GetDocString(FilterExt);
    const std::size_t dot = path.rfind('.');
    if (!extension.empty() && dot != std::string::npos &&
        host::EqualsIgnoringAsciiCase(path.substr(dot), extension)) {
        return NativeExtension;
    }
    return ForeignAttempt;
}

CFrameWnd* CDocTemplate::CreateFrame(CDocument* document) {
    std::unique_ptr<CObject> object = m_frameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(object.get());
    if (frame == nullptr) {
        return nullptr;
    }
    object.release(); // a frame owns itself from here on
    CCreationContext context;
    context.m_newViewClass = m_viewClass;
    context.m_currentDoc = document;
    context.m_newDocTemplate = this;
    const UINT style = host::WS_OVERLAPPEDWINDOW | fw::FWS_ADDTOTITLE;
    if (!frame->CreateFromResource(m_resourceId, style, &context)) {
        return nullptr;
    }
    return frame;
}

void CDocTemplate::ApplyDefaultTitle(CDocument* document) {
    std::string title = GetDocString(DocName);
    if (title.empty()) {
        title = ResourceRegistry::LoadString(fw::IDS_UNTITLED);
    }
    document->SetDocTitle(title);
}
