// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/polyhedron_net.h"

#include "space/polyhedron_operations.h"
#include "space/space_command.h"
#include "space/vertex_index.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <optional>

namespace kestrane {

namespace {

// x ↦ m x + t.
struct Affine3 {
    std::array<LongTriple, 3> rows;
    LongTriple shift;

    static Affine3 identity()
    {
        Affine3 out;
        out.rows = {LongTriple::ofIntegers(1, 0, 0), LongTriple::ofIntegers(0, 1, 0),
                    LongTriple::ofIntegers(0, 0, 1)};
        return out;
    }
    LongTriple linear(const LongTriple& x) const
    {
        return {dot(rows[0], x), dot(rows[1], x), dot(rows[2], x)};
    }
    LongTriple apply(const LongTriple& x) const { return plus(linear(x), shift); }
    Affine3 after(const Affine3& other) const
    {
        Affine3 out;
        LongTriple columns[3] = {{other.rows[0].x, other.rows[1].x, other.rows[2].x},
                                 {other.rows[0].y, other.rows[1].y, other.rows[2].y},
                                 {other.rows[0].z, other.rows[1].z, other.rows[2].z}};
        for (std::size_t row = 0; row < 3; ++row)
            out.rows[row] = {dot(rows[row], columns[0]), dot(rows[row], columns[1]),
                             dot(rows[row], columns[2])};
        out.shift = apply(other.shift);
        return out;
    }
};

LongNum& component(LongTriple& vector, int axis)
{
    return axis == 0 ? vector.x : axis == 1 ? vector.y : vector.z;
}

LongNum componentOf(const LongTriple& vector, int axis)
{
    return axis == 0 ? vector.x : axis == 1 ? vector.y : vector.z;
}

LongTriple withoutComponent(const LongTriple& vector, const LongTriple& unit)
{
    return minus(vector, scaled(unit, dot(vector, unit)));
}

// The turn about the edge from `a` to `b` that brings the child face into
// the parent's plane, on the side away from the parent.
std::optional<Affine3> turnAbout(const LongTriple& a, const LongTriple& b,
                                 const LongTriple& parentCentre, const LongTriple& parentNormal,
                                 const LongTriple& childCentre)
{
    LongTriple along = normalised(minus(b, a));
    LongTriple p = normalised(withoutComponent(minus(parentCentre, a), along));
    LongTriple d = normalised(withoutComponent(minus(childCentre, a), along));
    if (toDouble(length(p)) == 0 || toDouble(length(d)) == 0)
        return {};
    const LongTriple& n = parentNormal;
    LongNum cosineLess = minus(negated(dot(d, p)), longOf(1));
    LongNum sine = dot(d, n);
    Affine3 turn = Affine3::identity();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            LongNum projection = plus(times(componentOf(p, row), componentOf(p, column)),
                                      times(componentOf(n, row), componentOf(n, column)));
            LongNum skew = minus(times(componentOf(n, row), componentOf(p, column)),
                                 times(componentOf(p, row), componentOf(n, column)));
            LongNum& entry = component(turn.rows[static_cast<std::size_t>(row)], column);
            entry = plus(entry, plus(times(cosineLess, projection), times(sine, skew)));
        }
    }
    turn.shift = minus(a, turn.linear(a));
    return turn;
}

} // namespace

std::vector<Face> unfoldFaces(const std::vector<Face>& input, const LongTriple& centre)
{
    std::vector<Face> faces = input;
    std::vector<Face> net;
    if (faces.empty() || faces.front().cornerCount() < 3)
        return net;
    VertexIndex index;
    std::vector<std::vector<int>> ids = faceVertexIds(faces, index);
    std::map<std::pair<int, int>, std::vector<std::size_t>> edgeFaces;
    for (std::size_t face = 0; face < ids.size(); ++face) {
        for (std::size_t k = 0; k < ids[face].size(); ++k) {
            int a = ids[face][k];
            int b = ids[face][(k + 1) % ids[face].size()];
            edgeFaces[{std::min(a, b), std::max(a, b)}].push_back(face);
        }
    }
    std::vector<LongTriple> centres;
    std::vector<LongTriple> normals;
    for (Face& face : faces) {
        centres.push_back(face.makeCentre());
        const auto& v = face.vertices;
        normals.push_back(v.size() >= 4 ? normalised(cross(minus(v[1], v[0]), minus(v[2], v[0])))
                                        : LongTriple{});
    }

    const PlaneFrame base =
        planeThrough(faces[0].vertices[0], faces[0].vertices[1], faces[0].vertices[2]);
    std::vector<std::optional<Affine3>> placed(faces.size());
    placed[0] = Affine3::identity();
    std::deque<std::size_t> queue{0};
    std::vector<Face> flat;
    while (!queue.empty()) {
        std::size_t face = queue.front();
        queue.pop_front();
        Face copy = faces[face];
        copy.centre.reset();
        for (LongTriple& vertex : copy.vertices)
            vertex = base.inPlane(placed[face]->apply(vertex));
        flat.push_back(std::move(copy));
        std::vector<std::pair<std::size_t, std::pair<int, int>>> children;
        for (std::size_t k = 0; k < ids[face].size(); ++k) {
            int a = ids[face][k];
            int b = ids[face][(k + 1) % ids[face].size()];
            for (std::size_t other : edgeFaces[{std::min(a, b), std::max(a, b)}])
                if (other != face)
                    children.push_back({other, {a, b}});
        }
        std::sort(children.begin(), children.end());
        for (const auto& [child, edge] : children) {
            if (placed[child])
                continue;
            std::optional<Affine3> turn =
                turnAbout(index.point(edge.first), index.point(edge.second), centres[face],
                          normals[face], centres[child]);
            if (!turn)
                continue;
            placed[child] = placed[face]->after(*turn);
            queue.push_back(child);
        }
    }

    // About the centre's (x, y): the mean of the flat corners goes there.
    LongTriple sum;
    std::size_t count = 0;
    for (const Face& face : flat) {
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
            sum = plus(sum, face.vertices[corner]);
            ++count;
        }
    }
    LongTriple middle = shrunk(sum, static_cast<std::int64_t>(std::max<std::size_t>(count, 1)));
    LongTriple offset{minus(centre.x, middle.x), minus(centre.y, middle.y), LongNum()};
    for (Face& face : flat) {
        for (LongTriple& vertex : face.vertices)
            vertex = {plus(vertex.x, offset.x), plus(vertex.y, offset.y), LongNum()};
        net.push_back(std::move(face));
    }
    return net;
}

// Net(P) of Dimension 3: the flat net, named and put first so it is drawn.
bool executeNetCommand(SpaceCommand& command)
{
    if (command.statement.word != "Net")
        return false;
    PolyhedronRec* solid = command.polyhedron(0);
    if (!solid)
        return true;
    auto net = std::make_unique<PolyhedronRec>();
    for (Face& face : unfoldFaces(solid->faces, solid->makeCentre()))
        net->addFace(std::move(face));
    if (!net->faces.empty())
        net->makeCentre();
    command.bind(command.scene.addFirst(std::move(net)));
    return true;
}

} // namespace kestrane
