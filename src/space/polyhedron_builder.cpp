// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/polyhedron_builder.h"

#include "space/face_palette.h"
#include "space/polyhedron_operations.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

// Template corners match openings closer than this.
constexpr double kOpeningTolerance = 0.5;

bool roughlyEqual(const FloatPoint& a, const FloatPoint& b)
{
    constexpr double kRough = 2 * kSpaceTolerance;
    return std::fabs(static_cast<double>(a.x) - b.x) <= kRough &&
           std::fabs(static_cast<double>(a.y) - b.y) <= kRough &&
           std::fabs(static_cast<double>(a.z) - b.z) <= kRough;
}

bool sameEdge(const EdgeRecord& edge, const LongTriple& first, const LongTriple& second)
{
    return (spaceEqual(edge.first, first) && spaceEqual(edge.second, second)) ||
           (spaceEqual(edge.first, second) && spaceEqual(edge.second, first));
}

double squaredDistance(const LongTriple& a, const LongTriple& b)
{
    LongTriple offset = minus(a, b);
    return toDouble(dot(offset, offset));
}

// The 2-dimensional cross product a × b.
LongNum planeCross(const LongTriple& a, const LongTriple& b)
{
    return minus(times(a.x, b.y), times(a.y, b.x));
}

bool straight(const LongTriple& far1, const LongTriple& shared, const LongTriple& far2)
{
    constexpr double kStraight = 1e-9;
    LongTriple first = minus(far1, shared);
    LongTriple second = minus(far2, shared);
    double area = toDouble(length(cross(first, second)));
    return area <= kStraight * toDouble(length(first)) * toDouble(length(second));
}

} // namespace

std::vector<std::pair<LongTriple, LongTriple>> edgesOf(const Face& face)
{
    std::vector<std::pair<LongTriple, LongTriple>> edges;
    for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
        edges.emplace_back(face.vertices[corner], face.vertices[corner + 1]);
    return edges;
}

// --- Edge set --------------------------------------------------------------------

std::optional<int> EdgeSet::add(const LongTriple& first, const LongTriple& second)
{
    int found = find(first, second);
    if (found >= 0) {
        ++m_edges[static_cast<std::size_t>(found)].useCount;
        return found;
    }
    if (m_edges.size() >= kCapacity)
        return {};
    m_edges.push_back({first, second, first.floats(), second.floats(), 0});
    return static_cast<int>(m_edges.size() - 1);
}

int EdgeSet::find(const LongTriple& first, const LongTriple& second) const
{
    FloatPoint firstFloats = first.floats();
    FloatPoint secondFloats = second.floats();
    for (std::size_t index = m_edges.size(); index-- > 0;) {
        const EdgeRecord& edge = m_edges[index];
        bool near = (roughlyEqual(edge.firstFloats, firstFloats) &&
                     roughlyEqual(edge.secondFloats, secondFloats)) ||
                    (roughlyEqual(edge.firstFloats, secondFloats) &&
                     roughlyEqual(edge.secondFloats, firstFloats));
        if (near && sameEdge(edge, first, second))
            return static_cast<int>(index);
    }
    return -1;
}

std::size_t EdgeSet::missing(const std::vector<std::pair<LongTriple, LongTriple>>& edges) const
{
    return static_cast<std::size_t>(
        std::count_if(edges.begin(), edges.end(),
                      [&](const auto& edge) { return find(edge.first, edge.second) < 0; }));
}

void CornerPairs::add(int first, int second)
{
    m_pairs.insert({std::min(first, second), std::max(first, second)});
}

bool CornerPairs::contains(int first, int second) const
{
    return m_pairs.contains({std::min(first, second), std::max(first, second)});
}

// --- Template --------------------------------------------------------------------

FaceTemplate::FaceTemplate(long long capacity)
    : m_capacity(static_cast<std::size_t>(std::clamp<long long>(capacity, 0, kMaxCapacity)))
{
}

bool FaceTemplate::add(Face face)
{
    if (m_faces.size() >= m_capacity || face.cornerCount() < 3)
        return false;
    face.templateIndex = static_cast<int>(m_faces.size());
    m_openings.push_back(squaredDistance(face.vertices[0], face.vertices[2]));
    m_faces.push_back(std::move(face));
    return true;
}

int FaceTemplate::match(double squaredDistance) const
{
    for (std::size_t index = m_openings.size(); index-- > 0;) {
        if (std::fabs(m_openings[index] - squaredDistance) < kOpeningTolerance)
            return static_cast<int>(index);
    }
    return -1;
}

// --- Building --------------------------------------------------------------------

