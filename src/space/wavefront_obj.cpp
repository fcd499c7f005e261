// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/wavefront_obj.h"

#include "space/space_scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <unordered_map>

namespace kestrane {

namespace {

// Vertices closer than this in every coordinate (pixels) are one vertex:
// the builders compute a shared corner once per face, in long numbers that
// may differ far below a pixel.
constexpr double kSameVertex = 1e-4;

// Finds equal vertices through a grid of cells of the tolerance: an equal
// vertex lies in the cell of the new one or a neighbouring cell.
class VertexMerger {
public:
    explicit VertexMerger(std::vector<DoubleTriple>& vertices) : m_vertices(vertices) {}

    std::size_t indexOf(const DoubleTriple& vertex)
    {
        std::array<std::int64_t, 3> cell = cellOf(vertex);
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                for (std::int64_t dz = -1; dz <= 1; ++dz) {
                    auto found = m_cells.find(key({cell[0] + dx, cell[1] + dy, cell[2] + dz}));
                    if (found == m_cells.end())
                        continue;
                    for (std::size_t index : found->second) {
                        if (same(m_vertices[index], vertex))
                            return index;
                    }
                }
            }
        }
        m_vertices.push_back(vertex);
        m_cells[key(cell)].push_back(m_vertices.size() - 1);
        return m_vertices.size() - 1;
    }

private:
    static std::array<std::int64_t, 3> cellOf(const DoubleTriple& vertex)
    {
        auto cell = [](double value) {
            return static_cast<std::int64_t>(std::floor(value / kSameVertex));
        };
        return {cell(vertex.x), cell(vertex.y), cell(vertex.z)};
    }

    static std::uint64_t key(const std::array<std::int64_t, 3>& cell)
    {
        std::uint64_t hash = 1469598103934665603ull;
        for (std::int64_t part : cell)
            hash = (hash ^ static_cast<std::uint64_t>(part)) * 1099511628211ull;
        return hash;
    }

    static bool same(const DoubleTriple& a, const DoubleTriple& b)
    {
        return std::fabs(a.x - b.x) <= kSameVertex && std::fabs(a.y - b.y) <= kSameVertex &&
               std::fabs(a.z - b.z) <= kSameVertex;
    }

    std::vector<DoubleTriple>& m_vertices;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> m_cells;
};

// The face's corners as merged vertices, without repeats in a row.
std::vector<std::size_t> mergedCorners(const Face& face, VertexMerger& merger)
{
    std::vector<std::size_t> corners;
    for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
        std::size_t index = merger.indexOf(toDoubles(face.vertices[corner]));
        if (corners.empty() || corners.back() != index)
            corners.push_back(index);
    }
    while (corners.size() > 1 && corners.front() == corners.back())
        corners.pop_back();
    return corners;
}

// Faces on the same vertices in pairs are the walls between cells glued
// together: inside the solid. An odd one out is kept once.
void dropCoincidentFaces(std::vector<std::vector<std::size_t>>& faces)
{
    std::map<std::vector<std::size_t>, std::vector<std::size_t>> byCorners;
    for (std::size_t index = 0; index < faces.size(); ++index) {
        std::vector<std::size_t> corners = faces[index];
        std::sort(corners.begin(), corners.end());
        byCorners[corners].push_back(index);
    }
    std::vector<bool> keep(faces.size(), false);
    for (const auto& [corners, group] : byCorners) {
        if (group.size() % 2 == 1)
            keep[group.front()] = true;
    }
    std::vector<std::vector<std::size_t>> kept;
    for (std::size_t index = 0; index < faces.size(); ++index) {
        if (keep[index])
            kept.push_back(std::move(faces[index]));
    }
    faces = std::move(kept);
}

// Where an edge is used: by which face, and whether that face runs it from
// its smaller vertex index to its larger.
struct EdgeUse {
    std::size_t face;
    bool upward;
};

using EdgeUses = std::map<std::pair<std::size_t, std::size_t>, std::vector<EdgeUse>>;

EdgeUses edgeUses(const std::vector<std::vector<std::size_t>>& faces)
{
    EdgeUses uses;
    for (std::size_t face = 0; face < faces.size(); ++face) {
        const std::vector<std::size_t>& corners = faces[face];
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            std::size_t from = corners[corner];
            std::size_t to = corners[(corner + 1) % corners.size()];
            uses[{std::min(from, to), std::max(from, to)}].push_back({face, from < to});
        }
    }
    return uses;
}

// Six times the signed volume the faces enclose about `reference`:
// positive when they wind counter-clockwise seen from outside.
double windingVolume(const Mesh& mesh, const std::vector<std::size_t>& faces,
                     const DoubleTriple& reference)
{
    auto from = [&](std::size_t index) {
        const DoubleTriple& v = mesh.vertices[index];
        return DoubleTriple{v.x - reference.x, v.y - reference.y, v.z - reference.z};
    };
    double volume = 0;
    for (std::size_t face : faces) {
        const std::vector<std::size_t>& corners = mesh.faces[face];
        DoubleTriple a = from(corners[0]);
        for (std::size_t corner = 1; corner + 1 < corners.size(); ++corner) {
            DoubleTriple b = from(corners[corner]);
            DoubleTriple c = from(corners[corner + 1]);
            volume += a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                      a.z * (b.x * c.y - b.y * c.x);
        }
    }
    return volume;
}

