#pragma once

#include <cstddef>
#include <functional>

struct Vertex;

/// How many vertices a thread takes at a time when a pass over the loader's
/// array is shared out: a few hundred kilobytes, enough to share among
/// threads, large enough that handing them out costs nothing, small enough to
/// stay in a core's cache. A multiple of ten, so that the blocks of ten that
/// centring sums never straddle two ranges.
constexpr std::size_t kVerticesPerRange = 20480;

/// Completes count vertices read by VertexRecords, which hold their three
/// coordinates as read in the place of their normal: each coordinate becomes
/// the product scale * value, formed exactly and truncated toward zero; the
/// normal becomes (0, 0, 0); each vertex links to the one after it and the
/// last to null. Works on up to threads threads. Where thenInRange is set,
/// the thread that scaled a range of the vertices calls it with that range,
/// [begin, end), right after, while they are still in its cache; every range
/// begins at a multiple of kVerticesPerRange, and all but the last end at one.
void ScaleVertices(Vertex* vertices, std::size_t count, float scale, unsigned threads,
                   const std::function<void(std::size_t, std::size_t)>& thenInRange = {});
