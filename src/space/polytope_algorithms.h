// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/four_d_objects.h"
#include "space/space_objects.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kestrane {

// Cells are capped so that a polytope that never closes stops growing.
inline constexpr std::size_t kMostCells = 2000;

// Progress of Build4D: told the cell count at the start of each pass, and
// each cell k of the pass once it is completed.
struct CompletionProgress {
    std::function<void(std::size_t)> pass;
    std::function<void(std::size_t)> cellDone;
};

// Completes the polytope from its cells: passes of reflecting every cell
// not yet completed in the hyperplanes through each of its faces and the
// polytope's centre, a reflected cell added when no cell has its centre
// yet. `addCell` stores a new cell and returns it.
void completePolytope(PolytopeRec& polytope,
                      const std::function<CellRec*(std::unique_ptr<CellRec>)>& addCell,
                      const CompletionProgress& progress = {});

// The pyramid over a cell: its centre, its apex and the side cells, each
// starting with a copy of its base face. Nothing when the cell's first face
// does not span a hyperplane with the cell's centre.
struct PyramidParts {
    Long4 centre;
    Long4 apex;
    std::vector<std::unique_ptr<CellRec>> sides;
};
std::optional<PyramidParts> pyramidOver(CellRec& cell);
// One cell per face of the base: the face and the triangles from each of
// its edges to the apex.
std::vector<std::unique_ptr<CellRec>> sideCells(const CellRec& base, const Long4& apex);
// The fifth point of the 5-cell on a cell of four vertices: on the normal
// through the circumcentre (oriented as for the pyramid), as far from the
// vertices as the first edge is long. No point for other cells, a singular
// system or a circumradius longer than the edge; none either, with
// `tooLarge` set, when the cell's coordinates or the point's would not fit
// the long numbers with room for the sums of centres (a fifth of their
// range).
struct FifthPoint {
    std::optional<Long4> point;
    bool tooLarge = false;
};
FifthPoint fifthPoint(CellRec& cell);

// The section of the cells by a hyperplane in the hyperplane's space
// coordinates about the anchor (the polytope's centre): one face per cell
// from all its cut points, ordered positively about the outward normal;
// a cell lying in the hyperplane gives its own faces; equal faces are kept
// once.
std::vector<Face> sectionFaces(const std::vector<CellRec*>& cells, const Hyperplane& plane,
                               const Long4& anchor);

// The net of a polytope: each reachable cell's faces in the space
// coordinates of the hyperplane of cell 0, in the order they are unfolded
// (breadth first from cell 0, children in cell order, each turned about
// the face it shares with its parent).
std::vector<std::vector<Face>> unfoldCells(const std::vector<CellRec*>& cells,
                                           const Long4& anchor);

// The cells of the antiprism of a polyhedron: the polyhedron at w = 0,
// the cell of the dual points at w = h (a face G's dual point is
// O + (centre(G) − O)·ratio, ratio = e / |C − D| for the first edge AB of
// length e, C and D the centres of its two faces, O the centre, and
// h = √(e² − |dual(C) − A|²)), a pyramid per face (apex its dual point), a
// pyramid per vertex over the dual points of its faces and a tetrahedron
// per edge. Nothing when the polyhedron has no such first edge or h is not
// real.
std::optional<std::vector<std::unique_ptr<CellRec>>> antiprismCells(std::vector<Face> faces);

// The hyperplane of a cell: through its first face and its centre.
std::optional<Hyperplane> hyperplaneOfCell(CellRec& cell);

} // namespace kestrane
