#pragma once
// The document: the model on show and the camera it is seen from.

#include "framework/CDocument.h"
#include "model/Model.h"

#include <string>

class CKovomodelDoc : public CDocument {
public:
    KOVO_DECLARE_CREATABLE(CKovomodelDoc)

    /// The model every document starts with, read from the current directory.
    static constexpr const char* kDefaultModel = "dom.dat";

    /// Loads the default model kDefaultModel from the current directory. A missing
    /// or malformed default leaves the model empty and reports nothing: the
    /// program then starts with an empty view.
    CKovomodelDoc();
    ~CKovomodelDoc() override;

    /// A new document keeps the model and the camera; only the framework's
    /// title and path change. FALSE when the framework's step fails.
    host::BOOL OnNewDocument() override;

    /// Replaces the model by the one in path. FALSE, with nothing changed,
    /// when the file cannot be opened (reported by the framework) or when the
    /// loader rejects it (reported here as "Unexpected file format."). The
    /// camera is kept either way.
    host::BOOL OnOpenDocument(const std::string& path) override;

    /// The model never passes through the framework's archive: reads and
    /// writes nothing.
    void Serialize(CArchive& archive) override;

    /// Draws one frame of the model from the camera into the current OpenGL
    /// context without presenting it. Does nothing without a current context.
    void DrawScene() const;

    double m_angleY = 0.0;      ///< degrees about the model's Y axis
    double m_angleX = 0.0;      ///< degrees about the eye's X axis
    double m_distance = 1500.0; ///< model units from the eye to the model's origin
    Model m_model;

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    void OnDataObjects();
    void OnModelPoints();
    void OnModelWire();
    void OnModelSolid();
    void OnShadingFlat();
    void OnShadingSmooth();
};
