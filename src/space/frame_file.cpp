// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/frame_file.h"

#include "platform/files.h"
#include "platform/host.h"
#include "platform/translation.h"
#include "space/letter_code.h"
#include "space/solid_file_io.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace kestrane {

namespace {

constexpr int kColourLetters = 6;
constexpr char kLastColourLetter = 'A' + 15;

// Truncation toward zero; positions far outside the window (and NaN) are
// pinned first so that the conversion is defined.
int windowInteger(float value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -1.0e6f, 1.0e6f));
}

void appendColour(std::string& bytes, ColorRef colour)
{
    // From the blue high nibble down to the red low one.
    for (int shift = 20; shift >= 0; shift -= 4)
        bytes += static_cast<char>('A' + ((colour >> shift) & 0xF));
}

class FrameDecoder {
public:
    explicit FrameDecoder(std::string_view bytes) : m_bytes(bytes) {}

    DecodedFrames decode()
    {
        DecodedFrames decoded;
        while (m_position < m_bytes.size()) {
            Frame& frame = decoded.frames.emplace_back();
            if (!this->frame(frame)) {
                decoded.malformed = true;
                decoded.badFrame = static_cast<int>(decoded.frames.size());
                decoded.badByte = m_position;
                decoded.frames.pop_back();
                break;
            }
        }
        return decoded;
    }

private:
    // A code no greater than `limit`; on refusal the position stays at it.
    std::optional<int> code(int limit = kLetterCodeMax)
    {
        std::size_t start = m_position;
        std::optional<int> value = readLetterCode(m_bytes, m_position);
        if (value && *value > limit) {
            m_position = start;
            return {};
        }
        return value;
    }

    std::optional<ColorRef> colour()
    {
        if (m_position + kColourLetters > m_bytes.size()) {
            m_position = m_bytes.size();
            return {};
        }
        ColorRef colour = 0;
        for (int index = 0; index < kColourLetters; ++index, ++m_position) {
            char letter = m_bytes[m_position];
            if (letter < 'A' || letter > kLastColourLetter)
                return {};
            colour = colour << 4 | static_cast<ColorRef>(letter - 'A');
        }
        return colour;
    }

    bool frame(Frame& frame)
    {
        std::optional<int> faceCount = code();
        std::optional<int> frontCount = faceCount ? code(*faceCount) : std::nullopt;
        std::optional<int> pointCount = frontCount ? code(kFramePointsMax) : std::nullopt;
        if (!pointCount)
            return false;
        frame.faceCount = *faceCount;
        frame.points.resize(static_cast<std::size_t>(*pointCount));
        for (FramePoint& point : frame.points) {
            std::optional<int> x = code();
            std::optional<int> y = x ? code() : std::nullopt;
            if (!y)
                return false;
            point = {*x, *y};
        }
        frame.frontFaces.resize(static_cast<std::size_t>(*frontCount));
        for (FrameFace& face : frame.frontFaces) {
            if (!this->face(face, *pointCount))
                return false;
        }
        return true;
    }

    bool face(FrameFace& face, int pointCount)
    {
        std::size_t start = m_position;
        std::optional<int> vertexCount = code();
        if (vertexCount == 0)
            m_position = start;
        if (!vertexCount || *vertexCount == 0)
            return false;
        std::optional<ColorRef> colour = this->colour();
        if (!colour)
            return false;
        face.colour = *colour;
        face.points.resize(static_cast<std::size_t>(*vertexCount));
        for (int& index : face.points) {
            std::optional<int> value = code(pointCount - 1);
            if (!value)
                return false;
            index = *value;
        }
        return true;
    }

    std::string_view m_bytes;
    std::size_t m_position = 0;
};

} // namespace

std::optional<Frame> makeFrame(int faceCount, std::span<const ProjectedFace> frontFaces)
{
    Frame frame;
    frame.faceCount = faceCount;
    std::unordered_map<std::int64_t, int> pointIndex;
    for (const ProjectedFace& projected : frontFaces) {
        // A face without vertices draws nothing and could not be read back.
        if (projected.vertices.empty())
            continue;
        FrameFace& face = frame.frontFaces.emplace_back();
        face.colour = projected.colour;
        for (auto [xFloat, yFloat] : projected.vertices) {
            int x = windowInteger(xFloat);
            int y = windowInteger(yFloat);
            std::int64_t key = static_cast<std::int64_t>(x) << 32 | static_cast<std::uint32_t>(y);
            auto [entry, added] = pointIndex.try_emplace(key, static_cast<int>(frame.points.size()));
            if (added) {
                if (frame.points.size() == kFramePointsMax)
                    return {};
                frame.points.push_back(
                    {std::clamp(x, 0, kLetterCodeMax), std::clamp(y, 0, kLetterCodeMax)});
            }
            face.points.push_back(entry->second);
        }
    }
    return frame;
}

void appendFrame(std::string& bytes, const Frame& frame)
{
    appendLetterCode(bytes, frame.faceCount);
    appendLetterCode(bytes, static_cast<int>(frame.frontFaces.size()));
    appendLetterCode(bytes, static_cast<int>(frame.points.size()));
    for (const FramePoint& point : frame.points) {
        appendLetterCode(bytes, point.x);
        appendLetterCode(bytes, point.y);
    }
    for (const FrameFace& face : frame.frontFaces) {
        appendLetterCode(bytes, static_cast<int>(face.points.size()));
        appendColour(bytes, face.colour);
        for (int index : face.points)
            appendLetterCode(bytes, index);
    }
}

DecodedFrames decodeFrameFile(std::string_view bytes)
{
    return FrameDecoder(bytes).decode();
}

bool FrameFileWriter::add(int faceCount, std::span<const ProjectedFace> frontFaces)
{
    std::optional<Frame> frame = makeFrame(faceCount, frontFaces);
    if (!frame) {
        m_tooManyPoints = true;
        return false;
    }
    add(*frame);
    return true;
}

void FrameFileWriter::add(const Frame& frame)
{
    appendFrame(m_bytes, frame);
}

bool FrameFileWriter::finish(const std::filesystem::path& path, std::string_view name,
                             Host& host) const
{
    if (m_tooManyPoints) {
        showFileError(host, translate("Too many points in a frame. File '") + std::string(name) +
                                translate("' is not written."));
        return false;
    }
    return replaceSolidFile(path, name, m_bytes, host);
}

} // namespace kestrane
