#pragma once
// The mesh sent one begin/end pair per edge or face: the reference that the
// vertex arrays are checked against, and what draws a model whose records the
// arrays cannot number.

class Model;

/// Issues model's mesh as Model::Draw specifies, in immediate mode: a wire
/// model (type 0) as one line pair per edge with no normal, a surface model
/// (type 1) as one triangle or quadrilateral per face with every corner's
/// vertex normal; any other type draws nothing. Leaves the last normal sent as
/// the current one. Does nothing without a current context.
void DrawFaceByFace(const Model& model);
