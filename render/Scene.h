#pragma once
// One frame of the scene: the model, and the reference objects when shown.

class Model;

/// Draws one whole frame into the current context's draw buffer without
/// presenting it: clears to black, sets the one light (fixed to the viewer,
/// shining from the right, above and the front), places the model turned by
/// angleY about its Y axis, tilted by angleX about the eye's X axis (degrees)
/// and distance units in front of the eye, and draws it, with the reference
/// objects when showReferenceObjects is set, in a green material. Expects the
/// modelview matrix mode with the identity, as DrawingSurface::Resize leaves
/// it, and leaves the matrix as it found it. Any distance is accepted: parts
/// nearer than 1 or farther than 6000 units are clipped. Does nothing without
/// a current context.
void DrawScene(double angleY, double angleX, double distance, const Model& model,
               bool showReferenceObjects);

/// The same frame with the mesh sent by drawMesh in place of Model::Draw: the
/// seam through which tests and benchmarks compare ways of sending the mesh in
/// frames that are otherwise identical. drawMesh must not be null (asserted).
void DrawScene(double angleY, double angleX, double distance, const Model& model,
               bool showReferenceObjects, void (*drawMesh)(const Model&));

/// Has the renderer make, ahead of need, what it makes at a surface model's
/// first frame: its programs for the current shade model and polygon mode,
/// built by drawing one small triangle of the scene off screen, into the draw
/// buffer. Every OpenGL state it changes is restored, the current normal
/// included; what it leaves in the draw buffer is cleared by the next frame
/// like any other. Does nothing without a current context.
void PrepareSceneDrawing();