bool PolyhedronBuilder::registerEdges(const Face& face)
{
    std::vector<std::pair<LongTriple, LongTriple>> edges = edgesOf(face);
    if (m_edges.size() + m_edges.missing(edges) > EdgeSet::kCapacity)
        return false;
    std::vector<int> indices;
    for (const auto& [first, second] : edges) {
        int index = *m_edges.add(first, second);
        EdgeRecord& record = m_edges[static_cast<std::size_t>(index)];
        if (record.useCount == 0)
            record.useCount = 1;
        indices.push_back(index);
    }
    for (std::size_t k = 0; k < indices.size(); ++k)
        m_pairs.add(indices[k], indices[(k + 1) % indices.size()]);
    return true;
}

bool PolyhedronBuilder::appendFace(PolyhedronRec& polyhedron, Face face)
{
    if (!registerEdges(face))
        return false;
    polyhedron.addFace(std::move(face));
    polyhedron.facesEntered = polyhedron.faces.size();
    return true;
}

BuildOutcome PolyhedronBuilder::build(PolyhedronRec& polyhedron, long long steps,
                                      const std::function<void(long long)>& placed)
{
    // 1. The faces not entered yet join the edge set.
    std::size_t firstNew = polyhedron.facesEntered;
    std::size_t known = polyhedron.faces.size();
    while (polyhedron.facesEntered < known) {
        if (!registerEdges(polyhedron.faces[polyhedron.facesEntered]))
            return BuildOutcome::TooManyEdges;
        ++polyhedron.facesEntered;
    }
    // 2. Their symmetric faces are completed.
    bool full = false;
    for (std::size_t index = firstNew; index < known && !full; ++index) {
        if (polyhedron.faces[index].built)
            completeSymmetric(polyhedron, index, full);
    }
    if (full)
        return BuildOutcome::TooManyEdges;
    // 3. Each step fills one open corner.
    for (long long step = 0; step < steps && m_template; ++step) {
        std::optional<std::pair<int, int>> corner = openCorner();
        if (!corner)
            break;
        const EdgeRecord first = m_edges[static_cast<std::size_t>(corner->first)];
        const EdgeRecord second = m_edges[static_cast<std::size_t>(corner->second)];
        LongTriple shared = first.first;
        LongTriple far1 = first.second;
        if (spaceEqual(first.second, second.first) || spaceEqual(first.second, second.second)) {
            shared = first.second;
            far1 = first.first;
        }
        LongTriple far2 = spaceEqual(second.first, shared) ? second.second : second.first;
        m_pairs.add(corner->first, corner->second);
        // Edges in one straight line span no plane to place a face in.
        if (straight(far1, shared, far2))
            continue;
        int match = m_template->match(squaredDistance(far1, far2));
        if (match < 0)
            continue;
        const Face& templateFace = m_template->face(static_cast<std::size_t>(match));
        Face face = placeAtCorner(templateFace, far1, shared, far2);
        face.built = templateFace.built;
        face.templateIndex = match;
        int code = colourCodeFor(polyhedron, face, match);
        face.colourCode = code;
        face.colour = faceColour(code);
        face.coloured = true;
        if (!appendFace(polyhedron, std::move(face)))
            return BuildOutcome::TooManyEdges;
        if (placed)
            placed(m_placedFaces);
        ++m_placedFaces;
        if (templateFace.built)
            completeSymmetric(polyhedron, polyhedron.faces.size() - 1, full);
        if (full)
            return BuildOutcome::TooManyEdges;
    }
    return BuildOutcome::Done;
}

std::optional<std::pair<int, int>> PolyhedronBuilder::openCorner() const
{
    auto count = static_cast<int>(m_edges.size());
    for (int i = 0; i < count; ++i) {
        const EdgeRecord& first = m_edges[static_cast<std::size_t>(i)];
        if (first.useCount >= 2)
            continue;
        for (int j = i + 1; j < count; ++j) {
            const EdgeRecord& second = m_edges[static_cast<std::size_t>(j)];
            if (second.useCount >= 2 || m_pairs.contains(i, j))
                continue;
            bool touch = false;
            for (const auto* a : {&first.firstFloats, &first.secondFloats}) {
                for (const auto* b : {&second.firstFloats, &second.secondFloats})
                    touch = touch || roughlyEqual(*a, *b);
            }
            if (!touch)
                continue;
            if (spaceEqual(first.first, second.first) || spaceEqual(first.first, second.second) ||
                spaceEqual(first.second, second.first) || spaceEqual(first.second, second.second))
                return std::pair{i, j};
        }
    }
    return {};
}

