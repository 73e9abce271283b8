#include "app/CKovomodelDoc.h"

#include "app/Resource.h"
#include "app/StartupModels.h"
#include "framework/CWinApp.h"
#include "platform/FontConfigurationLoad.h"
#include "platform/HostMenu.h"
#include "render/DisplayCommands.h"
#include "render/ReferenceObjects.h"
#include "render/Scene.h"

#include <cassert>

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
    StartupModels::Open(m_model, kDefaultModel);
}

CKovomodelDoc::~CKovomodelDoc() = default;

BOOL CKovomodelDoc::OnNewDocument() {
    return host::ToBOOL(CDocument::OnNewDocument() != host::FALSE);
}

// What the first frame would otherwise wait for: the programs that draw the
// scene, which the GL driver compiles, and the menu bar's font, whose
// configuration is read meanwhile on the other processor. A large model read
// ahead ends with centring and vertex normals on one processor, and this is
// done beside them; a model already read has the processors free. Done once:
// later frames find both made.
static void PrepareFirstFrame() {
    static bool s_prepared = false;
    if (s_prepared) {
        return;
    }
    s_prepared = true;
    {
        const host::FontConfigurationLoad fonts;
        PrepareSceneDrawing();
    }
    host::PrepareMenuFont();
}

BOOL CKovomodelDoc::OnOpenDocument(const std::string& path) {
    if (!CDocument::OnOpenDocument(path)) {
        return host::FALSE;
    }
    // Load beside the current model, so that a rejected file leaves the model
    // on screen, and the framework keeps title, path and recent list as well.
    Model loaded;
    if (!StartupModels::Open(loaded, path, PrepareFirstFrame)) {
        assert(CWinApp::Current() != nullptr && "documents live inside an application");
        CWinApp::Current()->ShowMessage(IDS_UNEXPECTED_FORMAT,
                                        host::MB_OK | host::MB_ICONEXCLAMATION);
        return host::FALSE;
    }
    PrepareFirstFrame();
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
