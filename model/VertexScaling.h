#pragma once

#include <cstddef>

struct Vertex;

/// Completes count vertices read by VertexRecords, which hold their three
/// coordinates as read in the place of their normal: each coordinate becomes
/// the product scale * value, formed exactly and truncated toward zero; the
/// normal becomes (0, 0, 0); each vertex links to the one after it and the
/// last to null. Works on up to threads threads.
void ScaleVertices(Vertex* vertices, std::size_t count, float scale, unsigned threads);
