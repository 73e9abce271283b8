#pragma once

#include "model/NumberScanner.h"
#include "model/TextCursor.h"
#include "model/Vertex.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

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

/// The vertices that indices select: index 1 is the first of count (count >= 1).
struct VertexTable {
    Vertex* first = nullptr;
    std::int32_t count = 0;
};

/// The readers of coordinates, indices and fourth corners below, for text of
/// any form, with no short way.
float ReadCoordinateInFull(TextCursor& cursor);
Vertex* ReadIndexInFull(TextCursor& cursor, const VertexTable& table);
Vertex* ReadFourthCornerInFull(TextCursor& cursor, const VertexTable& table);

// The three readers below are inline, with a short way for the usual forms
// and the ...InFull functions above for the rest: a large model holds
// millions of numbers, and the usual ones are read in one pass without a
// call each.

/// A coordinate: a single-precision value.
inline float ReadCoordinate(TextCursor& cursor) {
    SkipWhitespace(cursor);
    float value = 0.0f;
    if (ScanShortDecimal(cursor, value)) {
        return value;
    }
    return ReadCoordinateInFull(cursor);
}

/// A vertex index, resolved in table: 0 and negative indices select the first
/// vertex; one above the count is refused.
inline Vertex* ReadIndex(TextCursor& cursor, const VertexTable& table) {
    SkipWhitespace(cursor);
    // The short way: a plain decimal of one to nine digits, with no sign or
    // leading 0, that the table holds.
    const char* p = cursor.pos;
    const char* const limit = p + std::min<std::ptrdiff_t>(9, cursor.end - p);
    if (p == limit || *p < '1' || *p > '9') {
        return ReadIndexInFull(cursor, table);
    }
    std::int32_t index = 0;
    for (; p != limit && *p >= '0' && *p <= '9'; ++p) {
        index = index * 10 + (*p - '0');
    }
    if ((p != cursor.end && *p >= '0' && *p <= '9') || index > table.count) {
        return ReadIndexInFull(cursor, table);
    }
    cursor.pos = p;
    return table.first + (index - 1);
}

/// The piece of a face line's tail: at most 19 bytes after the third index,
/// ending early after a line feed, or at the end of the data. Returns the
/// vertex of the index the piece begins with, or null when it begins with none
/// (the face is a triangle). The cursor stands after the piece.
inline Vertex* ReadFourthCorner(TextCursor& cursor, const VertexTable& table) {
    // The short way: the usual line feed, or CR LF, right after the third index.
    const char* p = cursor.pos;
    if (p != cursor.end && *p == '\r') {
        ++p;
    }
    if (p != cursor.end && *p == '\n') {
        cursor.pos = p + 1;
        return nullptr;
    }
    return ReadFourthCornerInFull(cursor, table);
}
