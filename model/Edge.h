#pragma once

struct Vertex;

/// One edge of a wire model: the segment between two vertices of the same
/// model. Edges form a singly linked list in file order.
struct Edge {
    Vertex* a = nullptr;  // end point, owned by the model's vertex list
    Vertex* b = nullptr;  // end point, owned by the model's vertex list
    Edge* next = nullptr; // next edge in file order; not owned
};
