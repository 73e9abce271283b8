#pragma once

#include <cstddef>

struct Face;
struct Vertex;

/// Gives every vertex of the list the normalised sum of the normals of the
/// faces that use it, once per corner; a zero sum gives (0, 0, 0). The work is
/// cut into shares (at least 1), run on as many threads, with the result of
/// one: each share is a range of array, the model's vertex array of count
/// vertices, and adds the faces' normals, in list order, to the corners in its
/// range, so every vertex receives its terms in the same order. Vertices of the
/// list outside the array, if any, belong to the first share. Every share
/// reads all the faces: more shares pay only where memory keeps up with more
/// cores.
void SumVertexNormals(Vertex* list, const Face* faces, Vertex* array, std::size_t count,
                      unsigned shares);
