#pragma once

#include "model/TextCursor.h"

#include <cstdint>

struct Vertex;

// Reading the numbers of a model text, each after optional white space. Where
// the text holds no such number, each throws a ParseFailure that names the
// place and what was expected; the cursor then stands there.

/// An integer for the header; what names it, e.g. "the model type".
std::int32_t ReadInteger(TextCursor& cursor, const char* what);

/// A count of the header: an integer of at least 1; what names it, e.g. "the
/// vertex count", and atLeastOne says what a smaller one lacks. The cursor
/// stands after it; *at gets where it began.
std::int32_t ReadCount(TextCursor& cursor, const char* what, const char* atLeastOne,
                       const char** at);

/// A coordinate: a single-precision value.
float ReadCoordinate(TextCursor& cursor);

/// The vertices that indices select: index 1 is the first of count (count >= 1).
struct VertexTable {
    Vertex* first = nullptr;
    std::int32_t count = 0;
};

/// A vertex index, resolved in table: 0 and negative indices select the first
/// vertex; one above the count is refused.
Vertex* ReadIndex(TextCursor& cursor, const VertexTable& table);

/// The piece of a face line's tail: at most 19 bytes after the third index,
/// ending early after a line feed, or at the end of the data. Returns the
/// vertex of the index the piece begins with, or null when it begins with none
/// (the face is a triangle). The cursor stands after the piece.
Vertex* ReadFourthCorner(TextCursor& cursor, const VertexTable& table);
