// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace kestrane {

// An edge between two space points and the number of faces that use it.
struct EdgeRecord {
    LongTriple first;
    LongTriple second;
    FloatPoint firstFloats;
    FloatPoint secondFloats;
    int useCount = 0;
};

// The edges of a construction under the tolerant equality, at most 500.
class EdgeSet {
public:
    static constexpr std::size_t kCapacity = 500;

    // An equal edge (either direction) gets its use count incremented and
    // its index returned; otherwise the edge is appended with use count 0.
    // None when the set is full.
    std::optional<int> add(const LongTriple& first, const LongTriple& second);
    // The index of the last equal edge, −1 when none.
    int find(const LongTriple& first, const LongTriple& second) const;
    // How many of the edges are not in the set yet.
    std::size_t missing(const std::vector<std::pair<LongTriple, LongTriple>>& edges) const;

    std::size_t size() const { return m_edges.size(); }
    EdgeRecord& operator[](std::size_t index) { return m_edges[index]; }
    const EdgeRecord& operator[](std::size_t index) const { return m_edges[index]; }

private:
    std::vector<EdgeRecord> m_edges;
};

// Pairs of edges already joined at a corner, or tried without a template
// face; the order of a pair does not matter.
class CornerPairs {
public:
    void add(int first, int second);
    bool contains(int first, int second) const;

private:
    std::set<std::pair<int, int>> m_pairs;
};

// The faces that Build places at open corners. Each face's corner is its
// vertex 1 between vertices 0 and 2; its opening is the squared distance of
// those two. The capacity is at most 1000.
class FaceTemplate {
public:
    static constexpr int kMaxCapacity = 1000;

    explicit FaceTemplate(long long capacity);

    // False when the template is full or the polygon has fewer than three
    // corners.
    bool add(Face face);
    std::size_t size() const { return m_faces.size(); }
    const Face& face(std::size_t index) const { return m_faces[index]; }
    // The last face whose opening differs from the squared distance by less
    // than 0.5; −1 when none.
    int match(double squaredDistance) const;

private:
    std::size_t m_capacity;
    std::vector<Face> m_faces;
    std::vector<double> m_openings;
};

enum class BuildOutcome { Done, TooManyEdges };

// The state of the builders during one run: the edge set, the corner pairs
// and the template.
class PolyhedronBuilder {
public:
    EdgeSet& edges() { return m_edges; }
    CornerPairs& cornerPairs() { return m_pairs; }
    std::optional<FaceTemplate>& faceTemplate() { return m_template; }

    // Grows the polyhedron from the template by at most `steps` corners:
    // the faces not yet entered join the edge set, symmetric faces are
    // completed, then each step fills the first open corner of two edges
    // with the last template face of the same opening. `placed` is told the
    // number of each face placed at a corner, counted through the run.
    BuildOutcome build(PolyhedronRec& polyhedron, long long steps,
                       const std::function<void(long long)>& placed = {});

private:
    // Adds the face's edges (a fresh edge gets use count 1) and its corner
    // pairs; false, with nothing added, when the edge set would overflow.
    bool registerEdges(const Face& face);
    bool appendFace(PolyhedronRec& polyhedron, Face face);
    void completeSymmetric(PolyhedronRec& polyhedron, std::size_t faceIndex, bool& full);
    std::optional<std::pair<int, int>> openCorner() const;
    Face placeAtCorner(const Face& templateFace, const LongTriple& far1, const LongTriple& shared,
                       const LongTriple& far2) const;
    int colourCodeFor(const PolyhedronRec& polyhedron, const Face& face, int templateIndex) const;

    EdgeSet m_edges;
    CornerPairs m_pairs;
    std::optional<FaceTemplate> m_template;
    long long m_placedFaces = 0;
};

// The edges of a face as pairs of end points.
std::vector<std::pair<LongTriple, LongTriple>> edgesOf(const Face& face);

} // namespace kestrane
