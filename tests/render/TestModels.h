#pragma once
// Model texts for the renderer's tests, varied enough that drawing them in a
// different order or with other normals would show in the pixels.

#include "model/Model.h"

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

// Centred, the pyramid spans -500..500 in x and y and -200..800 in z, with its
// apex at (0, 0, 800) and its square base facing -z. Its first face is a
// quadrilateral, the rest triangles.
inline const char* const kPyramidText = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n"
                                        "1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n";

// A terraced grid of size x size vertices (more than one pool block of them
// for sizes above 8), with cells as pairs of triangles split either way and,
// unless onlyTriangles, as quadrilaterals. Some cells are drawn twice: as a
// quadrilateral (or the pair split the other way) and again as triangles, or a
// triangle again with its corners turned, so that where they lie at equal
// depth the drawing order and the provoking corner decide what shows. The
// first face has its corners on one line; the last is a quadrilateral unless
// onlyTriangles.
inline std::string GridText(int size, bool onlyTriangles = false) {
    std::ostringstream faces;
    int faceCount = 0;
    const auto at = [size](int i, int j) { return 1 + j * size + i; };
    const auto face = [&](auto... corners) {
        ((faces << corners << ' '), ...);
        faces << '\n';
        ++faceCount;
    };
    face(at(0, 0), at(1, 0), at(2, 0));
    for (int j = 0; j + 1 < size; ++j) {
        for (int i = 0; i + 1 < size; ++i) {
            const int a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
            const int kind = (i * 5 + j * 3) % 5;
            const auto splitAlongBD = [&] {
                face(b, c, d);
                face(b, d, a);
            };
            if (kind == 0 || kind == 3) {
                if (onlyTriangles) {
                    splitAlongBD();
                } else {
                    face(a, b, c, d);
                }
            }
            if (kind == 1 || kind == 3) { // split along a-c, over the cell drawn before
                face(a, b, c);
                face(a, c, d);
            }
            if (kind == 2 || kind == 4) {
                splitAlongBD();
            }
            if (kind == 4) { // a triangle again, its corners turned
                face(c, d, b);
            }
        }
    }
    if (!onlyTriangles) {
        face(at(size - 2, size - 2), at(size - 1, size - 2), at(size - 1, size - 1),
             at(size - 2, size - 1));
    }
    std::ostringstream text;
    text << "1\n" << size * size << ' ' << faceCount << '\n';
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            // Terraces along x keep every cell flat, with steps between them.
            text << i - size / 2 << ' ' << j - size / 2 << ' ' << 0.3 * (i % 4) << '\n';
        }
    }
    return text.str() + faces.str();
}

// Edges between points of a helix, crossing each other in depth, some of them
// twice in opposite directions.
inline std::string WireText() {
    constexpr int kPoints = 24;
    std::ostringstream text;
    text << "0\n" << kPoints << ' ' << 2 * kPoints + 1 << '\n';
    for (int i = 0; i < kPoints; ++i) {
        const double t = 0.5 * i;
        text << 3.0 * std::cos(t) << ' ' << 3.0 * std::sin(t) << ' ' << 0.2 * t - 1.2 << '\n';
    }
    for (int i = 0; i < kPoints; ++i) {
        text << i + 1 << ' ' << (i * 5 + 7) % kPoints + 1 << '\n';
        text << i + 1 << ' ' << (i + 1) % kPoints + 1 << '\n';
    }
    text << "2 1\n";
    return text.str();
}

inline std::unique_ptr<Model> LoadModelText(const std::string& text) {
    auto model = std::make_unique<Model>();
    model->OpenText(text, "inline.dat");
    return model;
}

// Links model's vertex list in reverse order, as code building a model by hand
// might: the same records and mesh, but no longer one array in list order.
inline void ReverseVertexList(Model& model) {
    Vertex* reversed = nullptr;
    for (Vertex* vertex = model.vertices; vertex;) {
        Vertex* next = vertex->next;
        vertex->next = reversed;
        reversed = vertex;
        vertex = next;
    }
    model.vertices = reversed;
    model.MarkChanged();
}
