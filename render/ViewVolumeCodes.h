#pragma once
// Which side of the view volume each vertex lies beyond, so that a mesh's
// primitives that cannot show are not sent to the renderer at all.

#include "model/Vertex.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

/// One code per vertex of an array: a bit for each of the six sides of the
/// view volume that the vertex lies beyond, judged with room to spare for the
/// renderer's rounding and for primitives drawn wider than a pixel. A point,
/// line or polygon whose corners all lie beyond one same side makes no
/// fragment: leaving it out changes no pixel.
class ViewVolumeCodes {
public:
    /// A view volume in clip space.
    struct Volume {
        /// Projection times modelview, column by column as OpenGL keeps them.
        std::array<double, 16> clip{};
        /// How far beyond the left and right (reachX) and the bottom and top
        /// (reachY) sides a primitive may still make fragments, as a fraction
        /// of the volume's half width and half height: wide points and lines.
        double reachX = 0.0;
        double reachY = 0.0;
    };

    /// The volume of the current context: its modelview and projection
    /// matrices, viewport, point size and line width. Needs a current context.
    static Volume CurrentVolume();

    /// Codes vertices[0, count) against volume, in place of the codes before.
    /// A volume with a NaN or an infinity in it, or a number too large for
    /// single precision, codes every vertex 0, so that nothing is left out; a
    /// vertex near enough to a side that rounding might put it on either is
    /// not coded as beyond it. A large array is shared out among the
    /// processors, each coding vertices of its own.
    void Compute(const Volume& volume, const Vertex* vertices, std::size_t count);

    /// Whether the vertices at places[0, count) all lie beyond one same side.
    /// Every place must be below the count last coded (asserted).
    bool AllBeyondOneSide(const std::uint32_t* places, std::size_t count) const noexcept {
        // Inline: a mesh of millions of faces asks for each of them in every frame.
        std::uint8_t common = 0xff;
        for (std::size_t i = 0; i < count; ++i) {
            assert(places[i] < m_codes.size() && "a place within the vertices coded");
            common &= m_codes[places[i]];
        }
        return common != 0;
    }

    /// The bytes that the codes take.
    std::size_t ByteSize() const noexcept { return m_codes.capacity(); }

private:
    std::vector<std::uint8_t> m_codes;
};
