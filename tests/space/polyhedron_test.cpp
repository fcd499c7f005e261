// SPDX-License-Identifier: GPL-3.0-or-later
#include "space_solids.h"
#include "space_test_support.h"

#include "space/convex_hull.h"
#include "space/polyhedron_builder.h"
#include "space/polyhedron_operations.h"
#include "space/vertex_index.h"

#include <cmath>
#include <map>
#include <random>

namespace kestrane::testing {
namespace {

PolyhedronRec cube(std::int64_t edge = 200)
{
    auto c = [edge](int x, int y, int z) { return at(x * edge, y * edge, z * edge); };
    PolyhedronRec solid;
    for (const auto& corners :
         std::vector<std::vector<LongTriple>>{{c(0, 0, 0), c(1, 0, 0), c(1, 1, 0), c(0, 1, 0)},
                                              {c(0, 0, 1), c(1, 0, 1), c(1, 1, 1), c(0, 1, 1)},
                                              {c(0, 0, 0), c(1, 0, 0), c(1, 0, 1), c(0, 0, 1)},
                                              {c(0, 1, 0), c(1, 1, 0), c(1, 1, 1), c(0, 1, 1)},
                                              {c(0, 0, 0), c(0, 1, 0), c(0, 1, 1), c(0, 0, 1)},
                                              {c(1, 0, 0), c(1, 1, 0), c(1, 1, 1), c(1, 0, 1)}})
        solid.addFace(faceOf(corners));
    solid.centre = at(edge / 2, edge / 2, edge / 2);
    return solid;
}

std::map<std::size_t, int> cornerCounts(const std::vector<Face>& faces)
{
    std::map<std::size_t, int> counts;
    for (const Face& face : faces)
        ++counts[face.cornerCount()];
    return counts;
}

bool planar(const Face& face)
{
    PlaneFrame plane = planeThrough(face.vertices[0], face.vertices[1], face.vertices[2]);
    for (const LongTriple& vertex : face.vertices) {
        if (std::fabs(toDouble(plane.signedValue(vertex))) > 1e-9)
            return false;
    }
    return true;
}

TEST(EdgeSets, CountTheSecondUseOfAnEdgeInEitherDirection)
{
    EdgeSet edges;
    EXPECT_EQ(edges.add(at(0, 0, 0), at(10, 0, 0)), 0);
    EXPECT_EQ(edges[0].useCount, 0);
    EXPECT_EQ(edges.add(at(10, 0, 0), at(0, 0, 0)), 0);
    EXPECT_EQ(edges.add(at(0, 0, 0), at(10, 0, 0)), 0);
    EXPECT_EQ(edges.size(), 1u);
    EXPECT_EQ(edges[0].useCount, 2);
    EXPECT_EQ(edges.add(at(0, 0, 0), at(0, 10, 0)), 1);
    EXPECT_EQ(edges.find(at(0, 10, 0), at(0, 0, 0)), 1);
    EXPECT_EQ(edges.find(at(5, 5, 5), at(0, 0, 0)), -1);

    CornerPairs pairs;
    pairs.add(3, 1);
    EXPECT_TRUE(pairs.contains(1, 3));
    EXPECT_TRUE(pairs.contains(3, 1));
    EXPECT_FALSE(pairs.contains(1, 2));
}

TEST(Templates, HoldAtMostTheirCapacityAndMatchTheLastOpening)
{
    FaceTemplate faceTemplate(2);
    EXPECT_TRUE(faceTemplate.add(faceOf({at(0, 0, 0), at(10, 0, 0), at(10, 10, 0), at(0, 10, 0)})));
    EXPECT_TRUE(faceTemplate.add(faceOf({at(0, 0, 0), at(10, 0, 0), at(10, 10, 0)})));
    EXPECT_FALSE(faceTemplate.add(faceOf({at(0, 0, 0), at(1, 0, 0), at(0, 1, 0)})));
    EXPECT_EQ(faceTemplate.face(1).templateIndex, 1);
    // Both corners open by √200; the later face wins.
    EXPECT_EQ(faceTemplate.match(200.4), 1);
    EXPECT_EQ(faceTemplate.match(200.5), -1);
    EXPECT_EQ(FaceTemplate(5000).add(faceOf({at(0, 0, 0), at(1, 0, 0), at(0, 1, 0)})), true);
}

TEST(Build, GrowsACubeFromTwoFacesAndASquare)
{
    PolyhedronRec solid = cube();
    solid.faces.resize(3);
    solid.faces.erase(solid.faces.begin() + 1);
    solid.refreshView();
    PolyhedronBuilder builder;
    builder.faceTemplate().emplace(1);
    builder.faceTemplate()->add(solid.faces.front());
    EXPECT_EQ(builder.build(solid, 100), BuildOutcome::Done);
    EXPECT_EQ(solid.faces.size(), 6u);
    SolidCounts counts = countSolid(solid.faces);
    EXPECT_EQ(counts.edges, 12u);
    EXPECT_EQ(counts.vertices, 8u);
    EXPECT_EQ(solid.viewFaces.size(), 6u);
    for (std::size_t index = 2; index < solid.faces.size(); ++index) {
        EXPECT_EQ(solid.faces[index].templateIndex, 0);
        EXPECT_TRUE(solid.faces[index].coloured);
    }
}

TEST(Build, WithATemplateMatchingNothingAddsNoFace)
{
    PolyhedronRec solid = cube();
    solid.faces.resize(2);
    solid.faces.erase(solid.faces.begin() + 1);
    solid.faces.push_back(cube().faces[2]);
    PolyhedronBuilder builder;
    builder.faceTemplate().emplace(1);
    builder.faceTemplate()->add(faceOf({at(0, 0, 0), at(7, 0, 0), at(0, 7, 0)}));
    EXPECT_EQ(builder.build(solid, 1000), BuildOutcome::Done);
    EXPECT_EQ(solid.faces.size(), 2u);
}

TEST(Build, CompletesASymmetricSquareByItsMirrorImages)
{
    PolyhedronRec solid;
    Face square = faceOf({at(100, 100, 0), at(200, 100, 0), at(200, 200, 0), at(100, 200, 0)});
    square.built = true;
    solid.addFace(square);
    PolyhedronBuilder builder;
    builder.faceTemplate().emplace(1);
    EXPECT_EQ(builder.build(solid, 0), BuildOutcome::Done);
    ASSERT_EQ(solid.faces.size(), 5u);
    for (const Face& face : solid.faces) {
        EXPECT_TRUE(planar(face));
        EXPECT_EQ(LongToDecimal(face.vertices[0].z), "0.000000000000000");
    }
    EXPECT_EQ(countSolid(solid.faces).vertices, 12u);
}

TEST(Build, GrowsAnIcosahedronFromSixSeedTriangles)
{
    // A triangle fills a corner only where two edges meet at 60 degrees, so
    // the twenty faces need six scattered seeds (four around one vertex
    // close that vertex and stop).
    std::vector<LongTriple> vertices = icosahedronVertices();
    PolyhedronRec solid;
    solid.centre = at(0, 0, 0);
    for (const auto& [a, b, c] : kIcosahedronSeeds)
        solid.addFace(faceOf({vertices[a], vertices[b], vertices[c]}));
    PolyhedronBuilder builder;
    builder.faceTemplate().emplace(1);
    // Template faces lie in the drawing plane: only x and y count.
    builder.faceTemplate()->add(icosahedronTemplate());
    EXPECT_EQ(builder.build(solid, 200), BuildOutcome::Done);
    SolidCounts counts = countSolid(solid.faces);
    EXPECT_EQ(counts.faces, 20u);
    EXPECT_EQ(counts.edges, 30u);
    EXPECT_EQ(counts.vertices, 12u);
}

TEST(Colouring, GivesAdjacentFacesDifferentColours)
{
    PolyhedronRec solid = cube();
    colourByAdjacency(solid);
    std::vector<int> codes;
    for (const Face& face : solid.faces)
        codes.push_back(face.colourCode);
    EXPECT_EQ(codes, (std::vector<int>{303, 303, 304, 304, 305, 305}));
    EXPECT_EQ(solid.viewFaces[4].colour, 0x0080FFu);
}

TEST(Colouring, ByShapeColoursOnlyTheFirstTenShapes)
{
    PolyhedronRec solid;
    for (int size = 1; size <= 12; ++size)
        solid.addFace(faceOf({at(0, 0, 0), at(10 * size, 0, 0), at(0, 5, 0)}));
    solid.addFace(faceOf({at(50, 50, 0), at(50, 55, 0), at(60, 50, 0)}));
    colourByShape(solid);
    for (int index = 0; index < 10; ++index)
        EXPECT_EQ(solid.faces[static_cast<std::size_t>(index)].colourCode, 303 + index);
    EXPECT_EQ(solid.faces[10].colourCode, 0);
    EXPECT_FALSE(solid.faces[11].coloured);
    EXPECT_EQ(solid.faces[12].colourCode, 303);
}

TEST(Truncation, CutsTheCornersOfACubeAndOfATetrahedron)
{
    PolyhedronRec box = cube();
    truncateVertices(box);
    EXPECT_EQ(cornerCounts(box.faces), (std::map<std::size_t, int>{{3, 8}, {4, 6}}));
    for (const Face& face : box.faces)
        EXPECT_TRUE(planar(face));

    PolyhedronRec tetrahedron;
    LongTriple a = at(0, 0, 0);
    LongTriple b = at(200, 200, 0);
    LongTriple c = at(200, 0, 200);
    LongTriple d = at(0, 200, 200);
    for (const auto& corners :
         std::vector<std::vector<LongTriple>>{{a, b, c}, {a, b, d}, {b, c, d}, {c, a, d}})
        tetrahedron.addFace(faceOf(corners));
    truncateVertices(tetrahedron);
    SolidCounts counts = countSolid(tetrahedron.faces);
    EXPECT_EQ(counts.faces, 8u);
    EXPECT_EQ(counts.edges, 12u);
    EXPECT_EQ(counts.vertices, 6u);
}

TEST(Expansion, ByOneLeavesEveryVertexAndByTwoDoublesTheEdges)
{
    PolyhedronRec box = cube();
    PolyhedronRec same = cube();
    expand(same, longOf(1));
    for (std::size_t face = 0; face < box.faces.size(); ++face)
        EXPECT_EQ(same.faces[face].vertices, box.faces[face].vertices);
    PolyhedronRec larger = cube();
    expand(larger, longOf(2));
    EXPECT_EQ(doubles(larger.faces[0].vertices[0]), (std::vector<double>{-100, -100, -100}));
    EXPECT_EQ(larger.viewFaces[0].vertices.back(), larger.faces[0].vertices.front());
}

TEST(CrossSections, OrderTheCutPointsAroundTheirCentre)
{
    PolyhedronRec box = cube();
    PlaneFrame middle = planeWithNormal(at(0, 0, 100), at(0, 0, 1));
    std::optional<Face> section = crossSection(box.faces, middle);
    ASSERT_TRUE(section);
    ASSERT_EQ(section->cornerCount(), 4u);
    // The frame of a horizontal plane is x and y: from angle −3π/4 upward.
    EXPECT_EQ(doubles(section->vertices[0]), (std::vector<double>{0, 0, 100}));
    EXPECT_EQ(doubles(section->vertices[1]), (std::vector<double>{200, 0, 100}));
    EXPECT_EQ(doubles(section->vertices[2]), (std::vector<double>{200, 200, 100}));
    // A plane through one corner only touches the cube.
    PlaneFrame touching = planeWithNormal(at(0, 0, 0), at(1, 1, 1));
    EXPECT_FALSE(crossSection(box.faces, touching));
}

TEST(ConvexHulls, ContainTheSetAndMergeCoplanarTriangles)
{
    std::vector<LongTriple> corners;
    for (int k = 0; k < 8; ++k)
        corners.push_back(at(k & 1 ? 100 : 0, k & 2 ? 100 : 0, k & 4 ? 100 : 0));
    corners.push_back(at(50, 50, 50));
    corners.push_back(at(50, 0, 0));
    auto faces = convexHull(corners);
    ASSERT_TRUE(faces);
    EXPECT_EQ(cornerCounts(*faces), (std::map<std::size_t, int>{{4, 6}}));

    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-500, 500);
    std::vector<LongTriple> points;
    for (int k = 0; k < 200; ++k)
        points.push_back(at(coordinate(random), coordinate(random), coordinate(random)));
    auto hull = convexHull(points);
    ASSERT_TRUE(hull);
    LongTriple inside = centreOfFaces(*hull);
    for (const Face& face : *hull) {
        PlaneFrame plane = planeThrough(face.vertices[0], face.vertices[1], face.vertices[2]);
        double insideSide = toDouble(plane.signedValue(inside));
        EXPECT_LT(insideSide, 0) << "faces turn positively about the outward normal";
        for (const LongTriple& point : points)
            EXPECT_LE(toDouble(plane.signedValue(point)), 0.01);
    }
    SolidCounts counts = countSolid(*hull);
    EXPECT_EQ(counts.vertices + counts.faces, counts.edges + 2);
}

TEST(ConvexHulls, RefuseFlatSets)
{
    EXPECT_FALSE(convexHull({at(0, 0, 0), at(100, 0, 0), at(0, 100, 0), at(100, 100, 0)}));
    EXPECT_FALSE(convexHull({at(0, 0, 0), at(100, 0, 0), at(0, 100, 0)}));
}

} // namespace
} // namespace kestrane::testing
