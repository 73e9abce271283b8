#include "model/TextReading.h"

#include "model/ModelText.h"
#include "model/NumberScanner.h"
#include "model/ParseFailure.h"
#include "model/Vertex.h"

#include <algorithm>
#include <string>

// A face line's tail is read as one piece of at most this many characters, as
// by a 20-character line buffer; the rest of a longer tail stays in the stream.
static constexpr std::ptrdiff_t kTailPieceLength = 19;

std::int32_t ReadInteger(TextCursor& cursor, const char* what) {
    std::int32_t value = 0;
    switch (ScanInteger(cursor, value)) {
    case ScanResult::Number:
        return value;
    case ScanResult::OutOfRange:
        throw ParseFailure(cursor.pos, std::string(what) + " within the 32-bit range");
    case ScanResult::NoNumber:
        break;
    }
    throw ParseFailure(cursor.pos, what);
}

std::int32_t ReadCount(TextCursor& cursor, const char* what, const char* atLeastOne,
                       const char** at) {
    SkipWhitespace(cursor);
    *at = cursor.pos;
    const std::int32_t count = ReadInteger(cursor, what);
    if (count < 1) {
        throw ParseFailure(*at, atLeastOne);
    }
    return count;
}

float ReadCoordinateInFull(TextCursor& cursor) {
    float value = 0.0f;
    switch (ScanFloat(cursor, value)) {
    case ScanResult::Number:
        return value;
    case ScanResult::OutOfRange:
        throw ParseFailure(cursor.pos, "a coordinate within the single-precision range");
    case ScanResult::NoNumber:
        break;
    }
    throw ParseFailure(cursor.pos, "a coordinate");
}

static Vertex* Resolve(std::int32_t index, const char* at, const VertexTable& table) {
    if (index > table.count) {
        throw ParseFailure(at, "a vertex index of at most " + std::to_string(table.count));
    }
    return table.first + (std::max(index, std::int32_t{1}) - 1);
}

Vertex* ReadIndexInFull(TextCursor& cursor, const VertexTable& table) {
    SkipWhitespace(cursor);
    const char* at = cursor.pos;
    return Resolve(ReadInteger(cursor, "a vertex index"), at, table);
}

// The piece ends after its line feed, or at the end of the data when that comes
// first; the Ctrl+Z that ends the data is not part of it.
static const char* TailPieceEnd(const TextCursor& cursor) {
    const char* limit = cursor.pos + std::min(kTailPieceLength, cursor.end - cursor.pos);
    for (const char* p = cursor.pos; p != limit; ++p) {
        if (*p == '\n') {
            return p + 1;
        }
        if (*p == ModelText::kEndOfData) {
            return p;
        }
    }
    return limit;
}

Vertex* ReadFourthCornerInFull(TextCursor& cursor, const VertexTable& table) {
    TextCursor piece{cursor.pos, TailPieceEnd(cursor)};
    cursor.pos = piece.end;
    SkipWhitespace(piece);
    const char* at = piece.pos;
    std::int32_t index = 0;
    switch (ScanInteger(piece, index)) {
    case ScanResult::Number:
        return Resolve(index, at, table);
    case ScanResult::OutOfRange:
        throw ParseFailure(at, "a vertex index within the 32-bit range");
    case ScanResult::NoNumber:
        break; // a triangle: the tail holds no fourth index
    }
    return nullptr;
}
