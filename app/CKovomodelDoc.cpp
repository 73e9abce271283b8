#include "app/CKovomodelDoc.h"

#include "app/Resource.h"
#include "app/StartupModels.h"
#include "framework/CWinApp.h"
#include "render/DisplayCommands.h"
#include "render/ReferenceObjects.h"
#include "render/Scene.h"

#include <cassert>
#include <new>

using host::BOOL;

KOVO_IMPLEMENT_CREATABLE(CKovomodelDoc, CDocument)

KOVO_BEGIN_MESSAGE_MAP(CKovomodelDoc, CDocument)
KOVO_ON_COMMAND(ID_DATA_OBJECTS, &CKovomodelDoc::OnDataObjects)
KOVO_ON_COMMAND(ID_MODEL_POINTS, &CKovomodelDoc::OnModelPoints)
KOVO_ON_COMMAND(ID_MODEL_WIRE, &CKovomodelDoc::OnModelWire)
KOVO_ON_COMMAND(ID_MODEL_SOLID, &CKovomodelDoc::OnModelSolid)
KOVO_ON_COMMAND(ID_SHADING_FLAT, &CKovomodelDoc::OnShadingFlat)
KOVO_ON_COMMAND(ID_SHADING_SMOOTH, &CKovomodelDoc::OnShadingSmooth)
KOVO_END_MESSAGE_MAP()

CKovomodelDoc::CKovomodelDoc() {
    // The outcome is not examined: without a usable default the view starts
    // empty, and the user opens a model of his choice.
    try {
        StartupModels::Open(m_model, kDefaultModel);
    } catch (const std::bad_alloc&) {
        // A default too large for memory counts as missing.
        m_model.Clear();
    }
}

CKovomodelDoc::~CKovomodelDoc() = default;

BOOL CKovomodelDoc::OnNewDocument() {
    return host::ToBOOL(CDocument::OnNewDocument() != host::FALSE);
}

BOOL CKovomodelDoc::OnOpenDocument(const std::string& path) {
    if (!CDocument::OnOpenDocument(path)) {
        return host::FALSE;
    }
    // Load beside the current model, so that a rejected file leaves the model
    // on screen, and the framework keeps title, path and recent list as well.
    Model loaded;
    if (!StartupModels::Open(loaded, path)) {
        assert(CWinApp::Current() != nullptr && "documents live inside an application");
        CWinApp::Current()->ShowMessage(IDS_UNEXPECTED_FORMAT,
                                        host::MB_OK | host::MB_ICONEXCLAMATION);
        return host::FALSE;
    }
    m_model.Swap(loaded);
    return host::TRUE;
}

void CKovomodelDoc::Serialize(CArchive& /*archive*/) {}

void CKovomodelDoc::DrawScene() const {
    ::DrawScene(m_angleY, m_angleX, m_distance, m_model, g_showReferenceObjects);
}

void CKovomodelDoc::OnDataObjects() {
    ToggleReferenceObjects();
    DrawScene();
}

void CKovomodelDoc::OnModelPoints() {
    ShowPoints();
}

void CKovomodelDoc::OnModelWire() {
    ShowWire();
}

void CKovomodelDoc::OnModelSolid() {
    ShowSolid();
}

void CKovomodelDoc::OnShadingFlat() {
    ShadeFlat();
    DrawScene();
}

void CKovomodelDoc::OnShadingSmooth() {
    ShadeSmooth();
    DrawScene();
}