DoubleTriple meanVertex(const Mesh& mesh, const std::vector<std::size_t>& faces)
{
    DoubleTriple sum;
    std::size_t count = 0;
    for (std::size_t face : faces) {
        for (std::size_t index : mesh.faces[face]) {
            const DoubleTriple& v = mesh.vertices[index];
            sum = {sum.x + v.x, sum.y + v.y, sum.z + v.z};
            ++count;
        }
    }
    double share = count ? 1.0 / static_cast<double>(count) : 0;
    return {sum.x * share, sum.y * share, sum.z * share};
}

// 1. Across every edge that two faces share, the second face is turned to
//    run the edge the other way than the first: one winding per connected
//    part.
// 2. A part whose faces enclose a negative volume is turned over whole, so
//    that the right-hand normals point outward.
void windOutward(Mesh& mesh)
{
    EdgeUses uses = edgeUses(mesh.faces);
    std::vector<std::vector<std::pair<std::size_t, std::pair<std::size_t, std::size_t>>>> next(
        mesh.faces.size());
    for (const auto& [edge, users] : uses) {
        if (users.size() != 2 || users[0].face == users[1].face)
            continue;
        next[users[0].face].push_back({users[1].face, edge});
        next[users[1].face].push_back({users[0].face, edge});
    }
    auto runsUpward = [&](std::size_t face, const std::pair<std::size_t, std::size_t>& edge) {
        const std::vector<std::size_t>& corners = mesh.faces[face];
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            if (corners[corner] == edge.first &&
                corners[(corner + 1) % corners.size()] == edge.second)
                return true;
        }
        return false;
    };
    std::vector<bool> reached(mesh.faces.size(), false);
    for (std::size_t seed = 0; seed < mesh.faces.size(); ++seed) {
        if (reached[seed])
            continue;
        std::vector<std::size_t> part{seed};
        reached[seed] = true;
        for (std::size_t position = 0; position < part.size(); ++position) {
            std::size_t face = part[position];
            for (const auto& [neighbour, edge] : next[face]) {
                if (reached[neighbour])
                    continue;
                reached[neighbour] = true;
                if (runsUpward(face, edge) == runsUpward(neighbour, edge))
                    std::reverse(mesh.faces[neighbour].begin(), mesh.faces[neighbour].end());
                part.push_back(neighbour);
            }
        }
        if (windingVolume(mesh, part, meanVertex(mesh, part)) < 0) {
            for (std::size_t face : part)
                std::reverse(mesh.faces[face].begin(), mesh.faces[face].end());
        }
    }
}

// Six decimals, and no "-0.000000": a viewer reads −0 and 0 alike, and so
// should a reader of the text.
std::string coordinate(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string text = buffer;
    if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string objectName(const PolyhedronRec& polyhedron, std::size_t number)
{
    if (!polyhedron.names.empty() && !polyhedron.names.front().name.empty())
        return polyhedron.names.front().name;
    return "polyhedron" + std::to_string(number);
}

} // namespace

Mesh meshOf(const PolyhedronRec& polyhedron)
{
    Mesh mesh;
    VertexMerger merger(mesh.vertices);
    for (const Face& face : polyhedron.faces) {
        std::vector<std::size_t> corners = mergedCorners(face, merger);
        if (corners.size() >= 3)
            mesh.faces.push_back(std::move(corners));
    }
    dropCoincidentFaces(mesh.faces);
    windOutward(mesh);
    return mesh;
}

std::string wavefrontObj(std::span<const std::unique_ptr<PolyhedronRec>> polyhedra)
{
    std::string text = "# Kestrane polyhedra\n";
    std::size_t written = 0;
    std::size_t number = 0;
    for (const auto& polyhedron : polyhedra) {
        ++number;
        Mesh mesh = meshOf(*polyhedron);
        if (mesh.faces.empty())
            continue;
        // Only the vertices the kept faces use are written.
        std::vector<std::size_t> fileIndex(mesh.vertices.size(), 0);
        std::string faces;
        std::string vertices;
        for (const std::vector<std::size_t>& face : mesh.faces) {
            faces += 'f';
            for (std::size_t corner : face) {
                if (fileIndex[corner] == 0) {
                    const DoubleTriple& v = mesh.vertices[corner];
                    vertices += "v " + coordinate(v.x) + ' ' + coordinate(v.y) + ' ' +
                                coordinate(v.z) + '\n';
                    fileIndex[corner] = ++written;
                }
                faces += ' ' + std::to_string(fileIndex[corner]);
            }
            faces += '\n';
        }
        text += "o " + objectName(*polyhedron, number) + '\n' + vertices + faces;
    }
    return text;
}

std::string wavefrontObj(const SpaceScene& scene)
{
    return wavefrontObj(scene.polyhedra());
}

} // namespace kestrane
