// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrane {

class Host;

// The frame files of animated views: frames one after another to the end of
// the file, every number in the two-letter code (letter_code.h). One frame:
// the polyhedron's face count N, the front face count F, the point count K,
// the K window points (x then y), then each front face in face order: its
// vertex count, its colour as six letters 'A' + nibble (blue high, blue low,
// green high, green low, red high, red low), and the index of each vertex's
// point in the table.

inline constexpr int kFramePointsMax = 4000;

struct FramePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const FramePoint&, const FramePoint&) = default;
};

struct FrameFace {
    ColorRef colour = kWhite;
    // Indices into the frame's points, one per vertex (no closing repeat).
    std::vector<int> points;
    friend bool operator==(const FrameFace&, const FrameFace&) = default;
};

struct Frame {
    int faceCount = 0;
    std::vector<FramePoint> points;
    std::vector<FrameFace> frontFaces;
    friend bool operator==(const Frame&, const Frame&) = default;
};

// A front face of the view as the frame takes it: the shaded colour and the
// window position of each vertex (no closing repeat).
struct ProjectedFace {
    ColorRef colour = kWhite;
    std::vector<std::pair<float, float>> vertices;
};

// The frame of a view with `faceCount` faces whose front faces are given in
// face order. Window positions become integers by truncation toward zero;
// vertices with equal integer x and y share one point, in order of first
// appearance; coordinates outside the code's range are kept clamped to it.
// A face without vertices is left out.
// Nothing when the frame would need more than kFramePointsMax points.
std::optional<Frame> makeFrame(int faceCount, std::span<const ProjectedFace> frontFaces);

// Appends the frame's bytes.
void appendFrame(std::string& bytes, const Frame& frame);

// The frames of a frame file, or where it went wrong: the frame (counted
// from 1) that is cut short, refers to a point index >= K, has a colour
// letter outside 'A'..'P', more front faces than faces, more than
// kFramePointsMax points, a face without vertices, or a byte that is not a
// letter of the code; and the byte offset (from 0) where that was found.
struct DecodedFrames {
    std::vector<Frame> frames;
    bool malformed = false;
    int badFrame = 0;
    std::size_t badByte = 0;
};
DecodedFrames decodeFrameFile(std::string_view bytes);

// Collects the frames of one file and writes them at once, so that a file is
// either whole or not written.
class FrameFileWriter {
public:
    // Adds the next frame (see makeFrame); false when it has too many points,
    // after which finish() writes nothing.
    bool add(int faceCount, std::span<const ProjectedFace> frontFaces);
    void add(const Frame& frame);

    // Replaces the file with the frames. Refusals are message boxes (caption
    // "Error.", OK and Cancel): "Too many points in a frame. File 'NAME' is
    // not written." and "Could not write file 'NAME'.".
    bool finish(const std::filesystem::path& path, std::string_view name, Host& host) const;

    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    bool m_tooManyPoints = false;
};

} // namespace kestrane
