#pragma once
// The mesh sent one begin/end pair per edge or face: the reference that the
// vertex arrays are checked against (DrawFaceByFace), and what sends the rest
// of a list that the arrays cannot (DrawEdgeList, DrawFaceList).

class Model;
struct Edge;
struct Face;

/// Issues model's mesh as Model::Draw specifies, in immediate mode: a wire
/// model (type 0) as one line pair per edge with no normal, a surface model
/// (type 1) as one triangle or quadrilateral per face with every corner's
/// vertex normal; any other type draws nothing. Leaves the last normal sent as
/// the current one. Does nothing without a current context.
void DrawFaceByFace(const Model& model);

/// Issues the edges from first to the end of its list as DrawFaceByFace does;
/// null is an empty list. Needs a current context.
void DrawEdgeList(const Edge* first);

/// Issues the faces from first to the end of its list as DrawFaceByFace does;
/// null is an empty list. Needs a current context.
void DrawFaceList(const Face* first);
