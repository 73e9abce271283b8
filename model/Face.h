#pragma once

struct Vertex;

/// One face of a surface model: a triangle a, b, c or, when d is set, the
/// quadrilateral a, b, c, d. Faces form a singly linked list in file order.
struct Face {
    Vertex* a = nullptr; // corners, owned by the model's vertex list
    Vertex* b = nullptr;
    Vertex* c = nullptr;
    Vertex* d = nullptr;  // fourth corner of a quadrilateral; null for a triangle
    Face* next = nullptr; // next face in file order; not owned
    float nx = 0.0f;
    float ny = 0.0f;
    float nz = 0.0f;

    /// Sets the unit normal (b - a) x (c - a) from the corners' current integer
    /// positions; d takes no part. Corners on one line give no direction, and
    /// the normal is then (0, 0, 0). Requires a, b and c to be set.
    void ComputeNormal();

    /// Sets the normal to (b - a) x (c - a) itself, not yet scaled to unit
    /// length, so that the normals of many faces can be scaled together
    /// (NormalizeNormals). Requires a, b and c to be set.
    void ComputeDirection();
};
