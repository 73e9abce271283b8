#include "tools/DatFormat.h"

#include "model/FileMesh.h"
#include "model/ModelText.h"
#include "support/AsciiSpace.h"
#include "support/Parallel.h"
#include "tools/ConvertError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// Takes the next run of characters that is not white space, if any.
bool NextWord(std::string_view& text, std::string_view& word) {
    const auto start = std::find_if_not(text.begin(), text.end(), IsAsciiSpace);
    const auto stop = std::find_if(start, text.end(), IsAsciiSpace);
    if (start == stop || stop == text.end()) {
        return false; // a word that may go on past the head is not judged
    }
    word = text.substr(start - text.begin(), stop - start);
    text.remove_prefix(stop - text.begin());
    return true;
}

bool IsInteger(std::string_view word, long& value) {
    std::string text(word);
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return !text.empty() && *end == '\0';
}

// A word that begins as a coordinate does; where it breaks the format, the
// loader names the place.
bool StartsCoordinate(std::string_view word) {
    return std::string_view("+-.0123456789").find(word.front()) != std::string_view::npos;
}

// Copied on every core, as the file was read: a large model's copy took a
// good part of converting it.
Mesh MeshOf(const FileMesh& file) {
    constexpr std::size_t kRange = std::size_t{1} << 16;
    const unsigned threads = AvailableProcessors();
    Mesh mesh;
    mesh.type = file.Type();
    mesh.positions.resize(file.VertexCount());
    RunInRanges(mesh.positions.size(), kRange, threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            mesh.positions[i] = file.Position(i);
        }
    });
    mesh.elements.resize(file.ElementCount());
    RunInRanges(mesh.elements.size(), kRange, threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            Mesh::Element& element = mesh.elements[i];
            const int count = file.Corners(i, element);
            std::fill(element.begin() + count, element.end(), Mesh::kNoCorner);
        }
    });
    return mesh;
}

template <typename Number> void Append(std::string& out, Number value, char after) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
    out += after;
}

void CheckHoldable(const Mesh& mesh) {
    constexpr std::size_t kMost = std::numeric_limits<std::int32_t>::max();
    if (mesh.positions.empty() || mesh.elements.empty()) {
        throw ConvertError("a model file needs at least one vertex and one element");
    }
    if (mesh.positions.size() > kMost || mesh.elements.size() > kMost) {
        throw ConvertError("a model file holds at most 2147483647 vertices and elements");
    }
    for (const auto& position : mesh.positions) {
        if (!std::isfinite(position[0]) || !std::isfinite(position[1]) ||
            !std::isfinite(position[2])) {
            throw ConvertError(
                "a coordinate is not a finite number, which a model file cannot hold");
        }
    }
}

} // namespace

bool LooksLikeModel(std::string_view head) {
    head = head.substr(0, head.find(ModelText::kEndOfData));
    const bool text = std::all_of(head.begin(), head.end(), [](char c) {
        return IsAsciiSpace(c) || static_cast<unsigned char>(c) >= 0x20;
    });
    std::string_view word;
    long numbers[3] = {};
    for (long& number : numbers) {
        if (!text || !NextWord(head, word) || !IsInteger(word, number)) {
            return false;
        }
    }
    return numbers[1] >= 1 && numbers[2] >= 1 && NextWord(head, word) && StartsCoordinate(word);
}

Mesh ReadDatFile(const std::string& path) {
    FileMesh file;
    file.Read(path);
    return MeshOf(file);
}

Mesh ReadDatText(std::string_view text, const std::string& name) {
    FileMesh file;
    file.ReadText(text, name);
    return MeshOf(file);
}

void WriteDat(const Mesh& mesh, std::string& out) {
    CheckHoldable(mesh);
    out.reserve(out.size() + mesh.positions.size() * 30 + mesh.elements.size() * 24);
    Append(out, mesh.type, '\n');
    Append(out, mesh.positions.size(), ' ');
    Append(out, mesh.elements.size(), '\n');
    for (const auto& position : mesh.positions) {
        Append(out, position[0], ' ');
        Append(out, position[1], ' ');
        Append(out, position[2], '\n');
    }
    for (const Mesh::Element& element : mesh.elements) {
        const int count = element[2] == Mesh::kNoCorner ? 2 : element[3] == Mesh::kNoCorner ? 3 : 4;
        for (int i = 0; i < count; ++i) {
            Append(out, std::uint64_t{element[i]} + 1, i + 1 == count ? '\n' : ' ');
        }
    }
}
