// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/polytope_algorithms.h"

#include "space/vertex_index.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>

namespace kestrane {

namespace {

using CellAdder = std::function<CellRec*(std::unique_ptr<CellRec>)>;

// Reflects the cell, once, in the hyperplane through each of its faces and
// the polytope's centre; a reflection whose centre is new becomes a cell.
void completeCell(PolytopeRec& polytope, CellRec& cell, const Long4& centre,
                  std::vector<std::array<double, 4>>& centres, const CellAdder& addCell)
{
    if (cell.completed)
        return;
    cell.completed = true;
    for (const Face4& face : cell.faces) {
        if (face.cornerCount() < 3 || polytope.cells.size() >= kMostCells)
            continue;
        const Long4& a = face.vertices[0];
        std::optional<Hyperplane> mirror = hyperplaneThrough(
            a, minus(face.vertices[1], a), minus(face.vertices[2], a), minus(centre, a));
        if (!mirror)
            continue;
        Long4 reflected = mirror->reflect(*cell.centre);
        std::array<double, 4> floats = reflected.doubles();
        if (std::any_of(centres.begin(), centres.end(),
                        [&](const auto& other) { return fourEqual(floats, other); }))
            continue;
        auto image = std::make_unique<CellRec>();
        for (const Face4& original : cell.faces) {
            Face4 copy;
            for (const Long4& vertex : original.vertices)
                copy.vertices.push_back(mirror->reflect(vertex));
            image->faces.push_back(std::move(copy));
        }
        image->centre = reflected;
        centres.push_back(floats);
        polytope.cells.push_back(addCell(std::move(image)));
    }
}

} // namespace

void completePolytope(PolytopeRec& polytope, const CellAdder& addCell,
                      const CompletionProgress& progress)
{
    for (CellRec* cell : polytope.cells)
        cell->makeCentre();
    const Long4 centre = polytope.makeCentre();
    std::vector<std::array<double, 4>> centres;
    for (CellRec* cell : polytope.cells)
        centres.push_back(cell->centre->doubles());

    std::size_t previousStart = std::numeric_limits<std::size_t>::max();
    while (polytope.cells.size() != previousStart && polytope.cells.size() < kMostCells) {
        previousStart = polytope.cells.size();
        if (progress.pass)
            progress.pass(previousStart);
        for (std::size_t k = 0; k < previousStart && polytope.cells.size() < kMostCells; ++k) {
            completeCell(polytope, *polytope.cells[k], centre, centres, addCell);
            if (progress.cellDone)
                progress.cellDone(k);
        }
    }
}

std::optional<Hyperplane> hyperplaneOfCell(CellRec& cell)
{
    if (cell.faces.empty() || cell.faces.front().cornerCount() < 3)
        return {};
    const Face4& face = cell.faces.front();
    const Long4& a = face.vertices[0];
    return hyperplaneThrough(a, minus(face.vertices[1], a), minus(face.vertices[2], a),
                             minus(cell.makeCentre(), a));
}

std::optional<PyramidParts> pyramidOver(CellRec& cell)
{
    const Long4 centre = cell.makeCentre();
    std::optional<Hyperplane> plane = hyperplaneOfCell(cell);
    if (!plane)
        return {};
    const Face4& first = cell.faces.front();
    LongNum edge = length(minus(first.vertices[1], first.vertices[0]));
    LongNum twice = plus(edge, edge);
    PyramidParts parts;
    parts.centre = plus(centre, scaled(plane->normal, twice));
    parts.apex = plus(centre, scaled(plane->normal, plus(twice, twice)));
    parts.sides = sideCells(cell, parts.apex);
    return parts;
}

std::vector<std::unique_ptr<CellRec>> sideCells(const CellRec& base, const Long4& apex)
{
    std::vector<std::unique_ptr<CellRec>> sides;
    for (const Face4& face : base.faces) {
        auto side = std::make_unique<CellRec>();
        side->faces.push_back(face);
        for (std::size_t index = 0; index + 1 < face.vertices.size(); ++index) {
            const Long4& here = face.vertices[index];
            side->faces.push_back({{here, face.vertices[index + 1], apex, here}});
        }
        sides.push_back(std::move(side));
    }
    return sides;
}

namespace {

// Coordinates of a cell whose fifth point is sought must stay below this
// share of the integer words' range, so that the sums of centres of faces
// and cells still fit.
constexpr double kLargestShare = 0.2;

bool fitsComfortably(const Long4& point)
{
    const double limit = kLargestShare * std::pow(1000.0, longIntegerWords());
    std::array<double, 4> values = point.doubles();
    return std::all_of(values.begin(), values.end(),
                       [&](double value) { return std::fabs(value) < limit; });
}

// Offsets below this are squared as they are; larger ones are first
// divided by a power of 1000 (whole words, so nothing but their last digits
// is lost) to bring them below it.
constexpr double kLargestSquared = 1e6;

// The words by which the vectors are shifted toward the fraction.
int wordsToShift(const std::array<Long4, 3>& vectors)
{
    double size = 0;
    for (const Long4& vector : vectors)
        for (double value : vector.doubles())
            size = std::max(size, std::fabs(value));
    int words = 0;
    while (size >= kLargestSquared) {
        size /= 1000;
        ++words;
    }
    return words;
}

// a · 1000^-words (toward the fraction) or, for negative words, times
// 1000^-words.
Long4 shifted(const Long4& a, int words)
{
    Long4 out;
    for (int axis = 0; axis < 4; ++axis)
        LongMulSmallShift(a[axis], 1, words, out[axis]);
    return out;
}

} // namespace

FifthPoint fifthPoint(CellRec& cell)
{
    std::vector<Long4> corners = cell.vertices();
    if (corners.size() != 4)
        return {};
    if (!std::all_of(corners.begin(), corners.end(), fitsComfortably))
        return {{}, true};
    std::optional<Hyperplane> plane = hyperplaneOfCell(cell);
    if (!plane)
        return {};
    // The work is on the offsets e_i from the first corner, shifted when
    // they are large so that no square grows past the integer words: the
    // circumcentre c = first + x·1000^shift solves 2 e_i·x = |e_i|² and
    // n·x = 0.
    const Long4& first = corners[0];
    std::array<Long4, 3> offsets{minus(corners[1], first), minus(corners[2], first),
                                 minus(corners[3], first)};
    const int shift = wordsToShift(offsets);
    std::array<LinearRow4, 4> rows;
    for (std::size_t index = 0; index < 3; ++index) {
        Long4 small = shifted(offsets[index], shift);
        Long4 twice = plus(small, small);
        rows[index] = {{twice.x, twice.y, twice.z, twice.w}, dot(small, small)};
    }
    const Long4& n = plane->normal;
    rows[3] = {{n.x, n.y, n.z, n.w}, LongNum()};
    std::optional<Long4> centre = solveLinear4(rows);
    if (!centre)
        return {};
    const Face4& face = cell.faces.front();
    Long4 edge = shifted(minus(face.vertices[1], face.vertices[0]), shift);
    LongNum heightSquared = minus(dot(edge, edge), dot(*centre, *centre));
    if (heightSquared.isNegative())
        return {};
    Long4 apex = plus(*centre, scaled(n, squareRoot(heightSquared)));
    std::array<double, 4> start = first.doubles();
    std::array<double, 4> step = apex.doubles();
    const double limit = kLargestShare * std::pow(1000.0, longIntegerWords());
    const double size = std::pow(1000.0, shift);
    for (std::size_t axis = 0; axis < 4; ++axis) {
        if (std::fabs(start[axis]) + size * std::fabs(step[axis]) >= limit)
            return {{}, true};
    }
    return {plus(first, shifted(apex, -shift)), false};
}

namespace {

constexpr double kOnPlane = 1e-6;

DoubleTriple differenceOf(const DoubleTriple& a, const DoubleTriple& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

DoubleTriple crossOf(const DoubleTriple& a, const DoubleTriple& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dotOf(const DoubleTriple& a, const DoubleTriple& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

DoubleTriple meanOf(const std::vector<LongTriple>& points)
{
    DoubleTriple sum;
    for (const LongTriple& point : points) {
        DoubleTriple value = toDoubles(point);
        sum = {sum.x + value.x, sum.y + value.y, sum.z + value.z};
    }
    double count = points.empty() ? 1.0 : static_cast<double>(points.size());
    return {sum.x / count, sum.y / count, sum.z / count};
}

// The corners of a flat convex polygon in order about the outward side
// (away from the solid's centre). Only the order is found in doubles.
Face orderedFace(std::vector<LongTriple> corners, const DoubleTriple& solidCentre)
{
    DoubleTriple centre = meanOf(corners);
    std::vector<DoubleTriple> offsets;
    for (const LongTriple& corner : corners)
        offsets.push_back(differenceOf(toDoubles(corner), centre));
    DoubleTriple normal;
    double best = 0;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        for (std::size_t j = i + 1; j < offsets.size(); ++j) {
            DoubleTriple candidate = crossOf(offsets[i], offsets[j]);
            double size = dotOf(candidate, candidate);
            if (size > best) {
                best = size;
                normal = candidate;
            }
        }
    }
    if (dotOf(normal, differenceOf(centre, solidCentre)) < 0)
        normal = {-normal.x, -normal.y, -normal.z};
    DoubleTriple u = offsets.front();
    DoubleTriple v = crossOf(normal, u);
    std::vector<std::pair<double, std::size_t>> angles;
    for (std::size_t index = 0; index < offsets.size(); ++index)
        angles.push_back({std::atan2(dotOf(offsets[index], v), dotOf(offsets[index], u)), index});
    std::sort(angles.begin(), angles.end());
    std::vector<LongTriple> ordered;
    for (const auto& [angle, index] : angles)
        ordered.push_back(corners[index]);
    return faceOf(std::move(ordered));
}

// The sorted vertex numbers of a face, its identity up to order.
std::vector<int> faceKey(const std::vector<LongTriple>& corners, VertexIndex& index)
{
    std::vector<int> ids;
    for (const LongTriple& corner : corners)
        ids.push_back(index.idOf(corner));
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

} // namespace

std::vector<Face> sectionFaces(const std::vector<CellRec*>& cells, const Hyperplane& plane,
                               const Long4& anchor)
{
    HyperplaneCoordinates coordinates(plane, anchor);
    std::vector<std::vector<LongTriple>> polygons;
    auto addPolygon = [&](const std::vector<Long4>& points) {
        std::vector<LongTriple> mapped;
        for (const Long4& point : points)
            mapped.push_back(coordinates.map(point));
        polygons.push_back(std::move(mapped));
    };
    const std::array<double, 4> normal = plane.normal.doubles();
    const double level = toDouble(plane.e);
    // Cells wholly on one side are passed over in doubles.
    auto missed = [&](const CellRec& cell) {
        bool below = false;
        bool above = false;
        for (const Face4& face : cell.faces) {
            for (const Long4& vertex : face.vertices) {
                std::array<double, 4> at = vertex.doubles();
                double value = normal[0] * at[0] + normal[1] * at[1] + normal[2] * at[2] +
                               normal[3] * at[3] - level;
                below = below || value < 1e-3;
                above = above || value > -1e-3;
            }
        }
        return !(below && above);
    };
    for (CellRec* cell : cells) {
        if (missed(*cell))
            continue;
        std::vector<Long4> cuts;
        auto addCut = [&](const Long4& point) {
            if (std::none_of(cuts.begin(), cuts.end(),
                             [&](const Long4& other) { return fourEqual(other, point); }))
                cuts.push_back(point);
        };
        bool inPlane = true;
        for (const Face4& face : cell->faces) {
            for (std::size_t index = 0; index + 1 < face.vertices.size(); ++index) {
                const Long4& start = face.vertices[index];
                const Long4& end = face.vertices[index + 1];
                LongNum f0 = plane.value(start);
                LongNum f1 = plane.value(end);
                double d0 = toDouble(f0);
                double d1 = toDouble(f1);
                if (std::fabs(d0) < kOnPlane) {
                    addCut(start);
                    continue;
                }
                inPlane = false;
                if (std::fabs(d1) < kOnPlane || (d0 < 0) == (d1 < 0))
                    continue;
                LongNum share = divided(f0, minus(f0, f1));
                addCut(plus(start, scaled(minus(end, start), share)));
            }
        }
        if (inPlane) {
            for (const Face4& face : cell->faces) {
                std::vector<Long4> corners(face.vertices.begin(),
                                           face.vertices.begin() +
                                               static_cast<std::ptrdiff_t>(face.cornerCount()));
                addPolygon(corners);
            }
        } else if (cuts.size() >= 3) {
            addPolygon(cuts);
        }
    }

    std::vector<LongTriple> all;
    for (const auto& polygon : polygons)
        all.insert(all.end(), polygon.begin(), polygon.end());
    DoubleTriple solidCentre = meanOf(all);
    VertexIndex index;
    std::vector<std::vector<int>> seen;
    std::vector<Face> faces;
    for (auto& polygon : polygons) {
        std::vector<int> key = faceKey(polygon, index);
        if (key.size() < 3 || std::find(seen.begin(), seen.end(), key) != seen.end())
            continue;
        seen.push_back(key);
        faces.push_back(orderedFace(std::move(polygon), solidCentre));
    }
    return faces;
}

namespace {

// x ↦ m x + t.
struct Affine4 {
    std::array<Long4, 4> rows;
    Long4 shift;

    static Affine4 identity()
    {
        Affine4 out;
        for (int axis = 0; axis < 4; ++axis)
            out.rows[static_cast<std::size_t>(axis)][axis] = longOf(1);
        return out;
    }
    Long4 linear(const Long4& x) const
    {
        return {dot(rows[0], x), dot(rows[1], x), dot(rows[2], x), dot(rows[3], x)};
    }
    Long4 apply(const Long4& x) const { return plus(linear(x), shift); }
    // this ∘ other.
    Affine4 after(const Affine4& other) const
    {
        Affine4 out;
        for (std::size_t row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                Long4 columnOf{other.rows[0][column], other.rows[1][column],
                               other.rows[2][column], other.rows[3][column]};
                out.rows[row][column] = dot(rows[row], columnOf);
            }
        }
        out.shift = apply(other.shift);
        return out;
    }
};

Long4 withoutComponent(const Long4& vector, const Long4& unit)
{
    return minus(vector, scaled(unit, dot(vector, unit)));
}

// The turn about the face (a 2-plane through g) that brings the child's
// side of the face into the parent's hyperplane, opposite the parent.
std::optional<Affine4> turnAbout(const Face4& face, const Long4& parentCentre,
                                 const Long4& parentNormal, const Long4& childCentre)
{
    if (face.cornerCount() < 3)
        return {};
    const Long4 g = centreOf(face);
    Long4 f1 = normalised(minus(face.vertices[1], face.vertices[0]));
    Long4 f2 = normalised(withoutComponent(minus(face.vertices[2], face.vertices[0]), f1));
    Long4 p = withoutComponent(withoutComponent(minus(parentCentre, g), f1), f2);
    p = normalised(withoutComponent(p, parentNormal));
    Long4 d = normalised(withoutComponent(withoutComponent(minus(childCentre, g), f1), f2));
    if (isZero(p) || isZero(d))
        return {};
    const Long4& n = parentNormal;
    LongNum cosine = negated(dot(d, p));
    LongNum sine = dot(d, n);
    LongNum cosineLess = minus(cosine, longOf(1));
    Affine4 turn = Affine4::identity();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            LongNum projection = plus(times(p[row], p[column]), times(n[row], n[column]));
            LongNum skew = minus(times(n[row], p[column]), times(p[row], n[column]));
            LongNum& entry = turn.rows[static_cast<std::size_t>(row)][column];
            entry = plus(entry, plus(times(cosineLess, projection), times(sine, skew)));
        }
    }
    turn.shift = minus(g, turn.linear(g));
    return turn;
}

} // namespace

std::vector<std::vector<Face>> unfoldCells(const std::vector<CellRec*>& cells,
                                           const Long4& anchor)
{
    std::vector<std::vector<Face>> net;
    if (cells.empty())
        return net;
    std::optional<Hyperplane> base = hyperplaneOfCell(*cells.front());
    if (!base)
        return net;
    HyperplaneCoordinates coordinates(*base, anchor);

    // Which cells share each face (by its sorted vertex numbers).
    VertexIndex4 index;
    std::map<std::vector<int>, std::vector<std::pair<std::size_t, std::size_t>>> owners;
    for (std::size_t cell = 0; cell < cells.size(); ++cell) {
        const auto& faces = cells[cell]->faces;
        for (std::size_t face = 0; face < faces.size(); ++face) {
            std::vector<int> key;
            for (std::size_t corner = 0; corner < faces[face].cornerCount(); ++corner)
                key.push_back(index.idOf(faces[face].vertices[corner]));
            std::sort(key.begin(), key.end());
            owners[key].push_back({cell, face});
        }
    }
    std::vector<std::vector<std::pair<std::size_t, std::size_t>>> neighbours(cells.size());
    for (const auto& [key, sharing] : owners) {
        for (const auto& [cell, face] : sharing) {
            for (const auto& [other, otherFace] : sharing) {
                if (other != cell)
                    neighbours[cell].push_back({other, face});
            }
        }
    }
    for (auto& list : neighbours)
        std::sort(list.begin(), list.end());

    std::vector<std::optional<Affine4>> placed(cells.size());
    placed[0] = Affine4::identity();
    std::deque<std::size_t> queue{0};
    while (!queue.empty()) {
        std::size_t cell = queue.front();
        queue.pop_front();
        CellRec& parent = *cells[cell];
        std::vector<Face> faces;
        for (const Face4& face : parent.faces) {
            std::vector<LongTriple> corners;
            for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
                corners.push_back(coordinates.map(placed[cell]->apply(face.vertices[corner])));
            faces.push_back(faceOf(std::move(corners)));
        }
        net.push_back(std::move(faces));
        std::optional<Hyperplane> parentPlane = hyperplaneOfCell(parent);
        if (!parentPlane)
            continue;
        for (const auto& [child, face] : neighbours[cell]) {
            if (placed[child])
                continue;
            std::optional<Affine4> turn = turnAbout(parent.faces[face], parent.makeCentre(),
                                                    parentPlane->normal,
                                                    cells[child]->makeCentre());
            if (!turn)
                continue;
            placed[child] = placed[cell]->after(*turn);
            queue.push_back(child);
        }
    }
    return net;
}

namespace {

Long4 atW(const LongTriple& point, const LongNum& w)
{
    return {point.x, point.y, point.z, w};
}

Face4 triangle(const Long4& a, const Long4& b, const Long4& c)
{
    return face4Of({a, b, c});
}

} // namespace

std::optional<std::vector<std::unique_ptr<CellRec>>> antiprismCells(std::vector<Face> faces)
{
    if (faces.size() < 4 || faces.front().cornerCount() < 3)
        return {};
    VertexIndex index;
    std::vector<std::vector<int>> ids = faceVertexIds(faces, index);
    std::vector<LongTriple> centres;
    for (Face& face : faces)
        centres.push_back(face.makeCentre());
    LongTriple sum;
    for (const LongTriple& centre : centres)
        sum = plus(sum, centre);
    const LongTriple o = shrunk(sum, static_cast<std::int64_t>(centres.size()));

    // The faces on each side of each edge, and the faces about each vertex.
    std::map<std::pair<int, int>, std::vector<std::size_t>> edgeFaces;
    std::vector<std::vector<std::size_t>> vertexFaces(index.size());
    for (std::size_t face = 0; face < ids.size(); ++face) {
        const std::vector<int>& corners = ids[face];
        for (std::size_t k = 0; k < corners.size(); ++k) {
            int a = corners[k];
            int b = corners[(k + 1) % corners.size()];
            edgeFaces[{std::min(a, b), std::max(a, b)}].push_back(face);
            vertexFaces[static_cast<std::size_t>(a)].push_back(face);
        }
    }
    const int a = ids[0][0];
    const int b = ids[0][1];
    const std::vector<std::size_t>& firstEdge = edgeFaces[{std::min(a, b), std::max(a, b)}];
    if (firstEdge.size() != 2)
        return {};
    const LongTriple& pointA = index.point(a);
    LongNum e = distance(pointA, index.point(b));
    LongNum across = distance(centres[firstEdge[0]], centres[firstEdge[1]]);
    if (toDouble(across) <= 0)
        return {};
    LongNum ratio = divided(e, across);
    std::vector<LongTriple> duals;
    for (const LongTriple& centre : centres)
        duals.push_back(plus(o, scaled(minus(centre, o), ratio)));
    LongTriple fromA = minus(duals[0], pointA);
    LongNum heightSquared = minus(times(e, e), dot(fromA, fromA));
    if (heightSquared.isNegative())
        return {};
    const LongNum h = squareRoot(heightSquared);
    const LongNum zero;
    auto dual = [&](std::size_t face) { return atW(duals[face], h); };
    auto vertex = [&](int id) { return atW(index.point(id), zero); };

    std::vector<std::unique_ptr<CellRec>> cells;
    auto base = std::make_unique<CellRec>();
    for (const Face& face : faces) {
        Face4 copy;
        for (const LongTriple& corner : face.vertices)
            copy.vertices.push_back(atW(corner, zero));
        base->faces.push_back(std::move(copy));
    }
    cells.push_back(std::move(base));

    // The dual face of each vertex: the dual points of its faces in turn
    // about the axis from the centre.
    std::vector<Face4> dualFaces;
    for (std::size_t id = 0; id < vertexFaces.size(); ++id) {
        std::vector<std::size_t>& around = vertexFaces[id];
        if (around.size() < 3)
            return {};
        DoubleTriple axis = toDoubles(minus(index.point(static_cast<int>(id)), o));
        DoubleTriple first = toDoubles(minus(duals[around[0]], o));
        auto angleOf = [&](std::size_t face) {
            DoubleTriple p = toDoubles(minus(duals[face], o));
            DoubleTriple u = crossOf(axis, first);
            DoubleTriple v = crossOf(axis, u);
            return std::atan2(dotOf(p, v), dotOf(p, u));
        };
        std::sort(around.begin(), around.end(),
                  [&](std::size_t x, std::size_t y) { return angleOf(x) < angleOf(y); });
        std::vector<Long4> corners;
        for (std::size_t face : around)
            corners.push_back(dual(face));
        dualFaces.push_back(face4Of(std::move(corners)));
    }
    auto top = std::make_unique<CellRec>();
    top->faces = dualFaces;
    cells.push_back(std::move(top));

    for (std::size_t face = 0; face < faces.size(); ++face) {
        CellRec bottom;
        bottom.faces.push_back(cells.front()->faces[face]);
        for (auto& side : sideCells(bottom, dual(face)))
            cells.push_back(std::move(side));
    }
    for (std::size_t id = 0; id < dualFaces.size(); ++id) {
        CellRec cap;
        cap.faces.push_back(dualFaces[id]);
        for (auto& side : sideCells(cap, vertex(static_cast<int>(id))))
            cells.push_back(std::move(side));
    }
    for (const auto& [edge, sides] : edgeFaces) {
        if (sides.size() != 2)
            return {};
        Long4 p = vertex(edge.first);
        Long4 q = vertex(edge.second);
        Long4 d1 = dual(sides[0]);
        Long4 d2 = dual(sides[1]);
        auto tetrahedron = std::make_unique<CellRec>();
        tetrahedron->faces = {triangle(p, q, d1), triangle(p, q, d2), triangle(p, d1, d2),
                              triangle(q, d1, d2)};
        cells.push_back(std::move(tetrahedron));
    }
    return cells;
}

} // namespace kestrane