// The template face is turned in its own plane (its x and y) about its
// vertex 1 so that its corner edges lie along the corner's, and carried
// into the plane of the corner.
Face PolyhedronBuilder::placeAtCorner(const Face& templateFace, const LongTriple& far1,
                                      const LongTriple& shared, const LongTriple& far2) const
{
    const LongTriple& pivot = templateFace.vertices[1];
    auto flat = [&](const LongTriple& vertex) {
        return LongTriple{minus(vertex.x, pivot.x), minus(vertex.y, pivot.y), LongNum()};
    };
    LongTriple templateFirst = flat(templateFace.vertices[0]);
    LongTriple templateSecond = flat(templateFace.vertices[2]);
    if (planeCross(templateFirst, templateSecond).isNegative())
        templateFirst = templateSecond;
    PlaneFrame frame = planeThrough(far1, shared, far2);
    LongTriple origin = frame.inPlane(shared);
    LongTriple targetFirst = minus(frame.inPlane(far1), origin);
    LongTriple targetSecond = minus(frame.inPlane(far2), origin);
    if (planeCross(targetFirst, targetSecond).isNegative())
        targetFirst = targetSecond;
    LongTriple from = normalised(templateFirst);
    LongTriple to = normalised(targetFirst);
    LongNum cosine = plus(times(from.x, to.x), times(from.y, to.y));
    LongNum sine = planeCross(from, to);
    std::vector<LongTriple> corners;
    for (std::size_t corner = 0; corner < templateFace.cornerCount(); ++corner) {
        if (corner == 1) {
            corners.push_back(shared);
            continue;
        }
        LongTriple offset = flat(templateFace.vertices[corner]);
        LongNum s = minus(times(cosine, offset.x), times(sine, offset.y));
        LongNum t = plus(times(sine, offset.x), times(cosine, offset.y));
        corners.push_back(frame.fromPlane(plus(origin.x, s), plus(origin.y, t)));
    }
    return faceOf(std::move(corners));
}

int PolyhedronBuilder::colourCodeFor(const PolyhedronRec& polyhedron, const Face& face,
                                     int templateIndex) const
{
    int preferred = kFirstFaceColour + std::max(templateIndex, 0);
    std::vector<int> neighbours;
    for (const auto& [first, second] : edgesOf(face)) {
        for (std::size_t index = polyhedron.faces.size(); index-- > 0;) {
            const Face& other = polyhedron.faces[index];
            bool shares = false;
            for (const auto& [a, b] : edgesOf(other)) {
                shares = (spaceEqual(a, first) && spaceEqual(b, second)) ||
                         (spaceEqual(a, second) && spaceEqual(b, first));
                if (shares)
                    break;
            }
            if (shares) {
                neighbours.push_back(other.colourCode);
                break;
            }
        }
    }
    if (std::find(neighbours.begin(), neighbours.end(), preferred) == neighbours.end())
        return preferred;
    int templateFaces = m_template ? static_cast<int>(m_template->size()) : 0;
    int code = kFirstFaceColour + templateFaces;
    while (std::find(neighbours.begin(), neighbours.end(), code) != neighbours.end())
        ++code;
    return code;
}

// Each edge of the face that no other face uses gets the face's mirror
// image in the plane through that edge perpendicular to the face, unless
// the polyhedron has that face already.
void PolyhedronBuilder::completeSymmetric(PolyhedronRec& polyhedron, std::size_t faceIndex,
                                          bool& full)
{
    const Face face = polyhedron.faces[faceIndex];
    if (face.cornerCount() < 3)
        return;
    LongTriple normal =
        cross(minus(face.vertices[1], face.vertices[0]), minus(face.vertices[2], face.vertices[0]));
    for (const auto& [first, second] : edgesOf(face)) {
        int edge = m_edges.find(first, second);
        if (edge < 0 || m_edges[static_cast<std::size_t>(edge)].useCount != 1)
            continue;
        LongTriple mirrorNormal = normalised(cross(normal, minus(second, first)));
        std::vector<LongTriple> corners;
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
            const LongTriple& vertex = face.vertices[corner];
            LongNum height = dot(minus(vertex, first), mirrorNormal);
            corners.push_back(minus(vertex, scaled(mirrorNormal, plus(height, height))));
        }
        Face mirror = faceOf(std::move(corners));
        bool present =
            std::any_of(polyhedron.faces.begin(), polyhedron.faces.end(), [&](const Face& other) {
                return other.cornerCount() == mirror.cornerCount() && faceContains(mirror, other) &&
                       faceContains(other, mirror);
            });
        if (present)
            continue;
        mirror.built = face.built;
        mirror.templateIndex = face.templateIndex;
        int code = colourCodeFor(polyhedron, mirror, face.templateIndex);
        mirror.colourCode = code;
        mirror.colour = faceColour(code);
        mirror.coloured = true;
        if (!appendFace(polyhedron, std::move(mirror))) {
            full = true;
            return;
        }
    }
}

} // namespace kestrane
