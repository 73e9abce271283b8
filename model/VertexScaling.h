#pragma once

#include <cstddef>

struct Vertex;

/// How many vertices a thread takes at a time when a pass over the loader's
/// array is shared out: a few hundred kilobytes, enough to share among
/// threads, large enough that handing them out costs nothing.
constexpr std::size_t kVerticesPerRange = 16384;

/// Completes count vertices read by VertexRecords, which hold their three
/// coordinates as read in the place of their normal: each coordinate becomes
/// the product scale * value, formed exactly and truncated toward zero; the
/// normal becomes (0, 0, 0); each vertex links to the one after it and the
/// last to null. Works on up to threads threads.
void ScaleVertices(Vertex* vertices, std::size_t count, float scale, unsigned threads);
